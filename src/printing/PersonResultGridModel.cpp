#include "printing/PersonResultGridModel.h"

#include "printing/PersonResultPlans.h"

PersonResultGridModel::PersonResultGridModel(const PersonResultPlans &plans, QObject *parent)
    : DataSetGridModel(plans.SelectPlanPersonQuery, PersonResultPlans::Columns, parent)
{}

QString PersonResultGridModel::text(int column, const DbValue &value) const
{
    return PersonResultPlans::cellText(column, value);
}
