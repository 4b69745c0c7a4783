#include "BoardFixture.h"

#include "scheduling/BookingStatusList.h"
#include "scheduling/ScheduleBooking.h"

#include <QSemaphore>

#include <atomic>
#include <thread>

namespace {

class BookingStatusListTest : public BoardFixture
{
};

TEST_P(BookingStatusListTest, CommentsAreWrittenByScheduleNoAndCut)
{
    const int slot = ScheduleRows::addSlot(db(), day(1), StaffA, 9, 0, 60, 3);
    ScheduleRows::addBooking(db(), slot, 2);
    ScheduleRows::addBooking(db(), slot, 1);
    BookingStatusList list(db());
    ASSERT_TRUE(list.load(slot));
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[0].CureNo, 2);
    EXPECT_EQ(BookingStatusList::cellText(list.rows()[0], 0), QStringLiteral("00000002"));
    EXPECT_FALSE(BookingStatusList::cellText(list.rows()[0], 5).isEmpty());
    EXPECT_EQ(BookingStatusList::cellText(list.rows()[1], 5), QString()); // no end date
    EXPECT_EQ(BookingStatusList::cellText(list.rows()[1], 7), QStringLiteral("個"));

    const int second = list.rows()[1].ScheduleNo;
    const QString longText(300, QChar(u'あ'));
    EXPECT_EQ(list.writeComment(second, longText), BookingStatusList::CommentWrite::Ok);
    ASSERT_TRUE(list.load(slot));
    EXPECT_EQ(list.rows()[1].Comment, longText.left(255));
    EXPECT_EQ(list.rows()[0].Comment, QString());

    ASSERT_TRUE(list.cancel(list.rows()[0].ScheduleNo));
    ASSERT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(list.writeComment(list.rows()[0].ScheduleNo + 100, QStringLiteral("x")),
              BookingStatusList::CommentWrite::Missing);
    ASSERT_EQ(list.cancelAll(), BookingStatusList::CancelAll::Ok);
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(bookings(slot), 0);
}

// A booking's comment is cut in the store, on a character boundary: a
// 10 MB text neither fills the database nor fails on PostgreSQL, and a
// character outside the BMP at the cut stays whole or goes whole.
TEST_P(BookingStatusListTest, BookingCommentsAreCutOnCharacters)
{
    const int slot = ScheduleRows::addSlot(db(), day(3), StaffA, 9, 0, 60, 3);
    const QString yoshi = QString::fromUcs4(U"\U00020BB7");
    ScheduleBooking booking(db(), m_staff);
    ASSERT_EQ(booking.book(slot, 1, QString(10'000'000, u'x')).status, ScheduleBooking::Status::Ok);
    ASSERT_EQ(booking.book(slot, 3, QString(254, u'x') + yoshi + yoshi).status, ScheduleBooking::Status::Ok);
    BookingStatusList list(db());
    ASSERT_TRUE(list.load(slot));
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[0].Comment, QString(255, u'x'));
    EXPECT_EQ(list.rows()[1].Comment, QString(254, u'x') + yoshi);
    EXPECT_EQ(list.writeComment(list.rows()[1].ScheduleNo, yoshi.repeated(300)), BookingStatusList::CommentWrite::Ok);
    ASSERT_TRUE(list.load(slot));
    EXPECT_EQ(list.rows()[1].Comment, yoshi.repeated(255));
}

// 予約全取消 cancels the bookings the list showed: a booking made at another
// workstation after the list was read is not taken with them unseen.
TEST_P(BookingStatusListTest, CancelAllKeepsABookingMadeElsewhereMeanwhile)
{
    const int slot = ScheduleRows::addSlot(db(), day(4), StaffA, 9, 0, 60, 3);
    ScheduleRows::addBooking(db(), slot, 1);
    BookingStatusList list(db());
    ASSERT_TRUE(list.load(slot));
    ASSERT_EQ(list.rows().size(), 1u);

    DbConnection other;
    ASSERT_TRUE(other.open(connectionString(), user(), password())) << other.errorText().toStdString();
    ASSERT_EQ(ScheduleBooking(other, m_staff).book(slot, 3).status, ScheduleBooking::Status::Ok);

    EXPECT_EQ(list.cancelAll(), BookingStatusList::CancelAll::Changed);
    EXPECT_EQ(bookings(slot), 2);
    ASSERT_EQ(list.rows().size(), 2u); // read again: both are shown now
    EXPECT_EQ(list.cancelAll(), BookingStatusList::CancelAll::Ok);
    EXPECT_EQ(bookings(slot), 0);
    EXPECT_TRUE(list.rows().empty());
}

// 予約全取消 from a list read before, racing a booking at another
// workstation: the booking is either cancelled after the list was told of
// it, or made after the cancel; it is never deleted unseen.
TEST_P(BookingStatusListTest, CancelAllRacingABookingNeverTakesItUnseen)
{
    constexpr int Rounds = 30;
    int lost = 0;
    for (int round = 0; round < Rounds; ++round) {
        const int slot = ScheduleRows::addSlot(db(), day(5) + round % 20, StaffA, 8 + round / 20, 0, 30, 3);
        ScheduleRows::addBooking(db(), slot, 1);
        QSemaphore ready;
        QSemaphore go;
        std::atomic<int> cancelled{-1};
        std::atomic<int> booked{-1};
        std::thread canceller([&] {
            DbConnection connection;
            BookingStatusList list(connection);
            const bool opened = connection.open(connectionString(), user(), password()) && list.load(slot);
            ready.release();
            go.acquire();
            if (opened)
                cancelled = int(list.cancelAll());
        });
        std::thread booker([&] {
            DbConnection connection;
            const bool opened = connection.open(connectionString(), user(), password());
            ready.release();
            go.acquire();
            if (opened)
                booked = int(ScheduleBooking(connection, m_staff).book(slot, 3).status);
        });
        ready.acquire(2);
        go.release(2);
        canceller.join();
        booker.join();
        ASSERT_EQ(booked.load(), int(ScheduleBooking::Status::Ok)) << "round " << round;
        const int left = bookings(slot);
        lost += left == 0;
        if (cancelled.load() == int(BookingStatusList::CancelAll::Ok))
            EXPECT_EQ(left, 1) << "round " << round; // the booking came after the cancel
        else
            EXPECT_EQ(cancelled.load(), int(BookingStatusList::CancelAll::Changed)) << "round " << round;
    }
    EXPECT_EQ(lost, 0) << "rounds that lost a booking unseen";
}

TAMSOLEN_DATABASE_TEST_SUITE(BookingStatusListTest);

} // namespace
