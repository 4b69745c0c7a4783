#include "base/Sjis.h"
#include "plans/TPlanData.h"

#include <gtest/gtest.h>

#include <cstring>

// Offsets and sizes below are the stored layout's, written out here on
// purpose rather than taken from the code.
namespace {

QByteArray sjis(const char16_t *text)
{
    return Sjis::encode(QString::fromUtf16(text));
}

qint32 intAt(const QByteArray &bytes, int offset)
{
    return qint32(quint32(uchar(bytes[offset])) | quint32(uchar(bytes[offset + 1])) << 8 |
                  quint32(uchar(bytes[offset + 2])) << 16 | quint32(uchar(bytes[offset + 3])) << 24);
}

QByteArray blankBytes()
{
    QByteArray bytes(3700, '\0');
    bytes[24] = 2; // Shiryoku
    bytes[28] = 2; // ChoryokuL
    bytes[32] = 2; // ChoryokuR
    return bytes;
}

} // namespace

TEST(TPlanData, BlankPlanIsZeroButTheThreeSenses)
{
    EXPECT_EQ(TPlanData().toBytes(), blankBytes());
}

TEST(TPlanData, NumbersAndFlagsAtTheirOffsets)
{
    struct Case
    {
        qint32 TPlanData::*field;
        int offset;
    };
    const Case cases[] = {{&TPlanData::Kansetsu, 0},   {&TPlanData::ChoryokuR, 32}, {&TPlanData::MFin, 44},
                          {&TPlanData::Shitsugo, 860}, {&TPlanData::Shitsunin, 864}, {&TPlanData::Negaeri, 1008},
                          {&TPlanData::Hokou, 1024},   {&TPlanData::Ishisotsu, 1044}};
    for (const Case &c : cases) {
        TPlanData data;
        data.*c.field = -1;
        const QByteArray bytes = data.toBytes();
        EXPECT_EQ(intAt(bytes, c.offset), -1) << c.offset;
        data.*c.field = 0x01020304;
        EXPECT_EQ(data.toBytes().mid(c.offset, 4), QByteArray("\x04\x03\x02\x01", 4)) << c.offset;
        EXPECT_EQ((*TPlanData::fromBytes(data.toBytes())).*c.field, 0x01020304);
    }
    TPlanData flags;
    flags.Sakuwa = true;
    flags.Shushu = true;
    const QByteArray bytes = flags.toBytes();
    EXPECT_EQ(bytes[868], 1);
    EXPECT_EQ(bytes[882], 1);
    EXPECT_EQ(bytes.mid(869, 13), QByteArray(13, '\0'));
}

TEST(TPlanData, TextsInShiftJisAtTheirOffsets)
{
    TPlanData data;
    data.MahiDownTxt = QStringLiteral("右足a");
    data.ShitsuninTxt = QStringLiteral("失認");
    data.IshisotsuTxt = QStringLiteral("筆談");
    data.Mondai[2] = QStringLiteral("歩行");
    data.Program[5] = QStringLiteral("体操");
    data.EtcMemo = QStringLiteral("拘縮\r\nあり");
    data.Sonota = QStringLiteral("特になし");
    data.DrMemo = QStringLiteral("転倒注意");
    const QByteArray bytes = data.toBytes();

    struct Case
    {
        int offset;
        const char16_t *text;
    };
    for (const Case &c : {Case{150, u"右足a"}, Case{944, u"失認"}, Case{1777, u"筆談"},
                          Case{2409 + 41 * 2, u"歩行"}, Case{2901 + 41 * 5, u"体操"}}) {
        const QByteArray expected = sjis(c.text);
        EXPECT_EQ(uchar(bytes[c.offset]), expected.size()) << c.offset;
        EXPECT_EQ(bytes.mid(c.offset + 1, expected.size()), expected) << c.offset;
    }
    for (const Case &c : {Case{507, u"拘縮\r\nあり"}, Case{1858, u"特になし"}, Case{3147, u"転倒注意"}}) {
        const QByteArray expected = sjis(c.text);
        EXPECT_EQ(bytes.mid(c.offset, expected.size() + 1), expected + '\0') << c.offset;
    }
    EXPECT_EQ(TPlanData::fromBytes(bytes), data);
}

TEST(TPlanData, WriterCutsOnACharacterAndMarksUnknownCharacters)
{
    TPlanData data;
    // 1 + 25 * 2 = 51 bytes into a field of 50: the last kanji does not fit whole.
    data.KansetuTxt = QStringLiteral("a") + QString(25, QChar(u'関'));
    data.ChoryokuRTxt = QStringLiteral("é𠮷x");
    data.DrMemo = QString(600, QChar(u'x'));
    const QByteArray bytes = data.toBytes();
    EXPECT_EQ(uchar(bytes[48]), 49);
    const std::optional<TPlanData> read = TPlanData::fromBytes(bytes);
    EXPECT_EQ(read->KansetuTxt, QStringLiteral("a") + QString(24, QChar(u'関')));
    EXPECT_EQ(read->ChoryokuRTxt, QStringLiteral("??x"));
    EXPECT_EQ(read->DrMemo.size(), 552); // the area keeps its zero byte
    EXPECT_EQ(bytes.size(), 3700);
}

TEST(TPlanData, ReaderClampsLengthsAndIgnoresTheRest)
{
    QByteArray bytes = blankBytes();
    // Length 40 in a field of 50: the 10 bytes after it are not read.
    bytes[99] = 40;
    std::memset(bytes.data() + 100, 'A', 50);
    // A corrupt length beyond the capacity reads the whole field.
    bytes[252] = char(200);
    std::memset(bytes.data() + 253, 'B', 50);
    // A memo area without a zero byte reads as the whole area.
    std::memset(bytes.data() + 3147, 'C', 553);
    // A lead byte without its trail byte decodes as a replacement character.
    bytes[883] = 2;
    bytes[884] = 'x';
    bytes[885] = char(0x82);
    const std::optional<TPlanData> data = TPlanData::fromBytes(bytes);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->MahiUpTxt, QString(40, QChar(u'A')));
    EXPECT_EQ(data->KinryokuTxt, QString(50, QChar(u'B')));
    EXPECT_EQ(data->DrMemo, QString(553, QChar(u'C')));
    EXPECT_EQ(data->ShitsugoTxt, QStringLiteral("x") + QChar(QChar::ReplacementCharacter));
}

// A short body is refused; a longer one reads its first 3,700 bytes.
TEST(TPlanData, ShortBodiesAreRefusedLongerOnesReadTheirBody)
{
    EXPECT_FALSE(TPlanData::fromBytes(QByteArray(3699, '\0')));
    EXPECT_FALSE(TPlanData::fromBytes(QByteArray()));
    TPlanData plan;
    plan.DrMemo = QStringLiteral("特記事項なし");
    plan.Sonota = QStringLiteral("その他");
    const QByteArray longer = plan.toBytes() + QByteArray(300, 'x');
    const std::optional<TPlanData> read = TPlanData::fromBytes(longer);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, plan);
}
