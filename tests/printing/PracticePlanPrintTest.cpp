#include "PlanPrintFixture.h"

#include "core/TMainModule.h"
#include "printing/PracticePlanPrint.h"
#include "printing/PracticePlanReport.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpPrinter.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

TPractice sample(const QString &name)
{
    TPractice record;
    record.PractDay = DateTime::encodeDate(2024, 4, 1);
    record.UserName = name;
    record.Birth = DateTime::None;
    record.Old = 84;
    record.Sex = 1;
    record.Kaigodo = -1;
    record.HDSR = 0;
    record.HomeBox = true;
    record.Grid1[3].ABC[0] = QStringLiteral("Ａ");
    record.Grid1[4].ABC[4] = QStringLiteral("ＢＣ");
    record.Grid1[4].Goods = QStringLiteral("スプーン");
    record.Grid1[12].Special = 2;
    record.Grid2[7].Kaigo = QStringLiteral("見守り");
    record.Grid2[7].Special = 1;
    record.SelfHope = QStringLiteral("自宅に帰りたい");
    record.Remark = QStringLiteral("特になし");
    record.TeamBox[0] = 7;
    record.TeamBox[1] = 99;
    return record;
}

QString text(const PracticePlanPrint &print, const char *name, int line1 = 0, int line2 = 0)
{
    const std::optional<Variant> value = print.value(QString::fromLatin1(name), line1, line2);
    return value ? value->toText() : QStringLiteral("<unset>");
}

const StaffDirectory Team{{3, QStringLiteral("佐藤 医師")}, {7, QStringLiteral("鈴木")}};

} // namespace

TEST(PracticePlanPrint, AnswersTheTablesOnTheirLines)
{
    const PracticePlanPrint print(sample(QStringLiteral("山田")), Team, QStringLiteral("ケアの里"));
    // Rows 0 to 3, a blank line, rows 4 to 12, a blank line.
    EXPECT_EQ(text(print, "ABC01", 3), QStringLiteral("Ａ"));
    EXPECT_EQ(text(print, "ABC01", 4), QStringLiteral(" "));
    EXPECT_EQ(text(print, "Goods0", 4), QStringLiteral(" "));
    EXPECT_EQ(text(print, "ABC05", 5), QStringLiteral("ＢＣ"));
    EXPECT_EQ(text(print, "Goods0", 5), QStringLiteral("スプーン"));
    EXPECT_EQ(text(print, "Spacial0", 13), QStringLiteral("◎"));
    EXPECT_EQ(text(print, "Spacial0", 14), QStringLiteral(" "));
    EXPECT_EQ(text(print, "Spacial0", 15), QStringLiteral("<unset>"));
    EXPECT_EQ(text(print, "Kaigo1", 0, 7), QStringLiteral("見守り"));
    EXPECT_EQ(text(print, "Spacial1", 0, 7), QStringLiteral("○"));
    EXPECT_EQ(text(print, "Spacial1", 0, 6), QStringLiteral(" "));
    EXPECT_EQ(text(print, "Kaigo1", 0, 8), QStringLiteral("<unset>"));
    // Other names of the ABC kind print a blank.
    for (const char *name : {"ABC0x", "ABC06", "ABC", "ABC21", "ABC011"})
        EXPECT_EQ(text(print, name, 3), QStringLiteral(" ")) << name;
}

TEST(PracticePlanPrint, AnswersTheRecordsFieldsAndTheTeam)
{
    const PracticePlanPrint print(sample(QStringLiteral("山田")), Team, QStringLiteral("ケアの里"));
    EXPECT_EQ(text(print, "UserName"), QStringLiteral("山田"));
    EXPECT_EQ(text(print, "PractDay"), QStringLiteral("令和06年04月01日"));
    EXPECT_EQ(text(print, "Birth"), QString()) << "a date never entered prints empty";
    EXPECT_EQ(text(print, "Old"), QStringLiteral("84"));
    EXPECT_EQ(text(print, "Sex"), QStringLiteral("女性"));
    EXPECT_EQ(text(print, "Kaigodo"), QString());
    EXPECT_EQ(text(print, "HDSR"), QStringLiteral(" "));
    EXPECT_EQ(print.value(QStringLiteral("HomeBox"), 0, 0)->toText(), Variant(true).toText());
    EXPECT_EQ(text(print, "SelfHope"), QStringLiteral("自宅に帰りたい"));
    EXPECT_EQ(text(print, "ReMark"), QStringLiteral("特になし"));
    EXPECT_EQ(text(print, "TeamBox1"), QStringLiteral("鈴木"));
    EXPECT_EQ(text(print, "TeamBox2"), QStringLiteral(" ")) << "a code no staff member has";
    EXPECT_EQ(text(print, "TeamBox3"), QStringLiteral(" ")) << "nobody";
    for (const char *name : {"Remark", "TeamBox14", "TeamBox0", "TeamBox01", "homebox"})
        EXPECT_EQ(text(print, name), QStringLiteral("<unset>")) << name;

    TPractice scored = sample(QStringLiteral("山田"));
    scored.HDSR = 21;
    scored.Kaigodo = 2;
    const StaffDirectory nobody;
    const PracticePlanPrint other(scored, nobody, QString());
    EXPECT_EQ(text(other, "HDSR"), QStringLiteral("21"));
    EXPECT_EQ(text(other, "Kaigodo"), QStringLiteral("要介護1"));
}

class PracticePlanReportTest : public PlanPrintFixture
{
};

TEST_P(PracticePlanReportTest, EachPlanPrintsItsTwoPagesAndAnUnreadablePlanNothingOfAnother)
{
    const int yamada = addUser(QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ"));
    const int sato = addUser(QStringLiteral("佐藤"), QStringLiteral("ｻﾄｳ"));
    const int first = addPractice(yamada, sample(QStringLiteral("山田　花子")));
    const int second = addPractice(sato, sample(QStringLiteral("佐藤　一郎")));
    // A row of another format version is refused by the reader.
    ASSERT_TRUE(exec(QStringLiteral("UPDATE Practice SET DataFormatVersion = 29 WHERE PractNo = %1").arg(second)));
    TMainModule staff;
    staff.setStaff({{7, QStringLiteral("鈴木")}});
    staff.FacilityName = QStringLiteral("ケアの里");

    TrpPrinter printer{QStringList()};
    PracticePlanReport print(db(), staff, {first, second, first});
    print.report().setPrinter(printer);
    ASSERT_TRUE(print.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") +
                                            PracticePlanReport::TemplateName.toString()));
    ASSERT_TRUE(print.report().PrepareReport());
    ASSERT_FALSE(print.report().hasError()) << print.report().ErrorText().toStdString();
    ASSERT_EQ(print.report().EMFPages().Count(), 6);

    const QStringList page1 = pageTexts(print.report(), 0);
    EXPECT_TRUE(page1.contains(QStringLiteral("リハビリテーション実施計画書（１）")));
    EXPECT_TRUE(page1.contains(QStringLiteral("山田　花子")));
    EXPECT_TRUE(page1.contains(QStringLiteral("ケアの里")));
    EXPECT_TRUE(page1.contains(QStringLiteral("摂食・嚥下")));
    // Row 4 of the first table (食事) stands on the line after the blank one.
    const QStringList meal = lineTexts(print.report(), 0, QStringLiteral("食事"));
    EXPECT_TRUE(meal.contains(QStringLiteral("スプーン")));
    EXPECT_TRUE(meal.contains(QStringLiteral("ＢＣ")));
    const QStringList page2 = pageTexts(print.report(), 1);
    EXPECT_TRUE(page2.contains(QStringLiteral("リハビリテーション実施計画書（２）")));
    EXPECT_TRUE(page2.contains(QStringLiteral("自宅に帰りたい")));
    EXPECT_TRUE(page2.contains(QStringLiteral("鈴木")));
    EXPECT_TRUE(page2.contains(QStringLiteral("2 / 6")));
    for (int page : {2, 3}) {
        for (const QString &text : pageTexts(print.report(), page))
            EXPECT_FALSE(text.contains(QStringLiteral("山田")) || text.contains(QStringLiteral("自宅に帰りたい")) ||
                         text.contains(QStringLiteral("スプーン")))
                << "page " << page << ": " << text.toStdString();
    }
    EXPECT_TRUE(pageTexts(print.report(), 4).contains(QStringLiteral("山田　花子")));
}

TAMSOLEN_DATABASE_TEST_SUITE(PracticePlanReportTest);

namespace {

// A text of `chars` full-width characters of one kind.
QString longText(QChar character, int chars)
{
    return QString(chars, character);
}

} // namespace

TEST(PracticePlanReport, EveryBoxHoldsTheLongestTextItsFieldTakes)
{
    TPractice record;
    record.PractDay = DateTime::encodeDate(2024, 4, 1);
    record.Birth = DateTime::encodeDate(1999, 12, 28);
    record.UserName = longText(u'氏', 25);
    record.Sex = 2;
    record.Kaigodo = 6;
    record.HDSR = 30;
    record.Old = 100;
    for (QString *memo : {&record.KenkouMemo, &record.GapeiMemo, &record.SeikatsuMemo})
        *memo = longText(u'健', 127);
    record.EtcEdit = longText(u'他', 19);
    for (QString *edit : {&record.HomeWorkEdit, &record.SocialEdit, &record.GoOutEdit, &record.FreeTimeEdit,
                          &record.TaiinEdit, &record.ExerciseMemo, &record.SenseMemo, &record.BrainMemo,
                          &record.KoushukuMemo, &record.ArthralgiaMemo, &record.SonotaMemo})
        *edit = longText(u'生', 49);
    for (auto *grid : {&record.Grid1[0], &record.Grid1[12], &record.Grid2[7]}) {
        grid->ABC.fill(QStringLiteral("AB\nC"));
        grid->Goods = longText(u'棒', 29);
        grid->Kaigo = longText(u'介', 29);
        grid->Time = QStringLiteral(" 12ヵ月");
        grid->Special = 2;
    }
    // Each area in a character of its own, to count what was printed of it.
    QString TPractice::*areas[] = {&TPractice::PTOTST0,    &TPractice::Kango0,      &TPractice::Jitchi0,
                                   &TPractice::PTOTST1,    &TPractice::Kango1,      &TPractice::Jitchi1,
                                   &TPractice::SelfHope,   &TPractice::FarmilyHope, &TPractice::LifePoint,
                                   &TPractice::RihaTerget, &TPractice::SelfDo,      &TPractice::AskFarmily,
                                   &TPractice::DiseseCare, &TPractice::Variation,   &TPractice::Remark};
    const QString marks = QStringLiteral("壱弐陸四五六七八九十百千万億兆");
    for (size_t i = 0; i < std::size(areas); ++i)
        record.*areas[i] = longText(marks[qsizetype(i)], 500);
    TMainModule staff;
    StaffDirectory members;
    for (int code = 1; code <= 13; ++code) {
        members.append({code, longText(u'職', 10)});
        record.TeamBox[size_t(code - 1)] = code;
    }
    staff.setStaff(std::move(members));
    staff.FacilityName = longText(u'苑', 20);

    TrpPrinter printer{QStringList()};
    PracticePlanReport print(staff, record);
    print.report().setPrinter(printer);
    ASSERT_TRUE(print.report().LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") +
                                            PracticePlanReport::TemplateName.toString()));
    ASSERT_TRUE(print.report().PrepareReport());
    ASSERT_FALSE(print.report().hasError()) << print.report().ErrorText().toStdString();

    QString printed;
    for (int page = 0; page < print.report().EMFPages().Count(); ++page) {
        for (const std::unique_ptr<TrpView> &view : print.report().EMFPages()[page].objects()) {
            const auto *memo = dynamic_cast<const TrpMemoView *>(view.get());
            if (!memo || memo->ExpandedMemo.join(QString()).isEmpty())
                continue;
            printed += memo->ExpandedMemo.join(QString());
            const QString where = QStringLiteral("page %1 at %2,%3: ").arg(page + 1).arg(memo->Left).arg(memo->Top) +
                                  memo->ExpandedMemo.join(u'|').left(30);
            if (memo->Flags & TrpView::flWordWrap) {
                // At the size it is drawn at, smaller for a text that did
                // not fit.
                const TrpMemoView::TextSize size = memo->fittedSize(QSizeF(memo->Width, memo->Height));
                const qsizetype lines = memo->layoutLines(memo->Width - 2 * TrpMemoView::GapX, size.pixels).size();
                EXPECT_LE((lines - 1) * memo->lineHeight(size) + size.pixels + 2 * TrpMemoView::GapY, memo->Height + 1)
                    << where.toStdString();
            } else {
                const QFontMetricsF metrics(memo->drawingFont());
                for (const QString &line : memo->ExpandedMemo)
                    EXPECT_LE(metrics.horizontalAdvance(line), memo->Width - 2 * TrpMemoView::GapX)
                        << where.toStdString();
            }
        }
    }
    for (QChar mark : marks)
        EXPECT_EQ(printed.count(mark), 500) << "area " << QString(mark).toStdString();
    EXPECT_EQ(printed.count(u'棒'), 3 * 29);
}
