#include "FakeDialogService.h"
#include "MonthlyListsFixture.h"

#include "base/Sjis.h"
#include "printing/ListCsvFile.h"
#include "printing/ScheduleTypeList.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A device with room for so many bytes: a disk that fills up.
class ShortDevice : public QIODevice
{
public:
    explicit ShortDevice(qsizetype room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        if (size > m_room)
            return -1;
        m_room -= size;
        return size;
    }

private:
    qsizetype m_room;
};

class ScheduleTypeListTest : public MonthlyListsFixture
{
protected:
    static CureResult withKana(CureResult row, const QString &kana)
    {
        row.Kana = kana;
        return row;
    }
    // Two users read ﾔﾏﾀﾞ ﾀﾛｳ (numbers 7 and 3), one ｱｵｷ with a blank in
    // front; a 短期入所 result that the 入所 list leaves out.
    void insertMonth()
    {
        const QString yamada = QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ");
        ResultRows::insert(db(), {withKana(result(7, 2, 14, 20, 1), yamada), withKana(result(7, 2, 9, 20, 2), yamada),
                                  withKana(result(3, 2, 10, 20, 1), yamada + QStringLiteral("  ")),
                                  withKana(result(3, 9, 10, 20, 0), yamada),
                                  withKana(result(5, 4, 10, 20, 1), QStringLiteral(" ｱｵｷ")),
                                  withKana(result(5, 6, 10, 20, 2, 1), QStringLiteral(" ｱｵｷ"))});
    }
};

} // namespace

TEST_P(ScheduleTypeListTest, ALinePerReadingAndUserInKanaOrder)
{
    insertMonth();
    const auto list = read<ScheduleTypeList>(april());
    ASSERT_TRUE(list);
    const auto value = [&list](const char *name, int line, int day = 0) {
        return text(list->value(QString::fromLatin1(name), line, day));
    };
    // Two users with the same reading keep a line each.
    ASSERT_EQ(list->lines().size(), 3u);
    EXPECT_EQ(value("CureNo", 0), QStringLiteral("00000005 利用者5"));
    EXPECT_EQ(value("CureNo", 1), QStringLiteral("00000003 利用者3"));
    EXPECT_EQ(value("CureNo", 2), QStringLiteral("00000007 利用者7"));
    EXPECT_EQ(value("Keitai", 2), QStringLiteral("入所"));
    EXPECT_EQ(value("Kaishibi", 2), QStringLiteral("R02.04.01"));
    // Two staff members on one day: the earlier treatment's mark.
    EXPECT_EQ(value("Kigou", 2, 1), QStringLiteral("ス"));
    EXPECT_EQ(value("Kigou", 1, 1), QStringLiteral("ヤ"));
    // A result without a mark leaves the day empty.
    EXPECT_EQ(value("Kigou", 1, 8), QString());
    EXPECT_EQ(value("Shokei", 1), QStringLiteral("1"));
    EXPECT_EQ(value("Sum", 0, 1), QStringLiteral("2"));
    EXPECT_EQ(value("Sum", 0, 5), QStringLiteral("0"));
    EXPECT_EQ(value("Total", 0), QStringLiteral("3"));
    EXPECT_EQ(value("Sum", 0, 30), QString());
    EXPECT_EQ(value("Kigou", 0, 30), QString());
    EXPECT_EQ(value("Jishibi", 0), QStringLiteral("令和06年04月"));
    EXPECT_EQ(value("CureNo", 3), QString());

    MonthlyChoice tanki = april();
    tanki.rihaType = 1;
    const auto other = read<ScheduleTypeList>(tanki);
    ASSERT_TRUE(other);
    ASSERT_EQ(other->lines().size(), 1u);
    EXPECT_EQ(text(other->value(QStringLiteral("Keitai"), 0, 0)), QStringLiteral("短期入所"));
    tanki.rihaType = 3;
    EXPECT_FALSE(read<ScheduleTypeList>(tanki));
}

TEST_P(ScheduleTypeListTest, BuiltPagesHoldTheMarksUnderTheirDays)
{
    insertMonth();
    const auto pages = built<ScheduleTypeList>(april());
    ASSERT_EQ(pages.size(), 1u);
    const auto &page = pages[0];
    EXPECT_EQ(placeOf(page, QStringLiteral("ヤ")).x(), placeOf(page, QStringLiteral(" 4")).x());
    EXPECT_EQ(placeOf(page, QStringLiteral("ス")).x(), placeOf(page, QStringLiteral(" 2")).x());
    EXPECT_LT(placeOf(page, QStringLiteral("00000005 利用者5")).y(),
              placeOf(page, QStringLiteral("00000003 利用者3")).y());
    EXPECT_NE(placeOf(page, QStringLiteral("山田 花子")), QPoint());
    EXPECT_NE(placeOf(page, QStringLiteral("令和06年04月")), QPoint());
}

TEST_P(ScheduleTypeListTest, ATemplateWiredToTheSevenDataSetsPrintsWhatOursPrints)
{
    insertMonth();
    // The lines as a data band over data set 1, the sums over data set 5.
    PartTemplate part = dayTable();
    part.band("Cells", 5, 110, 34, QStringLiteral("rpUserDataset1"))
        .memo(QStringLiteral("[CureNo]"), 0, 110, 110, 34)
        .memo(QStringLiteral("[Keitai]"), 110, 110, 62, 17)
        .memo(QStringLiteral("[Kaishibi]"), 110, 127, 62, 17)
        .memo(QStringLiteral("[Kigou]"), 172, 110, 24, 34)
        .memo(QStringLiteral("[Shokei]"), 916, 110, 40, 34)
        .band("Sums", 5, 154, 20, QStringLiteral("rpUserDataset5"))
        .memo(QStringLiteral("[Sum]"), 172, 154, 24, 20)
        .memo(QStringLiteral("[Total]"), 916, 154, 40, 20);
    QTemporaryDir dir;
    ASSERT_TRUE(part.compileInto(dir.path(), ScheduleTypeList::TemplateName));
    const auto written = built<ScheduleTypeList>(april(), dir.path());
    PartTemplate::expectSamePlaces(written, built<ScheduleTypeList>(april()));
    ASSERT_EQ(written.size(), 1u);
    // The two marks of the 2nd under its heading, and their sum of 2.
    const int second = placeOf(written[0], QStringLiteral(" 2")).x();
    EXPECT_EQ(placeOf(written[0], QStringLiteral("ス")).x(), second);
    EXPECT_EQ(placeOf(written[0], QStringLiteral("2")).x(), second);
    EXPECT_FALSE(placeOf(written[0], QStringLiteral("30")).isNull());
}

TEST_P(ScheduleTypeListTest, CsvOfAShortMonthWithItsLegend)
{
    // February 2023 has 28 days; the 1st of March is not in it.
    CureResult march = result(1, 1, 10, 20, 1);
    march.CureDate = DateTime::encodeDate(2023, 3, 1);
    ResultRows::insert(db(), {march});
    auto &staff = m_app->mainModule;
    StaffDirectory members = staff.staff();
    for (int code = 3; code <= 5; ++code)
        members.append({code, QStringLiteral("職員%1").arg(code), QStringLiteral("K%1").arg(code)});
    staff.setStaff(std::move(members));
    staff.FacilityName = QStringLiteral("苑\"本館\"");
    MonthlyChoice february;
    february.month = DateTime::encodeDate(2023, 2, 10);
    EXPECT_FALSE(read<ScheduleTypeList>(february));
    CureResult last = result(1, 1, 10, 20, 2);
    last.CureDate = DateTime::encodeDate(2023, 2, 28);
    ResultRows::insert(db(), {last});
    const auto list = read<ScheduleTypeList>(february);
    ASSERT_TRUE(list);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("type.csv"));
    std::vector<UserMessage> told;
    ASSERT_TRUE(ListCsvFile::write(fileName, list->csvFile(), told));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 10);
    // The facility's quotes are doubled.
    EXPECT_EQ(lines[0], Sjis::encode(QStringLiteral("\"入所スケジュール表\",\"作成日 令和06年04月20日\","
                                                    "\"施設名　苑\"\"本館\"\"\"\r")));
    EXPECT_EQ(lines[1], Sjis::encode(QStringLiteral("\"日付\",\"令和05年02月\"\r")));
    EXPECT_TRUE(lines[2].endsWith(Sjis::encode(QStringLiteral("\"27日\",\"28日\",\"合計\"\r"))));
    EXPECT_EQ(lines[2].count(',') + 1, 3 + 28 + 1);
    EXPECT_EQ(lines[3].count(',') + 1, 3 + 28 + 1);
    EXPECT_TRUE(lines[3].endsWith(Sjis::encode(QStringLiteral("\"ス\",\"1\"\r"))));
    EXPECT_EQ(lines[4].count(',') + 1, 3 + 28 + 1);
    EXPECT_TRUE(lines[4].startsWith(Sjis::encode(QStringLiteral("\"\",\"\",\"合計\",\"0\","))));
    EXPECT_EQ(lines[6], Sjis::encode(QStringLiteral("\"K5\",\"職員5\",\" \",\" \",\" \",\" \",\" \",\" \"\r")));
    EXPECT_EQ(lines[7], QByteArray("\" \",\" \",\" \",\" \",\" \",\" \",\" \",\" \"\r"));
    EXPECT_EQ(lines[8], lines[7]);
}

// A file that takes the title line and no more: the date line's own box.
TEST_P(ScheduleTypeListTest, ADateLineThatCannotBeWrittenSaysSo)
{
    insertMonth();
    const auto list = read<ScheduleTypeList>(april());
    ASSERT_TRUE(list);
    const ListCsvFile::Content content = list->csvFile();
    QBuffer full;
    full.open(QIODevice::WriteOnly);
    std::vector<UserMessage> told;
    ASSERT_TRUE(ListCsvFile::writeTo(full, content, told));
    const qsizetype title = full.data().indexOf('\n') + 1;
    ASSERT_GT(title, 0);
    EXPECT_TRUE(full.data().mid(title).startsWith(Sjis::encode(QStringLiteral("\"日付\","))));

    const qsizetype date = full.data().indexOf('\n', title) + 1;
    for (const qsizetype room : {qsizetype(0), title, date}) {
        told.clear();
        ShortDevice device(room);
        EXPECT_FALSE(ListCsvFile::writeTo(device, content, told));
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].type, MessageType::Error);
        EXPECT_EQ(told[0].buttons, MessageButtons::Yes);
        EXPECT_EQ(told[0].text, room == 0       ? QStringLiteral("タイトルの書き出しができません。")
                                : room == title ? QStringLiteral("日付の書き出しができません。")
                                                : QStringLiteral("書き出しでエラーが発生しました。"))
            << room;
    }
}

TAMSOLEN_DATABASE_TEST_SUITE(ScheduleTypeListTest);
