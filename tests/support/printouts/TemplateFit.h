#pragma once

#include "reportui/TemplatePrintout.h"

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

class TrpEMFPages;
class TrpReport;

// Checks that a printout's memos hold their texts on the built pages: no
// line of a memo is wider than its box (a memo without word wrap), and its
// lines, wrapped as they are drawn, are no taller than its box, measured at
// the size the memo draws them (smaller for a text too big at its font's). Tests of a
// printout build it over the longest values its fields can hold and expect
// no misfit. Link "printoutsupport".
//
// A template answered from counted rows, as TemplatePrintout does:
//
//     const TemplateFit::Built built = TemplateFit::build(
//         QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/Toukei.rpf"), rows,
//         [](const QString &name, int row) -> std::optional<Variant> {
//             if (name == u"Name")
//                 return Variant(TemplateFit::longest(50));
//             return std::nullopt;
//         });
//     ASSERT_TRUE(built.error.isEmpty()) << built.error.toStdString();
//     EXPECT_TRUE(built.misfits.empty()) << TemplateFit::describe(built.misfits).toStdString();
//
// A report the printout sets up itself (frames it fills, data sets of its
// own): TemplateFit::build(report) after loading the template into it.
namespace TemplateFit {

// A memo whose text does not fit inside its box.
struct Misfit
{
    int page = 0; // 1-based
    // The memo's top left on the page (built pages keep no names).
    QPointF place;
    QString text;
    // The room inside the box's text gaps, and what the text takes: the
    // widest line and the height of all lines.
    QSizeF room;
    QSizeF needed;
};

// A printout built for checking.
struct Built
{
    // The load or build error; empty when the pages were built.
    QString error;
    // Each page's memo texts, a memo's lines joined with "\n".
    std::vector<QStringList> pageTexts;
    std::vector<Misfit> misfits;
};

// Every memo of every page that does not hold its text.
[[nodiscard]] std::vector<Misfit> misfits(TrpEMFPages &pages);
// One line per misfit, for a failure message.
[[nodiscard]] QString describe(const std::vector<Misfit> &misfits);

// Builds a report whose template is loaded and whose values are answered,
// on the built-in A4 printer table.
[[nodiscard]] Built build(TrpReport &report);
// Loads the template and builds it over that many rows of rpUserDataset1.
[[nodiscard]] Built build(const QString &templateFile, int rows, TemplatePrintout::Values values);

// The longest text a field of that many Shift-JIS bytes holds: full-width
// characters, with one half-width digit for an odd count.
[[nodiscard]] QString longest(int bytes, QChar character = QChar(0x6F22));

} // namespace TemplateFit
