#pragma once

#include "report/drawing/TrpTextComposer.h"
#include "report/drawing/TrpTextShaping.h"

#include "base/TextHash.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// What drawing a text in a font recorded, kept for each thread (pages may
// be recorded on several at once): shaping a text costs more than all the rest of
// recording and drawing it, and the texts of a report repeat. Fonts are
// numbered as they are first seen, so that a text is found by a number and
// its characters instead of by hashing and comparing whole fonts.
class TrpKnownTexts
{
public:
    // The calling thread's table.
    [[nodiscard]] static TrpKnownTexts &global();

    TrpKnownTexts();

    // The number of a font equal to this one. Numbers stay valid until
    // generation() changes, when the table starts again empty; no two
    // tables share a generation.
    [[nodiscard]] int fontNumber(const QFont &font);
    [[nodiscard]] quint64 generation() const { return m_generation; }

    // The text as it was recorded in the numbered font, or null.
    [[nodiscard]] const TrpShapedLine *find(int font, Qt::LayoutDirection direction, const QString &text) const;
    // The reference holds until the next text is remembered.
    TrpShapedLine &remember(int font, Qt::LayoutDirection direction, const QString &text, TrpShapedLine shaped);
    // The text laid out in the numbered font from the glyphs of its
    // characters (see TrpTextComposer), or nullopt.
    [[nodiscard]] std::optional<TrpShapedLine> compose(int font, QStringView text);

private:
    struct Key
    {
        int font;
        Qt::LayoutDirection direction;
        QString text;

        bool operator==(const Key &) const = default;
    };
    friend size_t qHash(const Key &key, size_t seed) noexcept
    {
        return TextHash()(key.text) ^ (size_t(key.font) * 0x9e3779b97f4a7c15ULL) ^ size_t(key.direction) ^ seed;
    }

    void clear();

    QList<QFont> m_fonts;
    // By font number, made when first asked for.
    std::vector<std::unique_ptr<TrpTextComposer>> m_composers;
    // Copies of fonts found lately with the number found: a painter's font
    // that is a copy of one of them is found without comparing fonts.
    struct Alias
    {
        QFont font;
        int number;
    };
    QList<Alias> m_aliases;
    qsizetype m_nextAlias = 0;
    QHash<Key, TrpShapedLine> m_texts;
    quint64 m_generation;
};
