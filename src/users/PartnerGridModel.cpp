#include "users/PartnerGridModel.h"

#include "users/PartnerSearch.h"

PartnerGridModel::PartnerGridModel(const DbDataSet &rows, QObject *parent)
    : DataSetGridModel(rows, PartnerSearch::Columns, parent)
{}

QString PartnerGridModel::text(int column, const DbValue &value) const
{
    return PartnerSearch::cellText(column, value);
}
