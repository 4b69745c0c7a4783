#include "scheduling/WorkBoard.h"

#include "core/StaffDirectory.h"
#include "scheduling/BookingPayload.h"
#include "scheduling/FrameLook.h"
#include "scheduling/SlotTime.h"
#include "scheduling/TScheduleData.h"

#include <algorithm>

namespace {

using Status = ScheduleBooking::Status;
using Refusal = TScheduleData::Refusal;

const QString OverlapText = QStringLiteral("時間が重複しています。");
const QString FrameFailedText = QStringLiteral("時間割表の枠取りに失敗しました。");
const QString UpdateFailedText = QStringLiteral("System Error 予約の修正に失敗しました。");
const QString NotFoundText = QStringLiteral("System Error 予約確認に失敗しました。");
const QString WriteFailedText = QStringLiteral("System Error スケジュールの登録に失敗しました。");
const QString DropFailedText = QStringLiteral("System Error ドロップに失敗しました。");
const QString BusyText =
    QStringLiteral("スケジュールのオープンに失敗しました。\n他の人が使用している可能性があります。");

// "09:30 40分", a slot in a list of a message.
QString slotText(const TIMETABLE_ITEM &item)
{
    return DateTime::format(u"hh:nn", item.StartTime) + QLatin1Char(' ') + QString::number(item.Fnn) +
           QStringLiteral("分");
}

QString userPrefix(const BookingUser &user)
{
    return QString::number(user.CureNo) + QStringLiteral("  ") + user.Name + QStringLiteral(" 様\n");
}

} // namespace

WorkBoard::WorkBoard(Kind kind, TScheduleData &data, const StaffDirectory &staff)
    : m_kind(kind), m_data(data), m_staff(staff)
{}

BoardOutcome WorkBoard::displayStaff(int staffCode, TDateTime startDate)
{
    m_staffCode = staffCode;
    m_startDate = DateTime::dateOf(startDate);
    BoardOutcome outcome;
    outcome.done = display(outcome);
    return outcome;
}

BoardOutcome WorkBoard::displayDay(TDateTime date, int firstStaff)
{
    m_startDate = DateTime::dateOf(date);
    m_firstStaff = std::max(firstStaff, 0);
    BoardOutcome outcome;
    outcome.done = display(outcome);
    return outcome;
}

bool WorkBoard::display(BoardOutcome &outcome)
{
    if (m_kind == Kind::StaffMonth)
        return load(m_data.OpenStuffTimeFrames(m_staffCode, m_startDate, m_startDate + 30), outcome);
    clearCopy();
    const bool loaded = m_data.OpenDayTimeFrames(m_startDate);
    if (loaded) {
        // Columns map to staff by list index; a slot of a staff member not
        // shown gets column -1 and is not drawn.
        for (int i = 0; i < m_data.TimeFrameCount(); ++i) {
            const TIMETABLE_ITEM item = m_data.GetTimeFrame(i);
            const int column = m_staff.indexOfCode(item.Stf) - m_firstStaff; // negative for a code not listed
            m_data.SetFramePanelNo(item.LName, column >= 0 && column < columnCount() ? column : -1);
        }
    }
    return load(loaded, outcome);
}

bool WorkBoard::reload(BoardOutcome &outcome)
{
    return m_displayed && display(outcome);
}

bool WorkBoard::load(bool loaded, BoardOutcome &outcome)
{
    std::optional<ScheduleBooking::Bookings> bookings;
    if (loaded)
        bookings = m_data.booking().bookingsOf(m_kind == Kind::StaffMonth ? m_staffCode : -1, m_startDate,
                                               m_kind == Kind::StaffMonth ? m_startDate + 30 : m_startDate);
    if (!bookings) {
        clear();
        outcome.error(QStringLiteral("System Error 予約の表示でエラーが発生しました。"));
        return false;
    }
    m_bookings = std::move(*bookings);
    m_frameCount = m_data.TimeFrameCount();
    m_displayed = true;
    return true;
}

void WorkBoard::clear()
{
    m_data.ClearTimeFrames();
    m_bookings.clear();
    m_displayed = false;
}

void WorkBoard::clearCopy()
{
    m_hasCopy = false;
    m_copyIsDay = false;
    m_status.clear();
}

int WorkBoard::columnCount() const
{
    if (m_kind == Kind::StaffMonth)
        return FrameLook::ColumnCount;
    return std::clamp(m_staff.count() - m_firstStaff, 0, FrameLook::ColumnCount);
}

TDateTime WorkBoard::columnDay(int column) const
{
    return m_kind == Kind::StaffMonth ? m_startDate + column : m_startDate;
}

int WorkBoard::columnStaff(int column) const
{
    if (column < 0 || column >= columnCount())
        return -1;
    return m_kind == Kind::StaffMonth ? m_staffCode : m_staff.codeAt(m_firstStaff + column);
}

WorkBoard::FrameLabel WorkBoard::makeLabel(const TIMETABLE_ITEM &item) const
{
    const auto found = m_bookings.find(item.ResNo);
    const int count = found == m_bookings.end() ? 0 : int(found->second.size());
    QString name;
    int code = -1;
    int type = -1;
    if (item.Cap == 1 && count == 1) {
        const BookingUser &user = found->second.front();
        name = user.Name;
        code = user.KubunCode;
        type = user.RihaType;
    } else if (item.Cap >= 2) {
        name = QStringLiteral("予約 %1 名").arg(count);
    }
    return {item.LName, item.PNo, FrameLook::FramePosition(item), FrameLook::MakeFrameCaption(item, name, code, type),
            FrameLook::FrameColour(item.Cap)};
}

std::vector<WorkBoard::FrameLabel> WorkBoard::labels() const
{
    std::vector<FrameLabel> result;
    for (const TIMETABLE_ITEM &item : m_data.TimeFrames.items())
        if (item.PNo >= 0 && item.PNo < columnCount())
            result.push_back(makeLabel(item));
    return result;
}

std::optional<WorkBoard::FrameLabel> WorkBoard::label(const QString &name) const
{
    const int index = m_data.IndexOfFrameLabel(name);
    if (index < 0)
        return std::nullopt;
    return makeLabel(m_data.GetTimeFrame(index));
}

std::optional<TIMETABLE_ITEM> WorkBoard::slot(const QString &name) const
{
    const int index = m_data.IndexOfFrameLabel(name);
    if (index < 0)
        return std::nullopt;
    return m_data.GetTimeFrame(index);
}

int WorkBoard::indexOf(const QString &labelName, const QString &missingText, BoardOutcome &outcome) const
{
    const int index = m_data.IndexOfFrameLabel(labelName);
    if (index < 0)
        outcome.error(missingText);
    return index;
}

bool WorkBoard::IsFrameOverlapped(int column, int minutes, int skipIndex, TDateTime start) const
{
    const int from = SlotTime::minuteOfDay(start);
    const std::vector<TIMETABLE_ITEM> &items = m_data.TimeFrames.items();
    for (int i = 0; i < int(items.size()); ++i) {
        const TIMETABLE_ITEM &item = items[std::size_t(i)];
        if (i != skipIndex && item.PNo == column &&
            SlotTime::overlaps(from, minutes, SlotTime::minuteOfDay(item.StartTime), item.Fnn))
            return true;
    }
    return false;
}

void WorkBoard::refreshBookings(const QString &labelName)
{
    const std::optional<TIMETABLE_ITEM> item = slot(labelName);
    if (!item)
        return;
    if (const auto users = m_data.booking().bookedUsers(item->ResNo))
        m_bookings[item->ResNo] = *users;
}

BoardOutcome WorkBoard::drop(const QString &labelName, const QMimeData *data)
{
    const std::optional<BookingUser> user = BookingPayload::decode(data);
    if (!user) {
        BoardOutcome outcome;
        outcome.error(DropFailedText);
        return outcome;
    }
    return book(labelName, *user);
}

BoardOutcome WorkBoard::book(const QString &labelName, const BookingUser &user)
{
    BoardOutcome outcome;
    const int index = indexOf(labelName, DropFailedText, outcome);
    if (index < 0)
        return outcome;
    // Whether the slot takes users is decided from the slot as stored.
    const TIMETABLE_ITEM item = m_data.GetTimeFrame(index);
    const ScheduleBooking::Result result = m_data.booking().book(item.ResNo, user.CureNo);
    if (result.status == Status::Ok) {
        // A slot shown closed was opened elsewhere: show it as stored.
        if (item.Cap < 1)
            reload(outcome);
        refreshBookings(labelName);
        outcome.done = true;
        return outcome;
    }
    outcome.error(bookingRefusal(result, QStringLiteral("入所日(開始日)より前の日付けで予約はできません。")));
    // Another workstation may have changed the day: show what is stored now.
    reload(outcome);
    return outcome;
}

QString WorkBoard::bookingRefusal(const ScheduleBooking::Result &result, const QString &startMessage)
{
    switch (result.status) {
    case Status::Ok:
        return {};
    case Status::NotBookable:
        return QStringLiteral("予約はできません。");
    case Status::BeforeStart:
        return startMessage;
    case Status::AfterEnd:
        return QStringLiteral("退所日(終了日)より後の日付けで予約はできません。");
    case Status::AlreadyBooked:
        return QStringLiteral("既に予約されています。");
    case Status::Full:
        return QStringLiteral("制限人数以上は予約できません。");
    case Status::UserOverlap:
        return result.message;
    case Status::SlotGone:
        return SlotGoneText;
    case Status::UserGone:
        return DropFailedText;
    case Status::BeginFailed:
        return BusyText;
    case Status::WriteFailed:
        return WriteFailedText;
    }
    return {};
}

void WorkBoard::copySlot(const QString &labelName, bool withBookings)
{
    const std::optional<TIMETABLE_ITEM> item = slot(labelName);
    if (!item)
        return;
    m_hasCopy = true;
    m_copyIsDay = false;
    m_copyWithBookings = withBookings;
    m_copyItem = *item;
    m_status = DateTime::format(u"mm/dd", item->RegistDay) + QLatin1Char(' ') +
               DateTime::format(u"hh:nn", item->StartTime) + QLatin1Char(' ') +
               (withBookings ? QStringLiteral("全てコピー") : QStringLiteral("時間枠コピー"));
}

QString WorkBoard::staleSlotText(TScheduleData::Refusal refusal)
{
    if (refusal == Refusal::Changed)
        return SlotChangedText;
    if (refusal == Refusal::KeyRecord)
        return SlotGoneText;
    return {};
}

BoardOutcome WorkBoard::eraseSlot(const QString &labelName)
{
    clearCopy();
    BoardOutcome outcome;
    const int index = indexOf(labelName, QStringLiteral("*** System Error 時間枠が見つかりません。"), outcome);
    if (index < 0)
        return outcome;
    const int reserveNo = m_data.GetTimeFrame(index).ResNo;
    std::vector<int> shownUsers;
    if (const auto shown = m_bookings.find(reserveNo); shown != m_bookings.end())
        for (const BookingUser &user : shown->second)
            shownUsers.push_back(user.CureNo);
    if (m_data.DeleteTimeFrame(index, shownUsers)) {
        m_bookings.erase(reserveNo);
        outcome.done = true;
        return outcome;
    }
    if (const QString stale = staleSlotText(m_data.refusal()); !stale.isEmpty()) {
        outcome.error(stale);
        reload(outcome);
    } else {
        outcome.error(QStringLiteral("System Error 時間枠の削除に失敗しました。"));
    }
    return outcome;
}

bool WorkBoard::updateChecked(const TIMETABLE_ITEM &item, int index, BoardOutcome &outcome)
{
    if (m_data.UpdateTimeFrame(item, index))
        return true;
    if (const QString refusal = refusalText(outcome); !refusal.isEmpty())
        outcome.error(refusal);
    return false;
}

QString WorkBoard::refusalText(BoardOutcome &outcome)
{
    outcome.add(m_data.storeMessage());
    switch (m_data.refusal()) {
    case Refusal::TimeOverlap:
        return OverlapText;
    case Refusal::BelowBookings:
        return QStringLiteral("予約済み人数以下には設定できません。");
    case Refusal::UserRefused:
        return m_data.refusalText() + QStringLiteral("\n時間枠の変更ができませんでした。予約を変更して下さい。");
    case Refusal::KeyRecord:
        reload(outcome);
        return {};
    case Refusal::WriteFailed:
        return UpdateFailedText;
    case Refusal::Changed:
        return SlotChangedText;
    case Refusal::None:
    case Refusal::OpenFailed:
    case Refusal::GroupSlot: // the work table moves those too
        return {};
    }
    return {};
}

BoardOutcome WorkBoard::editSlot(const QString &labelName, TDateTime start, int minutes, int capacity)
{
    BoardOutcome outcome;
    const int index = indexOf(labelName, NotFoundText, outcome);
    if (index < 0)
        return outcome;
    TIMETABLE_ITEM item = m_data.GetTimeFrame(index);
    if (IsFrameOverlapped(item.PNo, minutes, index, start)) {
        outcome.error(OverlapText);
        return outcome;
    }
    item.StartTime = start;
    item.Fnn = minutes;
    item.Cap = capacity;
    outcome.done = updateChecked(item, index, outcome);
    return outcome;
}

BoardOutcome WorkBoard::moveSlot(const QString &labelName, TDateTime day, int staffCode, TDateTime start, int minutes)
{
    BoardOutcome outcome;
    const int index = indexOf(labelName, NotFoundText, outcome);
    if (index < 0)
        return outcome;
    TIMETABLE_ITEM item = m_data.GetTimeFrame(index);
    item.RegistDay = DateTime::dateOf(day);
    item.Stf = staffCode;
    item.StartTime = start;
    item.Fnn = minutes;
    if (!updateChecked(item, index, outcome))
        return outcome;
    reload(outcome);
    outcome.done = true;
    return outcome;
}

std::optional<TIMETABLE_ITEM> WorkBoard::appendCopy(TIMETABLE_ITEM item, int column, int staffCode, bool quietOverlap,
                                                    BoardOutcome &outcome)
{
    item.PNo = column;
    item.LName = QStringLiteral("L") + QString::number(m_frameCount);
    item.Stf = staffCode;
    item.RegistDay = columnDay(column);
    if (m_data.AppendTimeFrame(item) < 0) {
        outcome.add(m_data.storeMessage());
        if (m_data.refusal() == Refusal::TimeOverlap) {
            if (!quietOverlap)
                outcome.error(OverlapText);
        } else if (m_data.refusal() != Refusal::OpenFailed)
            outcome.error(FrameFailedText);
        return std::nullopt;
    }
    ++m_frameCount;
    return m_data.GetTimeFrame(m_data.TimeFrameCount() - 1);
}

int WorkBoard::staffOfNewSlot(int column, BoardOutcome &outcome) const
{
    const int staffCode = columnStaff(column);
    if (staffCode < 0)
        outcome.error(QStringLiteral("*** System Error スタッフを特定できません。"));
    return staffCode;
}

BoardOutcome WorkBoard::newSlot(int column, TDateTime start, int minutes, int capacity)
{
    BoardOutcome outcome;
    if (column < 0 || column >= columnCount())
        return outcome;
    const int staffCode = staffOfNewSlot(column, outcome);
    if (staffCode < 0)
        return outcome;
    if (IsFrameOverlapped(column, minutes, -1, start)) {
        outcome.error(OverlapText);
        return outcome;
    }
    TIMETABLE_ITEM item;
    item.StartTime = start;
    item.Fnn = minutes;
    item.Cap = capacity;
    outcome.done = appendCopy(item, column, staffCode, false, outcome).has_value();
    return outcome;
}

BoardOutcome WorkBoard::pasteSlot(int column)
{
    BoardOutcome outcome;
    if (!canPasteSlot() || column < 0 || column >= columnCount())
        return outcome;
    const int staffCode = staffOfNewSlot(column, outcome);
    if (staffCode < 0)
        return outcome;
    if (IsFrameOverlapped(column, m_copyItem.Fnn, -1, m_copyItem.StartTime)) {
        outcome.error(OverlapText);
        return outcome;
    }
    const std::optional<TIMETABLE_ITEM> created = appendCopy(m_copyItem, column, staffCode, false, outcome);
    if (!created)
        return outcome;
    if (m_copyWithBookings && created->Cap >= 1)
        copyBookings(m_copyItem.ResNo, *created, QStringLiteral("入所(開始)日より前の日付けで予約はできません。"),
                     outcome);
    outcome.done = true;
    return outcome;
}

void WorkBoard::copyColumn(int column, bool withBookings, const QString &headerCaption)
{
    m_hasCopy = true;
    m_copyIsDay = true;
    m_copyWithBookings = withBookings;
    m_copyColumn = column;
    if (m_kind == Kind::Day)
        m_status = headerCaption + QStringLiteral(" 枠コピー");
    else
        m_status =
            headerCaption + (withBookings ? QStringLiteral(" 日付けの全てコピー") : QStringLiteral(" 日付の枠コピー"));
}

BoardOutcome WorkBoard::pasteColumn(int column)
{
    BoardOutcome outcome;
    if (!canPasteDay() || column < 0 || column >= columnCount())
        return outcome;
    const int staffCode = staffOfNewSlot(column, outcome);
    if (staffCode < 0)
        return outcome;
    // A snapshot: the records appended below must not join the loop.
    std::vector<TIMETABLE_ITEM> sources;
    for (const TIMETABLE_ITEM &item : m_data.TimeFrames.items())
        if (item.PNo == m_copyColumn)
            sources.push_back(item);
    // One message lists every slot skipped for overlapping.
    QStringList skipped;
    const auto tellSkipped = [&skipped, &outcome] {
        if (!skipped.isEmpty())
            outcome.error(QStringLiteral("時間が重複しています。\n次の時限枠を無視しました。\n") +
                          skipped.join(QLatin1Char('\n')));
    };
    for (const TIMETABLE_ITEM &source : sources) {
        if (IsFrameOverlapped(column, source.Fnn, -1, source.StartTime)) {
            skipped << slotText(source);
            continue;
        }
        const std::optional<TIMETABLE_ITEM> created = appendCopy(source, column, staffCode, true, outcome);
        if (!created) {
            if (m_data.refusal() == Refusal::TimeOverlap) {
                skipped << slotText(source);
                continue;
            }
            tellSkipped();
            return outcome;
        }
        if (m_copyWithBookings && created->Cap >= 1 &&
            !copyBookings(source.ResNo, *created, QStringLiteral("計画日より前の日付けで予約はできません。"),
                          outcome)) {
            tellSkipped();
            return outcome;
        }
    }
    tellSkipped();
    outcome.done = true;
    return outcome;
}

bool WorkBoard::copyBookings(int sourceReserveNo, const TIMETABLE_ITEM &target, const QString &startMessage,
                             BoardOutcome &outcome)
{
    const std::optional<std::vector<BookingUser>> users = m_data.booking().bookedUsers(sourceReserveNo);
    if (!users) {
        outcome.error(BusyText);
        return false;
    }
    bool ended = false;
    for (const BookingUser &user : *users) {
        const ScheduleBooking::Result result = m_data.booking().book(target.ResNo, user.CureNo);
        if (result.status == Status::Ok)
            continue;
        if (result.status == Status::BeginFailed || result.status == Status::WriteFailed ||
            result.status == Status::SlotGone) {
            outcome.error(bookingRefusal(result, startMessage));
            ended = true;
            break;
        }
        if (result.status == Status::UserOverlap) {
            outcome.error(result.message);
            continue;
        }
        outcome.error(userPrefix(user) + [&] {
            switch (result.status) {
            case Status::BeforeStart:
                return startMessage;
            case Status::AfterEnd:
                return QStringLiteral("退所(終了)日より後の日付けで予約はできません。");
            case Status::Full:
                return QStringLiteral("制限人数以上は予約できません。");
            case Status::AlreadyBooked:
                return QStringLiteral("既に予約されています。");
            default:
                return QStringLiteral("予約はできません。");
            }
        }());
    }
    if (const auto stored = m_data.booking().bookedUsers(target.ResNo))
        m_bookings[target.ResNo] = *stored;
    return !ended;
}

BoardOutcome WorkBoard::changeColumnStaff(int column, int staffCode)
{
    BoardOutcome outcome;
    const int source = columnStaff(column);
    if (source < 0) {
        outcome.error(QStringLiteral("*** System Error 担当者確認に失敗しました。"));
        return outcome;
    }
    // One message lists every slot that stayed, with the reason.
    QStringList refused;
    const std::vector<TIMETABLE_ITEM> items = m_data.TimeFrames.items();
    for (TIMETABLE_ITEM item : items) {
        if (item.Stf != source)
            continue;
        // Decided from the slot as stored now, its time and capacity kept.
        if (m_data.ChangeSlotStaff(item, staffCode, true))
            continue;
        if (const QString refusal = refusalText(outcome); !refusal.isEmpty())
            refused << slotText(item) + QStringLiteral("：") +
                           QString(refusal).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    if (!refused.isEmpty())
        outcome.error(QStringLiteral("次の時間枠は変更できませんでした。\n") + refused.join(QLatin1Char('\n')));
    reload(outcome);
    outcome.done = true;
    return outcome;
}
