#include "printing/CurePlanPrint.h"

#include "core/CodeTables.h"
#include "core/TKubun.h"
#include "printing/PrintedDate.h"

#include <utility>

namespace {

struct Choice
{
    QStringView name;
    qint32 TPlanData::*field;
    NameTable table;
};

struct TextField
{
    QStringView name;
    QString TPlanData::*field;
};

struct Flag
{
    QStringView name;
    bool TPlanData::*field;
};

using D = TPlanData;

const Choice choices[] = {
    {u"Kansetsu", &D::Kansetsu, PresenceNames},
    {u"MahiUp", &D::MahiUp, PresenceNames},
    {u"MahiDown", &D::MahiDown, PresenceNames},
    {u"MahiFin", &D::MahiFin, PresenceNames},
    {u"KinRyuku", &D::KinRyuku, PresenceNames},
    {u"Itami", &D::Itami, PresenceNames},
    {u"Shiryoku", &D::Shiryoku, PresenceNames},
    {u"ChoryokuL", &D::ChoryokuL, PresenceNames},
    {u"ChoryokuR", &D::ChoryokuR, PresenceNames},
    {u"MUp", &D::MUp, GradeNames},
    {u"MDown", &D::MDown, GradeNames},
    {u"MFin", &D::MFin, GradeNames},
    {u"Shitsugo", &D::Shitsugo, PresenceNames},
    {u"Shitsunin", &D::Shitsunin, PresenceNames},
    {u"Negaeri", &D::Negaeri, AssistNames},
    {u"Zai", &D::Zai, AssistNames},
    {u"Tachi", &D::Tachi, AssistNames},
    {u"Ijyo", &D::Ijyo, AssistNames},
    {u"Hokou", &D::Hokou, AssistNames},
    {u"Haisetsu", &D::Haisetsu, AssistNames},
    {u"Shokuji", &D::Shokuji, AssistNames},
    {u"Nyuyoku", &D::Nyuyoku, AssistNames},
    {u"Kidatsu", &D::Kidatsu, AssistNames},
    {u"Ishisotsu", &D::Ishisotsu, AssistNames},
};

const TextField texts[] = {
    {u"KansetuTxt", &D::KansetuTxt},   {u"MahiUpTxt", &D::MahiUpTxt},       {u"MahiDownTxt", &D::MahiDownTxt},
    {u"MahiFinTxt", &D::MahiFinTxt},   {u"KinryokuTxt", &D::KinryokuTxt},   {u"ItamiTxt", &D::ItamiTxt},
    {u"ShiryokuTxt", &D::ShiryokuTxt}, {u"ChoryokuLTxt", &D::ChoryokuLTxt}, {u"ChoryokuRTxt", &D::ChoryokuRTxt},
    {u"ShitsugoTxt", &D::ShitsugoTxt}, {u"ShitsuninTxt", &D::ShitsuninTxt}, {u"NegaeriTxt", &D::NegaeriTxt},
    {u"ZaiTxt", &D::ZaiTxt},           {u"TachiTxt", &D::TachiTxt},         {u"IjyoTxt", &D::IjyoTxt},
    {u"HokouTxt", &D::HokouTxt},       {u"HaisetsuTxt", &D::HaisetsuTxt},   {u"ShokujiTxt", &D::ShokujiTxt},
    {u"NyuyokuTxt", &D::NyuyokuTxt},   {u"KidatsuTxt", &D::KidatsuTxt},     {u"IshisotsuTxt", &D::IshisotsuTxt},
};

const Flag flags[] = {
    {u"Sakuwa", &D::Sakuwa},         {u"Genshi", &D::Genshi},   {u"Mousou", &D::Mousou}, {u"Haikai", &D::Haikai},
    {u"Chuya", &D::Chuya},           {u"Bougen", &D::Bougen},   {u"Teikou", &D::Teikou}, {u"Fuketsu", &D::Fuketsu},
    {u"Ishoku", &D::Ishoku},         {u"Jihatsu", &D::Jihatsu}, {u"Kajou", &D::Kajou},   {u"Fuann", &D::Fuann},
    {u"Hitorigoto", &D::Hitorigoto}, {u"Utsu", &D::Utsu},       {u"Shushu", &D::Shushu},
};

// The 1-based number after a prefix of six texts ("Mondai3" gives 2).
std::optional<size_t> numbered(const QString &name, QStringView prefix)
{
    if (!name.startsWith(prefix) || name.size() != prefix.size() + 1)
        return std::nullopt;
    const int digit = name.back().unicode() - u'1';
    if (digit < 0 || digit > 5)
        return std::nullopt;
    return size_t(digit);
}

Variant date(TDateTime value)
{
    return Variant(PrintedDate(value));
}

} // namespace

CurePlanPrint::CurePlanPrint(TPlan plan, QString facilityName)
    : m_plan(std::move(plan)), m_facilityName(std::move(facilityName))
{}

std::optional<Variant> CurePlanPrint::value(const QString &name) const
{
    const TPlan &p = m_plan;
    if (name == u"CureNo")
        return Variant(p.CureNo);
    if (name == u"Name")
        return Variant(p.Name);
    if (name == u"RegistDate")
        return date(p.PlanRegistDay);
    if (name == u"EndDate")
        return date(p.PlanEndDay);
    if (name == u"Sex")
        return Variant(CodeName(SexNames, p.Sex));
    if (name == u"Birth")
        return date(p.Birth);
    if (name == u"RihaType")
        return Variant(CodeName(RihaTypeNames, p.RihaType));
    if (name == u"Kubun") {
        TKubun kubun;
        kubun.SetCode(p.KubunCode);
        return Variant(kubun.LongText());
    }
    if (name == u"Jiritsudo")
        return Variant(CodeName(JiritsuNames, p.Jiritsu_KBN));
    if (name == u"Ninchido")
        return Variant(CodeName(NinchiNames, p.Ninchi_KBN));
    if (name == u"Kaigodo")
        return Variant(CodeName(YoukaigoNames, p.YOUKAIGO_KBN));
    if (name == u"Shisetsu")
        return Variant(m_facilityName);
    if (auto i = numbered(name, u"Disease"))
        return Variant(p.Disease[*i]);
    return bodyValue(name);
}

std::optional<Variant> CurePlanPrint::bodyValue(const QString &name) const
{
    const TPlanData &b = m_plan.Body;
    for (const Choice &c : choices) {
        if (name == c.name)
            return Variant(CodeName(c.table, b.*c.field));
    }
    for (const TextField &t : texts) {
        if (name == t.name)
            return Variant(b.*t.field);
    }
    for (const Flag &f : flags) {
        if (name == f.name)
            return Variant(b.*f.field);
    }
    if (auto i = numbered(name, u"Mondai"))
        return Variant(b.Mondai[*i]);
    if (auto i = numbered(name, u"Mokuhyo"))
        return Variant(b.Mokuhyo[*i]);
    if (auto i = numbered(name, u"Program"))
        return Variant(b.Program[*i]);
    return std::nullopt;
}

std::optional<QString> CurePlanPrint::areaText(const QString &firstLine) const
{
    if (firstLine == u"[EtcMemo]")
        return m_plan.Body.EtcMemo;
    if (firstLine == u"[DrMemo]")
        return m_plan.Body.DrMemo;
    if (firstLine == u"[Sonota]")
        return m_plan.Body.Sonota;
    return std::nullopt;
}
