#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

#include "base/TextHash.h"

#include <array>
#include <memory>
#include <unordered_map>

class TrpTextComposer;

// The fonts that report objects draw with, each set up once together with
// its metrics and the widths of the texts measured in it. A page has a few
// fonts and repeats many texts, while setting up a font and shaping a text
// are the costliest steps of laying out its memos.
class TrpFontCache
{
public:
    // The key of a font: the stored font name, its size in pixels, the
    // style bits of the files (TrpUtils) and the letter spacing in pixels.
    struct Key
    {
        QString name;
        int pixelSize = 0;
        int style = 0;
        int spacing = 0;

        bool operator==(const Key &) const = default;
    };

    class Font
    {
    public:
        explicit Font(const Key &key);
        ~Font();

        [[nodiscard]] const QFont &font() const { return m_font; }
        [[nodiscard]] const QFontMetricsF &metrics() const { return m_metrics; }
        // The text's advance as QFontMetricsF measures it.
        [[nodiscard]] qreal width(QStringView text);

    private:
        // Widths of single UTF-16 characters in pages of 256, made as
        // characters of a page are first measured; unknown ones are NaN.
        using WidthPage = std::array<qreal, 256>;

        QFont m_font;
        QFontMetricsF m_metrics;
        std::array<std::unique_ptr<WidthPage>, 256> m_characterWidths;
        std::unordered_map<QString, qreal, TextHash, TextEqual> m_widths;
        // Made when a text is first measured.
        std::unique_ptr<TrpTextComposer> m_composer;
    };

    // The calling thread's cache.
    [[nodiscard]] static TrpFontCache &global();

    // Shared, so that a font stays valid for its user while the cache
    // makes room.
    [[nodiscard]] std::shared_ptr<Font> font(const Key &key);

private:
    QHash<Key, std::shared_ptr<Font>> m_fonts;
    Key m_lastKey;
    std::shared_ptr<Font> m_last;
};

size_t qHash(const TrpFontCache::Key &key, size_t seed = 0) noexcept;
