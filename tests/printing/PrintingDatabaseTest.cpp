#include "PrintingDatabaseTest.h"

#include "platform/DbQuery.h"
#include "report/building/TrpReport.h"
#include "report/objects/TrpView.h"

::testing::AssertionResult PrintingDatabaseTest::addUser(const User &user)
{
    DbQuery insert(db(), QStringLiteral("INSERT INTO Person (CureNo, Name, Kana, RihaType, KubunCode, NYUSHOBI_YMD, "
                                        "TAISHOBI_YMD, Sex, Birth, Jiritsu_KBN, Ninchi_KBN, YOUKAIGO_KBN, ROOM_NO)") +
                             sqlFor(QString(), QStringLiteral(" OVERRIDING SYSTEM VALUE")) +
                             QStringLiteral(" VALUES (:no, :name, :kana, :type, :kubun, :in, :out, :sex, :birth, "
                                            ":jiritsu, :ninchi, :kaigo, :room)"));
    insert.bind(u"no", user.CureNo)
        .bind(u"name", user.Name)
        .bind(u"kana", user.Kana)
        .bind(u"type", user.RihaType)
        .bind(u"kubun", user.KubunCode)
        .bind(u"in", DbDate{user.Nyusho})
        .bind(u"out", user.Taisho ? DbValue(DbDate{*user.Taisho}) : DbValue())
        .bind(u"sex", user.Sex ? DbValue(*user.Sex) : DbValue())
        .bind(u"birth", DbDate{user.Birth})
        .bind(u"jiritsu", user.Jiritsu)
        .bind(u"ninchi", user.Ninchi)
        .bind(u"kaigo", user.Youkaigo)
        .bind(u"room", user.Room);
    return exec(insert);
}

::testing::AssertionResult PrintingDatabaseTest::addPlan(int cureNo, TDateTime day)
{
    DbQuery insert(db(), QStringLiteral("INSERT INTO RihaPlan (CureNo, RihaType, KubunCode, PlanRegistDay) "
                                        "VALUES (:no, 0, 0, :day)"));
    insert.bind(u"no", cureNo).bind(u"day", DbDate{day});
    return exec(insert);
}

::testing::AssertionResult PrintingDatabaseTest::addPractice(int cureNo, TDateTime day)
{
    DbQuery insert(db(), QStringLiteral("INSERT INTO Practice (CureNo, DataFormatVersion, PrcticeDay) "
                                        "VALUES (:no, 30, :day)"));
    insert.bind(u"no", cureNo).bind(u"day", DbDate{day});
    return exec(insert);
}

std::vector<QStringList> PrintingDatabaseTest::buildPages(TrpReport &report)
{
    std::vector<QStringList> pages;
    const bool prepared = report.PrepareReport();
    EXPECT_TRUE(prepared);
    EXPECT_FALSE(report.hasError()) << report.ErrorText().toStdString();
    if (!prepared || report.hasError())
        return pages;
    for (int page = 0; page < report.EMFPages().Count(); ++page) {
        QStringList texts;
        for (const auto &view : report.EMFPages()[page].objects())
            texts << view->ExpandedMemo.join(u'\n').trimmed();
        pages.push_back(texts);
    }
    return pages;
}
