#include "PlanPrintFixture.h"

#include "platform/DbQuery.h"
#include "plans/FigurePicture.h"
#include "printing/CurePlanReport.h"
#include "report/pages/TrpPrinter.h"

#include <QColor>

namespace {

const QString TemplateFile = QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") + CurePlanReport::TemplateName.toString();

// A dark pixel inside a mark's box: the front figure's panel lies at 0,0.
// Whether a mark lies in the 17 x 17 screen pixels at x, y of the figure,
// which is painted at several pixels per screen pixel.
bool markedAt(const QImage &figure, int x, int y)
{
    const int scale = figure.width() / FigurePicture::size().width();
    for (int dy = 0; dy < 17 * scale; ++dy) {
        for (int dx = 0; dx < 17 * scale; ++dx) {
            if (qGray(figure.pixel(x * scale + dx, y * scale + dy)) < 100)
                return true;
        }
    }
    return false;
}

} // namespace

class CurePlanReportTest : public PlanPrintFixture
{
};

TEST_P(CurePlanReportTest, EachRecordPrintsItsOwnPlanWithTheUsersValuesOfToday)
{
    const int yamada = addUser(QStringLiteral("山田　花子"), QStringLiteral("ﾔﾏﾀﾞ"));
    const int sato = addUser(QStringLiteral("佐藤　一郎"), QStringLiteral("ｻﾄｳ"));
    // A pain mark high on the front figure's right, away from its outline.
    const int marked = addPlan(yamada, DateTime::encodeDate(2024, 4, 1), {{2, 0, -1, 90, 20}, {3, 1, 3, -1, -1}});
    const int plain = addPlan(sato, DateTime::encodeDate(2024, 4, 2));
    DbQuery rename(db(), QStringLiteral("UPDATE Person SET Name = :name WHERE CureNo = :no"));
    rename.bind(u"name", QStringLiteral("山田　春子")).bind(u"no", yamada);
    ASSERT_TRUE(exec(rename));

    TrpPrinter printer{QStringList()};
    // A plan that cannot be read sits between two that can.
    CurePlanReport print(db(), QStringLiteral("ケアの里"), {marked, 99999, plain});
    print.report().setPrinter(printer);
    ASSERT_TRUE(print.setUp(TemplateFile));
    ASSERT_TRUE(print.report().PrepareReport());
    ASSERT_FALSE(print.report().hasError()) << print.report().ErrorText().toStdString();
    ASSERT_EQ(print.report().EMFPages().Count(), 3);

    const QStringList first = pageTexts(print.report(), 0);
    EXPECT_TRUE(first.contains(QStringLiteral("山田　春子"))) << "the user's name of today";
    EXPECT_TRUE(first.contains(QStringLiteral("課題山田　花子")));
    const QStringList unread = pageTexts(print.report(), 1);
    EXPECT_TRUE(unread.contains(QStringLiteral("ケアの里")));
    for (const QString &text : unread)
        EXPECT_FALSE(text.contains(QStringLiteral("山田")) || text.contains(QStringLiteral("佐藤")))
            << "nothing of another plan: " << text.toStdString();
    const QStringList last = pageTexts(print.report(), 2);
    EXPECT_TRUE(last.contains(QStringLiteral("佐藤　一郎")));
    EXPECT_FALSE(last.contains(QStringLiteral("課題山田　花子")));

    const std::optional<CurePlanReport::Record> withMark = CurePlanReport::readStored(db(), QString(), marked);
    const std::optional<CurePlanReport::Record> without = CurePlanReport::readStored(db(), QString(), plain);
    ASSERT_TRUE(withMark && without);
    EXPECT_TRUE(markedAt(withMark->figure, 90, 20));
    EXPECT_FALSE(markedAt(without->figure, 90, 20));
    EXPECT_NE(withMark->figure, without->figure) << "the back figure's overlay";
    EXPECT_FALSE(CurePlanReport::readStored(db(), QString(), 99999));
}

TAMSOLEN_DATABASE_TEST_SUITE(CurePlanReportTest);
