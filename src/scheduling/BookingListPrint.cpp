#include "scheduling/BookingListPrint.h"

#include "core/CodeTables.h"
#include "core/TKubun.h"

namespace {

QString weekdayOf(TDateTime day)
{
    return WeekLongNames[std::size_t(DateTime::toDate(day).dayOfWeek() - 1)].toString();
}

QString dateOrEmpty(QStringView pattern, TDateTime date)
{
    return date == DateTime::None ? QString() : DateTime::format(pattern, date);
}

} // namespace

BookingListPrint::BookingListPrint(Kind kind, BookingList::Rows rows, Header header, QString facilityName,
                                   TDateTime now)
    : m_kind(kind), m_rows(std::move(rows)), m_header(std::move(header)), m_facility(std::move(facilityName)),
      m_now(now)
{}

QStringView BookingListPrint::templateName(Kind kind)
{
    switch (kind) {
    case Kind::Staff:
        return StaffTemplate;
    case Kind::User:
        return UserTemplate;
    case Kind::Day:
        break;
    }
    return DayTemplate;
}

std::optional<Variant> BookingListPrint::value(const QString &name, int row) const
{
    if (name == u"Homemei")
        return Variant(m_facility);
    if (name == u"Sakuseibi")
        return Variant(DateTime::format(u"ggee年mm月dd日hh時nn分", m_now));
    if ((name == u"YYMMDD" && m_kind != Kind::User) || (name == u"YYMM" && m_kind == Kind::User))
        return Variant(m_header.Period);
    if (m_kind == Kind::User) {
        const std::array<std::pair<QStringView, const QString *>, 6> user{{{u"CureNo", &m_header.CureNo},
                                                                           {u"Shimei", &m_header.Name},
                                                                           {u"kanaShimei", &m_header.Kana},
                                                                           {u"Umarebi", &m_header.Birth},
                                                                           {u"Seibetsu", &m_header.Sex},
                                                                           {u"Renraku", &m_header.Contact}}};
        for (const auto &[key, text] : user)
            if (name == key)
                return Variant(*text);
    }
    if (m_kind == Kind::Day && name == u"Youbi")
        return Variant(m_header.Weekday);
    if (m_kind != Kind::User && name == u"TantouName")
        return Variant(m_header.StaffName);
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    return rowValue(name, m_rows[std::size_t(row)]);
}

std::optional<Variant> BookingListPrint::rowValue(const QString &name, const BookingList::Row &row) const
{
    if (name == u"Yoteibi" && m_kind != Kind::Day)
        return Variant(DateTime::format(u"d日", row.ReserveDay));
    if (name == u"Youbi")
        return Variant(weekdayOf(row.ReserveDay));
    if (name == u"CureNo")
        return Variant(row.CureNo);
    if (name == u"Shimei")
        return Variant(row.Name);
    if (name == u"NyuShobi" && m_kind == Kind::Staff)
        return Variant(dateOrEmpty(u"ggee年mm月dd日", row.NyushoDate));
    if (name == u"Keikakubi" && m_kind == Kind::Day)
        return Variant(dateOrEmpty(u"gg ee年mm月dd日", row.NyushoDate));
    if (name == u"Rihabiri")
        return Variant(CodeName(RihaTypeNames, row.RihaType));
    if (name == u"RihaKubun") {
        if (m_kind != Kind::Day)
            return Variant(BookingList::kubunWords(row.KubunCode, u" ").trimmed());
        TKubun kubun;
        kubun.SetCode(row.KubunCode);
        return Variant(kubun.LongText());
    }
    if (name == u"StartTime")
        return Variant(DateTime::format(u"hh:nn", row.StartTime));
    if (name == u"WorkTime")
        return Variant(row.WorkingMin);
    if (name == u"Ninzuu" && m_kind != Kind::User)
        return Variant(row.Capacity);
    if (name == u"TantouName")
        return Variant(row.StuffName);
    return std::nullopt;
}
