#include "DemoSchedule.h"

#include "base/Clock.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <set>
#include <vector>

namespace {

struct SlotPlan
{
    int hour;
    int minute;
    int minutes;
    int capacity;
    bool saturday; // also on Saturdays
};

constexpr SlotPlan Plan[] = {{9, 0, 40, 1, true},    {10, 0, 40, 1, true},   {11, 0, 60, 3, true},
                             {13, 30, 40, 1, false}, {14, 30, 40, 1, false}, {15, 30, 60, 5, false}};

struct User
{
    int cureNo;
    TDateTime start;
    TDateTime end;
};

bool fail(QString &errorText, const QString &reason)
{
    errorText = reason;
    return false;
}

bool addSlots(DbConnection &db, const std::vector<int> &staff, QString &errorText)
{
    const QDate today = Clock::currentDate();
    const QDate first(today.year(), today.month(), 1);
    DbQuery insert(db, QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
                                      "VALUES (:day, :staff, :start, :minutes, :capacity)"));
    for (QDate day = first; day.month() == first.month(); day = day.addDays(1)) {
        if (day.dayOfWeek() == Qt::Sunday)
            continue;
        for (std::size_t s = 0; s < staff.size(); ++s) {
            for (const SlotPlan &plan : Plan) {
                if (day.dayOfWeek() == Qt::Saturday && !plan.saturday)
                    continue;
                // The staff start a little apart, so that the day board is not a grid of equal boxes.
                const int shift = int(s % 3) * 10;
                insert.bind(u"day", DbDate{DateTime::fromDate(day)})
                    .bind(u"staff", staff[s])
                    .bind(u"start", DbDate{DateTime::encodeTime(plan.hour, plan.minute + shift)})
                    .bind(u"minutes", plan.minutes)
                    .bind(u"capacity", plan.capacity);
                if (!insert.exec())
                    return fail(errorText, insert.errorText());
            }
        }
        // A staff meeting that takes no one.
        insert.bind(u"day", DbDate{DateTime::fromDate(day)})
            .bind(u"staff", staff.back())
            .bind(u"start", DbDate{DateTime::encodeTime(16, 40)})
            .bind(u"minutes", 30)
            .bind(u"capacity", 0);
        if (!insert.exec())
            return fail(errorText, insert.errorText());
    }
    return true;
}

bool readInts(DbConnection &db, const QString &sql, std::vector<int> &values, QString &errorText)
{
    DbDataSet rows;
    if (!rows.open(DbQuery(db, sql)))
        return fail(errorText, rows.errorText());
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        values.push_back(rows.field(0).asInteger());
    return true;
}

bool readUsers(DbConnection &db, std::vector<User> &users, QString &errorText)
{
    DbDataSet rows;
    if (!rows.open(DbQuery(db, QStringLiteral("SELECT CureNo, NYUSHOBI_YMD, TAISHOBI_YMD FROM Person "
                                              "ORDER BY CureNo"))))
        return fail(errorText, rows.errorText());
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        users.push_back({rows.field(0).asInteger(), rows.field(1).asDateTime(), rows.field(2).asDateTime()});
    return true;
}

bool addBookings(DbConnection &db, const std::vector<User> &users, QString &errorText)
{
    DbDataSet slotRows;
    if (!slotRows.open(DbQuery(db, QStringLiteral("SELECT ReserveNo, ReserveDay, Capacity FROM TimeTable "
                                                  "ORDER BY ReserveDay, StartTime, ReserveNo"))))
        return fail(errorText, slotRows.errorText());
    DbQuery insert(db, QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment, CreateDate) "
                                      "VALUES (:slot, :user, :comment, :created)"));
    std::set<int> bookedToday;
    TDateTime currentDay = -1;
    std::size_t cursor = 0;
    int slotNumber = 0;
    // The rows are held whole, not paged: a move cannot fail.
    for (slotRows.first(); !slotRows.eof(); (void)slotRows.next(), ++slotNumber) {
        const TDateTime day = slotRows.field(1).asDateTime();
        if (day != currentDay) {
            currentDay = day;
            bookedToday.clear();
        }
        // Every fourth slot keeps a place free; a group slot keeps one anyway.
        const int capacity = slotRows.field(2).asInteger();
        const int places = capacity > 1 ? capacity - 1 - slotNumber % 2 : (slotNumber % 4 == 3 ? 0 : capacity);
        for (int place = 0, tried = 0; place < places && tried < int(users.size()); ++tried) {
            const User &user = users[cursor++ % users.size()];
            if (user.start > day || (user.end != DateTime::None && user.end < day) ||
                !bookedToday.insert(user.cureNo).second)
                continue;
            insert.bind(u"slot", slotRows.field(0).asInteger())
                .bind(u"user", user.cureNo)
                .bind(u"comment", place == 0 && slotNumber % 7 == 0 ? QStringLiteral("車椅子で来所") : QString())
                .bind(u"created", DbDate{day - 7});
            if (!insert.exec())
                return fail(errorText, insert.errorText());
            ++place;
        }
    }
    return true;
}

} // namespace

namespace DemoSchedule {

bool fill(DbConnection &db, QString &errorText)
{
    std::vector<int> staff;
    std::vector<User> users;
    if (!readInts(db, QStringLiteral("SELECT CD FROM KaigoStuff ORDER BY CD"), staff, errorText) ||
        !readUsers(db, users, errorText))
        return false;
    if (staff.empty() || users.empty())
        return fail(errorText, QStringLiteral("the demo schedule needs staff and users"));
    return addSlots(db, staff, errorText) && addBookings(db, users, errorText);
}

} // namespace DemoSchedule
