#include "TemplateFit.h"

#include "core/CodeTables.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

using TemplateFit::longest;

// The longest texts the stored fields behind the variables hold: staff
// names and marks as the staff table takes them, the facility name of 60
// characters, users' names and kana of 20 bytes, the widest dates, times,
// names of the code tables and counts.
QHash<QString, QString> longestValues()
{
    const QString staff(30, QChar(u'担'));
    const QString mark(4, QChar(u'記'));
    QHash<QString, QString> v{
        {u"Homemei"_qs, QString(60, QChar(u'施'))},
        {u"Shisetsu"_qs, QString(60, QChar(u'施'))},
        {u"Sakuseibi"_qs, u"令和08年12月28日23時59分"_qs},
        {u"CureNo"_qs, u"99999999"_qs},
        {u"Shimei"_qs, longest(20)},
        {u"Name"_qs, longest(20)},
        {u"kanaShimei"_qs, QString(20, QChar(u'ｶ'))},
        {u"Umarebi"_qs, u"令和 08年12月28日"_qs},
        {u"Seibetsu"_qs, SexNames[2].toString()},
        {u"Sex"_qs, SexNames[2].toString()},
        {u"Renraku"_qs, longest(512, u'連')},
        {u"Yoteibi"_qs, u"31日"_qs},
        {u"Youbi"_qs, u"水曜日"_qs},
        {u"NyuShobi"_qs, u"令和08年12月28日"_qs},
        {u"Nyushobi"_qs, u"令和08年12月28日"_qs},
        {u"Keikakubi"_qs, u"令和 08年12月28日"_qs},
        {u"Rihabiri"_qs, RihaTypeNames[2].toString()},
        {u"RihaType"_qs, RihaTypeNames[2].toString()},
        {u"NRType"_qs, RihaTypeNames[2].toString()},
        {u"RsType"_qs, RihaTypeNames[3].toString()},
        {u"RihaKubun"_qs, u"短期集中 認知症 集団 個別"_qs},
        {u"StartTime"_qs, u"23:59"_qs},
        {u"WorkTime"_qs, u"9999"_qs},
        {u"Ninzuu"_qs, u"9999"_qs},
        {u"TantouName"_qs, staff},
        {u"YYMMDD"_qs, u"令和 08年12月 1日～31日"_qs},
        {u"YYMM"_qs, u"令和08年12月28日"_qs},
        {u"Hizuke"_qs, u"令和08年12月"_qs},
        {u"PlanStart"_qs, u"23:59"_qs},
        {u"PlanTime"_qs, u"9999"_qs},
        {u"ResultStart"_qs, u"23:59"_qs},
        {u"ResultTime"_qs, u"9999"_qs},
        {u"Comment"_qs, QString(255, QChar(u'備'))},
        {u"Editor"_qs, QString(20, QChar(u'入'))},
        {u"Login"_qs, QString(20, QChar(u'入'))},
        {u"SumFun"_qs, u"999999"_qs},
        {u"SumCnt"_qs, u"9999"_qs},
        {u"DayWeek"_qs, u"31 (水)"_qs},
        {u"Start"_qs, u"23:59"_qs},
        {u"Funn"_qs, u"9999"_qs},
        {u"Count"_qs, u"99"_qs},
        {u"FunnTotal"_qs, u"999999"_qs},
        {u"CntTotal"_qs, u"9999"_qs},
        {u"BeginDay"_qs, u"令和08年12月28日"_qs},
        {u"EndDay"_qs, u"令和08年12月28日"_qs},
        {u"Birth"_qs, u"令和08年12月28日"_qs},
        {u"RegDay"_qs, u"令和08年12月28日"_qs},
        {u"Jiritsu"_qs, JiritsuNames[0].toString()},
        {u"Ninchi"_qs, NinchiNames[3].toString()},
        {u"Kaigo"_qs, YoukaigoNames[6].toString()},
    };
    for (int i = 1; i <= 14; ++i)
        v.insert(u"Kubun%1"_qs.arg(i, 2, 10, QLatin1Char('0')), u"○"_qs);
    for (const char16_t *field : {u"Tann", u"Ninn", u"Group", u"Kobetsu"})
        for (int i = 0; i < 4; ++i)
            v.insert(QString::fromUtf16(field) + QString::number(i), mark);
    for (int i = 1; i <= 6; ++i)
        v.insert(u"Program"_qs + QString::number(i), longest(36, u'訓'));
    for (int i = 1; i <= 20; ++i) {
        v.insert(u"Tk"_qs + QString::number(i), mark);
        v.insert(u"TkName"_qs + QString::number(i), staff);
    }
    return v;
}

} // namespace

// Every counted template of the booking lists and the results records holds
// the longest values in every box, on every page.
TEST(TemplateFit, CountedTemplatesHoldTheLongestValues)
{
    const QHash<QString, QString> values = longestValues();
    // The day list's period is one day.
    QHash<QString, QString> day = values;
    day.insert(u"YYMMDD"_qs, u"令和 08年12月28日"_qs);
    const struct
    {
        const char *file;
        int rows;
        const QHash<QString, QString> &values;
    } templates[] = {{"AttendSchedule.rpf", 40, values},
                     {"DayAttend.rpf", 40, day},
                     {"UserAttend.rpf", 40, values},
                     {"DailyMedicalRecord.rpf", 40, values},
                     {"RihaPersonKirokusho.rpf", 31, values}};
    for (const auto &t : templates) {
        const TemplateFit::Built built =
            TemplateFit::build(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") + QString::fromLatin1(t.file), t.rows,
                               [&values = t.values](const QString &name, int row) -> std::optional<Variant> {
                                   if (name == u"COLOR")
                                       return Variant(row % 7 == 0);
                                   if (const auto it = values.find(name); it != values.end())
                                       return Variant(*it);
                                   return std::nullopt;
                               });
        ASSERT_EQ(built.error, QString()) << t.file;
        EXPECT_TRUE(built.misfits.empty()) << t.file << "\n" << TemplateFit::describe(built.misfits).toStdString();
    }
}
