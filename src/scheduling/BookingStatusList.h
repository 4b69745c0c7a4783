#pragma once

#include "base/DateTime.h"

#include <QString>

#include <vector>

class DbConnection;

// The bookings of one slot as the booking status list shows them, with
// the cancels and the comment writes of that list.
class BookingStatusList
{
public:
    struct Row
    {
        int ScheduleNo = 0;
        int CureNo = 0;
        QString Name;
        int Sex = 0;
        TDateTime Birth = DateTime::None;
        TDateTime Nyusho = DateTime::None;
        TDateTime Taisho = DateTime::None;
        int RihaType = 0;
        int KubunCode = 0;
        QString Comment;
        TDateTime CreateDate = DateTime::None;
    };
    static constexpr int ColumnCount = 10;
    static constexpr int CommentColumn = 8;
    static constexpr int CommentLimit = 255;

    explicit BookingStatusList(DbConnection &database);

    // Reads the slot's bookings in booking order; false (list empty) on failure.
    [[nodiscard]] bool load(int reserveNo);
    [[nodiscard]] const std::vector<Row> &rows() const { return m_rows; }
    [[nodiscard]] int reserveNo() const { return m_reserveNo; }

    // Deletes one booking, then reads the list again; false when the
    // delete or the reading failed.
    [[nodiscard]] bool cancel(int scheduleNo);
    enum class CancelAll { Ok, Changed, Failed };
    // Deletes every booking of the slot when the slot holds, under its
    // lock, exactly the bookings listed; Changed (nothing deleted) when
    // another workstation booked or cancelled meanwhile. The list is read
    // again in every case.
    [[nodiscard]] CancelAll cancelAll();

    enum class CommentWrite { Ok, Missing, Failed };
    // Writes the comment (cut to 255 characters) to the booking with that
    // number; Missing when it is no longer stored.
    [[nodiscard]] CommentWrite writeComment(int scheduleNo, const QString &text);

    // The grid's text of a cell: number "%8.8d", sex, era dates (an end
    // date 0 empty), type name, category letters.
    [[nodiscard]] static QString cellText(const Row &row, int column);
    [[nodiscard]] static QString columnTitle(int column);
    [[nodiscard]] static int columnWidth(int column);

private:
    DbConnection &m_database;
    int m_reserveNo = 0;
    std::vector<Row> m_rows;
};
