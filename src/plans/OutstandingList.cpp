#include "plans/OutstandingList.h"

#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "plans/PlansLog.h"
#include "platform/DbQuery.h"

namespace {

QString eraDate(const DbValue &value)
{
    const TDateTime date = value.isNull() ? DateTime::None : value.asDateTime();
    return date == DateTime::None ? QString() : FormatEraDate(date);
}

} // namespace

OutstandingList::OutstandingList(DbConnection &database) : KanaRowList(PrintOutStandingQuery), m_database(database) {}

bool OutstandingList::open(Kind kind)
{
    close();
    m_kind = kind;
    // Each list opens whole: a kana row chosen in the other list does not carry over.
    PrintOutStandingQuery.setFiltered(false);
    // A user counts as listed when no plan row of any day names him.
    const QString table = kind == Kind::CurePlan ? QStringLiteral("RihaPlan") : QStringLiteral("Practice");
    const DbQuery query(m_database,
                        QStringLiteral("SELECT Person.CureNo, Person.Name, Person.Kana, Person.NYUSHOBI_YMD, "
                                       "Person.RihaType, Person.KubunCode FROM Person "
                                       "WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE %1.CureNo = Person.CureNo) "
                                       "ORDER BY Person.CureNo")
                            .arg(table));
    if (PrintOutStandingQuery.open(query))
        return true;
    qCWarning(lcPlans).noquote() << "missing plans:" << PrintOutStandingQuery.errorText();
    return false;
}

QString OutstandingList::fieldText(QStringView field, const DbValue &value)
{
    if (field == u"CureNo")
        return QStringLiteral("%1").arg(value.asInteger(), 8, 10, QLatin1Char('0'));
    if (field == u"NYUSHOBI_YMD")
        return eraDate(value);
    if (field == u"RihaType")
        return value.isNull() ? QString() : CodeName(RihaTypeNames, value.asInteger());
    if (field == u"KubunCode") {
        TKubun kubun;
        kubun.SetCode(value.isNull() ? 0 : value.asInteger());
        return kubun.LongText();
    }
    return value.asString();
}

QString OutstandingList::cellText(int column, int position) const
{
    if (column < 0 || column >= int(Columns.size()))
        return {};
    const QStringView field = Columns[size_t(column)].field;
    return fieldText(field, PrintOutStandingQuery.record(position).value(field));
}

QString OutstandingList::columnText(int column, const DbValue &value)
{
    if (column < 0 || column >= int(Columns.size()))
        return {};
    return fieldText(Columns[size_t(column)].field, value);
}

std::optional<Variant> OutstandingList::value(const QString &name) const
{
    static const std::pair<QStringView, QStringView> names[] = {{u"CureNo", u"CureNo"},
                                                                {u"Name", u"Name"},
                                                                {u"Nyusho", u"NYUSHOBI_YMD"},
                                                                {u"RType", u"RihaType"},
                                                                {u"RKubun", u"KubunCode"}};
    if (name == u"ListTitle")
        return Variant(m_kind == Kind::CurePlan ? QStringLiteral("リハビリ治療計画書　未登録者一覧")
                                                : QStringLiteral("リハビリ実施計画書　未登録者一覧"));
    for (const auto &[variable, field] : names) {
        if (name == variable)
            return Variant(
                fieldText(field, PrintOutStandingQuery.record(PrintOutStandingQuery.position()).value(field)));
    }
    return std::nullopt;
}
