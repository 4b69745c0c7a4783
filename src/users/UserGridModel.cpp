#include "users/UserGridModel.h"

#include "base/Era.h"
#include "core/CodeTables.h"
#include "platform/DbDataSet.h"
#include "users/UserSearch.h"

namespace {

enum GridColumn {
    CureNoColumn,
    NameColumn,
    KanaColumn,
    SexColumn,
    BirthColumn,
    AddressColumn,
    NyushoColumn,
    RihaTypeColumn,
    HinorikuColumn
};

static_assert(UserSearch::ColumnCount == HinorikuColumn + 1);

// Era name, blank, era year, month and day; the raw text for a date before
// the first era, nothing for no date.
QString eraDateText(const DbValue &value)
{
    const TDateTime date = value.asDateTime();
    if (value.isNull() || date == DateTime::None)
        return {};
    if (!Eras::of(DateTime::toDate(date)))
        return value.asString();
    return DateTime::format(u"gg ee\"年\"mm\"月\"dd\"日\"", date);
}

} // namespace

UserGridModel::UserGridModel(const DbDataSet &rows, QObject *parent) : QAbstractTableModel(parent), m_rows(rows)
{
    m_fields.fill(-1);
}

void UserGridModel::reload()
{
    beginResetModel();
    m_fields.fill(-1);
    for (int field = 0; field < m_rows.fieldCount(); ++field) {
        const QString name = m_rows.fieldName(field);
        for (size_t column = 0; column < m_fields.size(); ++column) {
            if (UserSearch::Columns[column].field.compare(name, Qt::CaseInsensitive) == 0)
                m_fields[column] = field;
        }
    }
    endResetModel();
}

QString UserGridModel::cellText(int column, const DbValue &value)
{
    if (value.isNull())
        return {};
    switch (column) {
    case SexColumn: {
        const int sex = value.asInteger();
        return sex == 0 || sex == 1 ? CodeName(SexNames, sex) : QString::number(sex);
    }
    case BirthColumn:
    case NyushoColumn:
        return eraDateText(value);
    case RihaTypeColumn:
        return CodeName(RihaTypeNames, value.asInteger());
    case HinorikuColumn:
        return value.asInteger() >= 1 ? QString::number(value.asInteger()) : QString();
    default:
        return value.asString();
    }
}

int UserGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_rows.isOpen() ? 0 : m_rows.recordCount();
}

int UserGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : UserSearch::ColumnCount;
}

QVariant UserGridModel::data(const QModelIndex &index, int role) const
{
    // The tool tip shows a text too long for its column whole.
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid())
        return {};
    return cellText(index.column(), m_rows.record(index.row()).value(m_fields[size_t(index.column())]));
}

QVariant UserGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= UserSearch::ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return UserSearch::Columns[size_t(section)].title.toString();
    return {};
}
