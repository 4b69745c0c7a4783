#include "DatabaseFixture.h"

#include "DemoData.h"

#include "base/Clock.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

namespace {

class DemoScheduleTest : public DatabaseFixture
{
protected:
    int count(const QString &sql)
    {
        DbQuery query(db(), sql);
        if (sql.contains(u":none"))
            query.bind(u"none", DbDate{DateTime::None});
        DbDataSet rows;
        EXPECT_TRUE(rows.open(query)) << rows.errorText().toStdString();
        return rows.recordCount();
    }
};

// The demo bookings keep the rules a booking on the boards keeps.
TEST_P(DemoScheduleTest, BookingsKeepCapacityCareDatesAndOneSlotADay)
{
    QString error;
    ASSERT_TRUE(DemoData::fill(db(), error)) << error.toStdString();
    EXPECT_GT(count(QStringLiteral("SELECT ReserveNo FROM TimeTable")), 500);
    EXPECT_GT(count(QStringLiteral("SELECT ScheduleNo FROM Schedule")), 500);
    EXPECT_EQ(count(QStringLiteral("SELECT ReserveNo FROM TimeTable t WHERE Capacity < "
                                   "(SELECT COUNT(*) FROM Schedule s WHERE s.WorkingNo = t.ReserveNo)")),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT s.CureNo FROM Schedule s INNER JOIN TimeTable t ON t.ReserveNo = "
                                   "s.WorkingNo GROUP BY s.CureNo, t.ReserveDay HAVING COUNT(*) > 1")),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT s.ScheduleNo FROM Schedule s INNER JOIN TimeTable t ON t.ReserveNo = "
                                   "s.WorkingNo INNER JOIN Person p ON p.CureNo = s.CureNo WHERE "
                                   "p.NYUSHOBI_YMD > t.ReserveDay OR (p.TAISHOBI_YMD > :none AND "
                                   "p.TAISHOBI_YMD < t.ReserveDay)")),
              0);

    const QDate today = Clock::currentDate();
    DbQuery outside(db(),
                    QStringLiteral("SELECT ReserveNo FROM TimeTable WHERE ReserveDay < :from OR ReserveDay >= :to"));
    outside.bind(u"from", DbDate{DateTime::encodeDate(today.year(), today.month(), 1)})
        .bind(u"to", DbDate{DateTime::fromDate(QDate(today.year(), today.month(), 1).addMonths(1))});
    DbDataSet rows;
    ASSERT_TRUE(rows.open(outside));
    EXPECT_EQ(rows.recordCount(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(DemoScheduleTest);

} // namespace
