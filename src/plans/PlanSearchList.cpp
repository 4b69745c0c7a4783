#include "plans/PlanSearchList.h"

#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "plans/PlansLog.h"
#include "platform/DbConnection.h"
#include "platform/DbQuery.h"

namespace {

QString eraDate(const DbValue &value)
{
    const TDateTime date = value.isNull() ? DateTime::None : value.asDateTime();
    return date == DateTime::None ? QString() : FormatEraDate(date);
}

QString sexText(const DbValue &value)
{
    if (value.isNull())
        return {};
    return value.asInteger() == 0 ? QStringLiteral("男性") : QStringLiteral("女性");
}

} // namespace

PlanSearchList::PlanSearchList(DbConnection &database) : KanaRowList(PlanQuery), m_database(database) {}

bool PlanSearchList::open()
{
    close();
    // Readings sort by character code on PostgreSQL too.
    const QString kana = m_database.kind() == DbKind::PostgreSQL ? QStringLiteral("Person.Kana COLLATE \"C\"")
                                                                 : QStringLiteral("Person.Kana");
    const DbQuery query(m_database,
                        QStringLiteral("SELECT RihaPlan.CureNo, Person.Kana, Person.Name, Person.Sex, Person.Birth, "
                                       "RihaPlan.RihaType, RihaPlan.KubunCode, RihaPlan.PlanRegistDay, "
                                       "RihaPlan.PlanEndDay, Person.distinctive AS Comment "
                                       "FROM RihaPlan LEFT JOIN Person ON RihaPlan.CureNo = Person.CureNo "
                                       "ORDER BY %1, RihaPlan.PlanNo")
                            .arg(kana));
    if (PlanQuery.open(query))
        return true;
    qCWarning(lcPlans).noquote() << "plan search:" << PlanQuery.errorText();
    return false;
}

QString PlanSearchList::cellText(int column, int position) const
{
    if (column < 0 || column >= int(Columns.size()))
        return {};
    const QStringView field = Columns[size_t(column)].field;
    const DbValue value = PlanQuery.record(position).value(field);
    if (field == u"Sex")
        return sexText(value);
    if (field == u"Birth" || field == u"PlanRegistDay")
        return eraDate(value);
    if (field == u"RihaType")
        return value.isNull() ? QString() : CodeName(RihaTypeNames, value.asInteger());
    return value.asString();
}

PlanSearchList::Details PlanSearchList::details(int position) const
{
    const DbRecord row = PlanQuery.record(position);
    TKubun kubun;
    kubun.SetCode(row.value(u"KubunCode").isNull() ? 0 : row.value(u"KubunCode").asInteger());
    Details details;
    details.UserNo = row.value(u"CureNo").asString();
    details.Kana = row.value(u"Kana").asString();
    details.Name = row.value(u"Name").asString();
    details.Sex = sexText(row.value(u"Sex"));
    details.Birth = eraDate(row.value(u"Birth"));
    details.RihaType = cellText(5, position);
    details.Kubun = kubun.LongText();
    details.PlanDay = eraDate(row.value(u"PlanRegistDay"));
    details.PlanEnd = eraDate(row.value(u"PlanEndDay"));
    details.Special = row.value(u"Comment").asString();
    return details;
}
