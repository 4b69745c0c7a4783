#include "ToolRun.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every printout over the demo database gives pages that pdftoppm reads.
TEST(PrintoutRenderTest, EveryPrintoutOfTheDemoDatabaseGivesPages)
{
    const QString pdftoppm = QStandardPaths::findExecutable(q("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is missing (poppler-utils): the rendered pages cannot be checked";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString connection = q("Provider=SQLite;Data Source=") + dir.filePath(q("demo.db"));
    for (const char *command : {"create", "fill-demo"}) {
        const ToolRun admin = runTool(q(TAMSOLEN_ADMIN), {q(command), q("--connection"), connection});
        ASSERT_EQ(admin.exitCode, 0) << admin.err.toStdString();
    }

    const QString folder = dir.filePath(q("pages"));
    const ToolRun rendered =
        runTool(q(PRINTOUT_RENDER), {q("--connection"), connection, q("--templates"), q(TAMSOLEN_TEMPLATE_DIR), folder},
                120000);
    EXPECT_EQ(rendered.exitCode, 0) << rendered.err.toStdString();

    QStringList names;
    const QRegularExpression line(q("^(.*)\\.pdf (\\d+)$"), QRegularExpression::MultilineOption);
    for (auto match = line.globalMatch(rendered.out); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        const QString stem = found.captured(1);
        names.append(QFileInfo(stem).fileName());
        EXPECT_GE(found.captured(2).toInt(), 1) << stem.toStdString();
        const ToolRun pages = runTool(pdftoppm, {q("-png"), q("-r"), q("20"), stem + q(".pdf"), stem});
        EXPECT_EQ(pages.exitCode, 0) << pages.err.toStdString();
        EXPECT_TRUE(QFileInfo::exists(stem + q("-1.png")) || QFileInfo::exists(stem + q("-01.png")))
            << stem.toStdString();
    }
    names.sort();
    EXPECT_EQ(names, QStringList({q("AllUser"), q("AttendSchedule"), q("CurePlan"), q("DailyMedicalRecord"),
                                  q("DayAttend"), q("OutStandingList"), q("PracticePlan"), q("PrintKeitai"),
                                  q("PrintLimit"), q("PrintPersonKirokusho"), q("PrintScheduleType"),
                                  q("RihaPersonKirokusho"), q("Toukei"), q("UserAttend")}));
}
