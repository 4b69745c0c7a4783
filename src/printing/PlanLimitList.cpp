#include "printing/PlanLimitList.h"

#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "printing/ListPrint.h"
#include "printing/PrintedDate.h"
#include "printing/PrintingLog.h"

PlanLimitList::PlanLimitList(DbConnection &database, QString facilityName)
    : KanaRowList(PrintLimitRihaQuery), m_database(database), m_facility(std::move(facilityName))
{}

TDateTime PlanLimitList::limitDay(TDateTime today)
{
    return DateTime::fromDate(DateTime::toDate(today).addMonths(-3));
}

bool PlanLimitList::open(Kind kind, TDateTime today)
{
    close();
    m_today = DateTime::dateOf(today);
    m_kind = kind;
    const bool cure = kind == Kind::CurePlan;
    const QString table = cure ? QStringLiteral("RihaPlan") : QStringLiteral("Practice");
    const QString day = table + (cure ? QStringLiteral(".PlanRegistDay") : QStringLiteral(".PrcticeDay"));
    // Names sort by character code on PostgreSQL too; equal names keep
    // user-number order.
    const QString name = m_database.kind() == DbKind::PostgreSQL ? QStringLiteral("Person.Name COLLATE \"C\"")
                                                                 : QStringLiteral("Person.Name");
    DbQuery query(m_database,
                  QStringLiteral("SELECT Person.CureNo, Person.Name, Person.Kana, Person.RihaType, Person.KubunCode, "
                                 "Person.TAISHOBI_YMD, MAX(%2) AS MaxRegistDay "
                                 "FROM Person INNER JOIN %1 ON Person.CureNo = %1.CureNo "
                                 "WHERE ( Person.TAISHOBI_YMD IS NULL OR Person.TAISHOBI_YMD = :none "
                                 "OR Person.TAISHOBI_YMD > :today ) "
                                 "GROUP BY Person.CureNo, Person.Name, Person.Kana, Person.RihaType, "
                                 "Person.KubunCode, Person.TAISHOBI_YMD "
                                 "HAVING MAX(%2) < :limit "
                                 "ORDER BY %3, Person.CureNo")
                      .arg(table, day, name));
    query.bind(u"none", DbDate{DateTime::None})
        .bind(u"today", DbDate{m_today})
        .bind(u"limit", DbDate{limitDay(m_today)});
    if (PrintLimitRihaQuery.open(query))
        return true;
    qCWarning(lcPrinting).noquote() << "plan deadlines:" << PrintLimitRihaQuery.errorText();
    return false;
}

QString PlanLimitList::cellText(int column, const DbValue &value)
{
    if (column < 0 || column >= int(Columns.size()))
        return {};
    const QStringView field = Columns[size_t(column)].field;
    if (field == u"CureNo")
        return Text::zeroPadded(value.asLargeInt(), 8);
    if (field == u"MaxRegistDay")
        return PrintedDate(DateTime::dateOf(value.asDateTime()));
    if (field == u"RihaType")
        return value.isNull() ? QString() : CodeName(RihaTypeNames, value.asInteger());
    if (field == u"KubunCode") {
        TKubun kubun;
        kubun.SetCode(value.asInteger());
        return kubun.LongText();
    }
    return value.asString();
}

std::optional<Variant> PlanLimitList::value(const QString &name) const
{
    if (name == u"Sakuseibi")
        return Variant(FormatEraDate(m_today));
    if (name == u"Home")
        return Variant(m_facility);
    if (name == u"ListTitle")
        return Variant(m_kind == Kind::CurePlan ? QStringLiteral("リハビリ治療計画書　期限切れ一覧")
                                                : QStringLiteral("リハビリ実施計画書　期限切れ一覧"));
    const DbRecord row = PrintLimitRihaQuery.record(PrintLimitRihaQuery.position());
    if (name == u"CureNo")
        return Variant(QString::number(row.value(u"CureNo").asLargeInt()));
    if (name == u"Name")
        return Variant(row.value(u"Name").asString());
    if (name == u"StoreDay")
        return Variant(cellText(2, row.value(u"MaxRegistDay")));
    if (name == u"RihaType")
        return Variant(cellText(3, row.value(u"RihaType")));
    return std::nullopt;
}

ListPrint PlanLimitList::printout()
{
    return ListPrint(PrintLimitRihaQuery, QStringLiteral("計画期限切れ一覧"),
                     [this](const QString &name) { return value(name); });
}
