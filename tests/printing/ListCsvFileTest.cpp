#include "FakeDialogService.h"

#include "printing/ListCsvFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The error box of a step that cannot go on: one Yes button.
UserMessage failure(const QString &text)
{
    return {MessageType::Error, text, MessageButtons::Yes};
}

} // namespace

TEST(ListCsvFile, LinesAreQuotedShiftJisWithInnerQuotesDoubled)
{
    // "山田" in Shift-JIS, a quote doubled, a comma kept inside its quotes,
    // a character Shift-JIS lacks written as "?".
    const CsvWriter every(ListCsvFile::Quoting::EveryField, CsvWriter::LineBreaks::Kept);
    EXPECT_EQ(every.line({QStringLiteral("山田"), QStringLiteral("a\"b"), QStringLiteral("1,2"),
                          QStringLiteral("x\U0001F600")}),
              "\"" + QByteArray::fromHex("8e529363") + "\",\"a\"\"b\",\"1,2\",\"x?\"");
    // Quoted only where a comma, a quote or a line break would shift the
    // columns; empty fields stay empty.
    const CsvWriter needed(ListCsvFile::Quoting::WhereNeeded, CsvWriter::LineBreaks::Kept);
    EXPECT_EQ(needed.line({QStringLiteral("山田"), QStringLiteral("a\"b"), QStringLiteral("1,2"), QString(),
                           QStringLiteral("x\r\ny"), QStringLiteral("z\n"), QStringLiteral(" 9 ")}),
              QByteArray::fromHex("8e529363") + ",\"a\"\"b\",\"1,2\",,\"x\r\ny\",\"z\n\", 9 ");
}

TEST(ListCsvFile, TargetNamesACsvFileAndCreatesItsFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a/b"));
    std::vector<UserMessage> told;
    EXPECT_EQ(ListCsvFile::target(folder + QStringLiteral("/list.txt"), told), folder + QStringLiteral("/list.csv"));
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(ListCsvFile::target(folder + QStringLiteral("/list"), told), folder + QStringLiteral("/list.csv"));
    EXPECT_TRUE(told.empty());

    struct Case
    {
        QString path;
        const char16_t *message;
    };
    const Case cases[] = {
        {QStringLiteral("未設定"), u"ディレクトリが未設定です。"},
        {QStringLiteral("list.csv"), u"ディレクトリが見つかりません。"},
        {folder + QStringLiteral("/"), u"ファイル名が見つかりません。"},
    };
    for (const Case &c : cases) {
        told.clear();
        EXPECT_FALSE(ListCsvFile::target(c.path, told)) << c.path.toStdString();
        EXPECT_EQ(told, std::vector<UserMessage>({failure(QString::fromUtf16(c.message))}));
    }
}

TEST(ListCsvFile, WritesWholeFilesAndAsksBeforeReplacingOne)
{
    FakeDialogService dialogs;
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("list.csv"));
    std::vector<UserMessage> told;
    EXPECT_TRUE(CsvWriter::confirmOverwrite(fileName, MessageButtons::OkNo, Dialogs::asker()));
    ASSERT_TRUE(
        ListCsvFile::write(fileName, {QStringLiteral("番号")}, {{QStringLiteral("1")}, {QStringLiteral("2")}}, told));
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(readAll(fileName), QByteArray("\"\x94\xD4\x8D\x86\"\r\n\"1\"\r\n\"2\"\r\n"));

    dialogs.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(CsvWriter::confirmOverwrite(fileName, MessageButtons::OkNo, Dialogs::asker()));
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？")}));
    dialogs.queueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(CsvWriter::confirmOverwrite(fileName, MessageButtons::OkNo, Dialogs::asker()));

    // A file that cannot be opened is an error, never a success, and leaves
    // nothing behind.
    const QString folderAsFile = dir.filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkpath(folderAsFile));
    EXPECT_FALSE(ListCsvFile::write(folderAsFile, {QStringLiteral("x")}, {}, told));
    EXPECT_EQ(told, std::vector<UserMessage>({failure(QStringLiteral("CSVファイル名をオープンできません。"))}));
}
