#include "FakeDialogService.h"

#include "core/CsvWriter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The quoting rule and the line-break rule are chosen apart: each of the
// four writers gives its own bytes for the same values.
TEST(CsvWriter, QuotingAndLineBreaksAreChosenApart)
{
    using Q = CsvWriter::Quoting;
    using B = CsvWriter::LineBreaks;
    const QStringList values{QStringLiteral("a"), QStringLiteral("x\r\ny"), QStringLiteral("\"q\""), QString()};
    struct Case
    {
        Q quoting;
        B breaks;
        QByteArray bytes;
    };
    const Case cases[] = {
        {Q::EveryField, B::Kept, "\"a\",\"x\r\ny\",\"\"\"q\"\"\",\"\""},
        {Q::EveryField, B::Blanked, "\"a\",\"x  y\",\"\"\"q\"\"\",\"\""},
        {Q::WhereNeeded, B::Kept, "a,\"x\r\ny\",\"\"\"q\"\"\","},
        {Q::WhereNeeded, B::Blanked, "a,x  y,\"\"\"q\"\"\","},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CsvWriter(c.quoting, c.breaks).line(values), c.bytes) << c.bytes.toStdString();
}

// Characters Shift-JIS lacks are counted over every line of every part.
TEST(CsvWriter, CountsTheCharactersWrittenAsQuestionMarks)
{
    const CsvWriter writer(CsvWriter::Quoting::WhereNeeded, CsvWriter::LineBreaks::Kept);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    qsizetype unmapped = 0;
    const auto parts = CsvWriter::headedParts({QStringLiteral("名\U0001F600")},
                                              {{QStringLiteral("\U0001F600\U0001F600"), QStringLiteral("山")}});
    EXPECT_TRUE(writer.writeTo(buffer, parts, &unmapped).isEmpty());
    EXPECT_EQ(unmapped, 3);
    EXPECT_EQ(buffer.data(), QByteArray("\x96\xBC?\r\n??,\x8E\x52\r\n"));
}

// The one question before a file is replaced: the warning icon, the
// window's own buttons, and either agreeing answer.
TEST(CsvWriter, AsksBeforeReplacingAFileWithTheWindowsButtons)
{
    FakeDialogService dialogs;
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("a.csv"));
    EXPECT_TRUE(CsvWriter::confirmOverwrite(fileName, MessageButtons::YesNo, Dialogs::asker()));
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "no file, no question";
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const MessageButtons buttons : {MessageButtons::YesNo, MessageButtons::OkNo}) {
        dialogs.queueAnswer(buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok);
        EXPECT_TRUE(CsvWriter::confirmOverwrite(fileName, buttons, Dialogs::asker()));
        dialogs.queueAnswer(MessageAnswer::No);
        EXPECT_FALSE(CsvWriter::confirmOverwrite(fileName, buttons, Dialogs::asker()));
        ASSERT_EQ(dialogs.messages().size(), 2);
        for (const auto &message : dialogs.messages()) {
            EXPECT_EQ(message.type, MessageType::Warning);
            EXPECT_EQ(message.buttons, buttons);
            EXPECT_EQ(message.text, QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？"));
        }
        dialogs.clear();
    }
}
