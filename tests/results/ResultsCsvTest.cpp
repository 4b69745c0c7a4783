#include "PersonRows.h"
#include "ResultsFixture.h"

#include "base/Sjis.h"
#include "platform/DbQuery.h"
#include "results/ResultsCsv.h"
#include "results/ResultsEntry.h"

#include <QFile>
#include <QTemporaryDir>

#include <atomic>

namespace {

const TDateTime April = DateTime::encodeDate(2024, 4, 1);
const TDateTime May = DateTime::encodeDate(2024, 5, 1);

QByteArray sjis(const char *utf8)
{
    return Sjis::encode(QString::fromUtf8(utf8));
}

class ResultsCsvTest : public ResultsFixture
{
protected:
    QString path(const QString &name) const { return m_folder.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile(const QString &name)
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_folder;
};

// A good data line with one field replaced.
QByteArray line(int field = -1, const QByteArray &value = {})
{
    QList<QByteArray> fields{"00000012",   sjis("山田 太郎"),    sjis("ﾔﾏﾀﾞ ﾀﾛｳ"),
                             "1940/04/01", sjis("男性"),         "J1",
                             sjis("Ⅱa"),   sjis("要介護2"),      "2020/04/01",
                             "1899/12/30", "2024/04/03",         "10:15",
                             "25",         sjis("通所リハビリ"), "9",
                             sjis("歩行"), sjis(" 鈴木 一郎 ")};
    if (field >= 0)
        fields[field] = value;
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i)
        out += (i ? ",\"" : "\"") + fields[i] + "\"";
    return out + "\r\n";
}

} // namespace

TEST_P(ResultsCsvTest, ExportWritesTheHeaderAndQuotedRows)
{
    CureResult row = ResultRows::make(12, DateTime::encodeDate(2024, 4, 3));
    row.RStartTime = DateTime::encodeTime(9, 5);
    row.Comment = QStringLiteral("言う\"はい\"\r\n〜あいうえおかきくけこ");
    ResultRows::insert(db(), {row, ResultRows::make(13, May)});

    const auto outcome = ResultsCsv(m_app->context).exportMonth(April, May, path(QStringLiteral("out.csv")));
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.text, QStringLiteral("エクスポートを完了しました。"));
    const QByteArray expected =
        sjis("\"利用者番号\",\"氏名\",\"カナ氏名\",\"生年月日\",\"性別\",\"自立区分\",\"認知区分\",\"要介護区分\","
             "\"入所日\",\"退所日\",\"利用日\",\"開始時間\",\"分\",\"形態\",\"区分\",\"備考\",\"担当者\"\r\n"
             "\"00000012\",\"山田 太郎\",\"ﾔﾏﾀﾞ ﾀﾛｳ\",\"1940/04/01\",\"男性\",\"J1\",\"Ⅱa\",\"要介護2\","
             "\"2020/04/01\",\"1899/12/30\",\"2024/04/03\",\"09:05\",\"20\",\"入所\",\"8\","
             "\"言う\"\"はい\"\"  〜あいう\",\"山田 花子\"\r\n");
    EXPECT_EQ(readFile(QStringLiteral("out.csv")), expected);
    // The wave dash is 0x8160 as Windows writes it.
    EXPECT_TRUE(expected.contains("\x81\x60"));
}

TEST_P(ResultsCsvTest, ExportFailuresLeaveNoFile)
{
    const ResultsCsv csv(m_app->context);
    auto outcome = csv.exportMonth(April, May, path(QStringLiteral("none.csv")));
    EXPECT_EQ(outcome.text, QStringLiteral("条件に該当するデータがありません。"));
    EXPECT_EQ(outcome.type, MessageType::Warning);
    ResultRows::insert(db(), {ResultRows::make(12, April)});
    outcome = csv.exportMonth(April, May, path(QStringLiteral("missing/out.csv")));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.text, QStringLiteral("CSVファイル名をオープンできません。"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("none.csv"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing/out.csv"))));
}

TEST_P(ResultsCsvTest, UnmappedCharactersAreReported)
{
    CureResult row = ResultRows::make(12, April);
    row.Comment = QString::fromUcs4(U"\U0001F600") + QStringLiteral("é");
    ResultRows::insert(db(), {row});
    const auto outcome = ResultsCsv(m_app->context).exportMonth(April, May, path(QStringLiteral("out.csv")));
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.type, MessageType::Warning);
    EXPECT_TRUE(outcome.text.contains(u"2個"));
    EXPECT_TRUE(readFile(QStringLiteral("out.csv")).contains("\"??\""));
}

TEST_P(ResultsCsvTest, ImportRefusesEachBadFieldAndWritesNothing)
{
    struct Case
    {
        int field;
        QByteArray value;
        const char *message;
    };
    const Case cases[] = {
        {0, "12a", "治療番号の変換に失敗しました。\n12a"},
        {1, sjis("山山山山山山山山山山山山山山山山山山山"), "氏名の変換に失敗しました。\nサイズエラー"},
        {2, QByteArray(37, 'a'), "かな氏名の変換に失敗しました。\nサイズエラー"},
        {3, "1940/13/01", "生年月日の変換に失敗しました。\n1940/13/01"},
        {4, sjis("不明"), "性別の変換に失敗しました。"},
        {5, "X9", "自立区分の変換に失敗しました。"},
        {6, "X", "認知区分の変換に失敗しました。\nX"},
        {7, sjis("要介護9"), "要介護区分の変換に失敗しました。\n要介護9"},
        {8, "x", "入所日の変換に失敗しました。\nx"},
        {9, "", "退所日の変換に失敗しました。\n"},
        {10, "2024/02/30", "利用日の変換に失敗しました。\n2024/02/30"},
        {11, "25:00", "開始時間の変換に失敗しました。\n25:00"},
        {12, "-5", "分の変換に失敗しました。\n-5"},
        {12, "-1", "分の変換に失敗しました。\n-1"},
        {12, "601", "分の変換に失敗しました。\n601"},
        {12, "2147483647", "分の変換に失敗しました。\n2147483647"},
        {10, "26/02/03", "利用日の変換に失敗しました。\n26/02/03"},
        {10, "0001/01/01", "利用日の変換に失敗しました。\n0001/01/01"},
        {10, "10000/01/01", "利用日の変換に失敗しました。\n10000/01/01"},
        {10, "1899/12/30", "利用日の変換に失敗しました。\n1899/12/30"},
        {3, "2101/01/01", "生年月日の変換に失敗しました。\n2101/01/01"},
        {15, QByteArray(600 * 1024, 'x'), "コメントの変換に失敗しました。\nサイズエラー"},
        {16, QByteArray(100, 'y'), "未登録スタッフエラーです。\nyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy…"},
        {13, sjis("病院"), "リハビリ形態の変換に失敗しました。"},
        {14, "x", "区分の変換に失敗しました。\nx"},
        {14, "16", "区分コードにエラーがあります。\n16"},
        {14, "-1", "区分コードにエラーがあります。\n-1"},
        {15, sjis("あいうえおかきくけこa"), "コメントの変換に失敗しました。\nサイズエラー"},
        {16, sjis(" 佐藤 "), "未登録スタッフエラーです。\n佐藤"},
    };
    for (const Case &c : cases) {
        // The bad line comes after a good one: nothing of the file is kept.
        writeFile(QStringLiteral("in.csv"), line() + line(c.field, c.value));
        const auto outcome = ResultsCsv(m_app->context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker());
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.type, MessageType::Error);
        // The bad line is the second: the message names it beside the value.
        QString expected = QString::fromUtf8(c.message);
        const qsizetype end = expected.indexOf(u'\n');
        expected = end < 0
                       ? expected + QStringLiteral("\n2行目")
                       : expected.left(end + 1) + QStringLiteral("2行目") +
                             (end + 1 == expected.size() ? QString() : QStringLiteral(": ") + expected.mid(end + 1));
        EXPECT_EQ(outcome.text, expected) << "field " << c.field;
    }
    writeFile(QStringLiteral("in.csv"), line() + "\"1\",\"2\"\r\n");
    EXPECT_EQ(ResultsCsv(m_app->context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker()).text,
              QStringLiteral("インポートファイルの項目が一致しません。\n2行目: 2項目（17項目が必要です）"));
    // Files that are not Shift-JIS are named as such, not shown as mojibake.
    for (const QByteArray &bytes :
         {QByteArray("\xEF\xBB\xBF") + line(), Sjis::decode(line()).toUtf8(),
          QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(u"\"1\""), 6), line(1, "\x81\x7F")}) {
        writeFile(QStringLiteral("in.csv"), bytes);
        EXPECT_TRUE(ResultsCsv(m_app->context)
                        .importFile(path(QStringLiteral("in.csv")), Dialogs::asker())
                        .text.startsWith(QStringLiteral("インポートファイルがShift-JIS（CP932）ではありません。")));
    }
    EXPECT_EQ(ResultsCsv(m_app->context).importFile(path(QStringLiteral("gone.csv")), Dialogs::asker()).text,
              QStringLiteral("インポートファイルが見つかりません。"));
    EXPECT_TRUE(ResultRows::all(db()).empty());
}

TEST_P(ResultsCsvTest, ImportWritesTheRowsOfTheFile)
{
    // Blank lines are skipped; the name of 36 bytes and the comment of 20 pass;
    // a doubled quote is read as one; LF alone ends a line too.
    writeFile(QStringLiteral("in.csv"), "\r\n" + line(1, sjis("山山山山山山山山山山山山山山山山山山")) + "\n" +
                                            line(15, sjis("\"\"あいうえおかきく")).replace("\r\n", "\n"));
    const auto outcome = ResultsCsv(m_app->context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker());
    ASSERT_TRUE(outcome.ok) << outcome.text.toStdString();
    EXPECT_EQ(outcome.text, QStringLiteral("インポートしました。"));
    const auto rows = ResultRows::all(db());
    ASSERT_EQ(rows.size(), 2u);
    const CureResult &r = rows[1];
    EXPECT_EQ(r.CureNo, 12);
    EXPECT_EQ(r.ReserveNo, -1);
    EXPECT_EQ(r.CureDate, DateTime::encodeDate(2024, 4, 3));
    EXPECT_EQ(DateTime::shortTime(r.RStartTime), QStringLiteral("10:15"));
    EXPECT_EQ(DateTime::shortTime(r.PStartTime), QStringLiteral("14:05"));
    EXPECT_EQ(r.RMinute, 25);
    EXPECT_EQ(r.PMinute, 0);
    EXPECT_EQ(r.RihaType, 2);
    EXPECT_EQ(r.KubunCode, 9);
    EXPECT_EQ(r.Flags, ResultTypeFlags::derive(2, 9));
    EXPECT_EQ(r.Sex, 0);
    EXPECT_EQ(r.Jiritsu_KBN, 1);
    EXPECT_EQ(r.Ninchi_KBN, 2);
    EXPECT_EQ(r.YOUKAIGO_KBN, 3);
    EXPECT_EQ(r.Comment, QStringLiteral("\"あいうえおかきく"));
    EXPECT_EQ(r.StuffCode, 2);
    EXPECT_EQ(r.StuffKigo, QStringLiteral("ス"));
    EXPECT_EQ(r.HP_TAISHO_YMD, DateTime::None);
    EXPECT_EQ(r.TAISHOBI_YMD, DateTime::None);
    EXPECT_EQ(r.LoginName, QStringLiteral("記録 係"));
    EXPECT_EQ(rows[0].Name, QStringLiteral("山山山山山山山山山山山山山山山山山山"));
}

// Dates and times read as the general parser reads them, whatever their
// form: the export's own, one-digit parts, dashes, blanks, a time of day
// behind the date, digits beyond ASCII.
TEST_P(ResultsCsvTest, DatesAndTimesReadAsTheParserReadsThem)
{
    const ResultsCsv csv(m_app->context);
    const auto convert = [&](int field, const char *text) {
        return csv.convert(*ResultsCsv::importFields(line(field, sjis(text)).chopped(2)), April);
    };
    for (const char *text :
         {"2024/04/03", "2024/4/3", "2024-04-03", " 2024/04/03", "2024/04/03 ", "2024/02/29", "2023/02/29",
          "2024/13/01", "2024/00/10", "2024/04/31", "2024/04/03 10:15", "1900/01/01", "2100/12/31", "2024/04/0a",
          "2024/04/03x", "２０２４/04/03", "+2024/04/03", "1899/12/30"}) {
        const auto expected = DateTime::parse(QString::fromUtf8(text));
        const auto cureDate = convert(10, text);
        const bool taken = expected && DateTime::dateOf(*expected) != DateTime::None;
        ASSERT_EQ(cureDate.row.has_value(), taken) << text;
        if (taken) {
            EXPECT_EQ(cureDate.row->CureDate, DateTime::dateOf(*expected)) << text;
        }
        const auto birth = convert(3, text);
        ASSERT_EQ(birth.row.has_value(), expected.has_value()) << text;
        if (expected) {
            EXPECT_EQ(birth.row->Birth, *expected) << text;
        }
    }
    const std::pair<const char *, TDateTime> times[] = {
        {"10:15", DateTime::encodeTime(10, 15)},
        {"9:05", DateTime::encodeTime(9, 5)},
        {"09:05:30", DateTime::encodeTime(9, 5, 30)},
        {"00:00", 0.0},
        {"23:59", DateTime::encodeTime(23, 59)},
        {"2024/04/03 10:15", DateTime::timeOf(*DateTime::parse(u"2024/04/03 10:15"))},
        {"24:00", -1},
        {"10:60", -1},
        {"1015", -1},
        {"10:1a", -1},
        {" 10:15", -1},
        {"１０:15", -1},
    };
    for (const auto &[text, expected] : times) {
        const auto start = convert(11, text);
        ASSERT_EQ(start.row.has_value(), expected >= 0) << text;
        if (expected >= 0) {
            EXPECT_EQ(start.row->RStartTime, expected) << text;
        }
    }
}

TEST_P(ResultsCsvTest, ExportedFileImportsBackUnchanged)
{
    CureResult row = ResultRows::make(12, DateTime::encodeDate(2024, 4, 30));
    row.Comment = QStringLiteral("「はい」,\"〜−");
    row.StuffCode = 2;
    row.StuffName = QStringLiteral("鈴木 一郎");
    ResultRows::insert(db(), {row});
    const ResultsCsv csv(m_app->context);
    ASSERT_TRUE(csv.exportMonth(April, May, path(QStringLiteral("out.csv"))).ok);
    m_app->dialogs.queueAnswer(MessageAnswer::Yes); // the row is stored already
    ASSERT_TRUE(csv.importFile(path(QStringLiteral("out.csv")), Dialogs::asker()).ok);
    const auto rows = ResultRows::all(db());
    ASSERT_EQ(rows.size(), 2u);
    const CureResult &back = rows[1];
    EXPECT_EQ(back.CureDate, row.CureDate);
    EXPECT_EQ(back.RStartTime, row.RStartTime);
    EXPECT_EQ(back.Name, row.Name);
    EXPECT_EQ(back.Birth, row.Birth);
    EXPECT_EQ(back.Flags, row.Flags);
    EXPECT_EQ(back.StuffCode, 2);
    // The wave dash and minus come back as Windows reads them.
    EXPECT_EQ(back.Comment, QStringLiteral("「はい」,\"～－"));
}

// A session booked but not given (0 minutes) and a day added by hand
// before its therapist was chosen (an empty 担当者) are results too.
TEST_P(ResultsCsvTest, ImportTakesSessionsNotGivenAndDaysWithoutATherapist)
{
    writeFile(QStringLiteral("in.csv"), line(12, "0") + line(16, "  ") + line(12, "600"));
    const auto outcome = ResultsCsv(m_app->context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker());
    ASSERT_TRUE(outcome.ok) << outcome.text.toStdString();
    const auto rows = ResultRows::all(db());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].RMinute, 0);
    EXPECT_EQ(rows[0].StuffCode, 2);
    EXPECT_EQ(rows[1].RMinute, 25);
    EXPECT_EQ(rows[1].StuffCode, -1);
    EXPECT_EQ(rows[1].StuffName, QString());
    EXPECT_EQ(rows[1].StuffKigo, QString());
    EXPECT_EQ(rows[2].RMinute, 600);
}

// A file without a result line says so instead of reporting an import.
TEST_P(ResultsCsvTest, FileWithoutResultsSaysSo)
{
    for (const QByteArray &bytes :
         {QByteArray(), QByteArray("\r\n\r\n"), ResultsCsv::writer().line(ResultsCsv::headerNames()) + "\r\n",
          ResultsCsv::writer().line(ResultsCsv::headerNames())}) {
        writeFile(QStringLiteral("in.csv"), bytes);
        const auto outcome = ResultsCsv(m_app->context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker());
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.type, MessageType::Warning);
        EXPECT_EQ(outcome.text, QStringLiteral("インポートファイルに実績がありません。"));
    }
    EXPECT_TRUE(ResultRows::all(db()).empty());
}

// A month with sessions not given, exported by the system and imported
// into the emptied month, gives back every column the file carries.
TEST_P(ResultsCsvTest, MonthWithSessionsNotGivenComesBackFromItsExport)
{
    TPerson person = PersonRows::make(QStringLiteral("佐藤 花"), QStringLiteral("ｻﾄｳ ﾊﾅ"));
    person.RihaType = 2;
    person.KubunCode = 9;
    person.Sex = 1;
    person.TAISHOBI_YMD = DateTime::encodeDate(2024, 6, 30);
    const int cureNo = PersonRows::insert(db(), person);
    CureResult absent = ResultRows::make(cureNo, April + 2, person.Name);
    absent.RMinute = 0;
    absent.Comment = QStringLiteral("欠席");
    CureResult given = ResultRows::make(cureNo, April + 9, person.Name);
    given.StuffCode = 2;
    given.StuffName = QStringLiteral("鈴木 一郎");
    given.StuffKigo = QStringLiteral("ス");
    given.RStartTime = DateTime::encodeTime(13, 30);
    given.RMinute = 600;
    given.Comment = QStringLiteral("歩行訓練　良好、次回は階段昇降も");
    ResultRows::insert(db(), {absent, given});
    // 利用日追加 as the entry form does it: no therapist, 0 minutes.
    ResultsEntry entry(m_app->context);
    ASSERT_EQ(entry.loadPerson(cureNo), QString());
    ASSERT_TRUE(entry.loadMonth(April, May));
    ASSERT_EQ(entry.addDay(April + 15), QString());
    const auto before = ResultRows::all(db());
    ASSERT_EQ(before.size(), 3u);

    const ResultsCsv csv(m_app->context);
    ASSERT_TRUE(csv.exportMonth(April, May, path(QStringLiteral("april.csv"))).ok);
    ASSERT_TRUE(exec(QStringLiteral("DELETE FROM CureResults")));
    const auto imported = csv.importFile(path(QStringLiteral("april.csv")), Dialogs::asker());
    ASSERT_TRUE(imported.ok) << imported.text.toStdString();
    EXPECT_EQ(imported.text, QStringLiteral("インポートしました。"));
    const auto after = ResultRows::all(db());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[0].RMinute, 0);
    EXPECT_EQ(after[1].RMinute, 600);
    EXPECT_EQ(after[2].RMinute, 0);
    EXPECT_EQ(after[2].StuffCode, -1);
    EXPECT_EQ(after[2].Sex, 1);
    // Exported again, the month gives the same file: every column the file
    // carries came back.
    ASSERT_TRUE(csv.exportMonth(April, May, path(QStringLiteral("again.csv"))).ok);
    EXPECT_EQ(readFile(QStringLiteral("again.csv")), readFile(QStringLiteral("april.csv")));
}

// A line the database refuses after thousands were sent leaves nothing of
// the file; the next import goes through.
TEST_P(ResultsCsvTest, RowRefusedByTheDatabaseLeavesNothing)
{
    ASSERT_TRUE(
        exec(QStringLiteral("CREATE UNIQUE INDEX CureResultsOnce ON CureResults (CureNo, CureDate, RStartTime)")));
    QList<QByteArray> lines;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray day = QDate(2024, 1, 1).addDays(i / 60).toString(u"yyyy/MM/dd").toLatin1();
        const QByteArray start = QTime(8, 0).addSecs(60 * (i % 60)).toString(u"HH:mm").toLatin1();
        lines.append(line(10, day).replace("\"10:15\"", "\"" + start + "\""));
    }
    QList<QByteArray> twice = lines;
    twice.insert(2500, lines[10]);
    writeFile(QStringLiteral("in.csv"), twice.join());
    const auto refused = ResultsCsv(m_app->context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker());
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.text, QStringLiteral("*** System Error 結果テーブル（追加）"));
    EXPECT_TRUE(ResultRows::all(db()).empty());

    writeFile(QStringLiteral("in.csv"), lines.join());
    const auto imported = ResultsCsv(m_app->context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker());
    EXPECT_TRUE(imported.ok) << imported.text.toStdString();
    const auto rows = ResultRows::all(db());
    ASSERT_EQ(rows.size(), 3000u);
    EXPECT_EQ(rows.back().CureDate, DateTime::encodeDate(2024, 2, 19));
    EXPECT_EQ(DateTime::shortTime(rows.back().RStartTime), QStringLiteral("08:59"));
}

TAMSOLEN_DATABASE_TEST_SUITE(ResultsCsvTest);

// Importing a file a second time would double its month: the user is asked
// first, and the default answer imports nothing.
// Two workstations import one file at the same moment: the rows are stored
// once, and the later import asks (answered No) instead of doubling them.
TEST_P(ResultsCsvTest, RacingImportsOfOneFileStoreItOnce)
{
    QByteArray lines;
    for (int minute = 0; minute < 40; ++minute)
        lines += line(11, QByteArray::number(9 + minute / 6) + ":" +
                              QByteArray::number(minute % 6 * 10).rightJustified(2, '0'));
    writeFile(QStringLiteral("in.csv"), lines);
    constexpr int Rounds = 12;
    for (int round = 0; round < Rounds; ++round) {
        ASSERT_TRUE(DbQuery(db(), QStringLiteral("DELETE FROM CureResults")).exec());
        m_app->dialogs.clear();
        std::atomic<int> imported{0};
        std::atomic<int> cancelled{0};
        auto racer = [&](DbConnection &connection) {
            const AppContext context{connection,        m_app->registory, m_app->dbSeting,
                                     m_app->mainModule, m_app->dialogs,   {}};
            const auto outcome = ResultsCsv(context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker());
            imported += outcome.ok;
            cancelled += outcome.text == QStringLiteral("インポートを中止しました。");
        };
        race({racer, racer});
        EXPECT_EQ(imported.load(), 1) << "round " << round;
        EXPECT_EQ(cancelled.load(), 1) << "round " << round;
        EXPECT_EQ(ResultRows::all(db()).size(), 40u) << "round " << round;
        ASSERT_EQ(m_app->dialogs.messages().size(), 1) << "round " << round;
        EXPECT_EQ(
            m_app->dialogs.messages()[0].text,
            QStringLiteral("インポートファイルの40件中40件は登録済みの実績と同じです。\nこのままインポートしますか？"));
    }
}

TEST_P(ResultsCsvTest, ImportAsksBeforeStoringRowsAgain)
{
    writeFile(QStringLiteral("in.csv"), line() + line(11, "11:00"));
    ASSERT_TRUE(ResultsCsv(m_app->context).importFile(path(QStringLiteral("in.csv")), Dialogs::asker()).ok);
    writeFile(QStringLiteral("again.csv"), line() + line(11, "12:00"));
    const auto refused = ResultsCsv(m_app->context).importFile(path(QStringLiteral("again.csv")), Dialogs::asker());
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.text, QStringLiteral("インポートを中止しました。"));
    ASSERT_FALSE(m_app->dialogs.messages().isEmpty());
    EXPECT_EQ(m_app->dialogs.messages().constLast().text,
              QStringLiteral("インポートファイルの2件中1件は登録済みの実績と同じです。\nこのままインポートしますか？"));
    EXPECT_EQ(ResultRows::all(db()).size(), 2u);

    m_app->dialogs.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(ResultsCsv(m_app->context).importFile(path(QStringLiteral("again.csv")), Dialogs::asker()).ok);
    EXPECT_EQ(ResultRows::all(db()).size(), 4u);
}
