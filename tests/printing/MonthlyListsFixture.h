#pragma once

#include "PartTemplate.h"
#include "ResultsFixture.h"

#include "printing/MonthlyReport.h"
#include "report/building/TrpReport.h"
#include "report/pages/TrpPrinter.h"

#include <QPoint>
#include <QString>

#include <vector>

// The results of the monthly lists' tests, on a database with the staff of
// ResultRows and "now" 2024-04-20 14:05.
class MonthlyListsFixture : public ResultsFixture
{
protected:
    static constexpr TDateTime April = 45383; // 2024-04-01

    // A result of the user on the day of April (1-based) at the hour, for
    // the minutes, by the staff member (1 ヤ, 2 ス; 0 for no mark).
    static CureResult result(int cureNo, int day, int hour, int minutes, int staff = 1, int rihaType = 0);
    [[nodiscard]] MonthlyChoice april() const;

    // The list of the choice; null when there is nothing to list.
    template <typename List> std::shared_ptr<const List> read(const MonthlyChoice &choice)
    {
        MonthlyReport::Status status = MonthlyReport::Status::Ready;
        auto list = MonthlyReport::read<List>(m_app->context, choice, status);
        EXPECT_EQ(status, list ? MonthlyReport::Status::Ready : MonthlyReport::Status::NoRows);
        return list;
    }
    // A value as the page prints it; "(none)" for a name not answered.
    [[nodiscard]] static QString text(const std::optional<Variant> &value)
    {
        return value ? value->toText() : QStringLiteral("(none)");
    }

    using Text = PartTemplate::Placed;
    // The texts of the pages of the list's printout over the template beside
    // the tests (or in the folder given), built on the A4 page table.
    template <typename List>
    std::vector<std::vector<Text>> built(const MonthlyChoice &choice,
                                         const QString &folder = QStringLiteral(TAMSOLEN_TEMPLATE_DIR))
    {
        TrpPrinter printer{QStringList()};
        QObject form;
        TrpReport report(&form);
        report.setPrinter(printer);
        m_app->context.appDir = folder;
        EXPECT_EQ(MonthlyReport::setUpReport<List>(report, m_app->context, choice), MonthlyReport::Status::Ready);
        EXPECT_TRUE(report.LoadFromFile(folder + u'/' + List::TemplateName.toString()));
        EXPECT_TRUE(report.PrepareReport());
        EXPECT_FALSE(report.hasError()) << report.ErrorText().toStdString();
        return pages(report);
    }
    [[nodiscard]] static std::vector<std::vector<Text>> pages(TrpReport &report)
    {
        return PartTemplate::placed(report);
    }
    // A monthly table wired as a facility's template may be: the day
    // headings as a data band "Headings" over data set 2 crossed by the days
    // of data set 3, then the bands "Cells" and "Sums" the test adds, crossed
    // by data sets 4 and 6; the places are our template's.
    [[nodiscard]] static PartTemplate dayTable();
    // The first text equal to the given one on the page; a null point when there is none.
    [[nodiscard]] static QPoint placeOf(const std::vector<Text> &page, const QString &text, int skip = 0);
};
