#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ToolRun rpftool(const QStringList &args)
{
    return runTool(q(RPFTOOL), args);
}

// A list template with a title from --var, rows from a CSV file, a counted
// band from --count and a summary with aggregates over two passes.
class RpftoolBuildTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(rpftool({q("compile"), data(q("list.txt")), rpf}).exitCode, 0);
    }

    static QString data(const QString &name) { return q(TAMSOLEN_TEST_DATA "/") + name; }
    QStringList options() const
    {
        return {q("--data"), q("People=") + data(q("people.csv")), q("--var"), q("Heading=Monthly"), q("--count"),
                q("Extra=2")};
    }

    QTemporaryDir dir;
    QString rpf = dir.filePath(q("list.rpf"));
};

TEST_F(RpftoolBuildTest, BuildsPreparedPagesFromCsvValuesAndCounts)
{
    const QString rpd = dir.filePath(q("out.rpd"));
    const ToolRun built = rpftool(QStringList{q("build"), rpf, rpd} + options());
    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    EXPECT_EQ(built.out, q("pages: 1\n"));
    const ToolRun dump = rpftool({q("dump"), rpd});
    for (const char *text : {R"(Memo "1 Sato, Ichiro")", R"(Memo "2 鈴木")", R"(Memo "3 He said \"hi\"")",
                             R"(Memo "1200.0")", R"(Memo "Total 2005 of 5 rows, page 1/1")"})
        EXPECT_TRUE(dump.out.contains(q(text))) << text << "\n" << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains(q("Memo \"Monthly ")));
}

TEST_F(RpftoolBuildTest, WritesPdfAndPngPages)
{
    EXPECT_EQ(rpftool(QStringList{q("build"), rpf, dir.filePath(q("out.pdf"))} + options()).exitCode, 0);
    EXPECT_GT(QFile(dir.filePath(q("out.pdf"))).size(), 1000);
    // 木 shares its glyph with the radical ⽊, which must not come back.
    if (!QStandardPaths::findExecutable(q("pdftotext")).isEmpty()) {
        QProcess text;
        text.start(q("pdftotext"), {dir.filePath(q("out.pdf")), q("-")});
        ASSERT_TRUE(text.waitForFinished(60000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(words.contains(q("2 鈴木"))) << words.toStdString();
    }
    EXPECT_EQ(rpftool(QStringList{q("build"), rpf, dir.filePath(q("out.png"))} + options()).exitCode, 0);
    EXPECT_TRUE(QFile::exists(dir.filePath(q("out-1.png"))));
}

TEST_F(RpftoolBuildTest, ReportsBuildErrorsAndBadOptions)
{
    const ToolRun missing = rpftool({q("build"), rpf, dir.filePath(q("out.rpd")), q("--count"), q("Extra=2")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, q("pages: 0\n"));
    EXPECT_TRUE(missing.err.contains(q("An error occured during calculating\n[Heading]"))) << missing.err.toStdString();
    EXPECT_EQ(rpftool({q("build"), rpf, dir.filePath(q("out.txt"))}).exitCode, 2);
    EXPECT_EQ(rpftool({q("build"), rpf, dir.filePath(q("out.rpd")), q("--var")}).exitCode, 2);
    EXPECT_EQ(rpftool({q("build"), dir.filePath(q("none.rpf")), dir.filePath(q("out.rpd"))}).exitCode, 1);
}

} // namespace
