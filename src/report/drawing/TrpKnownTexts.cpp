#include "report/drawing/TrpKnownTexts.h"

#include <QCoreApplication>

#include <atomic>

namespace {

// Past these counts the table starts again empty: each text keeps its
// glyphs, and a long list of different names is worth less than its memory.
constexpr qsizetype MaxTexts = 8192;
constexpr qsizetype MaxFonts = 256;
constexpr qsizetype MaxAliases = 8;

// An engine that learnt font numbers from one table must not take those of
// another for them.
quint64 nextGeneration()
{
    static std::atomic<quint64> generations{0};
    return ++generations;
}

} // namespace

TrpKnownTexts &TrpKnownTexts::global()
{
    thread_local TrpKnownTexts texts;
    // Fonts and glyphs go with the application that made them; other
    // threads' tables go with their threads.
    static const bool cleanUpAdded = [] {
        qAddPostRoutine([] { texts.clear(); });
        return true;
    }();
    Q_UNUSED(cleanUpAdded);
    return texts;
}

TrpKnownTexts::TrpKnownTexts() : m_generation(nextGeneration()) {}

int TrpKnownTexts::fontNumber(const QFont &font)
{
    for (const Alias &alias : std::as_const(m_aliases)) {
        if (font.isCopyOf(alias.font))
            return alias.number;
    }
    // A painter makes a new copy of each font it is given.
    int number = int(m_fonts.indexOf(font));
    if (number < 0) {
        if (m_fonts.size() >= MaxFonts)
            clear();
        m_fonts.append(font);
        number = int(m_fonts.size()) - 1;
    }
    if (m_aliases.size() < MaxAliases)
        m_aliases.append({font, number});
    else
        m_aliases[m_nextAlias++ % MaxAliases] = {font, number};
    return number;
}

const TrpShapedLine *TrpKnownTexts::find(int font, Qt::LayoutDirection direction, const QString &text) const
{
    const auto found = m_texts.constFind(Key{font, direction, text});
    return found != m_texts.cend() ? &*found : nullptr;
}

TrpShapedLine &TrpKnownTexts::remember(int font, Qt::LayoutDirection direction, const QString &text,
                                       TrpShapedLine shaped)
{
    if (qsizetype(m_texts.size()) >= MaxTexts)
        m_texts.clear();
    return *m_texts.insert(Key{font, direction, text}, std::move(shaped));
}

std::optional<TrpShapedLine> TrpKnownTexts::compose(int font, QStringView text)
{
    if (m_composers.size() <= size_t(font))
        m_composers.resize(m_fonts.size());
    std::unique_ptr<TrpTextComposer> &composer = m_composers[font];
    if (!composer)
        composer = std::make_unique<TrpTextComposer>(m_fonts[font]);
    return composer->compose(text);
}

void TrpKnownTexts::clear()
{
    m_texts.clear();
    m_composers.clear();
    m_aliases.clear();
    m_fonts.clear();
    m_generation = nextGeneration();
}
