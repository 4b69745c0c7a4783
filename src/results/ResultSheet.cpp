#include "results/ResultSheet.h"

#include "core/CodeTables.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "results/CureResult.h"

#include <algorithm>

std::pair<TDateTime, TDateTime> ResultSheet::monthRange(TDateTime date)
{
    const QDate day = DateTime::toDate(date);
    const QDate first(day.year(), day.month(), 1);
    return {DateTime::fromDate(first), DateTime::fromDate(first.addMonths(1))};
}

std::array<ResultSheet::DayHeader, 31> ResultSheet::monthHeader(TDateTime fromDate)
{
    std::array<DayHeader, 31> header;
    const QDate first = DateTime::toDate(fromDate);
    for (int d = 1; d <= first.daysInMonth(); ++d) {
        const QDate day = first.addDays(d - 1);
        header[size_t(d - 1)] = {QString::number(d), WeekShortNames[size_t(day.dayOfWeek() - 1)].toString(),
                                 day.dayOfWeek() == 7};
    }
    return header;
}

QString ResultSheet::dayMark(int rihaType)
{
    static constexpr std::array<QStringView, 4> marks{u"○", u"□", u"△", u"◇"};
    return rihaType >= 0 && rihaType < 4 ? marks[size_t(rihaType)].toString() : QString();
}

QString ResultSheet::countText(int count)
{
    return QLatin1Char(' ') + (QStringLiteral("  ") + QString::number(count)).right(4);
}

QString ResultSheet::cureNoText(int cureNo)
{
    return Text::zeroPadded(cureNo, 8);
}

std::optional<int> ResultSheet::cureNoOfText(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<std::vector<ResultSheet::UserRow>> ResultSheet::load(TDateTime from, TDateTime to) const
{
    DbDataSet rows;
    DbQuery query(m_db, QStringLiteral("SELECT CureNo, Name, CureDate, RihaType, RStartTime, ResultNo FROM CureResults "
                                       "WHERE CureDate >= :PFromDate AND CureDate < :PToDate "
                                       "ORDER BY CureNo, CureDate, RStartTime, ResultNo"));
    query.bind(u"PFromDate", DbDate{from}).bind(u"PToDate", DbDate{to});
    if (!rows.open(query))
        return std::nullopt;
    const DbField cureNo = rows.field(u"CureNo");
    const DbField name = rows.field(u"Name");
    const DbField cureDate = rows.field(u"CureDate");
    const DbField rihaType = rows.field(u"RihaType");
    const DbField start = rows.field(u"RStartTime");
    const DbField resultNo = rows.field(u"ResultNo");
    struct Result
    {
        TDateTime date;
        TDateTime start;
        int resultNo;
        int rihaType;
        QString name;
    };
    std::vector<UserRow> users;
    std::vector<Result> results;
    // A user's results in day order; a later result of the day overwrites
    // the mark of an earlier one, and a form without a mark leaves the cell.
    const auto finish = [&] {
        std::stable_sort(results.begin(), results.end(), [](const Result &a, const Result &b) {
            return CureResult::dayOrder(a.date, a.start, a.resultNo, b.date, b.start, b.resultNo);
        });
        UserRow &user = users.back();
        for (const Result &result : results) {
            const QString mark = dayMark(result.rihaType);
            if (!mark.isEmpty())
                user.Marks[size_t(DateTime::toDate(result.date).day() - 1)] = mark;
        }
        user.Count = int(results.size());
        user.Name = results.back().name;
        results.clear();
    };
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        if (users.empty() || users.back().CureNo != cureNo.asInteger()) {
            if (!results.empty())
                finish();
            users.push_back({cureNo.asInteger(), {}, {}, 0});
        }
        results.push_back(
            {cureDate.asDateTime(), start.asDateTime(), resultNo.asInteger(), rihaType.asInteger(), name.asString()});
    }
    if (!results.empty())
        finish();
    return users;
}

std::optional<bool> ResultSheet::hasResults(int cureNo, TDateTime from, TDateTime to) const
{
    DbDataSet rows;
    DbQuery query(m_db, QStringLiteral("SELECT ResultNo FROM CureResults WHERE CureDate >= :PFromDate AND "
                                       "CureDate < :PToDate AND CureNo = :PCureNo LIMIT 1"));
    query.bind(u"PFromDate", DbDate{from}).bind(u"PToDate", DbDate{to}).bind(u"PCureNo", cureNo);
    if (!rows.open(query))
        return std::nullopt;
    return !rows.isEmpty();
}
