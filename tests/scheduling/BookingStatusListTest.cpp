#include "BoardFixture.h"

#include "scheduling/BookingStatusList.h"
#include "scheduling/ScheduleBooking.h"

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
    ASSERT_TRUE(list.cancelAll());
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

TAMSOLEN_DATABASE_TEST_SUITE(BookingStatusListTest);

} // namespace
