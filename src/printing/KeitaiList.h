#pragma once

#include "printing/ListCsvFile.h"
#include "printing/MonthlyReport.h"
#include "printing/MonthlySheet.h"

#include <QStringList>

#include <array>
#include <span>
#include <vector>

// 形態別実績一覧表: a month's results, one line per user and form of
// service, each day with its staff mark, minutes and start time, counted
// per line and per day ("PrintKeitai.rpf" and its CSV file).
class KeitaiList
{
public:
    static constexpr QStringView TemplateName = u"PrintKeitai.rpf";

    struct Line
    {
        QString user;
        int rihaType = 0;
        QString admission;
        std::array<QString, MonthlySheet::Days> Kigou;
        std::array<int, MonthlySheet::Days> Funn{};
        // "hhmm" of the day's first start.
        std::array<QString, MonthlySheet::Days> STime;
        // The day has results, marked or not.
        std::array<bool, MonthlySheet::Days> treated{};
        int CntKei = 0;
        int TimeKei = 0;
    };

    // The lines of the rows, read by user, form, day and start.
    KeitaiList(MonthlySheet sheet, std::span<const CureResult> rows);

    // Every form of service, by user, form, day, start and key.
    [[nodiscard]] static std::optional<int> rihaTypeOf(const MonthlyChoice &) { return std::nullopt; }
    static constexpr QStringView OrderBy = u"CureNo, RihaType, CureDate, RStartTime, ResultNo";
    static constexpr std::array<QStringView, 2> DaySums{u"KFunnSum", u"KTimeSum"};

    [[nodiscard]] const MonthlySheet &sheet() const { return m_sheet; }
    [[nodiscard]] const std::vector<Line> &lines() const { return m_lines; }
    [[nodiscard]] int KFunnSum(int day) const { return m_kFunnSum[size_t(day)]; }
    [[nodiscard]] int KTimeSum(int day) const { return m_kTimeSum[size_t(day)]; }
    [[nodiscard]] int TotalCntSum() const { return m_totalCntSum; }
    [[nodiscard]] int TotalTimeSum() const { return m_totalTimeSum; }

    // The value of a template variable for the line and day (0-based).
    [[nodiscard]] std::optional<Variant> value(const QString &name, int line, int day) const;

    // The CSV file: its title line, then the heading and a row per line.
    [[nodiscard]] QStringList csvTitle() const;
    [[nodiscard]] std::vector<QStringList> csvRows() const;
    // The lines as the file has them: fields quoted only where needed.
    [[nodiscard]] ListCsvFile::Content csvFile() const;

private:
    [[nodiscard]] std::optional<Variant> lineValue(const QString &name, const Line &line, int day) const;

    MonthlySheet m_sheet;
    std::vector<Line> m_lines;
    std::array<int, MonthlySheet::Days> m_kFunnSum{};
    std::array<int, MonthlySheet::Days> m_kTimeSum{};
    int m_totalCntSum = 0;
    int m_totalTimeSum = 0;
};
