#include "scheduling/ScheduleBooking.h"

#include "base/Clock.h"
#include "core/StaffDirectory.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "scheduling/BookingStatusList.h"
#include "scheduling/SlotTime.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcBooking, "tamsolen.scheduling.booking", QtWarningMsg)

using Status = ScheduleBooking::Status;

bool openLogged(DbDataSet &rows, const DbQuery &query)
{
    if (rows.open(query))
        return true;
    qCWarning(lcBooking).noquote() << rows.errorText();
    return false;
}

// Opens a query with the range :day to :next of one calendar day bound.
bool openDay(DbDataSet &rows, DbQuery &query, TDateTime day)
{
    const TDateTime first = DateTime::dateOf(day);
    query.bind(u"day", DbDate{first}).bind(u"next", DbDate{first + 1});
    return openLogged(rows, query);
}

BookingUser userOfRow(const DbDataSet &rows)
{
    BookingUser user;
    user.CureNo = rows.field(u"CureNo").asInteger();
    user.Name = rows.field(u"Name").asString();
    user.RihaType = rows.field(u"RihaType").asInteger();
    user.KubunCode = rows.field(u"KubunCode").asInteger();
    user.NyushoDate = rows.field(u"NYUSHOBI_YMD").asDateTime();
    user.TaishoDate = rows.field(u"TAISHOBI_YMD").asDateTime();
    return user;
}

const QString UserColumns = QStringLiteral("Person.CureNo, Person.Name, Person.RihaType, Person.KubunCode, "
                                           "Person.NYUSHOBI_YMD, Person.TAISHOBI_YMD");

} // namespace

ScheduleBooking::ScheduleBooking(DbConnection &database, const StaffDirectory &staff)
    : m_database(database), m_staff(staff)
{}

ScheduleBooking::Status ScheduleBooking::dateCheck(TDateTime day, const BookingUser &user)
{
    const int slotDay = SlotTime::dayNumber(day);
    if (slotDay < SlotTime::dayNumber(user.NyushoDate))
        return Status::BeforeStart;
    if (user.TaishoDate != DateTime::None && SlotTime::dayNumber(user.TaishoDate) < slotDay)
        return Status::AfterEnd;
    return Status::Ok;
}

ScheduleBooking::Result ScheduleBooking::book(int reserveNo, int cureNo, const QString &comment)
{
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive()) {
        qCWarning(lcBooking).noquote() << m_database.errorText();
        return {Status::BeginFailed, {}};
    }
    Result result = bookLocked(reserveNo, cureNo, comment);
    if (result.status == Status::Ok && !transaction.commit()) {
        qCWarning(lcBooking).noquote() << m_database.errorText();
        result.status = Status::WriteFailed;
    }
    return result;
}

ScheduleBooking::Result ScheduleBooking::bookLocked(int reserveNo, int cureNo, const QString &comment)
{
    bool readError = false;
    const std::optional<TIMETABLE_ITEM> slot = lockSlot(reserveNo, readError);
    if (!slot)
        return {readError ? Status::WriteFailed : Status::SlotGone, {}};
    if (slot->Cap < 1)
        return {Status::NotBookable, {}};
    const std::optional<BookingUser> user = lockUser(cureNo, readError);
    if (!user)
        return {readError ? Status::WriteFailed : Status::UserGone, {}};
    if (const Status dates = dateCheck(slot->RegistDay, *user); dates != Status::Ok)
        return {dates, {}};
    const int count = bookingCount(reserveNo);
    if (count < 0)
        return {Status::WriteFailed, {}};
    if (slot->Cap <= count)
        return {Status::Full, {}};
    const std::optional<bool> booked = isBooked(reserveNo, cureNo);
    if (!booked)
        return {Status::WriteFailed, {}};
    if (*booked)
        return {Status::AlreadyBooked, {}};
    QString message;
    const std::optional<bool> overlap = userOverlap(*slot, *user, message);
    if (!overlap)
        return {Status::WriteFailed, {}};
    if (*overlap)
        return {Status::UserOverlap, message};
    return {insertBooking(reserveNo, cureNo, comment) ? Status::Ok : Status::WriteFailed, {}};
}

bool ScheduleBooking::insertBooking(int reserveNo, int cureNo, const QString &comment)
{
    DbQuery insert(m_database, QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment, CreateDate) "
                                              "VALUES (:workingNo, :cureNo, :comment, :created)"));
    insert.bind(u"workingNo", reserveNo)
        .bind(u"cureNo", cureNo)
        .bind(u"comment", Text::leftCharacters(comment, BookingStatusList::CommentLimit))
        .bind(u"created", DbDate{Clock::now()});
    if (insert.exec())
        return true;
    qCWarning(lcBooking).noquote() << insert.errorText();
    return false;
}

std::optional<TIMETABLE_ITEM> ScheduleBooking::lockSlot(int reserveNo, bool &readError) const
{
    DbQuery query(m_database, QStringLiteral("SELECT ReserveNo, ReserveDay, StuffCode, StartTime, WorkingMin, "
                                             "Capacity FROM TimeTable WHERE ReserveNo = :no") +
                                  m_database.lockRowsClause());
    query.bind(u"no", reserveNo);
    DbDataSet rows;
    readError = !openLogged(rows, query);
    if (readError || rows.isEmpty())
        return std::nullopt;
    TIMETABLE_ITEM slot;
    slot.ResNo = reserveNo;
    slot.RegistDay = rows.field(u"ReserveDay").asDateTime();
    slot.Stf = rows.field(u"StuffCode").asInteger();
    slot.StartTime = rows.field(u"StartTime").asDateTime();
    slot.Fnn = rows.field(u"WorkingMin").asInteger();
    slot.Cap = rows.field(u"Capacity").asInteger();
    return slot;
}

std::optional<BookingUser> ScheduleBooking::lockUser(int cureNo, bool &readError) const
{
    DbQuery query(m_database, QStringLiteral("SELECT ") + UserColumns +
                                  QStringLiteral(" FROM Person WHERE CureNo = :no") + m_database.lockRowsClause());
    query.bind(u"no", cureNo);
    DbDataSet rows;
    readError = !openLogged(rows, query);
    if (readError || rows.isEmpty())
        return std::nullopt;
    return userOfRow(rows);
}

bool ScheduleBooking::lockStaff(int staffCode) const
{
    DbQuery query(m_database,
                  QStringLiteral("SELECT CD FROM KaigoStuff WHERE CD = :code") + m_database.lockRowsClause());
    query.bind(u"code", staffCode);
    DbDataSet rows;
    return openLogged(rows, query);
}

int ScheduleBooking::bookingCount(int reserveNo) const
{
    DbQuery query(m_database, QStringLiteral("SELECT COUNT(*) AS N FROM Schedule WHERE WorkingNo = :no"));
    query.bind(u"no", reserveNo);
    DbDataSet rows;
    return openLogged(rows, query) ? rows.field(u"N").asInteger() : -1;
}

std::optional<bool> ScheduleBooking::isBooked(int reserveNo, int cureNo) const
{
    DbQuery query(m_database,
                  QStringLiteral("SELECT ScheduleNo FROM Schedule WHERE WorkingNo = :no AND CureNo = :cureNo"));
    query.bind(u"no", reserveNo).bind(u"cureNo", cureNo);
    DbDataSet rows;
    if (!openLogged(rows, query))
        return std::nullopt;
    return !rows.isEmpty();
}

std::optional<bool> ScheduleBooking::userOverlap(const TIMETABLE_ITEM &slot, const BookingUser &user,
                                                 QString &message) const
{
    DbQuery query(m_database,
                  QStringLiteral("SELECT Schedule.WorkingNo, TimeTable.StuffCode, TimeTable.StartTime, "
                                 "TimeTable.WorkingMin FROM TimeTable INNER JOIN Schedule "
                                 "ON TimeTable.ReserveNo = Schedule.WorkingNo WHERE Schedule.CureNo = :cureNo "
                                 "AND TimeTable.ReserveDay >= :day AND TimeTable.ReserveDay < :next "
                                 "ORDER BY TimeTable.StartTime, Schedule.ScheduleNo"));
    query.bind(u"cureNo", user.CureNo);
    DbDataSet rows;
    if (!openDay(rows, query, slot.RegistDay))
        return std::nullopt;
    const int s1 = SlotTime::minuteOfDay(slot.StartTime);
    const int e1 = s1 + slot.Fnn;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        const int staff = rows.field(u"StuffCode").asInteger();
        if (staff == slot.Stf || rows.field(u"WorkingNo").asInteger() == slot.ResNo)
            continue;
        const TDateTime start = rows.field(u"StartTime").asDateTime();
        const int s2 = SlotTime::minuteOfDay(start);
        const int m2 = rows.field(u"WorkingMin").asInteger();
        if (s2 <= e1 && s1 < s2 + m2) {
            message = QStringLiteral("スケジュールが重なっています。\n利用者 ") + user.Name +
                      QStringLiteral("\n担当者 ") + m_staff.nameOf(staff) + QLatin1Char('\n') +
                      DateTime::format(u"hh:nn", start) + QStringLiteral("->") + QString::number(m2);
            return true;
        }
    }
    return false;
}

std::optional<bool> ScheduleBooking::staffTimeOverlapped(const TIMETABLE_ITEM &record) const
{
    DbQuery query(m_database, QStringLiteral("SELECT ReserveNo, StartTime, WorkingMin FROM TimeTable "
                                             "WHERE StuffCode = :staff AND ReserveDay >= :day AND ReserveDay < :next"));
    query.bind(u"staff", record.Stf);
    DbDataSet rows;
    if (!openDay(rows, query, record.RegistDay))
        return std::nullopt;
    const int start = SlotTime::minuteOfDay(record.StartTime);
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        if (rows.field(u"ReserveNo").asInteger() == record.ResNo)
            continue;
        if (SlotTime::overlaps(start, record.Fnn, SlotTime::minuteOfDay(rows.field(u"StartTime").asDateTime()),
                               rows.field(u"WorkingMin").asInteger()))
            return true;
    }
    return false;
}

std::optional<ScheduleBooking::Bookings> ScheduleBooking::bookingsOf(int staffCode, TDateTime from, TDateTime to) const
{
    QString sql = QStringLiteral("SELECT Schedule.WorkingNo, ") + UserColumns +
                  QStringLiteral(" FROM Schedule INNER JOIN Person ON Schedule.CureNo = Person.CureNo "
                                 "INNER JOIN TimeTable ON TimeTable.ReserveNo = Schedule.WorkingNo "
                                 "WHERE TimeTable.ReserveDay >= :from AND TimeTable.ReserveDay < :to");
    if (staffCode >= 0)
        sql += QStringLiteral(" AND TimeTable.StuffCode = :staff");
    DbQuery query(m_database, sql + QStringLiteral(" ORDER BY Schedule.ScheduleNo"));
    query.bind(u"from", DbDate{DateTime::dateOf(from)}).bind(u"to", DbDate{DateTime::dateOf(to) + 1});
    if (staffCode >= 0)
        query.bind(u"staff", staffCode);
    DbDataSet rows;
    if (!openLogged(rows, query))
        return std::nullopt;
    Bookings bookings;
    const DbField workingNo = rows.field(u"WorkingNo");
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        bookings[workingNo.asInteger()].push_back(userOfRow(rows));
    return bookings;
}

std::optional<std::vector<BookingUser>> ScheduleBooking::bookedUsers(int reserveNo) const
{
    DbQuery query(m_database, QStringLiteral("SELECT ") + UserColumns +
                                  QStringLiteral(" FROM Schedule INNER JOIN Person ON Schedule.CureNo = "
                                                 "Person.CureNo WHERE Schedule.WorkingNo = :no "
                                                 "ORDER BY Schedule.ScheduleNo"));
    query.bind(u"no", reserveNo);
    DbDataSet rows;
    if (!openLogged(rows, query))
        return std::nullopt;
    std::vector<BookingUser> users;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        users.push_back(userOfRow(rows));
    return users;
}
