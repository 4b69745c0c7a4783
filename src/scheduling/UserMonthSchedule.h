#pragma once

#include "scheduling/TRequestTable.h"
#include "scheduling/TScheduleData.h"
#include "scheduling/TUserMonthBook.h"
#include "scheduling/WorkBoard.h"

#include <QString>

#include <map>
#include <optional>

class DbConnection;
class StaffDirectory;

// One user's month: the bookings and, where nothing booked meets them, the
// unbooked wishes of the weekly wish; a wish becomes a booking with a staff
// member. Each action returns its messages for the window to show.
class UserMonthSchedule
{
public:
    struct Input
    {
        int CureNo = 0;
        TDateTime NyushoDate = DateTime::None;
        TDateTime TaishoDate = DateTime::None; // 0: no end
        TDateTime YearMonth = DateTime::None;  // the month's first day
        TUserMonthBook::Month MonthWish{};
    };
    static constexpr int Days = 31;
    inline static const QString NoStaffName = QStringLiteral("担当者未定");
    // What a menu on a label that is no longer listed tells.
    inline static const QString RecordGoneText = QStringLiteral("*** System Error 予定確認に失敗しました。");
    static constexpr unsigned WishColour = 0xFFFF00;
    inline static const QString GroupEraseText = QStringLiteral("介護担当者作業表で消去してください。");

    UserMonthSchedule(DbConnection &database, const StaffDirectory &staff);

    // Fills Requests: the bookings of the 31 days from the month's first,
    // then the active wishes that no booking of their day meets and that
    // fall within the care period. Not done on a read error.
    [[nodiscard]] BoardOutcome load(const Input &input);
    // The staff name a record shows: the booking's staff (empty when the
    // staff member was removed) or NoStaffName for a wish.
    [[nodiscard]] QString staffName(const QString &labelName) const;

    // The labels of the records for the month grid: bookings by capacity
    // colour, wishes yellow.
    [[nodiscard]] std::vector<WorkBoard::FrameLabel> labels() const;

    // Books the wish with the staff member: into the staff member's slot of
    // the same start and length when there is one, else into a new slot of
    // capacity 1, made in the same transaction. Every slot of the staff
    // member's day counts, half-open.
    [[nodiscard]] BoardOutcome bookWish(const QString &labelName, int staffCode);
    // The question to ask before erasing the label's record: one for a
    // booked record of a slot of capacity 1, none for the others.
    [[nodiscard]] std::optional<UserMessage> eraseQuestion(const QString &labelName) const;
    // Erases a record of a slot of capacity 1, a booked one with its slot
    // and bookings; the window has asked eraseQuestion first. Not done when
    // nothing was erased: a slot that another workstation has widened,
    // moved, booked another user into or deleted stays as stored, and the
    // month is read again (the records then are what is stored).
    [[nodiscard]] BoardOutcome erase(const QString &labelName);

    // The record of a label; nullopt when it is gone (RecordGoneText).
    [[nodiscard]] std::optional<TREQUEST_ITEM> record(const QString &labelName) const;
    // Moves a booked record's slot of capacity 1 to another staff member
    // free at its time. Not done when refused or unchanged.
    [[nodiscard]] BoardOutcome changeStaff(const QString &labelName, int staffCode);

    TRequestTable Requests;
    // The running number of label names; never reset.
    int LabelCounter = 0;

private:
    enum class Fit { Free, Same, Taken, ReadError };
    [[nodiscard]] bool loadBookings();
    void addWishes();
    // How the staff member's day meets the record; `same` gets the slot of
    // equal start and length.
    [[nodiscard]] Fit staffFit(const TREQUEST_ITEM &record, int staffCode, int &same);
    [[nodiscard]] QString nextLabel();
    // Deletes a booked record's slot with its bookings when the slot as
    // stored is still the user's alone; else tells why and loads the month.
    bool eraseStored(const TREQUEST_ITEM &record, BoardOutcome &outcome);

    DbConnection &m_database;
    const StaffDirectory &m_staff;
    TScheduleData m_data;
    Input m_input;
    std::map<QString, QString> m_staffNames;
};
