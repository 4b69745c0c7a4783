#include "users/PartnerSearch.h"

#include "core/CodeTables.h"
#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbRecord.h"
#include "users/UserGridModel.h"

#include <QSqlDriver>

namespace {

// The user search's birth column, whose era-date form the picker shares.
constexpr int UserGridBirthColumn = 4;

// "Add" is a reserved word on SQL Server and Access; PostgreSQL folds the
// unquoted names of its tables to lower case.
QString addColumn(const DbConnection &partner)
{
    const QSqlDriver *driver = partner.sqlDatabase().driver();
    return driver && driver->dbmsType() == QSqlDriver::PostgreSQL ? QStringLiteral("\"add\"") : QStringLiteral("[Add]");
}

bool beginsWith(const DbRecord &row, QStringView field, const QString &prefix)
{
    return !prefix.isEmpty() && row.value(field).asString().startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

bool PartnerSearch::open(DbConnection &partner)
{
    if (HinorikuQuery.isOpen())
        return true;
    m_errorText.clear();
    if (!partner.isOpen()) {
        m_errorText = QStringLiteral("the partner connection is not open");
        return false;
    }
    if (!HinorikuQuery.open(DbQuery(partner, QStringLiteral("SELECT Sid, Jname, Kname, Sex, Birth, Mail, ChikuCode, "
                                                            "MatiCode, %1, Tel, Fax FROM kgkihn1d")
                                                 .arg(addColumn(partner))))) {
        m_errorText = HinorikuQuery.errorText();
        return false;
    }
    // Sorted here: the Access driver has no ORDER BY, and the servers' collations
    // differ; half-width kana in code order is the kana order.
    // Held whole, not paged: the sort cannot fail.
    (void)HinorikuQuery.sort([](const DbRecord &a, const DbRecord &b) {
        return a.value(u"Kname").asString() < b.value(u"Kname").asString();
    });
    return true;
}

QString PartnerSearch::checkNumber(QStringView text, int &number)
{
    if (text.isEmpty())
        return QStringLiteral("ヒノリク利用者Noが記入されていません。");
    bool ok = false;
    number = text.toInt(&ok);
    if (!ok)
        return QStringLiteral("半角の数字で入力してください。");
    if (number < 0)
        return QStringLiteral("数値の値がマイナスです。\n正しい数値で入力してください。");
    return {};
}

void PartnerSearch::setFilter(DbDataSet::Filter filter)
{
    HinorikuQuery.setFilter(std::move(filter));
    HinorikuQuery.setFiltered(true);
}

void PartnerSearch::filterByName(const QString &name, const QString &kana)
{
    setFilter([name, kana](const DbRecord &row) {
        return beginsWith(row, u"Jname", name) || beginsWith(row, u"Kname", kana);
    });
}

void PartnerSearch::filterByNumber(int number)
{
    setFilter([number](const DbRecord &row) {
        const DbValue sid = row.value(u"Sid");
        return !sid.isNull() && sid.asLargeInt() == number;
    });
}

void PartnerSearch::filterByKanaRow(UserSearch::KanaRow row)
{
    setFilter(UserSearch::kanaRowFilter(row, QStringLiteral("Kname")));
}

void PartnerSearch::showAll()
{
    HinorikuQuery.setFiltered(false);
}

PartnerUser PartnerSearch::user(int position) const
{
    return PartnerUser::fromRecord(HinorikuQuery.record(position));
}

QString PartnerSearch::cellText(int column, const DbValue &value)
{
    if (value.isNull())
        return {};
    switch (column) {
    case SidColumn:
        return QString::number(value.asLargeInt()).rightJustified(10);
    case JnameColumn:
        return value.asString().leftJustified(20);
    case KnameColumn:
        return value.asString().leftJustified(30);
    case SexColumn:
        return CodeName(SexNames, value.asBoolean() ? 1 : 0);
    case BirthColumn:
        return UserGridModel::cellText(UserGridBirthColumn, value);
    default:
        return value.asString();
    }
}
