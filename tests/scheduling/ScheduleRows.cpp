#include "ScheduleRows.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <gtest/gtest.h>

namespace ScheduleRows {

void addPerson(DbConnection &db, int cureNo, const QString &name, TDateTime start, TDateTime end, int rihaType,
               int kubunCode)
{
    // The user numbers are the test's own, not the server's.
    const QString overriding = db.kind() == DbKind::PostgreSQL ? QStringLiteral("OVERRIDING SYSTEM VALUE ") : QString();
    DbQuery insert(db, QStringLiteral("INSERT INTO Person (CureNo, Name, Sex, RihaType, KubunCode, NYUSHOBI_YMD, "
                                      "TAISHOBI_YMD) ") +
                           overriding + QStringLiteral("VALUES (:no, :name, 0, :type, :kubun, :start, :end)"));
    insert.bind(u"no", cureNo)
        .bind(u"name", name)
        .bind(u"type", rihaType)
        .bind(u"kubun", kubunCode)
        .bind(u"start", DbDate{start})
        .bind(u"end", DbDate{end});
    ASSERT_TRUE(insert.exec()) << insert.errorText().toStdString();
}

int addSlot(DbConnection &db, TDateTime day, int staff, int hour, int minute, int minutes, int capacity)
{
    DbQuery insert(db, QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, "
                                      "Capacity) VALUES (:day, :staff, :start, :minutes, :capacity)"));
    insert.bind(u"day", DbDate{day})
        .bind(u"staff", staff)
        .bind(u"start", DbDate{DateTime::encodeTime(hour, minute)})
        .bind(u"minutes", minutes)
        .bind(u"capacity", capacity);
    EXPECT_TRUE(insert.exec()) << insert.errorText().toStdString();
    DbDataSet rows;
    EXPECT_TRUE(rows.open(DbQuery(db, QStringLiteral("SELECT MAX(ReserveNo) AS N FROM TimeTable"))));
    return rows.field(u"N").asInteger();
}

void addBooking(DbConnection &db, int reserveNo, int cureNo)
{
    DbQuery insert(db, QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) VALUES (:w, :c, '')"));
    insert.bind(u"w", reserveNo).bind(u"c", cureNo);
    ASSERT_TRUE(insert.exec()) << insert.errorText().toStdString();
}

int count(DbConnection &db, const QString &table, const QString &where)
{
    DbDataSet rows;
    EXPECT_TRUE(rows.open(
        DbQuery(db, QStringLiteral("SELECT COUNT(*) AS N FROM ") + table + QStringLiteral(" WHERE ") + where)));
    return rows.field(u"N").asInteger();
}

} // namespace ScheduleRows
