#include "scheduling/FrameLook.h"
#include "scheduling/BookingPayload.h"
#include "scheduling/SlotEntryCheck.h"

#include <QMimeData>

#include <gtest/gtest.h>

namespace {

TIMETABLE_ITEM slotAt(int hour, int minute, int minutes, int capacity)
{
    TIMETABLE_ITEM item;
    item.StartTime = DateTime::encodeTime(hour, minute);
    item.Fnn = minutes;
    item.Cap = capacity;
    return item;
}

TEST(FrameLook, PlacesLabelsTwoPixelsAMinuteFromEight)
{
    EXPECT_EQ(FrameLook::FramePosition(slotAt(8, 0, 60, 1)), QRect(1, 0, 118, 119));
    const QRect late = FrameLook::FramePosition(slotAt(19, 30, 90, 1));
    EXPECT_EQ(late.top(), 1380);
    EXPECT_EQ(late.top() + late.height(), 1559);
    // Stored slots outside the hours stay on the board and can be clicked.
    EXPECT_EQ(FrameLook::FramePosition(slotAt(7, 30, 30, 1)), QRect(1, 0, 118, 19));
    EXPECT_EQ(FrameLook::FramePosition(slotAt(20, 59, 600, 1)), QRect(1, 1540, 118, 19));
    EXPECT_EQ(FrameLook::FramePosition(slotAt(20, 30, 60, 1)), QRect(1, 1500, 118, 59));
    EXPECT_EQ(FrameLook::FramePosition(slotAt(23, 0, 120, 1)), QRect(1, 1540, 118, 19));
}

TEST(FrameLook, ColoursAndCaptions)
{
    EXPECT_EQ(FrameLook::FrameColour(0), 0xFF00FFu);
    EXPECT_EQ(FrameLook::FrameColour(1), 0x00FF00u);
    EXPECT_EQ(FrameLook::FrameColour(40), 0xFFFF00u);
    EXPECT_EQ(FrameLook::MakeFrameCaption(slotAt(9, 30, 40, 1), QStringLiteral("山田"), 9, 2),
              QStringLiteral("09.30 -> 40分\n山田\n通所 短個"));
    EXPECT_EQ(FrameLook::MakeFrameCaption(slotAt(14, 5, 60, 3), QStringLiteral("予約 2 名"), -1, -1),
              QStringLiteral("14.05 -> 60分\n予約 2 名\n"));
    EXPECT_EQ(FrameLook::DayColour(DateTime::encodeDate(2026, 12, 5), 1), FrameLook::SaturdayColour);
    EXPECT_EQ(FrameLook::DayColour(DateTime::encodeDate(2026, 12, 6), 1), FrameLook::SundayColour);
    EXPECT_EQ(FrameLook::DayColour(DateTime::encodeDate(2026, 12, 7), 1), 1u);
}

TEST(SlotEntryCheck, StartTimeAndMinutes)
{
    EXPECT_FALSE(SlotEntryCheck::startTime(u"07:59"));
    EXPECT_FALSE(SlotEntryCheck::startTime(u"21:00"));
    EXPECT_FALSE(SlotEntryCheck::startTime(u"__:__"));
    EXPECT_FALSE(SlotEntryCheck::startTime(u"10:60"));
    EXPECT_EQ(SlotEntryCheck::startTime(u"20:59"), DateTime::encodeTime(20, 59));

    const struct
    {
        QStringView text;
        QString message;
    } cases[] = {{u"", QStringLiteral("分は入力必須項目です。")},
                 {u"1O", QStringLiteral("分は数値項目です。")},
                 {u"0", QStringLiteral("分は１分以上です。")},
                 {u"601", QStringLiteral("分は600分以下です。")},
                 {u"600", QString()},
                 {u"1", QString()}};
    for (const auto &c : cases) {
        int minutes = -1;
        EXPECT_EQ(SlotEntryCheck::minutesError(c.text, minutes), c.message) << c.text.toString().toStdString();
        if (c.message.isEmpty()) {
            EXPECT_EQ(minutes, c.text.toInt());
        }
    }
}

TEST(BookingPayload, DecodesOnlyWhatItEncoded)
{
    BookingUser user{12, 46000.0, 0.0, 2, 9, QStringLiteral("山田　花子")};
    const std::unique_ptr<QMimeData> data = BookingPayload::encode(user);
    EXPECT_EQ(BookingPayload::decode(data.get()), user);

    QMimeData broken;
    EXPECT_FALSE(BookingPayload::decode(nullptr));
    EXPECT_FALSE(BookingPayload::decode(&broken));
    broken.setText(QStringLiteral("12"));
    EXPECT_FALSE(BookingPayload::decode(&broken));
    const QString type = QString::fromLatin1(BookingPayload::MimeType);
    for (const QByteArray &bytes : {QByteArray("{"), QByteArray("[1]"), QByteArray(R"({"CureNo":12})"),
                                    QByteArray(R"({"CureNo":0,"NyushoDate":0,"TaishoDate":0,"RihaType":0,)"
                                               R"("KubunCode":0,"Name":"x"})")}) {
        broken.setData(type, bytes);
        EXPECT_FALSE(BookingPayload::decode(&broken)) << bytes.constData();
    }
}

} // namespace
