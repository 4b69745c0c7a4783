#pragma once

#include "printing/ListCsvFile.h"
#include "printing/MonthlyReport.h"
#include "printing/MonthlySheet.h"

#include <QStringList>

#include <array>
#include <span>
#include <vector>

// 月別リハビリ形態別実施一覧: a month's results of one form of service, one
// line per user (by kana reading), each day with the mark of the staff
// member who treated, counted per line and per day ("PrintScheduleType.rpf"
// and its CSV file).
class ScheduleTypeList
{
public:
    static constexpr QStringView TemplateName = u"PrintScheduleType.rpf";
    static constexpr QStringView OrderBy = u"Kana, CureNo, CureDate, RStartTime, ResultNo";
    static constexpr std::array<QStringView, 1> DaySums{u"Sum"};
    [[nodiscard]] static std::optional<int> rihaTypeOf(const MonthlyChoice &choice) { return choice.rihaType; }

    struct Line
    {
        QString user;
        QString type;
        QString admission;
        std::array<QString, MonthlySheet::Days> marks;
        int count = 0;
    };

    // The lines of the rows: one per kana reading and user number, the
    // lines in kana order whatever the database's collation.
    ScheduleTypeList(MonthlySheet sheet, std::span<const CureResult> rows);

    [[nodiscard]] const MonthlySheet &sheet() const { return m_sheet; }
    [[nodiscard]] const std::vector<Line> &lines() const { return m_lines; }
    [[nodiscard]] int Sum(int day) const { return m_sum[size_t(day)]; }
    [[nodiscard]] int Total() const { return m_total; }

    // The value of a template variable for the line and day (0-based).
    [[nodiscard]] std::optional<Variant> value(const QString &name, int line, int day) const;

    // The CSV file: its title line, then the date, heading, lines, totals
    // and the staff legend.
    [[nodiscard]] QStringList csvTitle() const;
    [[nodiscard]] std::vector<QStringList> csvRows() const;
    // The lines as the file has them, the date line with an error box of
    // its own.
    [[nodiscard]] ListCsvFile::Content csvFile() const;

private:
    MonthlySheet m_sheet;
    std::vector<Line> m_lines;
    std::array<int, MonthlySheet::Days> m_sum{};
    int m_total = 0;
};
