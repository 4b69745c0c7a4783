#include "printing/CurePlanPrint.h"
#include "printing/CurePlanReport.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "report/objects/TrpPictureView.h"
#include "report/pages/TrpPrinter.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

TPlan samplePlan()
{
    TPlan plan;
    plan.CureNo = 42;
    plan.Name = QStringLiteral("山田 花子");
    plan.Sex = 1;
    plan.PlanRegistDay = DateTime::encodeDate(2024, 4, 1);
    plan.RihaType = 2;
    plan.KubunCode = 9;
    plan.Jiritsu_KBN = -1;
    plan.YOUKAIGO_KBN = 99;
    plan.Disease[5] = QStringLiteral("高血圧");
    plan.Body.MUp = 3;
    plan.Body.Negaeri = 1;
    plan.Body.Shitsugo = 7;
    plan.Body.Utsu = true;
    plan.Body.Mondai[0] = QStringLiteral("歩行が不安定");
    plan.Body.Program[5] = QStringLiteral("平行棒歩行");
    plan.Body.DrMemo = QStringLiteral("一行目\n二行目");
    return plan;
}

} // namespace

TEST(CurePlanPrint, AnswersItsVariablesByTheirExactNames)
{
    const CurePlanPrint print(samplePlan(), QStringLiteral("ケアの里"));
    const struct
    {
        const char16_t *name;
        QString text;
    } cases[] = {
        {u"CureNo", QStringLiteral("42")},
        {u"Name", QStringLiteral("山田 花子")},
        {u"Sex", QStringLiteral("女性")},
        {u"RihaType", QStringLiteral("通所リハビリ")},
        {u"Kubun", QStringLiteral("短期集中 個別")},
        {u"Jiritsudo", QString()},
        {u"Kaigodo", QString()},
        {u"Disease6", QStringLiteral("高血圧")},
        {u"MUp", QStringLiteral("Ⅲ")},
        {u"Negaeri", QStringLiteral("一部介助")},
        {u"Shitsugo", QString()},
        {u"Mondai1", QStringLiteral("歩行が不安定")},
        {u"Program6", QStringLiteral("平行棒歩行")},
        {u"Shisetsu", QStringLiteral("ケアの里")},
    };
    for (const auto &c : cases) {
        const auto value = print.value(QString::fromUtf16(c.name));
        ASSERT_TRUE(value) << QString::fromUtf16(c.name).toStdString();
        EXPECT_EQ(value->toText().trimmed(), c.text.trimmed()) << QString::fromUtf16(c.name).toStdString();
    }
    // A date never entered prints empty, not as the zero day.
    EXPECT_EQ(print.value(QStringLiteral("EndDate"))->toText(), QString());
    EXPECT_EQ(print.value(QStringLiteral("RegistDate"))->toText(), QStringLiteral("令和06年04月01日"));
    EXPECT_EQ(print.value(QStringLiteral("Utsu"))->toText(), Variant(true).toText());
    // Names are exact: other cases, numbers past six and strangers stay unset.
    for (const char *name : {"cureno", "Mondai7", "Mondai0", "Disease", "Picture"})
        EXPECT_FALSE(print.value(QString::fromLatin1(name))) << name;
    EXPECT_EQ(print.areaText(QStringLiteral("[DrMemo]")), QStringLiteral("一行目\n二行目"));
    EXPECT_FALSE(print.areaText(QStringLiteral("[Name]")));
}

TEST(CurePlanPrintout, BuildsOnePageWithTheFigureAndTheAreas)
{
    const CurePlanPrint print(samplePlan(), QStringLiteral("ケアの里"));
    QImage figure(40, 30, QImage::Format_RGB32);
    figure.fill(Qt::red);
    TrpPrinter printer{QStringList()};
    CurePlanReport built(print, figure);
    TrpReport &report = built.report();
    report.setPrinter(printer);
    ASSERT_TRUE(built.setUp(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") + CurePlanReport::TemplateName.toString()));
    ASSERT_TRUE(report.PrepareReport());
    ASSERT_FALSE(report.hasError()) << report.ErrorText().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 1);
    QStringList texts;
    bool pictured = false;
    for (const std::unique_ptr<TrpView> &view : report.EMFPages()[0].objects()) {
        texts.append(view->ExpandedMemo.join(QLatin1Char('\n')).trimmed());
        if (dynamic_cast<TrpPictureView *>(view.get()))
            pictured = !view->ExpandedMemo.isEmpty();
    }
    for (const char *text :
         {"42", "山田 花子", "Ⅲ", "歩行が不安定", "平行棒歩行", "一行目\n二行目", "■ うつ", "□ 作話"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(pictured);
}
