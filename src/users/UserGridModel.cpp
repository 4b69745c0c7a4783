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

UserGridModel::UserGridModel(DbDataSet &rows, QObject *parent) : DataSetGridModel(rows, UserSearch::Columns, parent) {}

QString UserGridModel::text(int column, const DbValue &value) const
{
    return cellText(column, value);
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
