#include "printing/PracticePlanPrint.h"

#include "core/CodeTables.h"
#include "core/StaffDirectory.h"
#include "printing/PrintedDate.h"

#include <algorithm>
#include <utility>

namespace {

using P = TPractice;

struct TextField
{
    QStringView name;
    QString P::*field;
};

struct Flag
{
    QStringView name;
    bool P::*field;
};

const TextField texts[] = {
    {u"PTOTST0", &P::PTOTST0},
    {u"Kango0", &P::Kango0},
    {u"Jitchi0", &P::Jitchi0},
    {u"PTOTST1", &P::PTOTST1},
    {u"Kango1", &P::Kango1},
    {u"Jitchi1", &P::Jitchi1},
    {u"EtcEdit", &P::EtcEdit},
    {u"HomeWorkEdit", &P::HomeWorkEdit},
    {u"SocialEdit", &P::SocialEdit},
    {u"GoOutEdit", &P::GoOutEdit},
    {u"FreeTimeEdit", &P::FreeTimeEdit},
    {u"TaiinEdit", &P::TaiinEdit},
    {u"ExerciseMemo", &P::ExerciseMemo},
    {u"SenseMemo", &P::SenseMemo},
    {u"BrainMemo", &P::BrainMemo},
    {u"KoushukuMemo", &P::KoushukuMemo},
    {u"ArthralgiaMemo", &P::ArthralgiaMemo},
    {u"SonotaMemo", &P::SonotaMemo},
    {u"UserName", &P::UserName},
    {u"SelfHope", &P::SelfHope},
    {u"FarmilyHope", &P::FarmilyHope},
    {u"LifePoint", &P::LifePoint},
    {u"RihaTerget", &P::RihaTerget},
    {u"SelfDo", &P::SelfDo},
    {u"AskFarmily", &P::AskFarmily},
    {u"DiseseCare", &P::DiseseCare},
    {u"Variation", &P::Variation},
    {u"ReMark", &P::Remark},
};

const TextField headerTexts[] = {
    {u"KenkouMemo", &P::KenkouMemo},
    {u"GapeiMemo", &P::GapeiMemo},
    {u"SeikatsuMemo", &P::SeikatsuMemo},
};

const Flag flags[] = {
    {u"HomeBox", &P::HomeBox},   {u"EtcBox", &P::EtcBox},         {u"TaiinBox", &P::TaiinBox},
    {u"Exercise", &P::Exercise}, {u"Sense", &P::Sense},           {u"Brain", &P::Brain},
    {u"Koushuku", &P::Koushuku}, {u"Arthralgia", &P::Arthralgia}, {u"Sonota", &P::Sonota},
};

const Variant Blank{QStringLiteral(" ")};

QString mark(qint32 special)
{
    switch (special) {
    case 1:
        return QStringLiteral("○");
    case 2:
        return QStringLiteral("◎");
    default:
        return QStringLiteral(" ");
    }
}

} // namespace

PracticePlanPrint::PracticePlanPrint(TPractice record, const StaffDirectory &staff, QString facilityName)
    : m_record(std::move(record)), m_staff(&staff), m_facilityName(std::move(facilityName))
{}

std::optional<int> PracticePlanPrint::table1Row(int line)
{
    if (line >= 0 && line <= 3)
        return line;
    if (line >= 5 && line <= 13)
        return line - 1;
    return std::nullopt;
}

std::optional<Variant> PracticePlanPrint::value(const QString &name, int line1, int line2) const
{
    if (std::optional<Variant> answer = tableValue(name, line1, line2))
        return answer;
    return textValue(name);
}

std::optional<Variant> PracticePlanPrint::tableValue(const QString &name, int line1, int line2) const
{
    const bool abc = name.startsWith(u"ABC");
    const QStringView field =
        abc ? QStringView(u"ABC") : QStringView(name).first(std::max<qsizetype>(0, name.size() - 1));
    if (!abc && field != u"Goods" && field != u"Kaigo" && field != u"Time" && field != u"Spacial")
        return std::nullopt;
    // The digit after the field picks the table; other names of the ABC
    // kind print a blank.
    const QChar table = name.size() > field.size() ? name[field.size()] : QChar();
    if (table != u'0' && table != u'1')
        return abc ? std::optional<Variant>(Blank) : std::nullopt;
    const bool first = table == u'0';
    const int line = first ? line1 : line2;
    // Past the table the engine keeps its own value.
    if (line < 0 || line >= (first ? Table1Lines : Table2Lines))
        return std::nullopt;
    const std::optional<int> index = first ? table1Row(line) : std::optional<int>(line);
    if (!index || (abc && name.size() != 5))
        return Blank;
    const TPracticeGridRow &row = first ? m_record.Grid1[size_t(*index)] : m_record.Grid2[size_t(*index)];
    if (abc) {
        const int cell = name[4].digitValue() - 1;
        return cell >= 0 && cell < int(row.ABC.size()) ? Variant(row.ABC[size_t(cell)]) : Blank;
    }
    if (field == u"Goods")
        return Variant(row.Goods);
    if (field == u"Kaigo")
        return Variant(row.Kaigo);
    if (field == u"Time")
        return Variant(row.Time);
    return Variant(mark(row.Special));
}

std::optional<Variant> PracticePlanPrint::textValue(const QString &name) const
{
    const TPractice &r = m_record;
    // The header's boxes are one row each: their lines (the user's disease
    // lines, most of them empty, when the plan was begun) print as one
    // paragraph.
    for (const TextField &t : headerTexts) {
        if (name == t.name) {
            QString text = r.*t.field;
            QStringList lines =
                text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n').split(u'\n');
            lines.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
            return Variant(lines.join(u'　'));
        }
    }
    for (const TextField &t : texts) {
        if (name == t.name)
            return Variant(r.*t.field);
    }
    for (const Flag &f : flags) {
        if (name == f.name)
            return Variant(r.*f.field);
    }
    if (name == u"HDSR")
        return r.HDSR < 1 ? Blank : Variant(QString::number(r.HDSR));
    if (name == u"Kaigodo")
        return Variant(r.Kaigodo < 0 ? QString() : CodeName(YoukaigoNames, r.Kaigodo));
    if (name == u"Old")
        return Variant(QString::number(r.Old));
    if (name == u"Birth")
        return Variant(PrintedDate(r.Birth));
    if (name == u"PractDay")
        return Variant(PrintedDate(r.PractDay));
    if (name == u"Sex")
        return Variant(CodeName(SexNames, r.Sex));
    if (name == u"Shisetsu")
        return Variant(m_facilityName);
    if (name.startsWith(u"TeamBox")) {
        bool isNumber = false;
        const int box = QStringView(name).sliced(7).toInt(&isNumber);
        if (isNumber && box >= 1 && box <= TPractice::TeamBoxes && name.size() == (box < 10 ? 8 : 9))
            return Variant(staffName(r.TeamBox[size_t(box - 1)]));
    }
    return std::nullopt;
}

QString PracticePlanPrint::staffName(qint32 code) const
{
    const int at = code < 0 ? -1 : m_staff->indexOfCode(code);
    return at < 0 ? QStringLiteral(" ") : m_staff->nameAt(at);
}
