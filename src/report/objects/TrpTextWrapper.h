#pragma once

#include <QList>
#include <QString>

#include <functional>

// Wraps one text line of a memo to a width. Break points are the blank,
// comma, hyphen and full stop; a carriage return or line feed (a run of
// them counts once) ends a paragraph. A line that no longer fits breaks
// after its last break point (a blank there is dropped), or, with word
// breaking, hyphenates the word that overflows; a line with no break point
// breaks before the character that overflows. Every output line holds at
// least one character, so a box narrower than a character still ends.
// Double-byte characters are never split.
class TrpTextWrapper
{
public:
    // The width of a piece of text in the units of the width. The wrapper
    // measures each character (each grapheme cluster) of a text once and
    // adds the widths up, so that wrapping takes time in step with the
    // text's length.
    using Measure = std::function<double(QStringView)>;

    struct Line
    {
        QString text;
        // The last line of a paragraph: never widened when justified.
        bool paragraphEnd = false;
        // Where the text after this line begins in the wrapped text: past
        // a blank dropped at the break and past a line end.
        qsizetype next = 0;

        bool operator==(const Line &) const = default;
    };

    TrpTextWrapper(Measure measure, double width, bool wordBreak);

    [[nodiscard]] QList<Line> wrap(const QString &line) const;

    // Where a word of at least 5 bytes may be hyphenated: the character
    // counts of the parts before each point, ascending. The rules work on
    // the word's bytes in upper case with the vowels and signs of code
    // page 1251.
    [[nodiscard]] static QList<qsizetype> hyphenationPoints(QStringView word);

    // Whether the character is a grapheme cluster of its own whatever its
    // neighbours are: texts of such characters need no boundary finder.
    [[nodiscard]] static bool ownCluster(QChar c);

private:
    class Advances;

    // Wraps a segment that starts at `base` in the text being wrapped.
    void wrapSegment(const QString &text, qsizetype base, const Advances &advances, QList<Line> &out) const;
    [[nodiscard]] bool hyphenate(const QString &text, const Advances &advances, qsizetype from, qsizetype wordStart,
                                 qsizetype overflow, QList<Line> &out, qsizetype &next) const;

    Measure m_measure;
    double m_width;
    bool m_wordBreak;
};
