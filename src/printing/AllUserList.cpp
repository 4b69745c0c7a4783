#include "printing/AllUserList.h"

#include "base/Sjis.h"
#include "core/CodeTables.h"
#include "core/DateHelpers.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "platform/DbQuery.h"
#include "printing/ListPrint.h"
#include "printing/PrintingLog.h"

#include <cmath>

const QStringList AllUserList::CsvHeader{
    QStringLiteral("治療番号"),   QStringLiteral("氏名"),   QStringLiteral("氏名カナ"),
    QStringLiteral("利用開始日"), QStringLiteral("退所日"), QStringLiteral("リハビリ形態と区分"),
    QStringLiteral("性別"),       QStringLiteral("年齢"),   QStringLiteral("生年月日"),
    QStringLiteral("自立区分"),   QStringLiteral("認知度"), QStringLiteral("要介護度"),
    QStringLiteral("部屋番号")};

namespace {

TDateTime dateField(const DbRecord &row, QStringView field)
{
    return DateTime::dateOf(row.value(field).asDateTime());
}

// A stored code; a NULL is no code at all.
int codeField(const DbRecord &row, QStringView field)
{
    const DbValue value = row.value(field);
    return value.isNull() ? -1 : value.asInteger();
}

QString shortDate(const DbRecord &row, QStringView field)
{
    return FormatEraShortDate(dateField(row, field));
}

QString codeName(const DbRecord &row, QStringView field, NameTable table)
{
    return CodeName(table, codeField(row, field));
}

} // namespace

AllUserList::AllUserList(DbConnection &database, QString facilityName)
    : m_database(database), m_facility(std::move(facilityName))
{}

TDateTime AllUserList::recentSince(TDateTime today)
{
    return FirstDayOfMonth(DateTime::fromDate(DateTime::toDate(today).addMonths(-3)));
}

AllUserList::Outcome AllUserList::open(const Conditions &conditions, TDateTime today)
{
    close();
    m_conditions = conditions;
    m_today = DateTime::dateOf(today);
    // The types are one bracketed OR group, so that the date conditions
    // joined with AND apply to every type.
    QStringList types;
    for (int type = 0; type < int(conditions.Types.size()); ++type) {
        if (conditions.Types[size_t(type)])
            types << QStringLiteral("RihaType = :type%1").arg(type);
    }
    TypeFilterSet = !types.isEmpty();
    QStringList where;
    if (TypeFilterSet)
        where << QStringLiteral("( ") + types.join(QStringLiteral(" OR ")) + QStringLiteral(" )");
    if (conditions.InCareOnly)
        where << QStringLiteral("( TAISHOBI_YMD IS NULL OR TAISHOBI_YMD = :none OR TAISHOBI_YMD > :today )");
    if (conditions.RecentOnly)
        where << QStringLiteral("( NYUSHOBI_YMD >= :since )");
    QString sql = QStringLiteral("SELECT CureNo, Name, Kana, RihaType, KubunCode, KubunDate, NYUSHOBI_YMD, "
                                 "TAISHOBI_YMD, Sex, Birth, Jiritsu_KBN, Ninchi_KBN, YOUKAIGO_KBN, ROOM_NO "
                                 "FROM Person ");
    if (!where.isEmpty())
        sql += QStringLiteral("WHERE ") + where.join(QStringLiteral(" AND ")) + u' ';
    sql += QStringLiteral("ORDER BY CureNo");
    DbQuery query(m_database, sql);
    for (int type = 0; type < int(conditions.Types.size()); ++type) {
        if (conditions.Types[size_t(type)])
            query.bind(QStringLiteral("type%1").arg(type), type);
    }
    if (conditions.InCareOnly)
        query.bind(u"none", DbDate{DateTime::None}).bind(u"today", DbDate{m_today});
    if (conditions.RecentOnly)
        query.bind(u"since", DbDate{recentSince(m_today)});
    if (!AllUserPrintQuery.open(query)) {
        qCWarning(lcPrinting).noquote() << "user list:" << AllUserPrintQuery.errorText();
        return Outcome::Failed;
    }
    return AllUserPrintQuery.isEmpty() ? Outcome::NoRows : Outcome::Rows;
}

QString AllUserList::conditionText() const
{
    return QStringLiteral("（印刷条件:") +
           (TypeFilterSet ? QStringLiteral("条件１有り、") : QStringLiteral("利用者全員、")) +
           (m_conditions.InCareOnly ? QStringLiteral("退所者を除く、") : QStringLiteral("退所者を含む、")) +
           (m_conditions.RecentOnly ? QStringLiteral("最新のみ") : QStringLiteral("過去分の全て")) +
           QStringLiteral("）");
}

QString AllUserList::dayCount(const DbRecord &row) const
{
    const TDateTime from = dateField(row, u"NYUSHOBI_YMD");
    if (from == DateTime::None)
        return {};
    const TDateTime out = dateField(row, u"TAISHOBI_YMD");
    return QString::number(qint64(std::lround((out > DateTime::None ? out : m_today) - from)));
}

QString AllUserList::age(const DbRecord &row) const
{
    const TDateTime birth = dateField(row, u"Birth");
    return birth == DateTime::None ? QString() : QString::number(YearsBetweenDates(birth, m_today));
}

std::optional<Variant> AllUserList::value(const QString &name) const
{
    if (name == u"TitleDate")
        return Variant(FormatEraDate(m_today) + QStringLiteral(" 作成"));
    if (name == u"PrnLmt")
        return Variant(conditionText());
    if (name == u"Shisetsu")
        return Variant(m_facility);
    const DbRecord row = AllUserPrintQuery.record(AllUserPrintQuery.position());
    if (name == u"Kaishibi")
        return Variant(shortDate(row, u"NYUSHOBI_YMD"));
    if (name == u"Taishobi")
        return Variant(shortDate(row, u"TAISHOBI_YMD"));
    if (name == u"Tsusan")
        return Variant(dayCount(row));
    if (name == u"Keitai")
        return Variant(codeName(row, u"RihaType", RihaTypeNames));
    if (name == u"Sex")
        return Variant(codeName(row, u"Sex", SexNames));
    if (name == u"Old")
        return Variant(age(row));
    if (name == u"Birth")
        return Variant(shortDate(row, u"Birth"));
    if (name == u"Jiritsu")
        return Variant(codeName(row, u"Jiritsu_KBN", JiritsuNames));
    if (name == u"Ninchi")
        return Variant(codeName(row, u"Ninchi_KBN", NinchiNames));
    if (name == u"Kaigo")
        return Variant(codeName(row, u"YOUKAIGO_KBN", YoukaigoNames));
    return std::nullopt;
}

std::vector<QStringList> AllUserList::csvRows() const
{
    std::vector<QStringList> lines;
    for (int position = 0; position < AllUserPrintQuery.recordCount(); ++position) {
        const DbRecord row = AllUserPrintQuery.record(position);
        TKubun kubun;
        kubun.SetCode(row.value(u"KubunCode").asInteger());
        const QString type = codeName(row, u"RihaType", RihaTypeNames);
        lines.push_back({Text::zeroPadded(row.value(u"CureNo").asLargeInt(), 8), row.value(u"Name").asString(),
                         row.value(u"Kana").asString(), shortDate(row, u"NYUSHOBI_YMD"),
                         shortDate(row, u"TAISHOBI_YMD"), Sjis::cut(type + QString(14, u' '), 14) + kubun.LongText(),
                         codeName(row, u"Sex", SexNames), age(row), shortDate(row, u"Birth"),
                         codeName(row, u"Jiritsu_KBN", JiritsuNames), codeName(row, u"Ninchi_KBN", NinchiNames),
                         codeName(row, u"YOUKAIGO_KBN", YoukaigoNames), row.value(u"ROOM_NO").asString()});
    }
    return lines;
}

ListPrint AllUserList::printout()
{
    return ListPrint(AllUserPrintQuery, QStringLiteral("利用者一覧表"),
                     [this](const QString &name) { return value(name); });
}
