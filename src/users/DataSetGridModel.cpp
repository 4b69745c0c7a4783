#include "users/DataSetGridModel.h"

#include "platform/DbDataSet.h"

#include <utility>

DataSetGridModel::DataSetGridModel(const DbDataSet &rows, std::span<const GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_rows(rows), m_columns(columns), m_fields(columns.size(), -1)
{}

DataSetGridModel::DataSetGridModel(DbDataSet &rows, std::span<const GridColumn> columns, QObject *parent)
    : DataSetGridModel(std::as_const(rows), columns, parent)
{
    m_pagedRows = &rows;
}

void DataSetGridModel::reload()
{
    beginResetModel();
    std::fill(m_fields.begin(), m_fields.end(), -1);
    for (int field = 0; field < m_rows.fieldCount(); ++field) {
        const QString name = m_rows.fieldName(field);
        for (size_t column = 0; column < m_columns.size(); ++column) {
            if (m_columns[column].field.compare(name, Qt::CaseInsensitive) == 0)
                m_fields[column] = field;
        }
    }
    m_shown = m_rows.isOpen() ? m_rows.recordCount() : 0;
    endResetModel();
}

int DataSetGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

bool DataSetGridModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_rows.isOpen() &&
           (m_shown < m_rows.recordCount() || (m_pagedRows && m_rows.canFetchMore()));
}

void DataSetGridModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    // Rows the data set read on its own (by moving) are shown first.
    if (m_shown == m_rows.recordCount() && !m_pagedRows->fetchMore())
        emit readFailed();
    const int count = m_rows.recordCount();
    if (count <= m_shown)
        return;
    beginInsertRows({}, m_shown, count - 1);
    m_shown = count;
    endInsertRows();
}

int DataSetGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetGridModel::data(const QModelIndex &index, int role) const
{
    // The tool tip shows a text too long for its column whole.
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid())
        return {};
    return text(index.column(), m_rows.record(index.row()).value(m_fields[size_t(index.column())]));
}

QVariant DataSetGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || size_t(section) >= m_columns.size() || role != Qt::DisplayRole)
        return {};
    return m_columns[size_t(section)].title.toString();
}
