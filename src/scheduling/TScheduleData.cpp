#include "scheduling/TScheduleData.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "scheduling/SlotTime.h"

#include <QLoggingCategory>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcScheduleData, "tamsolen.scheduling.data", QtWarningMsg)

const QString OpenFailedText =
    QStringLiteral("時間割表のオープンで失敗しました。\n他の人が使用している可能性があります。");

void bindSlot(DbQuery &query, const TIMETABLE_ITEM &item)
{
    query.bind(u"day", DbDate{DateTime::dateOf(item.RegistDay)})
        .bind(u"staff", item.Stf)
        .bind(u"start", DbDate{SlotTime::timeOfMinute(SlotTime::minuteOfDay(item.StartTime))})
        .bind(u"minutes", item.Fnn)
        .bind(u"capacity", item.Cap);
}

} // namespace

TScheduleData::TScheduleData(DbConnection &database, const StaffDirectory &staff)
    : m_database(database), m_booking(database, staff)
{}

bool TScheduleData::refuse(Refusal refusal, const QString &text)
{
    m_refusal = refusal;
    m_refusalText = text;
    return false;
}

std::optional<UserMessage> TScheduleData::storeMessage() const
{
    if (m_refusal == Refusal::OpenFailed)
        return UserMessage{MessageType::Error, OpenFailedText, MessageButtons::Ok};
    if (m_refusal == Refusal::KeyRecord)
        return UserMessage{MessageType::Error, QStringLiteral("SystemError : TimeTable KeyRecord error "),
                           MessageButtons::Abort};
    return std::nullopt;
}

bool TScheduleData::OpenStuffTimeFrames(int staffCode, TDateTime from, TDateTime to)
{
    return load(QStringLiteral("StuffCode = :staff AND ReserveDay >= :from AND ReserveDay < :to"), from, to, staffCode);
}

bool TScheduleData::OpenDayTimeFrames(TDateTime date)
{
    return load(QStringLiteral("ReserveDay >= :from AND ReserveDay < :to"), date, date, -1);
}

bool TScheduleData::load(const QString &where, TDateTime from, TDateTime to, int staffCode)
{
    TimeFrames.Clear();
    DbQuery query(m_database, QStringLiteral("SELECT ReserveNo, ReserveDay, StuffCode, StartTime, WorkingMin, "
                                             "Capacity FROM TimeTable WHERE ") +
                                  where + QStringLiteral(" ORDER BY ReserveDay, StartTime, ReserveNo"));
    const int firstDay = SlotTime::dayNumber(from);
    query.bind(u"from", DbDate{double(firstDay)}).bind(u"to", DbDate{double(SlotTime::dayNumber(to) + 1)});
    if (staffCode >= 0)
        query.bind(u"staff", staffCode);
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcScheduleData).noquote() << rows.errorText();
        return false;
    }
    const DbField reserveNo = rows.field(u"ReserveNo"), day = rows.field(u"ReserveDay"),
                  staff = rows.field(u"StuffCode"), start = rows.field(u"StartTime"),
                  minutes = rows.field(u"WorkingMin"), capacity = rows.field(u"Capacity");
    int n = 0;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next(), ++n) {
        TIMETABLE_ITEM item;
        item.RegistDay = day.asDateTime();
        item.PNo = SlotTime::dayNumber(item.RegistDay) - firstDay;
        item.LName = QStringLiteral("L") + QString::number(n);
        item.ResNo = reserveNo.asInteger();
        item.Stf = staff.asInteger();
        item.StartTime = start.asDateTime();
        item.Fnn = minutes.asInteger();
        item.Cap = capacity.asInteger();
        TimeFrames.Add(item);
    }
    return true;
}

int TScheduleData::AppendTimeFrame(TIMETABLE_ITEM item)
{
    m_refusal = Refusal::None;
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive()) {
        refuse(Refusal::OpenFailed);
        return -1;
    }
    const std::optional<bool> overlap =
        m_booking.lockStaff(item.Stf) ? m_booking.staffTimeOverlapped(item) : std::nullopt;
    if (!overlap || *overlap) {
        refuse(overlap ? Refusal::TimeOverlap : Refusal::WriteFailed);
        return -1;
    }
    DbDataSet row;
    row.setUpdateTable(QStringLiteral("TimeTable"), QStringLiteral("ReserveNo"));
    DbQuery query(m_database, QStringLiteral("SELECT * FROM TimeTable WHERE ReserveNo = -1"));
    if (!row.open(query) || !row.append()) {
        refuse(Refusal::WriteFailed);
        return -1;
    }
    row.setValue(u"ReserveDay", DbDate{DateTime::dateOf(item.RegistDay)});
    row.setValue(u"StuffCode", item.Stf);
    row.setValue(u"StartTime", DbDate{SlotTime::timeOfMinute(SlotTime::minuteOfDay(item.StartTime))});
    row.setValue(u"WorkingMin", item.Fnn);
    row.setValue(u"Capacity", item.Cap);
    if (!row.post() || !transaction.commit()) {
        qCWarning(lcScheduleData).noquote() << row.errorText() << m_database.errorText();
        refuse(Refusal::WriteFailed);
        return -1;
    }
    item.ResNo = row.field(u"ReserveNo").asInteger();
    TimeFrames.Add(item);
    return item.ResNo;
}

TScheduleData::Refusal TScheduleData::checkBookedUsers(const TIMETABLE_ITEM &item)
{
    const std::optional<std::vector<BookingUser>> users = m_booking.bookedUsers(item.ResNo);
    if (!users)
        return Refusal::WriteFailed;
    if (int(users->size()) > std::max(item.Cap, 0))
        return Refusal::BelowBookings;
    for (const BookingUser &stored : *users) {
        bool readError = false;
        const std::optional<BookingUser> user = m_booking.lockUser(stored.CureNo, readError);
        if (!user)
            return Refusal::WriteFailed;
        const auto dates = ScheduleBooking::dateCheck(item.RegistDay, *user);
        if (dates != ScheduleBooking::Status::Ok) {
            m_refusalText = QString::number(user->CureNo) + QStringLiteral("  ") + user->Name +
                            QStringLiteral(" 様\n") +
                            (dates == ScheduleBooking::Status::BeforeStart
                                 ? QStringLiteral("入所日(開始日)より前の日付けで予約はできません。")
                                 : QStringLiteral("退所日(終了日)より後の日付けで予約はできません。"));
            return Refusal::UserRefused;
        }
        QString message;
        const std::optional<bool> overlap = m_booking.userOverlap(item, *user, message);
        if (!overlap)
            return Refusal::WriteFailed;
        if (*overlap) {
            m_refusalText = message;
            return Refusal::UserRefused;
        }
    }
    return Refusal::None;
}

std::optional<TIMETABLE_ITEM> TScheduleData::lockStoredSlot(int reserveNo)
{
    bool readError = false;
    std::optional<TIMETABLE_ITEM> stored = m_booking.lockSlot(reserveNo, readError);
    if (!stored)
        refuse(readError ? Refusal::WriteFailed : Refusal::KeyRecord);
    return stored;
}

TScheduleData::Refusal TScheduleData::checkChange(const TIMETABLE_ITEM &item, const TIMETABLE_ITEM &stored)
{
    // Both staff members of a move, in code order, so that two moves cannot wait on each other.
    if (!m_booking.lockStaff(std::min(stored.Stf, item.Stf)) || !m_booking.lockStaff(std::max(stored.Stf, item.Stf)))
        return Refusal::WriteFailed;
    const std::optional<bool> overlap = m_booking.staffTimeOverlapped(item);
    if (!overlap)
        return Refusal::WriteFailed;
    if (*overlap)
        return Refusal::TimeOverlap;
    return checkBookedUsers(item);
}

bool TScheduleData::UpdateTimeFrame(const TIMETABLE_ITEM &item, int index)
{
    m_refusal = Refusal::None;
    m_refusalText.clear();
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive())
        return refuse(Refusal::OpenFailed);
    const std::optional<TIMETABLE_ITEM> stored = lockStoredSlot(item.ResNo);
    if (!stored)
        return false;
    // What this workstation changed since it read the list goes onto the
    // slot as stored: a change made meanwhile at another workstation to the
    // rest of the slot stays.
    const TIMETABLE_ITEM loaded = index >= 0 && index < TimeFrames.Count() ? TimeFrames.Get(index) : item;
    TIMETABLE_ITEM merged = item;
    const auto keep = [&](auto TIMETABLE_ITEM::*field) {
        if (item.*field == loaded.*field)
            merged.*field = (*stored).*field;
    };
    keep(&TIMETABLE_ITEM::RegistDay);
    keep(&TIMETABLE_ITEM::Stf);
    keep(&TIMETABLE_ITEM::StartTime);
    keep(&TIMETABLE_ITEM::Fnn);
    keep(&TIMETABLE_ITEM::Cap);
    if (const Refusal refusal = checkChange(merged, *stored); refusal != Refusal::None)
        return refuse(refusal, m_refusalText);
    DbQuery update(m_database, QStringLiteral("UPDATE TimeTable SET ReserveDay = :day, StuffCode = :staff, "
                                              "StartTime = :start, WorkingMin = :minutes, Capacity = :capacity "
                                              "WHERE ReserveNo = :no"));
    bindSlot(update, merged);
    update.bind(u"no", merged.ResNo);
    if (!update.exec() || !transaction.commit()) {
        qCWarning(lcScheduleData).noquote() << update.errorText() << m_database.errorText();
        return refuse(Refusal::WriteFailed);
    }
    TimeFrames.Update(index, merged);
    return true;
}

bool TScheduleData::ChangeSlotStaff(const TIMETABLE_ITEM &shown, int staffCode, bool groupSlots, int bookedUser)
{
    m_refusal = Refusal::None;
    m_refusalText.clear();
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive())
        return refuse(Refusal::OpenFailed);
    const std::optional<TIMETABLE_ITEM> stored = lockStoredSlot(shown.ResNo);
    if (!stored)
        return false;
    // Moved meanwhile at another workstation: it is no longer the slot
    // whose staff member was to change.
    if (!sameStaffAndDay(*stored, shown))
        return refuse(Refusal::Changed);
    if (bookedUser >= 0) {
        const std::optional<bool> booked = m_booking.isBooked(shown.ResNo, bookedUser);
        if (!booked)
            return refuse(Refusal::WriteFailed);
        if (!*booked)
            return refuse(Refusal::Changed);
    }
    if (stored->Cap >= 2 && !groupSlots)
        return refuse(Refusal::GroupSlot);
    TIMETABLE_ITEM item = *stored;
    item.Stf = staffCode;
    if (const Refusal refusal = checkChange(item, *stored); refusal != Refusal::None)
        return refuse(refusal, m_refusalText);
    DbQuery update(m_database, QStringLiteral("UPDATE TimeTable SET StuffCode = :staff WHERE ReserveNo = :no"));
    update.bind(u"staff", staffCode).bind(u"no", shown.ResNo);
    if (!update.exec() || !transaction.commit()) {
        qCWarning(lcScheduleData).noquote() << update.errorText() << m_database.errorText();
        return refuse(Refusal::WriteFailed);
    }
    return true;
}

bool TScheduleData::sameStaffAndDay(const TIMETABLE_ITEM &stored, const TIMETABLE_ITEM &shown)
{
    return stored.Stf == shown.Stf && SlotTime::dayNumber(stored.RegistDay) == SlotTime::dayNumber(shown.RegistDay);
}

TScheduleData::Refusal TScheduleData::checkShownSlot(const TIMETABLE_ITEM &stored, const TIMETABLE_ITEM &shown,
                                                     const std::vector<int> &shownUsers)
{
    if (!sameStaffAndDay(stored, shown) ||
        SlotTime::minuteOfDay(stored.StartTime) != SlotTime::minuteOfDay(shown.StartTime))
        return Refusal::Changed;
    // The bookings as the windows read them; a user not shown was not asked about.
    const std::optional<std::vector<BookingUser>> users = m_booking.bookedUsers(stored.ResNo);
    if (!users)
        return Refusal::WriteFailed;
    const bool unseen = std::any_of(users->begin(), users->end(), [&shownUsers](const BookingUser &user) {
        return std::find(shownUsers.begin(), shownUsers.end(), user.CureNo) == shownUsers.end();
    });
    return unseen ? Refusal::Changed : Refusal::None;
}

bool TScheduleData::DeleteTimeFrame(int index, const std::vector<int> &shownUsers, Eraser eraser)
{
    m_refusal = Refusal::None;
    m_refusalText.clear();
    if (index < 0 || index >= TimeFrames.Count())
        return false;
    const TIMETABLE_ITEM record = TimeFrames.Get(index);
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive())
        return refuse(Refusal::OpenFailed);
    // The slot is locked first, as a booking and a slot change lock it: what
    // another workstation booked or moved meanwhile is then either committed
    // and seen here, or told that the slot is gone.
    const std::optional<TIMETABLE_ITEM> stored = lockStoredSlot(record.ResNo);
    if (!stored)
        return false;
    if (eraser == Eraser::UserMonth && stored->Cap != 1)
        return refuse(stored->Cap >= 2 ? Refusal::GroupSlot : Refusal::Changed);
    if (const Refusal refusal = checkShownSlot(*stored, record, shownUsers); refusal != Refusal::None)
        return refuse(refusal);
    DbQuery bookings(m_database, QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = :no"));
    DbQuery slot(m_database, QStringLiteral("DELETE FROM TimeTable WHERE ReserveNo = :no"));
    bookings.bind(u"no", record.ResNo);
    slot.bind(u"no", record.ResNo);
    if (!bookings.exec() || !slot.exec() || !transaction.commit()) {
        qCWarning(lcScheduleData).noquote() << bookings.errorText() << slot.errorText() << m_database.errorText();
        return refuse(Refusal::WriteFailed);
    }
    TimeFrames.Delete(index);
    return true;
}
