#include "core/CsvWriter.h"

#include <QBuffer>

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

