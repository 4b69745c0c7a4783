#include "plans/TPlan.h"

#include "base/DateTime.h"
#include "base/Sjis.h"
#include "platform/DbDataSet.h"
#include "users/TPerson.h"

namespace {

QString diseaseColumn(int index)
{
    return QStringLiteral("Disease%1").arg(index + 1);
}

} // namespace

void TPlan::setUser(const TPerson &person)
{
    PlanNo = 0;
    CureNo = person.CureNo;
    Name = person.Name;
    Sex = person.Sex;
    Birth = person.Birth;
    RihaType = person.RihaType;
    KubunCode = person.KubunCode;
    Jiritsu_KBN = person.Jiritsu_KBN;
    Ninchi_KBN = person.Ninchi_KBN;
    YOUKAIGO_KBN = person.YOUKAIGO_KBN;
    const QString *diseases[] = {&person.Disease1, &person.Disease2, &person.Disease3,
                                 &person.Disease4, &person.Disease5, &person.Disease6};
    for (int i = 0; i < 6; ++i)
        Disease[i] = Sjis::cut(*diseases[i], DiseaseBytes);
}

TPlan TPlan::fromRow(const DbDataSet &row, TPlanData body)
{
    const auto integer = [&row](QStringView name) {
        return row.field(name).asInteger();
    };
    const auto date = [&row](QStringView name) {
        return row.field(name).asDateTime();
    };
    const auto text = [&row](QStringView name) {
        return row.field(name).asString();
    };

    TPlan plan;
    plan.PlanNo = integer(u"PlanNo");
    plan.CureNo = integer(u"CureNo");
    plan.PlanRegistDay = date(u"PlanRegistDay");
    plan.PlanEndDay = date(u"PlanEndDay");
    plan.Name = text(u"Name");
    plan.Sex = integer(u"Sex");
    plan.Birth = date(u"Birth");
    plan.RihaType = integer(u"RihaType");
    plan.KubunCode = integer(u"KubunCode");
    plan.Jiritsu_KBN = integer(u"Jiritsu_KBN");
    plan.Ninchi_KBN = integer(u"Ninchi_KBN");
    plan.YOUKAIGO_KBN = integer(u"YOUKAIGO_KBN");
    for (int i = 0; i < 6; ++i)
        plan.Disease[i] = text(diseaseColumn(i));
    plan.Creator = text(u"Creator");
    plan.CreateDay = date(u"CreateDay");
    plan.Updator = text(u"Updator");
    plan.UpdateDay = date(u"UpdateDay");
    plan.Body = std::move(body);
    return plan;
}

void TPlan::writeTo(DbDataSet &row, const QString &creator, TDateTime today) const
{
    const DbDate day{DateTime::dateOf(today)};
    row.setValue(u"CureNo", CureNo);
    row.setValue(u"PlanRegistDay", DbDate{PlanRegistDay});
    row.setValue(u"PlanEndDay", DbDate{PlanEndDay});
    row.setValue(u"Name", Name);
    row.setValue(u"Sex", Sex);
    row.setValue(u"Birth", DbDate{Birth});
    row.setValue(u"RihaType", RihaType);
    row.setValue(u"KubunCode", KubunCode);
    row.setValue(u"Jiritsu_KBN", Jiritsu_KBN);
    row.setValue(u"Ninchi_KBN", Ninchi_KBN);
    row.setValue(u"YOUKAIGO_KBN", YOUKAIGO_KBN);
    for (int i = 0; i < 6; ++i)
        row.setValue(diseaseColumn(i), Sjis::cut(Disease[i], DiseaseBytes));
    row.setValue(u"Creator", Text::leftCharacters(creator, CreatorLength));
    row.setValue(u"CreateDay", day);
    row.setValue(u"Updator", QString());
    row.setValue(u"UpdateDay", day);
    row.setValue(u"PlanData", Body.toBytes());
}
