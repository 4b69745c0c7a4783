#include "scheduling/WorkBoard.h"

#include "core/StaffDirectory.h"
#include "platform/DialogService.h"
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
const QString SlotGoneText = QStringLiteral("この時間枠は既に削除されています。\n最新の状態を表示します。");
const QString NotFoundText = QStringLiteral("System Error 予約確認に失敗しました。");
const QString WriteFailedText = QStringLiteral("System Error スケジュールの登録に失敗しました。");
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

bool WorkBoard::displayStaff(int staffCode, TDateTime startDate)
{
    m_staffCode = staffCode;
    m_startDate = DateTime::dateOf(startDate);
    const bool loaded = m_data.OpenStuffTimeFrames(staffCode, m_startDate, m_startDate + 30);
    return load(loaded);
}

bool WorkBoard::displayDay(TDateTime date, int firstStaff)
{
    m_startDate = DateTime::dateOf(date);
    m_firstStaff = std::max(firstStaff, 0);
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
    return load(loaded);
}

bool WorkBoard::reload()
{
    if (!m_displayed)
        return false;
    return m_kind == Kind::StaffMonth ? displayStaff(m_staffCode, m_startDate) : displayDay(m_startDate, m_firstStaff);
}

bool WorkBoard::load(bool loaded)
{
    std::optional<ScheduleBooking::Bookings> bookings;
    if (loaded)
        bookings = m_data.booking().bookingsOf(m_kind == Kind::StaffMonth ? m_staffCode : -1, m_startDate,
                                               m_kind == Kind::StaffMonth ? m_startDate + 30 : m_startDate);
    if (!bookings) {
        clear();
        Dialogs::error(QStringLiteral("System Error 予約の表示でエラーが発生しました。"));
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

int WorkBoard::indexOf(const QString &labelName, const QString &missingText) const
{
    const int index = m_data.IndexOfFrameLabel(labelName);
    if (index < 0)
        Dialogs::error(missingText);
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

bool WorkBoard::drop(const QString &labelName, const QMimeData *data)
{
    const std::optional<BookingUser> user = BookingPayload::decode(data);
    if (!user) {
        Dialogs::error(QStringLiteral("System Error ドロップに失敗しました。"));
        return false;
    }
    return book(labelName, *user);
}

bool WorkBoard::book(const QString &labelName, const BookingUser &user)
{
    const int index = indexOf(labelName, QStringLiteral("System Error ドロップに失敗しました。"));
    if (index < 0)
        return false;
    const TIMETABLE_ITEM item = m_data.GetTimeFrame(index);
    if (item.Cap < 1) {
        Dialogs::error(QStringLiteral("予約はできません。"));
        return false;
    }
    const ScheduleBooking::Result result = m_data.booking().book(item.ResNo, user.CureNo);
    if (result.status == Status::Ok) {
        refreshBookings(labelName);
        return true;
    }
    showBookingRefusal(result, QStringLiteral("入所日(開始日)より前の日付けで予約はできません。"));
    // Another workstation may have changed the day: show what is stored now.
    reload();
    return false;
}

void WorkBoard::showBookingRefusal(const ScheduleBooking::Result &result, const QString &startMessage)
{
    switch (result.status) {
    case Status::Ok:
        return;
    case Status::NotBookable:
        return Dialogs::error(QStringLiteral("予約はできません。"));
    case Status::BeforeStart:
        return Dialogs::error(startMessage);
    case Status::AfterEnd:
        return Dialogs::error(QStringLiteral("退所日(終了日)より後の日付けで予約はできません。"));
    case Status::AlreadyBooked:
        return Dialogs::error(QStringLiteral("既に予約されています。"));
    case Status::Full:
        return Dialogs::error(QStringLiteral("制限人数以上は予約できません。"));
    case Status::UserOverlap:
        return Dialogs::error(result.message);
    case Status::SlotGone:
        return Dialogs::error(SlotGoneText);
    case Status::UserGone:
        return Dialogs::error(QStringLiteral("System Error ドロップに失敗しました。"));
    case Status::BeginFailed:
        return Dialogs::error(BusyText);
    case Status::WriteFailed:
        return Dialogs::error(WriteFailedText);
    }
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

bool WorkBoard::eraseSlot(const QString &labelName)
{
    clearCopy();
    const int index = indexOf(labelName, QStringLiteral("*** System Error 時間枠が見つかりません。"));
    if (index < 0)
        return false;
    const int reserveNo = m_data.GetTimeFrame(index).ResNo;
    if (!m_data.DeleteTimeFrame(index)) {
        Dialogs::error(QStringLiteral("System Error 時間枠の削除に失敗しました。"));
        return false;
    }
    m_bookings.erase(reserveNo);
    return true;
}

bool WorkBoard::updateChecked(const TIMETABLE_ITEM &item, int index)
{
    if (m_data.UpdateTimeFrame(item, index))
        return true;
    if (const QString refusal = refusalText(); !refusal.isEmpty())
        Dialogs::error(refusal);
    return false;
}

QString WorkBoard::refusalText()
{
    switch (m_data.refusal()) {
    case Refusal::TimeOverlap:
        return OverlapText;
    case Refusal::BelowBookings:
        return QStringLiteral("予約済み人数以下には設定できません。");
    case Refusal::UserRefused:
        return m_data.refusalText() + QStringLiteral("\n時間枠の変更ができませんでした。予約を変更して下さい。");
    case Refusal::KeyRecord:
        reload();
        return {};
    case Refusal::WriteFailed:
        return UpdateFailedText;
    case Refusal::None:
    case Refusal::OpenFailed:
    case Refusal::GroupSlot: // the work table moves those too
        return {};
    }
    return {};
}

bool WorkBoard::editSlot(const QString &labelName, TDateTime start, int minutes, int capacity)
{
    const int index = indexOf(labelName, NotFoundText);
    if (index < 0)
        return false;
    TIMETABLE_ITEM item = m_data.GetTimeFrame(index);
    if (IsFrameOverlapped(item.PNo, minutes, index, start)) {
        Dialogs::error(OverlapText);
        return false;
    }
    item.StartTime = start;
    item.Fnn = minutes;
    item.Cap = capacity;
    return updateChecked(item, index);
}

bool WorkBoard::moveSlot(const QString &labelName, TDateTime day, int staffCode, TDateTime start, int minutes)
{
    const int index = indexOf(labelName, NotFoundText);
    if (index < 0)
        return false;
    TIMETABLE_ITEM item = m_data.GetTimeFrame(index);
    item.RegistDay = DateTime::dateOf(day);
    item.Stf = staffCode;
    item.StartTime = start;
    item.Fnn = minutes;
    if (!updateChecked(item, index))
        return false;
    reload();
    return true;
}

std::optional<TIMETABLE_ITEM> WorkBoard::appendCopy(TIMETABLE_ITEM item, int column, int staffCode, bool quietOverlap)
{
    item.PNo = column;
    item.LName = QStringLiteral("L") + QString::number(m_frameCount);
    item.Stf = staffCode;
    item.RegistDay = columnDay(column);
    if (m_data.AppendTimeFrame(item) < 0) {
        if (m_data.refusal() == Refusal::TimeOverlap) {
            if (!quietOverlap)
                Dialogs::error(OverlapText);
        } else if (m_data.refusal() != Refusal::OpenFailed)
            Dialogs::error(FrameFailedText);
        return std::nullopt;
    }
    ++m_frameCount;
    return m_data.GetTimeFrame(m_data.TimeFrameCount() - 1);
}

int WorkBoard::staffOfNewSlot(int column) const
{
    const int staffCode = columnStaff(column);
    if (staffCode < 0)
        Dialogs::error(QStringLiteral("*** System Error スタッフを特定できません。"));
    return staffCode;
}

bool WorkBoard::newSlot(int column, TDateTime start, int minutes, int capacity)
{
    if (column < 0 || column >= columnCount())
        return false;
    const int staffCode = staffOfNewSlot(column);
    if (staffCode < 0)
        return false;
    if (IsFrameOverlapped(column, minutes, -1, start)) {
        Dialogs::error(OverlapText);
        return false;
    }
    TIMETABLE_ITEM item;
    item.StartTime = start;
    item.Fnn = minutes;
    item.Cap = capacity;
    return appendCopy(item, column, staffCode, false).has_value();
}

bool WorkBoard::pasteSlot(int column)
{
    if (!canPasteSlot() || column < 0 || column >= columnCount())
        return false;
    const int staffCode = staffOfNewSlot(column);
    if (staffCode < 0)
        return false;
    if (IsFrameOverlapped(column, m_copyItem.Fnn, -1, m_copyItem.StartTime)) {
        Dialogs::error(OverlapText);
        return false;
    }
    const std::optional<TIMETABLE_ITEM> created = appendCopy(m_copyItem, column, staffCode, false);
    if (!created)
        return false;
    if (m_copyWithBookings && created->Cap >= 1)
        copyBookings(m_copyItem.ResNo, *created, QStringLiteral("入所(開始)日より前の日付けで予約はできません。"));
    return true;
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

bool WorkBoard::pasteColumn(int column)
{
    if (!canPasteDay() || column < 0 || column >= columnCount())
        return false;
    const int staffCode = staffOfNewSlot(column);
    if (staffCode < 0)
        return false;
    // A snapshot: the records appended below must not join the loop.
    std::vector<TIMETABLE_ITEM> sources;
    for (const TIMETABLE_ITEM &item : m_data.TimeFrames.items())
        if (item.PNo == m_copyColumn)
            sources.push_back(item);
    // One message lists every slot skipped for overlapping.
    QStringList skipped;
    const auto tellSkipped = [&skipped] {
        if (!skipped.isEmpty())
            Dialogs::error(QStringLiteral("時間が重複しています。\n次の時限枠を無視しました。\n") +
                           skipped.join(QLatin1Char('\n')));
    };
    for (const TIMETABLE_ITEM &source : sources) {
        if (IsFrameOverlapped(column, source.Fnn, -1, source.StartTime)) {
            skipped << slotText(source);
            continue;
        }
        const std::optional<TIMETABLE_ITEM> created = appendCopy(source, column, staffCode, true);
        if (!created) {
            if (m_data.refusal() == Refusal::TimeOverlap) {
                skipped << slotText(source);
                continue;
            }
            tellSkipped();
            return false;
        }
        if (m_copyWithBookings && created->Cap >= 1 &&
            !copyBookings(source.ResNo, *created, QStringLiteral("計画日より前の日付けで予約はできません。"))) {
            tellSkipped();
            return false;
        }
    }
    tellSkipped();
    return true;
}

bool WorkBoard::copyBookings(int sourceReserveNo, const TIMETABLE_ITEM &target, const QString &startMessage)
{
    const std::optional<std::vector<BookingUser>> users = m_data.booking().bookedUsers(sourceReserveNo);
    if (!users) {
        Dialogs::error(BusyText);
        return false;
    }
    bool ended = false;
    for (const BookingUser &user : *users) {
        const ScheduleBooking::Result result = m_data.booking().book(target.ResNo, user.CureNo);
        if (result.status == Status::Ok)
            continue;
        if (result.status == Status::BeginFailed || result.status == Status::WriteFailed ||
            result.status == Status::SlotGone) {
            showBookingRefusal(result, startMessage);
            ended = true;
            break;
        }
        if (result.status == Status::UserOverlap) {
            Dialogs::error(result.message);
            continue;
        }
        Dialogs::error(userPrefix(user) + [&] {
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

bool WorkBoard::changeColumnStaff(int column, int staffCode)
{
    const int source = columnStaff(column);
    if (source < 0) {
        Dialogs::error(QStringLiteral("*** System Error 担当者確認に失敗しました。"));
        return false;
    }
    // One message lists every slot that stayed, with the reason.
    QStringList refused;
    const std::vector<TIMETABLE_ITEM> items = m_data.TimeFrames.items();
    for (TIMETABLE_ITEM item : items) {
        if (item.Stf != source)
            continue;
        // Decided from the slot as stored now, its time and capacity kept.
        if (m_data.ChangeSlotStaff(item.ResNo, staffCode, true))
            continue;
        if (const QString refusal = refusalText(); !refusal.isEmpty())
            refused << slotText(item) + QStringLiteral("：") +
                           QString(refusal).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    if (!refused.isEmpty())
        Dialogs::error(QStringLiteral("次の時間枠は変更できませんでした。\n") + refused.join(QLatin1Char('\n')));
    reload();
    return true;
}
