#include "printing/PersonResultPlans.h"

#include "core/CodeTables.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "printing/PrintedDate.h"

bool PersonResultPlans::open(TDateTime from, TDateTime to)
{
    close();
    DbQuery query(m_database,
                  QStringLiteral("SELECT RihaPlan.PlanNo, RihaPlan.CureNo, Person.Kana, Person.Name, Person.Sex, "
                                 "Person.Birth, Person.RihaType, Person.Jiritsu_KBN, Person.Ninchi_KBN, "
                                 "Person.YOUKAIGO_KBN, RihaPlan.PlanRegistDay, RihaPlan.PlanEndDay "
                                 "FROM RihaPlan INNER JOIN Person ON RihaPlan.CureNo = Person.CureNo "
                                 "WHERE RihaPlan.PlanRegistDay < :PTo AND RihaPlan.PlanEndDay >= :PFrom "
                                 "ORDER BY RihaPlan.CureNo, RihaPlan.PlanRegistDay, RihaPlan.PlanNo"));
    query.bind(u"PFrom", DbDate{from}).bind(u"PTo", DbDate{to});
    return SelectPlanPersonQuery.open(query);
}

int PersonResultPlans::cureNo(int row) const
{
    return SelectPlanPersonQuery.record(row).value(u"CureNo").asInteger();
}

QString PersonResultPlans::cellText(int column, const DbValue &value)
{
    switch (column) {
    case 0:
        return Text::zeroPadded(value.asInteger(), 8);
    case 3:
        return CodeName(RihaTypeNames, value.asInteger());
    case 4:
        return PrintedDate(value.asDateTime());
    default:
        return value.asString();
    }
}
