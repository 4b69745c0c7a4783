#include "TemplateFit.h"

#include "core/TMainModule.h"
#include "plans/PracticeRules.h"
#include "printing/PracticePlanReport.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpEMFPages.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using TemplateFit::longest;

const QString Name = QStringLiteral("山田　花子");
const QString PlanDate = QStringLiteral("令和06年04月01日");

TPractice plan()
{
    TPractice record;
    record.PractDay = DateTime::encodeDate(2024, 4, 1);
    record.Birth = DateTime::encodeDate(1940, 5, 17);
    record.UserName = Name;
    return record;
}

// The areas under the two tables and those of page (2).
QString TPractice::*const Areas[] = {
    &TPractice::PTOTST0, &TPractice::Kango0,     &TPractice::Jitchi0,     &TPractice::PTOTST1,   &TPractice::Kango1,
    &TPractice::Jitchi1, &TPractice::SelfHope,   &TPractice::FarmilyHope, &TPractice::LifePoint, &TPractice::RihaTerget,
    &TPractice::SelfDo,  &TPractice::AskFarmily, &TPractice::DiseseCare,  &TPractice::Variation, &TPractice::Remark};

// A memo as printed: its text, box, placement and font size.
struct Memo
{
    QString text;
    QRect box;
    qint32 adjust = 0;
    qint32 points = 0;
};

struct Printout
{
    TemplateFit::Built built;
    std::vector<std::vector<Memo>> memos;
};

Printout printed(const TPractice &record, const QString &staffName = QStringLiteral("佐藤"))
{
    TMainModule staff;
    staff.FacilityName = longest(60, u'苑');
    StaffDirectory team;
    for (int code = 1; code <= TPractice::TeamBoxes; ++code)
        team.append({code, staffName});
    staff.setStaff(std::move(team));
    PracticePlanReport print(staff, record);
    Printout out;
    if (!print.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") +
                                     PracticePlanReport::TemplateName.toString())) {
        out.built.error = QStringLiteral("not loaded");
        return out;
    }
    out.built = TemplateFit::build(print.report());
    TrpEMFPages &pages = print.report().EMFPages();
    for (int i = 0; i < pages.Count(); ++i) {
        out.memos.emplace_back();
        for (const std::unique_ptr<TrpView> &view : pages[i].objects())
            if (const auto *memo = dynamic_cast<const TrpMemoView *>(view.get()))
                out.memos.back().push_back({memo->ExpandedMemo.join(u'\n'),
                                            QRect(memo->Left, memo->Top, memo->Width, memo->Height), memo->Adjust,
                                            memo->Font.Size});
    }
    return out;
}

const Memo *memoOf(const std::vector<Memo> &page, const QString &text)
{
    for (const Memo &memo : page)
        if (memo.text == text)
            return &memo;
    return nullptr;
}

} // namespace

// The health box of a new plan holds the user's six disease lines, most of
// them empty: what they say prints inside the box, from its top, at a
// readable size, wherever the empty lines stand.
TEST(PracticePlanPrintout, TheHealthBoxHoldsItsTextWhateverItsEmptyLines)
{
    for (const QString &health : {QStringLiteral("脳梗塞\n\n\n\n\n"), QStringLiteral("\n\n\n\n\n脳梗塞"),
                                  QStringLiteral("\n脳梗塞\r\n\n高血圧\n\n")}) {
        SCOPED_TRACE(health.toStdString());
        TPractice record = plan();
        record.KenkouMemo = health;
        const Printout out = printed(record);
        ASSERT_EQ(out.built.error, QString());
        EXPECT_TRUE(out.built.misfits.empty()) << TemplateFit::describe(out.built.misfits).toStdString();
        ASSERT_FALSE(out.memos.empty());
        const std::vector<Memo> &page = out.memos[0];
        const Memo *label = memoOf(page, QStringLiteral("健康状態\n(原因疾患，発症・受傷日等)"));
        const Memo *box = nullptr;
        for (const Memo &memo : page)
            if (memo.text.contains(u"脳梗塞"))
                box = &memo;
        ASSERT_TRUE(label && box);
        // In the label's row, to its right, from the top.
        EXPECT_EQ(box->box.top(), label->box.top());
        EXPECT_EQ(box->box.height(), label->box.height());
        EXPECT_EQ(box->box.left(), label->box.right() + 1);
        EXPECT_EQ(box->adjust & (TrpMemoView::adVCenter | TrpMemoView::adBottom), 0);
        EXPECT_GE(box->points, 7);
        EXPECT_TRUE(box->text.startsWith(u"脳梗塞"));
    }
    TPractice record = plan();
    record.KenkouMemo = QStringLiteral("\n脳梗塞\r\n\n高血圧\n\n");
    const Printout out = printed(record);
    ASSERT_FALSE(out.memos.empty());
    EXPECT_TRUE(memoOf(out.memos[0], QStringLiteral("脳梗塞　高血圧")));
}

// A plan handed to a family: every sheet carries the title, the user's name
// and the plan date; a table's heading stands on the sheet of its first row;
// every text lies whole in its box, from short texts to every field's limit.
TEST(PracticePlanPrintout, EverySheetCarriesItsHeadingAndEveryTableItsRows)
{
    using namespace PracticeRules;
    for (const int chars : {0, 40, 60, AreaBytes / 2}) {
        SCOPED_TRACE(chars);
        TPractice record = plan();
        for (QString TPractice::*area : Areas)
            record.*area = QString(chars, QChar(u'漢'));
        if (chars == AreaBytes / 2) {
            record.UserName = longest(50, u'氏');
            for (QString *memo : {&record.KenkouMemo, &record.GapeiMemo, &record.SeikatsuMemo})
                *memo = longest(HeaderMemoBytes, u'健');
            record.EtcEdit = longest(EtcEditBytes, u'他');
            for (QString *edit : {&record.HomeWorkEdit, &record.SocialEdit, &record.GoOutEdit, &record.FreeTimeEdit,
                                  &record.TaiinEdit, &record.ExerciseMemo, &record.SenseMemo, &record.BrainMemo,
                                  &record.KoushukuMemo, &record.ArthralgiaMemo, &record.SonotaMemo})
                *edit = longest(LineBytes, u'生');
            for (auto *grid : {&record.Grid1[0], &record.Grid1[12], &record.Grid2[0], &record.Grid2[7]}) {
                grid->Goods = longest(CellBytes, u'棒');
                grid->Kaigo = longest(CellBytes, u'介');
            }
        }
        const QString name = record.UserName;
        // A care-team member's name as long as the staff table takes it.
        const Printout out = printed(record, longest(30, u'職'));
        ASSERT_EQ(out.built.error, QString());
        EXPECT_TRUE(out.built.misfits.empty()) << TemplateFit::describe(out.built.misfits).toStdString();
        ASSERT_GE(out.memos.size(), 2u);
        QString all;
        for (size_t i = 0; i < out.memos.size(); ++i) {
            const QStringList &texts = out.built.pageTexts[i];
            const QString sheet = texts.join(u'\n');
            all += sheet;
            EXPECT_TRUE(sheet.contains(u"リハビリテーション実施計画書（")) << "sheet " << i + 1;
            EXPECT_TRUE(texts.contains(name)) << "sheet " << i + 1;
            EXPECT_TRUE(texts.contains(PlanDate)) << "sheet " << i + 1;
            // A heading of the tables with its first row.
            EXPECT_EQ(texts.contains(u"活動　Ａ：目標\nＢ：実行状況　Ｃ：能力"_qs), sheet.contains(u"トイレへの移動"))
                << "sheet " << i + 1;
            EXPECT_EQ(texts.contains(u"起居動作　Ａ：目標\nＢ：実行状況　Ｃ：能力"_qs), sheet.contains(u"寝返り"))
                << "sheet " << i + 1;
        }
        // Every area whole on one sheet, under its label.
        for (QString TPractice::*area : Areas) {
            if (chars == 0)
                break;
            int sheets = 0;
            for (const QStringList &texts : out.built.pageTexts)
                sheets += texts.contains(record.*area) ? 1 : 0;
            EXPECT_GE(sheets, 1);
        }
        EXPECT_EQ(all.count(u'漢'), chars * qsizetype(std::size(Areas)));
    }
}

namespace {

// Text at a field's byte limit in half-width letters, digits and signs.
QString halfWidth(int bytes)
{
    const QString words = QStringLiteral("T-cane, AFO; walker 10m x3 OK ");
    return words.repeated(bytes / words.size() + 1).left(bytes);
}

// Where a page's number stands: the memo of "n / m".
const Memo *pageNumberOf(const std::vector<Memo> &page)
{
    for (const Memo &memo : page)
        if (memo.text.contains(QStringLiteral(" / ")) && memo.text.size() <= 9)
            return &memo;
    return nullptr;
}

} // namespace

// The texts a facility writes every day: the pickers' three lines in the
// tables' cells, half-width text at every field's limit, areas of two or
// three lines and one longer than a sheet. Each prints inside its box,
// above the page number, every character on paper.
TEST(PracticePlanPrintout, EveryDaysTextsPrintInsideTheirBoxes)
{
    using namespace PracticeRules;
    const QString picked = QStringLiteral("四点杖\r\n短下肢装具\r\n歩行器");
    const QString cared = QStringLiteral("見守り\r\n手引き\r\n声かけ");
    QStringList shortLines;
    for (int i = 0; i < 160; ++i)
        shortLines.append(QStringLiteral("・%1").arg(i % 10));
    struct Case
    {
        const char *what;
        std::function<void(TPractice &)> fill;
        // The sheets the plan may take.
        size_t sheets = 2;
    };
    const Case cases[] = {
        {"the pickers' three lines",
         [&](TPractice &r) {
             for (auto *grid : {&r.Grid1[0], &r.Grid1[6], &r.Grid1[12], &r.Grid2[0], &r.Grid2[7]}) {
                 grid->Goods = picked;
                 grid->Kaigo = cared;
             }
         },
         3},
        {"half-width at the limits",
         [&](TPractice &r) {
             for (QString *edit : {&r.HomeWorkEdit, &r.SocialEdit, &r.GoOutEdit, &r.FreeTimeEdit, &r.TaiinEdit,
                                   &r.ExerciseMemo, &r.SenseMemo, &r.BrainMemo, &r.KoushukuMemo, &r.ArthralgiaMemo,
                                   &r.SonotaMemo})
                 *edit = halfWidth(LineBytes);
             r.EtcEdit = halfWidth(EtcEditBytes);
             for (auto *grid : {&r.Grid1[0], &r.Grid1[12], &r.Grid2[0], &r.Grid2[7]})
                 grid->Goods = grid->Kaigo = halfWidth(CellBytes);
         }},
        {"three short lines in the impairment memos",
         [](TPractice &r) {
             for (QString *memo : {&r.ExerciseMemo, &r.SenseMemo, &r.BrainMemo, &r.KoushukuMemo, &r.ArthralgiaMemo,
                                   &r.SonotaMemo})
                 *memo = QStringLiteral("右片麻痺\r\n歩行時ふらつき\r\n握力低下");
         }},
        {"areas of two lines",
         [](TPractice &r) {
             for (QString *area : {&r.PTOTST0, &r.Kango0, &r.Jitchi0, &r.PTOTST1, &r.Kango1, &r.Jitchi1})
                 *area = QStringLiteral("歩行訓練\r\n自主練習の指導");
         }},
        {"areas of three lines",
         [](TPractice &r) {
             for (QString *area : {&r.PTOTST0, &r.Kango0, &r.Jitchi0, &r.PTOTST1, &r.Kango1, &r.Jitchi1})
                 *area = QStringLiteral("歩行訓練\r\n階段昇降\r\n自主練習の指導");
         },
         3},
        {"an area longer than a sheet", [&](TPractice &r) { r.SelfHope = shortLines.join(u"\r\n"); }, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TPractice record = plan();
        c.fill(record);
        const Printout out = printed(record);
        ASSERT_EQ(out.built.error, QString());
        EXPECT_TRUE(out.built.misfits.empty()) << TemplateFit::describe(out.built.misfits).toStdString();
        QString all;
        for (size_t i = 0; i < out.memos.size(); ++i) {
            all += out.built.pageTexts[i].join(u'\n') + u'\n';
            const Memo *number = pageNumberOf(out.memos[i]);
            ASSERT_TRUE(number) << "sheet " << i + 1;
            for (const Memo &memo : out.memos[i]) {
                if (&memo != number && !memo.text.isEmpty()) {
                    EXPECT_LE(memo.box.bottom(), number->box.top())
                        << "sheet " << i + 1 << ": " << memo.text.toStdString();
                }
            }
        }
        for (const QString *text : {&record.Grid1[0].Goods, &record.Grid2[7].Kaigo, &record.ExerciseMemo,
                                    &record.PTOTST1, &record.SelfHope})
            for (const QString &line : text->split(QStringLiteral("\r\n"))) {
                EXPECT_TRUE(all.contains(line)) << line.toStdString();
            }
        // A sheet more only for what does not hold even in small print.
        EXPECT_LE(out.memos.size(), c.sheets);
    }
}
