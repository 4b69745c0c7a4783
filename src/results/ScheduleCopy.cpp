#include "results/ScheduleCopy.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "platform/UserMessage.h"
#include "results/CureResultStore.h"

#include <algorithm>
#include <map>

namespace {

const QString SearchError = QStringLiteral("*** System Error 結果テーブル サーチエラー");

} // namespace

ScheduleCopy::ScheduleCopy(const AppContext &context) : ScheduleCopy(context.database, context.mainModule) {}

std::optional<std::vector<ScheduleCopy::Booking>> ScheduleCopy::list(TDateTime from, TDateTime to,
                                                                     std::optional<int> staffCode) const
{
    QString where = QStringLiteral("TimeTable.ReserveDay >= :PFromDate AND TimeTable.ReserveDay < :PToDate");
    if (staffCode)
        where += QStringLiteral(" AND TimeTable.StuffCode = :PStuffCode");
    DbQuery query(m_database, bookingsSql(where));
    // Both ends are whole days: the last day's bookings are [to, to + 1).
    query.bind(u"PFromDate", DbDate{DateTime::dateOf(from)}).bind(u"PToDate", DbDate{DateTime::dateOf(to) + 1});
    if (staffCode)
        query.bind(u"PStuffCode", *staffCode);
    return read(query);
}

QString ScheduleCopy::bookingsSql(const QString &where)
{
    return QStringLiteral("SELECT Schedule.ScheduleNo, TimeTable.ReserveNo, TimeTable.ReserveDay, TimeTable.StuffCode, "
                          "TimeTable.StartTime, TimeTable.WorkingMin, Person.* "
                          "FROM (Schedule INNER JOIN TimeTable ON Schedule.WorkingNo = TimeTable.ReserveNo) "
                          "INNER JOIN Person ON Schedule.CureNo = Person.CureNo WHERE ") +
           where +
           QStringLiteral(" ORDER BY TimeTable.ReserveDay, TimeTable.StartTime, Person.Kana, Schedule.ScheduleNo");
}

std::optional<std::vector<ScheduleCopy::Booking>> ScheduleCopy::read(const DbQuery &query)
{
    DbDataSet rows;
    if (!rows.open(query))
        return std::nullopt;
    std::vector<Booking> bookings;
    const DbField scheduleNo = rows.field(u"ScheduleNo");
    const DbField reserveNo = rows.field(u"ReserveNo");
    const DbField reserveDay = rows.field(u"ReserveDay");
    const DbField stuffCode = rows.field(u"StuffCode");
    const DbField startTime = rows.field(u"StartTime");
    const DbField workingMin = rows.field(u"WorkingMin");
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        bookings.push_back({scheduleNo.asInteger(), reserveNo.asInteger(), reserveDay.asDateTime(),
                            stuffCode.asInteger(), startTime.asDateTime(), workingMin.asInteger(),
                            TPerson::fromRow(rows)});
    }
    return bookings;
}

std::optional<std::vector<ScheduleCopy::Booking>> ScheduleCopy::storedAsListed(std::span<const Booking> listed, int low,
                                                                                int high) const
{
    DbQuery query(m_database, bookingsSql(QStringLiteral("TimeTable.ReserveNo >= :PLow AND TimeTable.ReserveNo <= :PHigh")));
    query.bind(u"PLow", low).bind(u"PHigh", high);
    const std::optional<std::vector<Booking>> stored = read(query);
    if (!stored)
        return std::nullopt;
    std::map<int, const Booking *> byNumber;
    for (const Booking &booking : *stored)
        byNumber.emplace(booking.ScheduleNo, &booking);
    std::vector<Booking> current;
    for (const Booking &booking : listed) {
        const auto found = byNumber.find(booking.ScheduleNo);
        if (found == byNumber.end())
            return std::vector<Booking>{};
        const Booking &now = *found->second;
        if (now.ReserveNo != booking.ReserveNo || now.StuffCode != booking.StuffCode ||
            now.WorkingMin != booking.WorkingMin ||
            DateTime::dateOf(now.ReserveDay) != DateTime::dateOf(booking.ReserveDay) ||
            DateTime::shortTime(now.StartTime) != DateTime::shortTime(booking.StartTime))
            return std::vector<Booking>{};
        current.push_back(now);
    }
    return current;
}

ScheduleCopy::Outcome ScheduleCopy::copy(std::span<const Booking> bookings, Mode mode,
                                         const std::function<void(int)> &progress) const
{
    Outcome outcome;
    if (bookings.empty())
        return outcome;
    const auto [low, high] = std::minmax_element(
        bookings.begin(), bookings.end(), [](const Booking &a, const Booking &b) { return a.ReserveNo < b.ReserveNo; });
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive())
        return {0, 0, 0, QStringLiteral("*** System Error 結果テーブル オープンエラー")};
    // A second copy of the same slots at another workstation waits on these
    // locks (in key order, so two copies never deadlock) and then reads
    // what this one wrote.
    DbQuery lockQuery(m_database, QStringLiteral("SELECT ReserveNo FROM TimeTable WHERE ReserveNo >= :PLow AND "
                                                 "ReserveNo <= :PHigh ORDER BY ReserveNo") +
                                      m_database.lockRowsClause());
    lockQuery.bind(u"PLow", low->ReserveNo).bind(u"PHigh", high->ReserveNo);
    DbDataSet locked;
    if (!locked.open(lockQuery))
        return {0, 0, 0, SearchError};
    // The results copied before from these slots, by slot and user: the
    // first (lowest key) of each pair is the one a copy overwrites.
    DbQuery existingQuery(m_database,
                          QStringLiteral("SELECT ResultNo, ReserveNo, CureNo FROM CureResults "
                                         "WHERE ReserveNo >= :PLow AND ReserveNo <= :PHigh ORDER BY ResultNo"));
    existingQuery.bind(u"PLow", low->ReserveNo).bind(u"PHigh", high->ReserveNo);
    DbDataSet existingRows;
    if (!existingRows.open(existingQuery))
        return {0, 0, 0, SearchError};
    // What is copied is the bookings as stored now, under the locks.
    const std::optional<std::vector<Booking>> current = storedAsListed(bookings, low->ReserveNo, high->ReserveNo);
    if (!current)
        return {0, 0, 0, SearchError};
    if (current->empty())
        return {0, 0, 0, ChangedElsewhereText, true};
    std::map<std::pair<int, int>, int> existing;
    // The rows are held whole, not paged: a move cannot fail.
    for (existingRows.first(); !existingRows.eof(); (void)existingRows.next()) {
        existing.emplace(
            std::pair(existingRows.field(u"ReserveNo").asInteger(), existingRows.field(u"CureNo").asInteger()),
            existingRows.field(u"ResultNo").asInteger());
    }

    const TMainModule &module = m_module;
    const TDateTime now = Clock::now();
    CureResultStore store(m_database);
    std::vector<CureResult> appended;
    int done = 0;
    for (const Booking &booking : *current) {
        CureResult row;
        row.takeSnapshot(booking.Person);
        row.CureDate = DateTime::dateOf(booking.ReserveDay);
        row.ReserveNo = booking.ReserveNo;
        row.StuffCode = booking.StuffCode;
        row.StuffName = module.GetStaffName(booking.StuffCode);
        row.StuffKigo = module.GetStaffKigo(booking.StuffCode);
        row.PStartTime = row.RStartTime = DateTime::timeOf(booking.StartTime);
        row.PMinute = row.RMinute = booking.WorkingMin;
        row.RihaType = booking.Person.RihaType;
        row.KubunCode = booking.Person.KubunCode;
        row.deriveFlags();
        row.LoginCD = module.LoginStaffCode;
        row.LoginName = module.LoginStaffName;
        row.UpdateDate = now;
        const auto found = existing.find({booking.ReserveNo, booking.Person.CureNo});
        if (found == existing.end()) {
            appended.push_back(std::move(row));
            // A booking listed twice is copied once.
            existing.emplace(std::pair(booking.ReserveNo, booking.Person.CureNo), 0);
            ++outcome.appended;
        } else if (mode == Mode::Skip || found->second == 0) {
            ++outcome.skipped;
        } else if (!store.overwriteKeepingComment(found->second, row)) {
            return {0, 0, 0, QStringLiteral("*** System Error 結果テーブル（更新）")};
        } else {
            ++outcome.overwritten;
        }
        if (progress)
            progress(++done);
    }
    if (!store.insert(appended))
        return {0, 0, 0, QStringLiteral("*** System Error 結果テーブル（追加）")};
    if (!transaction.commit())
        return {0, 0, 0, QStringLiteral("*** System Error 結果テーブル（追加）")};
    return outcome;
}
