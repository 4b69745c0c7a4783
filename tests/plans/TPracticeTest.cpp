#include "plans/TPractice.h"
#include "base/Sjis.h"
#include "plans/PracticeRules.h"

#include <gtest/gtest.h>

#include <QtEndian>

// Offsets and sizes below are the stored layout's, written out here on
// purpose rather than taken from the code.
namespace {

qint32 intAt(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

double doubleAt(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<double>(bytes.constData() + offset);
}

// A counted text: its length byte and the bytes it counts.
QByteArray countedAt(const QByteArray &bytes, int offset)
{
    return bytes.mid(offset + 1, uchar(bytes[offset]));
}

QByteArray sjis(const QString &text)
{
    return Sjis::encode(text);
}

} // namespace

TEST(TPractice, RecordIsItsStoredSizeAndReadsBack)
{
    TPractice record;
    record.PractDay = 45432; // 2024-05-20
    record.UserName = QStringLiteral("山田　花子");
    record.Birth = 14702.25; // keeps the time of day
    record.Old = 84;
    record.HDSR = 21;
    record.Grid2[7].Special = 2;
    record.Remark = QStringLiteral("備考の本文");
    record.TeamBox[12] = 6;
    const QByteArray bytes = record.toBytes();
    ASSERT_EQ(bytes.size(), 21480);
    EXPECT_EQ(TPractice::fromBytes(bytes), record);
}

TEST(TPractice, HeaderAndNumbersAtTheirOffsets)
{
    TPractice record;
    record.PractDay = 45432;
    record.UserName = QStringLiteral("山田");
    record.Sex = 1;
    record.Birth = 14702.5;
    record.Old = 83;
    record.HDSR = 5;
    record.TeamBox[0] = 3;
    record.TeamBox[12] = 0x01020304;
    const QByteArray bytes = record.toBytes();
    EXPECT_EQ(doubleAt(bytes, 0), 45432.0);
    EXPECT_EQ(countedAt(bytes, 8), sjis(QStringLiteral("山田")));
    EXPECT_EQ(intAt(bytes, 60), 1);
    EXPECT_EQ(doubleAt(bytes, 64), 14702.5);
    EXPECT_EQ(intAt(bytes, 72), 83);
    EXPECT_EQ(intAt(bytes, 76), -1) << "no care level";
    EXPECT_EQ(intAt(bytes, 2012), 5);
    EXPECT_EQ(intAt(bytes, 21424), 3);
    for (int box = 1; box < 12; ++box)
        EXPECT_EQ(intAt(bytes, 21424 + 4 * box), -1) << box;
    // The last team box ends the record but for four bytes of padding.
    EXPECT_EQ(bytes.mid(21472, 4), QByteArray("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.mid(21476), QByteArray(4, '\0'));
}

TEST(TPractice, TextsAndFlagsAtTheirOffsets)
{
    struct Case
    {
        QString TPractice::*field;
        int offset;
        int capacity;
    };
    const Case counted[] = {{&TPractice::KenkouMemo, 80, 255},     {&TPractice::GapeiMemo, 336, 255},
                            {&TPractice::SeikatsuMemo, 592, 255},  {&TPractice::EtcEdit, 850, 40},
                            {&TPractice::HomeWorkEdit, 892, 100},  {&TPractice::TaiinEdit, 1296, 100},
                            {&TPractice::ExerciseMemo, 1398, 100}, {&TPractice::SonotaMemo, 1908, 100}};
    for (const Case &c : counted) {
        TPractice record;
        record.*c.field = QStringLiteral("あいう");
        EXPECT_EQ(countedAt(record.toBytes(), c.offset), sjis(QStringLiteral("あいう"))) << c.offset;
        // A text over the capacity is cut on a character boundary.
        record.*c.field = QString(c.capacity, u'あ') + u'x';
        const QByteArray cut = countedAt(record.toBytes(), c.offset);
        EXPECT_EQ(cut.size(), c.capacity - c.capacity % 2) << c.offset;
    }
    const std::pair<bool TPractice::*, int> flags[] = {
        {&TPractice::HomeBox, 848},   {&TPractice::EtcBox, 849},      {&TPractice::TaiinBox, 891},
        {&TPractice::Exercise, 1397}, {&TPractice::Sense, 1499},      {&TPractice::Brain, 1601},
        {&TPractice::Koushuku, 1703}, {&TPractice::Arthralgia, 1805}, {&TPractice::Sonota, 1907}};
    for (const auto &[flag, offset] : flags) {
        TPractice record;
        record.*flag = true;
        const QByteArray bytes = record.toBytes();
        EXPECT_EQ(bytes[offset], 1) << offset;
        EXPECT_EQ(bytes.count('\x01'), 1) << offset;
    }
    const std::pair<QString TPractice::*, int> areas[] = {{&TPractice::PTOTST0, 4512},   {&TPractice::Jitchi0, 6562},
                                                          {&TPractice::PTOTST1, 9124},   {&TPractice::Jitchi1, 11174},
                                                          {&TPractice::SelfHope, 12199}, {&TPractice::Remark, 20399}};
    for (const auto &[field, offset] : areas) {
        TPractice record;
        record.*field = QStringLiteral("本文");
        const QByteArray bytes = record.toBytes();
        EXPECT_EQ(bytes.mid(offset, 5), sjis(QStringLiteral("本文")) + '\0') << offset;
    }
}

TEST(TPractice, GridRowsAtTheirOffsets)
{
    TPractice record;
    record.Grid1[0].ABC[0] = QStringLiteral("AB\nC");
    record.Grid1[12].ABC[4] = QStringLiteral("　");
    record.Grid1[12].Goods = QStringLiteral("杖");
    record.Grid1[12].Kaigo = QStringLiteral("見守り");
    record.Grid1[12].Time = QStringLiteral(" 3ヵ月");
    record.Grid1[12].Special = 1;
    record.Grid2[0].ABC[2] = QStringLiteral("C");
    record.Grid2[7].Special = 2;
    const QByteArray bytes = record.toBytes();
    EXPECT_EQ(countedAt(bytes, 2016), QByteArray("AB\nC"));
    const int last = 2016 + 192 * 12;
    EXPECT_EQ(countedAt(bytes, last + 44), sjis(QStringLiteral("　")));
    EXPECT_EQ(countedAt(bytes, last + 55), sjis(QStringLiteral("杖")));
    EXPECT_EQ(countedAt(bytes, last + 116), sjis(QStringLiteral("見守り")));
    EXPECT_EQ(countedAt(bytes, last + 177), sjis(QStringLiteral(" 3ヵ月")));
    EXPECT_EQ(intAt(bytes, last + 188), 1);
    // The second table starts at 7588, not where the third area ends (7587).
    EXPECT_EQ(countedAt(bytes, 7588 + 22), QByteArray("C"));
    EXPECT_EQ(intAt(bytes, 7588 + 192 * 7 + 188), 2);
}

TEST(TPractice, ReaderTakesWhatTheFieldsHold)
{
    QByteArray bytes = TPractice().toBytes();
    EXPECT_FALSE(TPractice::fromBytes(bytes.left(21479)));
    bytes[8] = char(60); // a length byte over the capacity of 50
    bytes.replace(9, 50, QByteArray(50, 'x'));
    QByteArray area(1025, 'y'); // an area without its zero
    bytes.replace(20399, 1025, area);
    const std::optional<TPractice> read = TPractice::fromBytes(bytes + QByteArray(16, 'z'));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->UserName, QString(50, u'x'));
    EXPECT_EQ(read->Remark.size(), 1025);
    EXPECT_EQ(read->TeamBox[0], -1);
}

TEST(TPractice, UnmappableCharactersStoreAsQuestionMarks)
{
    TPractice record;
    record.SelfHope = QStringLiteral("散歩😀");
    record.Grid1[3].Goods = QStringLiteral("車椅子😀");
    const std::optional<TPractice> read = TPractice::fromBytes(record.toBytes());
    EXPECT_EQ(read->SelfHope, QStringLiteral("散歩?"));
    EXPECT_EQ(read->Grid1[3].Goods, QStringLiteral("車椅子?"));
    // An area keeps at most 1024 bytes and its zero; a double-byte
    // character is never split.
    record.Remark = QString(600, u'あ');
    EXPECT_EQ(TPractice::fromBytes(record.toBytes())->Remark, QString(512, u'あ'));
}

TEST(PracticeRules, CellsKeypadMarksAndScore)
{
    EXPECT_EQ(PracticeRules::abcLetters(false, false, true), QStringLiteral("C"));
    EXPECT_EQ(PracticeRules::abcCellText(PracticeRules::abcLetters(true, true, true)), QStringLiteral("AB\nC"));
    EXPECT_EQ(PracticeRules::abcCellText(QStringLiteral("AC")), QStringLiteral("AC"));
    EXPECT_EQ(PracticeRules::keypadValue(u"12"), 12);
    EXPECT_EQ(PracticeRules::keypadValue(u""), 0);
    EXPECT_EQ(PracticeRules::keypadValue(u"99999999999"), 0);
    EXPECT_EQ(PracticeRules::periodText(12, true), QStringLiteral(" 12月"));
    EXPECT_EQ(PracticeRules::periodText(0, false), QStringLiteral(" 0ヵ月"));
    int mark = 0;
    for (const char16_t *shown : {u"○", u"◎", u"　"}) {
        mark = PracticeRules::nextMark(mark);
        EXPECT_EQ(PracticeRules::markText(mark), QString::fromUtf16(shown));
    }
    EXPECT_EQ(PracticeRules::markText(7), QStringLiteral("　"));

    struct Score
    {
        const char16_t *text;
        int score;
        const char16_t *message;
    };
    const Score scores[] = {{u"", 0, nullptr},
                            {u"05", 5, nullptr},
                            {u"30", 30, nullptr},
                            {u"ab", 0, u"半角2文字の数字で入力してください。"},
                            {u"123", 0, u"HDS-R\n入力文字数がオーバーしています。\n半角2文字で入力してください。"}};
    for (const Score &s : scores) {
        int score = -1;
        const std::optional<QString> refused = PracticeRules::checkHds(QString::fromUtf16(s.text), &score);
        EXPECT_EQ(refused.value_or(QString()), s.message ? QString::fromUtf16(s.message) : QString());
        if (!s.message) {
            EXPECT_EQ(score, s.score);
        }
    }
}
