#include "scheduling/UserMonthSchedule.h"

#include "core/StaffDirectory.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "scheduling/FrameLook.h"
#include "scheduling/SlotTime.h"
#include "scheduling/WorkBoard.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcUserMonth, "tamsolen.scheduling.usermonth", QtWarningMsg)
}

UserMonthSchedule::UserMonthSchedule(DbConnection &database, const StaffDirectory &staff)
    : m_database(database), m_staff(staff), m_data(database, staff)
{}

QString UserMonthSchedule::nextLabel()
{
    return QStringLiteral("L%1").arg(LabelCounter++);
}

BoardOutcome UserMonthSchedule::load(const Input &input)
{
    m_input = input;
    m_input.YearMonth = DateTime::dateOf(input.YearMonth);
    Requests.Clear();
    m_staffNames.clear();
    BoardOutcome outcome;
    if (!loadBookings()) {
        outcome.error(QStringLiteral("System Error 予約ＤＢエラー"));
        return outcome;
    }
    addWishes();
    outcome.done = true;
    return outcome;
}

bool UserMonthSchedule::loadBookings()
{
    // A booking whose staff member was removed still shows, without a name.
    DbQuery query(m_database,
                  QStringLiteral("SELECT Schedule.WorkingNo, TimeTable.ReserveDay, TimeTable.StuffCode, "
                                 "TimeTable.StartTime, TimeTable.WorkingMin, TimeTable.Capacity, KaigoStuff.StuffName "
                                 "FROM (Schedule INNER JOIN TimeTable ON Schedule.WorkingNo = TimeTable.ReserveNo) "
                                 "LEFT JOIN KaigoStuff ON TimeTable.StuffCode = KaigoStuff.CD "
                                 "WHERE Schedule.CureNo = :cureNo AND TimeTable.ReserveDay >= :from "
                                 "AND TimeTable.ReserveDay < :to "
                                 "ORDER BY TimeTable.ReserveDay, TimeTable.StartTime"));
    query.bind(u"cureNo", m_input.CureNo)
        .bind(u"from", DbDate{m_input.YearMonth})
        .bind(u"to", DbDate{m_input.YearMonth + Days});
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcUserMonth).noquote() << rows.errorText();
        return false;
    }
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        TREQUEST_ITEM item;
        item.Flag = true;
        item.LName = nextLabel();
        item.RegistDay = DateTime::dateOf(rows.field(u"ReserveDay").asDateTime());
        item.PNo = int(item.RegistDay - m_input.YearMonth);
        item.ResNo = rows.field(u"WorkingNo").asInteger();
        item.Stf = rows.field(u"StuffCode").asInteger();
        item.StartTime = rows.field(u"StartTime").asDateTime();
        item.Fnn = rows.field(u"WorkingMin").asInteger();
        item.Cap = rows.field(u"Capacity").asInteger();
        Requests.Add(item);
        m_staffNames[item.LName] = rows.field(u"StuffName").asString();
    }
    return true;
}

void UserMonthSchedule::addWishes()
{
    const int start = SlotTime::dayNumber(m_input.NyushoDate);
    const int end = m_input.TaishoDate == DateTime::None ? 0 : SlotTime::dayNumber(m_input.TaishoDate);
    for (int i = 0; i < Days; ++i) {
        const TUserMonthBook::Day &wish = m_input.MonthWish[std::size_t(i)];
        const TDateTime day = m_input.YearMonth + i;
        const int dayNumber = SlotTime::dayNumber(day);
        if (!wish.Active || dayNumber < start || (end != 0 && dayNumber > end) ||
            Requests.IsRequestOverlapped(day, wish.StartTime, wish.Minutes))
            continue;
        TREQUEST_ITEM item;
        item.PNo = i;
        item.LName = nextLabel();
        item.ResNo = -1;
        item.RegistDay = day;
        item.Stf = -1;
        item.StartTime = wish.StartTime;
        item.Fnn = wish.Minutes;
        item.Cap = 1;
        Requests.Add(item);
    }
}

QString UserMonthSchedule::staffName(const QString &labelName) const
{
    const auto found = m_staffNames.find(labelName);
    return found == m_staffNames.end() ? NoStaffName : found->second;
}

std::vector<WorkBoard::FrameLabel> UserMonthSchedule::labels() const
{
    std::vector<WorkBoard::FrameLabel> result;
    for (const TREQUEST_ITEM &item : Requests.items())
        result.push_back({item.LName, item.PNo, FrameLook::FramePosition(item),
                          FrameLook::MakeFrameCaption(item, staffName(item.LName), -1, -1),
                          item.Flag ? FrameLook::FrameColour(item.Cap) : WishColour});
    return result;
}

UserMonthSchedule::Fit UserMonthSchedule::staffFit(const TREQUEST_ITEM &record, int staffCode, int &same)
{
    if (!m_data.booking().lockStaff(staffCode))
        return Fit::ReadError;
    DbQuery query(m_database, QStringLiteral("SELECT ReserveNo, StartTime, WorkingMin, Capacity FROM TimeTable "
                                             "WHERE StuffCode = :staff AND ReserveDay >= :day AND ReserveDay < :next"));
    query.bind(u"staff", staffCode).bind(u"day", DbDate{record.RegistDay}).bind(u"next", DbDate{record.RegistDay + 1});
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcUserMonth).noquote() << rows.errorText();
        return Fit::ReadError;
    }
    const int start = SlotTime::minuteOfDay(record.StartTime);
    Fit fit = Fit::Free;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        const int slotStart = SlotTime::minuteOfDay(rows.field(u"StartTime").asDateTime());
        const int slotMinutes = rows.field(u"WorkingMin").asInteger();
        if (slotStart == start && slotMinutes == record.Fnn && rows.field(u"Capacity").asInteger() > 0) {
            same = rows.field(u"ReserveNo").asInteger();
            fit = Fit::Same;
        } else if (SlotTime::overlaps(start, record.Fnn, slotStart, slotMinutes)) {
            return Fit::Taken;
        }
    }
    return fit;
}

BoardOutcome UserMonthSchedule::bookWish(const QString &labelName, int staffCode)
{
    BoardOutcome outcome;
    const int index = Requests.IndexOf(labelName);
    if (index < 0) {
        outcome.error(QStringLiteral("System Error ドロップに失敗しました。"));
        return outcome;
    }
    TREQUEST_ITEM record = Requests.Get(index);
    if (record.Flag) {
        outcome.error(QStringLiteral("予約済みです。"));
        return outcome;
    }
    m_data.ClearTimeFrames();
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive()) {
        outcome.error(QStringLiteral("*** System Error サーバーの登録開始に失敗しました。"));
        return outcome;
    }
    int slot = -1;
    switch (staffFit(record, staffCode, slot)) {
    case Fit::ReadError:
        outcome.error(QStringLiteral("System Error 担当者の確認に失敗しました。"));
        return outcome;
    case Fit::Taken:
        outcome.error(QStringLiteral("予約できません。(時限に空きがありません)"));
        return outcome;
    case Fit::Same:
        break;
    case Fit::Free: {
        TIMETABLE_ITEM item = record;
        item.Stf = staffCode;
        item.Cap = 1;
        slot = m_data.AppendTimeFrame(item);
        if (slot < 0) {
            outcome.add(m_data.storeMessage());
            outcome.error(QStringLiteral("*** System Error 時限エラー"));
            return outcome;
        }
        break;
    }
    }
    const ScheduleBooking::Result result = m_data.booking().book(slot, m_input.CureNo, QStringLiteral("週間希望"));
    if (result.status != ScheduleBooking::Status::Ok) {
        // The new slot goes with the refused booking.
        outcome.error(
            WorkBoard::bookingRefusal(result, QStringLiteral("入所日(開始日)より前の日付けで予約はできません。")));
        return outcome;
    }
    if (!transaction.commit()) {
        outcome.error(QStringLiteral("*** System Error スケジュールの登録に失敗しました。"));
        return outcome;
    }
    record.Flag = true;
    record.ResNo = slot;
    record.Stf = staffCode;
    Requests.Update(index, record);
    m_staffNames[labelName] = m_staff.nameOf(staffCode);
    outcome.done = true;
    return outcome;
}

std::optional<UserMessage> UserMonthSchedule::eraseQuestion(const QString &labelName) const
{
    const int index = Requests.IndexOf(labelName);
    if (index < 0)
        return std::nullopt;
    const TREQUEST_ITEM record = Requests.Get(index);
    if (record.Cap != 1 || !record.Flag)
        return std::nullopt;
    return UserMessage{MessageType::Confirmation,
                       DateTime::format(u"mm/dd", record.RegistDay) + QLatin1Char(' ') +
                           DateTime::format(u"hh:nn", record.StartTime) + QStringLiteral(" の予約を削除しますか？"),
                       MessageButtons::YesNoDefaultNo};
}

BoardOutcome UserMonthSchedule::erase(const QString &labelName)
{
    BoardOutcome outcome;
    const int index = Requests.IndexOf(labelName);
    if (index < 0)
        return outcome;
    const TREQUEST_ITEM record = Requests.Get(index);
    if (record.Cap < 1)
        return outcome;
    if (record.Cap >= 2) {
        outcome.warning(GroupEraseText);
        return outcome;
    }
    if (record.Flag && !eraseStored(record, outcome))
        return outcome;
    Requests.Delete(index);
    m_staffNames.erase(labelName);
    outcome.done = true;
    return outcome;
}

bool UserMonthSchedule::eraseStored(const TREQUEST_ITEM &record, BoardOutcome &outcome)
{
    // Decided again from the slot as stored: another workstation may have
    // widened it, moved it or booked another user into it since the month
    // was shown.
    m_data.ClearTimeFrames();
    m_data.TimeFrames.Add(record);
    const bool erased = m_data.DeleteTimeFrame(0, {m_input.CureNo}, TScheduleData::Eraser::UserMonth);
    m_data.ClearTimeFrames();
    if (erased)
        return true;
    const TScheduleData::Refusal refusal = m_data.refusal();
    if (refusal == TScheduleData::Refusal::GroupSlot) {
        outcome.warning(GroupEraseText);
    } else if (const QString stale = WorkBoard::staleSlotText(refusal); !stale.isEmpty()) {
        outcome.error(stale);
    } else {
        if (refusal == TScheduleData::Refusal::OpenFailed)
            outcome.add(m_data.storeMessage());
        else
            outcome.error(QStringLiteral("System Error 消去に失敗しました。"));
        return false;
    }
    // Show the month as it is stored now.
    BoardOutcome shown = load(m_input);
    outcome.messages.insert(outcome.messages.end(), shown.messages.begin(), shown.messages.end());
    return false;
}

std::optional<TREQUEST_ITEM> UserMonthSchedule::record(const QString &labelName) const
{
    const int index = Requests.IndexOf(labelName);
    if (index < 0)
        return std::nullopt;
    return Requests.Get(index);
}

BoardOutcome UserMonthSchedule::changeStaff(const QString &labelName, int staffCode)
{
    BoardOutcome outcome;
    std::optional<TREQUEST_ITEM> item = record(labelName);
    if (!item) {
        outcome.error(RecordGoneText);
        return outcome;
    }
    if (!item->Flag)
        return outcome;
    if (item->Stf == staffCode) {
        outcome.error(QStringLiteral("変更要求を取り消しました。"));
        return outcome;
    }
    // Decided from the slot as stored now: another workstation may have
    // changed it since the month was shown.
    if (!m_data.ChangeSlotStaff(*item, staffCode, false, m_input.CureNo)) {
        outcome.add(m_data.storeMessage());
        switch (m_data.refusal()) {
        case TScheduleData::Refusal::GroupSlot:
            outcome.warning(QStringLiteral("集団スタッフの変更は、介護担当者作業表で行ってください。"));
            break;
        case TScheduleData::Refusal::TimeOverlap:
            outcome.error(QStringLiteral("スタッフに空きがありません。"));
            break;
        case TScheduleData::Refusal::UserRefused:
            outcome.error(m_data.refusalText());
            break;
        case TScheduleData::Refusal::WriteFailed:
            outcome.error(QStringLiteral("System Error 予約の修正に失敗しました。"));
            break;
        case TScheduleData::Refusal::Changed: {
            outcome.error(WorkBoard::SlotChangedText);
            const BoardOutcome loaded = load(m_input);
            outcome.messages.insert(outcome.messages.end(), loaded.messages.begin(), loaded.messages.end());
            break;
        }
        default: // the store's own box, above
            break;
        }
        return outcome;
    }
    item->Stf = staffCode;
    Requests.Put(Requests.IndexOf(labelName), *item);
    m_staffNames[labelName] = m_staff.nameOf(staffCode);
    outcome.done = true;
    return outcome;
}
