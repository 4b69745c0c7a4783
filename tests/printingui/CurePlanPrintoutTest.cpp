#include "TemplateFit.h"

#include "base/Sjis.h"

#include "plans/FigureModel.h"
#include "plans/FigurePicture.h"
#include "plans/PlanRules.h"
#include "printing/CurePlanPrint.h"
#include "printing/CurePlanReport.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPrinter.h"
#include "reportui/TemplatePrintout.h"

#include <QImage>

#include <functional>

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
    ASSERT_TRUE(built.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") +
                                            CurePlanReport::TemplateName.toString()));
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
         {"42", "山田 花子", "Ⅲ", "歩行が不安定", "平行棒歩行", "一行目\n二行目", "■ 抑鬱", "□ 作話"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(pictured);
}

namespace {

QString templateFile()
{
    return QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") + CurePlanReport::TemplateName.toString();
}

// The printout of the plan, with a blank figure.
TemplateFit::Built built(const TPlan &plan, const QString &facility)
{
    QImage figure(40, 30, QImage::Format_RGB32);
    figure.fill(Qt::white);
    CurePlanReport printout(CurePlanPrint(plan, facility), figure);
    if (!printout.report().LoadFromFile(templateFile()))
        return {QStringLiteral("cannot load"), {}, {}};
    return TemplateFit::build(printout.report());
}

// A plan whose every text holds as much as its field accepts, and whose
// lists name their longest entries.
TPlan longestPlan()
{
    using TemplateFit::longest;
    TPlan plan;
    plan.CureNo = 99999999;
    plan.Name = longest(20);
    plan.Sex = 2;
    plan.Birth = DateTime::encodeDate(1928, 12, 28);
    plan.PlanRegistDay = DateTime::encodeDate(2026, 12, 28);
    plan.PlanEndDay = DateTime::encodeDate(2027, 3, 27);
    plan.RihaType = 2;
    plan.KubunCode = 15;
    plan.Jiritsu_KBN = 8;
    plan.Ninchi_KBN = 4;
    plan.YOUKAIGO_KBN = 6;
    for (QString &disease : plan.Disease)
        disease = longest(TPlan::DiseaseBytes, u'疾');
    TPlanData &b = plan.Body;
    for (qint32 *choice : {&b.Kansetsu, &b.MahiUp, &b.MahiDown, &b.MahiFin, &b.KinRyuku, &b.Itami, &b.Shiryoku,
                           &b.ChoryokuL, &b.ChoryokuR, &b.Shitsugo, &b.Shitsunin})
        *choice = 3;
    b.MUp = b.MDown = b.MFin = 6;
    for (QString *remark : {&b.KansetuTxt, &b.MahiUpTxt, &b.MahiDownTxt, &b.MahiFinTxt, &b.KinryokuTxt, &b.ItamiTxt,
                            &b.ShiryokuTxt, &b.ChoryokuLTxt, &b.ChoryokuRTxt})
        *remark = longest(PlanRules::RemarkBytes, u'障');
    b.ShitsugoTxt = b.ShitsuninTxt = longest(PlanRules::ShitsugoBytes, u'語');
    for (qint32 *choice : {&b.Negaeri, &b.Zai, &b.Tachi, &b.Ijyo, &b.Hokou, &b.Haisetsu, &b.Shokuji, &b.Nyuyoku,
                           &b.Kidatsu, &b.Ishisotsu})
        *choice = 1;
    for (QString *remark : {&b.NegaeriTxt, &b.ZaiTxt, &b.TachiTxt, &b.IjyoTxt, &b.HokouTxt, &b.HaisetsuTxt,
                            &b.ShokujiTxt, &b.NyuyokuTxt, &b.KidatsuTxt, &b.IshisotsuTxt})
        *remark = longest(PlanRules::DailyRemarkBytes, u'歩');
    for (int i = 0; i < 6; ++i) {
        b.Mondai[size_t(i)] = longest(PlanRules::LineBytes, u'問');
        b.Mokuhyo[size_t(i)] = longest(PlanRules::LineBytes, u'目');
        b.Program[size_t(i)] = longest(PlanRules::LineBytes, u'訓');
    }
    b.EtcMemo = longest(PlanRules::EtcMemoBytes, u'他');
    b.Sonota = longest(PlanRules::SonotaBytes, u'特');
    b.DrMemo = longest(PlanRules::DrMemoBytes, u'医');
    for (bool *flag : {&b.Sakuwa, &b.Genshi, &b.Mousou, &b.Haikai, &b.Chuya, &b.Bougen, &b.Teikou, &b.Fuketsu,
                       &b.Ishoku, &b.Jihatsu, &b.Kajou, &b.Fuann, &b.Hitorigoto, &b.Utsu, &b.Shushu})
        *flag = true;
    return plan;
}

// The memos of a built page with their places.
struct PlacedText
{
    QRectF rect;
    QString text;
};

std::vector<PlacedText> placedTexts(TrpReport &report)
{
    std::vector<PlacedText> texts;
    for (const std::unique_ptr<TrpView> &view : report.EMFPages()[0].objects())
        if (dynamic_cast<const TrpMemoView *>(view.get()))
            texts.push_back(
                {QRectF(view->Left, view->Top, view->Width, view->Height), view->ExpandedMemo.join(QString())});
    return texts;
}

// The label of a value: the nearest text left of it on its row, or, for
// a column of a table, the nearest text above it; texts of values (in
// "<>") and empty frames are no labels.
QString labelOf(const std::vector<PlacedText> &texts, const PlacedText &value, bool above)
{
    const PlacedText *best = nullptr;
    for (const PlacedText &t : texts) {
        if (t.text.isEmpty() || t.text.startsWith(u'<'))
            continue;
        if (above) {
            const bool column = t.rect.left() < value.rect.right() && t.rect.right() > value.rect.left();
            if (column && t.rect.bottom() <= value.rect.top() + 0.5 && (!best || t.rect.bottom() > best->rect.bottom()))
                best = &t;
        } else {
            const bool row = t.rect.top() < value.rect.bottom() && t.rect.bottom() > value.rect.top();
            if (row && t.rect.right() <= value.rect.left() + 0.5 && (!best || t.rect.right() > best->rect.right()))
                best = &t;
        }
    }
    return best ? best->text : QString();
}

} // namespace

// Every value stands beside (or under) the label the plan record gives its
// field, and every behaviour box carries the editor's caption.
TEST(CurePlanPrintout, LabelsAreTheRecordsNames)
{
    QObject owner;
    TrpReport report(&owner);
    TrpUserDataset dataset(&owner);
    // Each variable and text area of the printout prints as its own name,
    // so that its memo can be found; the behaviour flags are set.
    const CurePlanPrint print(longestPlan(), QString());
    TemplatePrintout::bind(report, dataset, 1, [&print](const QString &name, int) -> std::optional<Variant> {
        const std::optional<Variant> value = print.value(name);
        if (value && value->type() == Variant::Type::Boolean)
            return value;
        if (!value && !print.areaText(u'[' + name + u']'))
            return std::nullopt;
        return Variant(QLatin1Char('<') + name + QLatin1Char('>'));
    });
    ASSERT_TRUE(report.LoadFromFile(templateFile()));
    const TemplateFit::Built page = TemplateFit::build(report);
    ASSERT_EQ(page.error, QString());
    const std::vector<PlacedText> texts = placedTexts(report);

    const struct
    {
        const char16_t *label;
        std::vector<const char16_t *> values;
        bool above = false;
    } fields[] = {
        {u"治療番号", {u"CureNo"}},
        {u"計画登録日", {u"RegistDate"}},
        {u"計画終了日", {u"EndDate"}},
        {u"疾患名", {u"Disease1", u"Disease2", u"Disease3", u"Disease4", u"Disease5", u"Disease6"}},
        {u"関節可動域制限", {u"Kansetsu", u"KansetuTxt"}},
        {u"麻痺・上肢", {u"MahiUp", u"MUp", u"MahiUpTxt"}},
        {u"麻痺・下肢", {u"MahiDown", u"MDown", u"MahiDownTxt"}},
        {u"麻痺・手指", {u"MahiFin", u"MFin", u"MahiFinTxt"}},
        {u"筋力低下", {u"KinRyuku", u"KinryokuTxt"}},
        {u"痛み", {u"Itami", u"ItamiTxt"}},
        {u"視力", {u"Shiryoku", u"ShiryokuTxt"}},
        {u"聴力[左]", {u"ChoryokuL", u"ChoryokuLTxt"}},
        {u"聴力[右]", {u"ChoryokuR", u"ChoryokuRTxt"}},
        {u"その他", {u"EtcMemo", u"Sonota"}},
        {u"失語", {u"Shitsugo", u"ShitsugoTxt"}},
        {u"失認", {u"Shitsunin", u"ShitsuninTxt"}},
        {u"寝返り", {u"Negaeri", u"NegaeriTxt"}},
        {u"座位", {u"Zai", u"ZaiTxt"}},
        {u"立ち上がり", {u"Tachi", u"TachiTxt"}},
        {u"移乗", {u"Ijyo", u"IjyoTxt"}},
        {u"歩行", {u"Hokou", u"HokouTxt"}},
        {u"排泄", {u"Haisetsu", u"HaisetsuTxt"}},
        {u"食事", {u"Shokuji", u"ShokujiTxt"}},
        {u"入浴", {u"Nyuyoku", u"NyuyokuTxt"}},
        {u"着脱", {u"Kidatsu", u"KidatsuTxt"}},
        {u"意思疎通", {u"Ishisotsu", u"IshisotsuTxt"}},
        {u"医師からの特記事項", {u"DrMemo"}},
        {u"問題点", {u"Mondai1", u"Mondai2", u"Mondai3", u"Mondai4", u"Mondai5", u"Mondai6"}, true},
        {u"目標", {u"Mokuhyo1", u"Mokuhyo2", u"Mokuhyo3", u"Mokuhyo4", u"Mokuhyo5", u"Mokuhyo6"}, true},
        {u"プログラム", {u"Program1", u"Program2", u"Program3", u"Program4", u"Program5", u"Program6"}, true},
    };
    for (const auto &field : fields) {
        for (const char16_t *name : field.values) {
            const QString shown = u'<' + QString::fromUtf16(name) + u'>';
            const auto value =
                std::find_if(texts.begin(), texts.end(), [&](const PlacedText &t) { return t.text == shown; });
            ASSERT_NE(value, texts.end()) << shown.toStdString();
            // Labels that wrap print their lines joined.
            EXPECT_EQ(labelOf(texts, *value, field.above), QString::fromUtf16(field.label)) << shown.toStdString();
        }
    }

    // The behaviour boxes: "[Flag #B□;■] caption" in the template.
    const std::pair<const char16_t *, const char16_t *> flags[] = {
        {u"Sakuwa", u"作話"},     {u"Genshi", u"幻視・幻聴"},  {u"Mousou", u"妄想"},         {u"Haikai", u"徘徊"},
        {u"Chuya", u"昼夜逆転"},  {u"Bougen", u"暴言・暴行"},  {u"Teikou", u"介護への抵抗"}, {u"Fuketsu", u"不潔行為"},
        {u"Ishoku", u"異食行動"}, {u"Jihatsu", u"自発性低下"}, {u"Kajou", u"感情失禁"},      {u"Fuann", u"不安焦燥"},
        {u"Hitorigoto", u"独語"}, {u"Utsu", u"抑鬱"},          {u"Shushu", u"収集癖"},
    };
    QStringList boxes;
    const TrpPages &pages = report.Pages();
    for (int i = 0; i < pages.Count(); ++i)
        for (const std::unique_ptr<TrpView> &view : pages[i].Objects)
            if (view->Memo.size() == 1 && view->Memo.first().contains(QStringLiteral(" #B□;■] ")))
                boxes.append(view->Memo.first());
    QStringList expected;
    for (const auto &[flag, caption] : flags)
        expected.append(u'[' + QString::fromUtf16(flag) + QStringLiteral(" #B□;■] ") + QString::fromUtf16(caption));
    EXPECT_EQ(boxes, expected);
}

// The longest text of every field prints whole, inside its box.
TEST(CurePlanPrintout, LongestTextsPrintWholeInsideTheirBoxes)
{
    const TPlan plan = longestPlan();
    const QString facility(60, QChar(u'施'));
    const TemplateFit::Built page = built(plan, facility);
    ASSERT_EQ(page.error, QString());
    ASSERT_EQ(page.pageTexts.size(), 1u);
    EXPECT_TRUE(page.misfits.empty()) << TemplateFit::describe(page.misfits).toStdString();

    const CurePlanPrint print(plan, facility);
    QStringList fields = {facility, plan.Name, plan.Body.EtcMemo, plan.Body.Sonota, plan.Body.DrMemo};
    for (const char16_t *name : {u"Sex", u"RihaType", u"Kubun", u"Kaigodo", u"Birth", u"KansetuTxt", u"ShitsuninTxt",
                                 u"HokouTxt", u"IshisotsuTxt", u"Mondai6", u"Mokuhyo1", u"Program3", u"Disease4"})
        fields.append(print.value(QString::fromUtf16(name))->toText());
    for (const QString &field : fields)
        EXPECT_TRUE(page.pageTexts[0].contains(field)) << field.toStdString();
}

// The printed figures fill the frame headed 身体図.
TEST(CurePlanPrintout, FiguresFillTheirFrame)
{
    const QImage figures = FigurePicture::paint(FigureModel());
    CurePlanReport printout(CurePlanPrint(longestPlan(), QString()), figures);
    ASSERT_TRUE(printout.report().LoadFromFile(templateFile()));
    TrpReport &report = printout.report();
    ASSERT_EQ(TemplateFit::build(report).error, QString());
    const TrpPictureView *picture = nullptr;
    for (const std::unique_ptr<TrpView> &view : report.EMFPages()[0].objects())
        if (auto *p = dynamic_cast<const TrpPictureView *>(view.get()))
            picture = p;
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->Flags & TrpPictureView::pfStretch);
    const QSizeF frame(picture->Width, picture->Height);
    const QSizeF drawn = QSizeF(figures.size()).scaled(frame, Qt::KeepAspectRatio);
    EXPECT_GT(drawn.width(), 0.95 * frame.width());
    EXPECT_GT(drawn.height(), 0.95 * frame.height());
}

// The pages are built once per plan, the master's record, each plan on a
// page of its own.
TEST(CurePlanPrintout, EachPlanPrintsOnItsOwnPage)
{
    const CurePlanPrint print(longestPlan(), QString());
    QObject owner;
    TrpReport report(&owner);
    TrpUserDataset dataset(&owner);
    TemplatePrintout::bind(report, dataset, 3, [&print](const QString &name, int) -> std::optional<Variant> {
        if (auto value = print.value(name))
            return value;
        if (auto text = print.areaText(u'[' + name + u']'))
            return Variant(*text);
        return std::nullopt;
    });
    ASSERT_TRUE(report.LoadFromFile(templateFile()));
    report.ReportType = rtMultiple;
    report.Dataset = &dataset;
    const TemplateFit::Built pages = TemplateFit::build(report);
    ASSERT_TRUE(pages.error.isEmpty()) << pages.error.toStdString();
    ASSERT_EQ(pages.pageTexts.size(), 3u);
    EXPECT_TRUE(pages.pageTexts[2].contains(print.value(QStringLiteral("Mondai6"))->toText()));
}

namespace {

// Bullet lines as a facility writes its notes, each short, up to that many.
QString bullets(int lines, int bytes)
{
    QStringList text;
    for (int i = 1; i <= lines; ++i)
        text.append(QStringLiteral("・転倒歴あり%1回、夜間トイレ誘導").arg(i));
    QString joined = text.join(u"\r\n");
    EXPECT_LE(joined.size() * 2, bytes);
    return joined;
}

// Short bullet lines, one for each item, within the field's bytes.
QString shortBullets(int lines, int bytes, const std::function<QString(int)> &item)
{
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text.append(u'・' + item(i));
    QString joined = text.join(u"\r\n");
    EXPECT_LE(Sjis::byteLength(joined), bytes);
    return joined;
}

// A distinct character from the one given on, or a two-digit number.
std::function<QString(int)> from(char16_t first)
{
    return [first](int i) {
        return QString(QChar(char16_t(first + i)));
    };
}

QString numbered(int i)
{
    return QString::number(10 + i);
}

// The memos of a built page with their places, in page order.
std::vector<PlacedText> pageTexts(TrpEMFPages &pages, int page)
{
    std::vector<PlacedText> texts;
    for (const std::unique_ptr<TrpView> &view : pages[page].objects())
        if (dynamic_cast<const TrpMemoView *>(view.get()))
            texts.push_back(
                {QRectF(view->Left, view->Top, view->Width, view->Height), view->ExpandedMemo.join(QLatin1Char('\n'))});
    return texts;
}

} // namespace

// Clinical notes in bullet lines and long lines, and half-width text at
// every field's byte limit, print inside their boxes, smaller where they
// must; what a box does not hold even at the smallest size goes on on
// sheets after the plan under the box's heading and whose plan it is, and
// every line prints once.
TEST(CurePlanPrintout, EveryDaysTextsPrintInsideTheirBoxes)
{
    const QString lines60 = QStringList(4, QString(60, QChar(u'記'))).join(u"\r\n");
    const QString halfWidth = QStringLiteral("ROM-ex 10min x2, gait 50m OK; BP 128/76 ");
    const auto half = [&halfWidth](int bytes) {
        return halfWidth.repeated(bytes / halfWidth.size() + 1).left(bytes);
    };
    const QString etcHeading = QStringLiteral("その他"), drHeading = QStringLiteral("医師からの特記事項");
    struct Case
    {
        const char *what;
        std::function<void(TPlanData &)> fill;
        // The headings of the boxes going on on continuation sheets.
        QStringList continued = {};
    };
    const Case cases[] = {
        {"five bullet lines beside the figure",
         [](TPlanData &b) {
             b.EtcMemo = bullets(5, PlanRules::EtcMemoBytes);
         }},
        {"seven bullet lines",
         [](TPlanData &b) {
             b.Sonota = b.DrMemo = bullets(7, PlanRules::SonotaBytes);
         }},
        {"four lines of sixty characters",
         [&](TPlanData &b) {
             b.Sonota = b.DrMemo = lines60;
         }},
        {"half-width at the limits",
         [&](TPlanData &b) {
             for (int i = 0; i < 6; ++i)
                 b.Mondai[size_t(i)] = b.Mokuhyo[size_t(i)] = b.Program[size_t(i)] = half(PlanRules::LineBytes);
             for (QString *remark : {&b.KansetuTxt, &b.MahiUpTxt, &b.MahiDownTxt, &b.MahiFinTxt, &b.KinryokuTxt,
                                     &b.ItamiTxt, &b.ShiryokuTxt, &b.ChoryokuLTxt, &b.ChoryokuRTxt})
                 *remark = half(PlanRules::RemarkBytes);
             b.ShitsugoTxt = b.ShitsuninTxt = half(PlanRules::ShitsugoBytes);
             for (QString *remark : {&b.NegaeriTxt, &b.ZaiTxt, &b.TachiTxt, &b.IjyoTxt, &b.HokouTxt, &b.HaisetsuTxt,
                                     &b.ShokujiTxt, &b.NyuyokuTxt, &b.KidatsuTxt, &b.IshisotsuTxt})
                 *remark = half(PlanRules::DailyRemarkBytes);
             b.EtcMemo = half(PlanRules::EtcMemoBytes);
             b.Sonota = half(PlanRules::SonotaBytes);
             b.DrMemo = half(PlanRules::DrMemoBytes);
         }},
        {"forty one-character bullet lines beside the figure",
         [](TPlanData &b) { b.EtcMemo = shortBullets(40, PlanRules::EtcMemoBytes, from(u'あ')); },
         {etcHeading}},
        {"the doctor's notes at their limit in short lines",
         [](TPlanData &b) { b.DrMemo = shortBullets(77, PlanRules::DrMemoBytes, numbered); },
         {drHeading}},
        {"both and the other notes at their limit",
         [](TPlanData &b) {
             b.EtcMemo = shortBullets(40, PlanRules::EtcMemoBytes, from(u'あ'));
             b.Sonota = shortBullets(86, PlanRules::SonotaBytes, from(u'ァ'));
             b.DrMemo = shortBullets(77, PlanRules::DrMemoBytes, numbered);
         },
         {etcHeading, etcHeading, drHeading}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TPlan plan = samplePlan();
        c.fill(plan.Body);
        QImage figure(40, 30, QImage::Format_RGB32);
        figure.fill(Qt::white);
        CurePlanReport printout(CurePlanPrint(plan, QStringLiteral("ケアの里")), figure);
        ASSERT_TRUE(printout.report().LoadFromFile(templateFile()));
        const TemplateFit::Built page = TemplateFit::build(printout.report());
        ASSERT_EQ(page.error, QString());
        EXPECT_TRUE(page.misfits.empty()) << TemplateFit::describe(page.misfits).toStdString();
        ASSERT_EQ(page.pageTexts.size() > 1, !c.continued.isEmpty());
        QStringList printed;
        for (const QStringList &texts : page.pageTexts)
            for (const QString &text : texts)
                printed.append(text.split(u'\n'));
        const TPlanData &b = plan.Body;
        const QString all = printed.join(u'\n');
        for (const QString &text :
             {b.EtcMemo, b.Sonota, b.DrMemo, b.Mondai[0], b.Program[5], b.KansetuTxt, b.IshisotsuTxt, b.ShitsugoTxt})
            for (const QString &line : text.split(QStringLiteral("\r\n")))
                EXPECT_TRUE(all.contains(line)) << line.toStdString();
        if (c.continued.isEmpty())
            continue;
        // Every bullet line prints once, on the plan or after it.
        for (const QString &text : {b.EtcMemo, b.Sonota, b.DrMemo})
            for (const QString &line : text.split(QStringLiteral("\r\n")))
                if (line.startsWith(u'・') && line.size() <= 3) {
                    EXPECT_EQ(printed.count(line), 1) << line.toStdString();
                }
        // Each sheet after the plan says whose plan it goes on with, and
        // the boxes go on under their headings.
        QStringList headings;
        for (size_t i = 1; i < page.pageTexts.size(); ++i) {
            const QStringList &texts = page.pageTexts[i];
            EXPECT_TRUE(texts.contains(QStringLiteral("リハビリテーション治療計画書（続き）"))) << i;
            EXPECT_TRUE(texts.contains(plan.Name)) << i;
            EXPECT_TRUE(texts.contains(QStringLiteral("42"))) << i;
            // A heading wraps as drawn.
            for (QString text : texts)
                if (text.remove(u'\n') == etcHeading || text == drHeading)
                    headings.append(text);
        }
        headings.removeDuplicates();
        QStringList expected = c.continued;
        expected.removeDuplicates();
        EXPECT_EQ(headings, expected);

        // The plan's page is the page of a plan without these texts but
        // for the boxes they begin in.
        TPlan empty = samplePlan();
        for (QString TPlanData::*text : {&TPlanData::EtcMemo, &TPlanData::Sonota, &TPlanData::DrMemo})
            if (b.*text != empty.Body.*text)
                empty.Body.*text = QString();
        CurePlanReport blank(CurePlanPrint(empty, QStringLiteral("ケアの里")), figure);
        ASSERT_TRUE(blank.report().LoadFromFile(templateFile()));
        ASSERT_EQ(TemplateFit::build(blank.report()).pageTexts.size(), 1u);
        const std::vector<PlacedText> before = pageTexts(blank.report().EMFPages(), 0);
        const std::vector<PlacedText> after = pageTexts(printout.report().EMFPages(), 0);
        ASSERT_EQ(before.size(), after.size());
        int boxes = 0;
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(before[i].rect, after[i].rect) << after[i].text.toStdString();
            if (before[i].text != after[i].text) {
                EXPECT_EQ(before[i].text, QString()) << after[i].text.toStdString();
                ++boxes;
            }
        }
        EXPECT_EQ(boxes, int(c.continued.size()));
    }
}
