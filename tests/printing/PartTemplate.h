#pragma once

#include <QPoint>
#include <QString>

#include <vector>

class QRect;
class TrpReport;

// A template written in the test as a facility would write its own: bands
// wired to the printing form's data sets, memos where the shipped template
// has them. Compiled with the engine's writer into a folder, under the
// shipped template's file name.
class PartTemplate
{
public:
    // An A4 page, landscape or portrait, with margins of 18.
    explicit PartTemplate(bool landscape, bool twoPass = true);

    // A band of the type, across the page unless a strip's place is given.
    PartTemplate &band(const char *name, int type, int top, int height, const QString &source = {}, int left = 0,
                       int width = 0);
    // A memo of one line of text.
    PartTemplate &memo(const QString &text, int left, int top, int width, int height);
    // A picture frame whose first line is the text.
    PartTemplate &picture(const QString &text, int left, int top, int width, int height);

    // Writes the compiled template into the folder; false when it does not
    // compile or write.
    [[nodiscard]] bool compileInto(const QString &folder, QStringView fileName) const;

    // A built page's text with its top left.
    struct Placed
    {
        QString text;
        QPoint place;
    };
    using Pages = std::vector<std::vector<Placed>>;
    [[nodiscard]] static Pages placed(TrpReport &report);
    // Every text the pages of a template written in the test print stands on
    // the shipped template's pages at the same place.
    static void expectSamePlaces(const Pages &written, const Pages &shipped);

private:
    PartTemplate &object(const char *kind, const QString &text, const QRect &place);

    QString m_text;
    int m_objects = 0;
};
