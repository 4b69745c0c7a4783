#include "users/PartnerGridModel.h"

#include "platform/DbRecord.h"

PartnerGridModel::PartnerGridModel(const DbDataSet &rows, QObject *parent) : QAbstractTableModel(parent), m_rows(rows)
{
    m_fields.fill(-1);
}

void PartnerGridModel::reload()
{
    beginResetModel();
    m_fields.fill(-1);
    for (int field = 0; field < m_rows.fieldCount(); ++field) {
        const QString name = m_rows.fieldName(field);
        for (size_t column = 0; column < m_fields.size(); ++column) {
            if (PartnerSearch::Columns[column].field.compare(name, Qt::CaseInsensitive) == 0)
                m_fields[column] = field;
        }
    }
    endResetModel();
}

int PartnerGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_rows.isOpen() ? 0 : m_rows.recordCount();
}

int PartnerGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : PartnerSearch::ColumnCount;
}

QVariant PartnerGridModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return PartnerSearch::cellText(index.column(), m_rows.record(index.row()).value(m_fields[size_t(index.column())]));
}

QVariant PartnerGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= PartnerSearch::ColumnCount ||
        role != Qt::DisplayRole)
        return {};
    return PartnerSearch::Columns[size_t(section)].title.toString();
}
