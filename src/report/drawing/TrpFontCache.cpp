#include "report/drawing/TrpFontCache.h"

#include "report/common/TrpUtils.h"
#include "report/drawing/TrpTextComposer.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>
#include <utility>

namespace {

// Past these counts the cache starts again empty: a report uses a few
// fonts, and the widths are worth keeping only for texts that repeat.
constexpr qsizetype MaxFonts = 64;
constexpr qsizetype MaxWidths = 8192;

QFont makeFont(const TrpFontCache::Key &key)
{
    QFont font(TrpUtils::fontFamily(key.name));
    font.setPixelSize(key.pixelSize);
    TrpUtils::setFontStyle(font, key.style);
    if (key.spacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, key.spacing);
    return font;
}

} // namespace

TrpFontCache::Font::Font(const Key &key) : m_font(makeFont(key)), m_metrics(m_font) {}

TrpFontCache::Font::~Font() = default;

qreal TrpFontCache::Font::width(QStringView text)
{
    if (text.size() == 1) {
        // Line wrapping measures a text one character at a time.
        const char16_t c = text.front().unicode();
        std::unique_ptr<WidthPage> &page = m_characterWidths[c >> 8];
        if (!page) {
            page = std::make_unique<WidthPage>();
            page->fill(std::numeric_limits<qreal>::quiet_NaN());
        }
        qreal &width = (*page)[c & 0xff];
        if (std::isnan(width))
            width = m_metrics.horizontalAdvance(text.toString());
        return width;
    }
    if (const auto known = m_widths.find(text); known != m_widths.end())
        return known->second;
    if (qsizetype(m_widths.size()) >= MaxWidths)
        m_widths.clear();
    QString owned = text.toString();
    // Most texts measured once are names and numbers that are composed
    // from the widths of their characters for less than measuring them.
    if (!m_composer)
        m_composer = std::make_unique<TrpTextComposer>(m_font);
    const std::optional<qreal> composed = m_composer->width(text);
    const qreal width = composed ? *composed : m_metrics.horizontalAdvance(owned);
    m_widths.emplace(std::move(owned), width);
    return width;
}

TrpFontCache &TrpFontCache::global()
{
    thread_local TrpFontCache cache;
    // Fonts go with the application that made them; other threads' caches
    // go with their threads.
    static const bool cleanUpAdded = [] {
        qAddPostRoutine([] {
            cache.m_fonts.clear();
            cache.m_last.reset();
        });
        return true;
    }();
    Q_UNUSED(cleanUpAdded);
    return cache;
}

std::shared_ptr<TrpFontCache::Font> TrpFontCache::font(const Key &key)
{
    // Objects after each other mostly share their font.
    if (m_last && m_lastKey == key)
        return m_last;
    const auto known = m_fonts.constFind(key);
    if (known != m_fonts.constEnd()) {
        m_lastKey = key;
        return m_last = *known;
    }
    if (m_fonts.size() >= MaxFonts)
        m_fonts.clear();
    auto font = std::make_shared<Font>(key);
    m_fonts.insert(key, font);
    m_lastKey = key;
    m_last = font;
    return font;
}

size_t qHash(const TrpFontCache::Key &key, size_t seed) noexcept
{
    // Font names are short, where qHash(QString) is slow.
    return qHashMulti(seed, TextHash()(key.name), key.pixelSize, key.style, key.spacing);
}
