#include "PartTemplate.h"
#include "PlanPrintFixture.h"

#include "plans/FigurePicture.h"
#include "platform/DbQuery.h"
#include "printing/CurePlanReport.h"
#include "report/objects/TrpPictureView.h"
#include "report/pages/TrpPrinter.h"

#include <QColor>
#include <QDir>
#include <QTemporaryDir>

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
    ASSERT_TRUE(print.report().LoadFromFile(TemplateFile));
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

// A template with no data band of its own, in the report's multiple mode:
// every plan prints its own page, its frames filled as ours are.
TEST_P(CurePlanReportTest, ATemplateWithoutADataBandPrintsEveryPlan)
{
    const int yamada = addUser(QStringLiteral("山田　花子"), QStringLiteral("ﾔﾏﾀﾞ"));
    const int sato = addUser(QStringLiteral("佐藤　一郎"), QStringLiteral("ｻﾄｳ"));
    const std::vector<int> plans{addPlan(yamada, DateTime::encodeDate(2024, 4, 1), {{2, 0, -1, 90, 20}}), 99999,
                                 addPlan(sato, DateTime::encodeDate(2024, 4, 2))};
    PartTemplate part(false, false);
    part.band("Sheet", 2, 36, 995)
        .memo(QStringLiteral("[Shisetsu]"), 0, 62, 680, 16)
        .memo(QStringLiteral("[Name]"), 211, 82, 156, 18)
        .memo(QStringLiteral("[Kaigodo]"), 523, 136, 154, 18)
        .picture(QStringLiteral("[Picture]"), 0, 232, 240, 218)
        .memo(QStringLiteral("[EtcMemo]"), 87, 450, 590, 54)
        .memo(QStringLiteral("[Mondai1]"), 27, 756, 212, 18);
    QTemporaryDir dir;
    ASSERT_TRUE(part.compileInto(dir.path(), CurePlanReport::TemplateName));

    TrpPrinter printer{QStringList()};
    const auto build = [&](const QString &file) {
        auto print = std::make_unique<CurePlanReport>(db(), QStringLiteral("ケアの里"), plans);
        print->report().setPrinter(printer);
        EXPECT_TRUE(print->report().LoadFromFile(file));
        EXPECT_TRUE(print->report().PrepareReport());
        EXPECT_FALSE(print->report().hasError()) << print->report().ErrorText().toStdString();
        return print;
    };
    const auto written = build(QDir(dir.path()).filePath(CurePlanReport::TemplateName.toString()));
    const auto shipped = build(TemplateFile);
    ASSERT_EQ(written->report().EMFPages().Count(), 3);
    PartTemplate::expectSamePlaces(PartTemplate::placed(written->report()), PartTemplate::placed(shipped->report()));
    EXPECT_TRUE(pageTexts(written->report(), 0).contains(QStringLiteral("山田　花子")));
    EXPECT_TRUE(pageTexts(written->report(), 2).contains(QStringLiteral("佐藤　一郎")));
    // Each page's figure is its own plan's.
    const auto figure = [](TrpReport &report, int page) {
        for (const std::unique_ptr<TrpView> &view : report.EMFPages()[page].objects()) {
            if (const auto *picture = dynamic_cast<const TrpPictureView *>(view.get()))
                return picture->pictureData();
        }
        return QByteArray();
    };
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(figure(written->report(), page), figure(shipped->report(), page)) << page;
    EXPECT_NE(figure(written->report(), 0), figure(written->report(), 2));

    // A name no one answers stops the build, which names the report as the
    // printing form has it.
    part.memo(QStringLiteral("[Nowhere]"), 0, 900, 100, 18);
    ASSERT_TRUE(part.compileInto(dir.path(), CurePlanReport::TemplateName));
    CurePlanReport wrong(db(), QString(), plans);
    wrong.report().setPrinter(printer);
    ASSERT_TRUE(wrong.report().LoadFromFile(QDir(dir.path()).filePath(CurePlanReport::TemplateName.toString())));
    EXPECT_TRUE(wrong.report().PrepareReport());
    EXPECT_TRUE(wrong.report().ErrorText().contains(QStringLiteral("\rReport rpReport1\r")))
        << wrong.report().ErrorText().toStdString();
}

TAMSOLEN_DATABASE_TEST_SUITE(CurePlanReportTest);
