#include "DatabaseFixture.h"

#include "DemoData.h"

#include "base/Clock.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

namespace {

class DemoScheduleTest : public DatabaseFixture
{
protected:
    // Filled on that day of February 2026 (the 1st is a Sunday), the
    // results are those of Monday the 2nd.
    void expectResultsOnTheSecond(int day)
    {
        Clock::setFixed(QDateTime(QDate(2026, 2, day), QTime(9, 0)));
        QString error;
        const bool filled = DemoData::fill(db(), error);
        Clock::reset();
        ASSERT_TRUE(filled) << error.toStdString();
        DbDataSet rows;
        ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT DISTINCT CureDate FROM CureResults"))))
            << rows.errorText().toStdString();
        ASSERT_EQ(rows.recordCount(), 1);
        EXPECT_EQ(rows.field(0).asDateTime(), DateTime::encodeDate(2026, 2, 2));
        EXPECT_GT(count(QStringLiteral("SELECT ResultNo FROM CureResults")), 10);
    }

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

// Before any booked day of the month has passed (a Sunday 1st, and the
// Monday after it), the month's first booked day has its results: the
// month's printouts have some to show on any day.
TEST_P(DemoScheduleTest, TheFirstDaysOfAMonthHaveResults)
{
    expectResultsOnTheSecond(1);
}

TEST_P(DemoScheduleTest, TheDayAfterASundayFirstHasResults)
{
    expectResultsOnTheSecond(2);
}

TAMSOLEN_DATABASE_TEST_SUITE(DemoScheduleTest);

} // namespace
