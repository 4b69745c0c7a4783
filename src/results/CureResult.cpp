#include "results/CureResult.h"

#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbValue.h"
#include "users/TPerson.h"

#include <array>
#include <tuple>

namespace {

constexpr std::array<QStringView, 15> Head{u"CureDate",   u"ReserveNo", u"CureNo",   u"StuffCode", u"StuffName",
                                           u"StuffKigo",  u"PStartTime", u"PMinute", u"RStartTime", u"RMinute",
                                           u"Comment",    u"RihaType",  u"KubunCode", u"KubunDate", u"Name"};
constexpr std::array<QStringView, 14> Tail{u"Kana",          u"Sex",          u"Birth",       u"ROOM_NO",
                                           u"Jiritsu_KBN",   u"Ninchi_KBN",   u"YOUKAIGO_KBN", u"HP_TAISHO_YMD",
                                           u"NYUSHOBI_YMD",  u"TAISHOBI_YMD", u"LoginCD",     u"LoginName",
                                           u"UpdateDate",    u"ResultNo"};
// Head[0..12] | 14 flags | Head[13..14] | Tail[0..12]
constexpr int FlagStart = 13;
constexpr int FlagEnd = FlagStart + ResultTypeFlags::Count;

DbValue date(TDateTime value)
{
    return DbValue(DbDate{value});
}

} // namespace

QStringView CureResult::writtenColumn(int i)
{
    if (i < FlagStart)
        return Head[size_t(i)];
    if (i < FlagEnd)
        return ResultTypeFlags::Columns[size_t(i - FlagStart)];
    if (i < FlagEnd + 2)
        return Head[size_t(i - FlagEnd + FlagStart)];
    return Tail[size_t(i - FlagEnd - 2)];
}

DbValue CureResult::writtenValue(int i) const
{
    if (i >= FlagStart && i < FlagEnd)
        return DbValue(ResultTypeFlags::text(Flags[size_t(i - FlagStart)]));
    switch (i < FlagStart ? i : i - ResultTypeFlags::Count) {
    case 0: return date(CureDate);
    case 1: return DbValue(ReserveNo);
    case 2: return DbValue(CureNo);
    case 3: return DbValue(StuffCode);
    case 4: return DbValue(StuffName);
    case 5: return DbValue(StuffKigo);
    case 6: return date(PStartTime);
    case 7: return DbValue(PMinute);
    case 8: return date(RStartTime);
    case 9: return DbValue(RMinute);
    case 10: return DbValue(Comment);
    case 11: return DbValue(RihaType);
    case 12: return DbValue(KubunCode);
    case 13: return date(KubunDate);
    case 14: return DbValue(Name);
    case 15: return DbValue(Kana);
    case 16: return DbValue(Sex);
    case 17: return date(Birth);
    case 18: return DbValue(ROOM_NO);
    case 19: return DbValue(Jiritsu_KBN);
    case 20: return DbValue(Ninchi_KBN);
    case 21: return DbValue(YOUKAIGO_KBN);
    case 22: return date(HP_TAISHO_YMD);
    case 23: return date(NYUSHOBI_YMD);
    case 24: return date(TAISHOBI_YMD);
    case 25: return DbValue(LoginCD);
    case 26: return DbValue(LoginName);
    default: return date(UpdateDate);
    }
}

void CureResult::takeSnapshot(const TPerson &person)
{
    CureNo = person.CureNo;
    KubunDate = person.KubunDate;
    Name = person.Name;
    Kana = person.Kana;
    Sex = person.Sex;
    Birth = person.Birth;
    ROOM_NO = person.ROOM_NO;
    Jiritsu_KBN = person.Jiritsu_KBN;
    Ninchi_KBN = person.Ninchi_KBN;
    YOUKAIGO_KBN = person.YOUKAIGO_KBN;
    HP_TAISHO_YMD = person.HP_TAISHO_YMD;
    NYUSHOBI_YMD = person.NYUSHOBI_YMD;
    TAISHOBI_YMD = person.TAISHOBI_YMD;
}

CureResult CureResult::fromRow(const DbDataSet &rows)
{
    CureResult r;
    r.ResultNo = rows.field(u"ResultNo").asInteger();
    r.CureDate = rows.field(u"CureDate").asDateTime();
    r.ReserveNo = rows.field(u"ReserveNo").asInteger();
    r.CureNo = rows.field(u"CureNo").asInteger();
    r.StuffCode = rows.field(u"StuffCode").asInteger();
    r.StuffName = rows.field(u"StuffName").asString();
    r.StuffKigo = rows.field(u"StuffKigo").asString();
    r.PStartTime = rows.field(u"PStartTime").asDateTime();
    r.PMinute = rows.field(u"PMinute").asInteger();
    r.RStartTime = rows.field(u"RStartTime").asDateTime();
    r.RMinute = rows.field(u"RMinute").asInteger();
    r.Comment = rows.field(u"Comment").asString();
    r.RihaType = rows.field(u"RihaType").asInteger();
    r.KubunCode = rows.field(u"KubunCode").asInteger();
    for (int i = 0; i < ResultTypeFlags::Count; ++i)
        r.Flags[size_t(i)] = ResultTypeFlags::isTrue(rows.field(ResultTypeFlags::Columns[size_t(i)]).asString());
    r.KubunDate = rows.field(u"KubunDate").asDateTime();
    r.Name = rows.field(u"Name").asString();
    r.Kana = rows.field(u"Kana").asString();
    r.Sex = rows.field(u"Sex").asInteger();
    r.Birth = rows.field(u"Birth").asDateTime();
    r.ROOM_NO = rows.field(u"ROOM_NO").asString();
    r.Jiritsu_KBN = rows.field(u"Jiritsu_KBN").asInteger();
    r.Ninchi_KBN = rows.field(u"Ninchi_KBN").asInteger();
    r.YOUKAIGO_KBN = rows.field(u"YOUKAIGO_KBN").asInteger();
    r.HP_TAISHO_YMD = rows.field(u"HP_TAISHO_YMD").asDateTime();
    r.NYUSHOBI_YMD = rows.field(u"NYUSHOBI_YMD").asDateTime();
    r.TAISHOBI_YMD = rows.field(u"TAISHOBI_YMD").asDateTime();
    r.LoginCD = rows.field(u"LoginCD").asString();
    r.LoginName = rows.field(u"LoginName").asString();
    r.UpdateDate = rows.field(u"UpdateDate").asDateTime();
    return r;
}

bool CureResult::dayOrder(TDateTime dateA, TDateTime startA, int keyA, TDateTime dateB, TDateTime startB, int keyB)
{
    const auto key = [](TDateTime date, TDateTime start, int resultNo) {
        return std::tuple(DateTime::dateOf(date), DateTime::timeOf(start), resultNo);
    };
    return key(dateA, startA, keyA) < key(dateB, startB, keyB);
}
