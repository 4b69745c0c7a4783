#include "printing/ScheduleTypeList.h"

#include "base/Sjis.h"
#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/StaffDirectory.h"

#include <algorithm>

namespace {

// The staff legend of the CSV file: four rows of four (mark, name) pairs.
constexpr int LegendColumns = 4;
constexpr int LegendRows = 4;

} // namespace

ScheduleTypeList::ScheduleTypeList(MonthlySheet sheet, std::span<const CureResult> rows) : m_sheet(std::move(sheet))
{
    // Databases sort texts by their own collations: the order is set here.
    std::vector<std::pair<QString, const CureResult *>> sorted;
    sorted.reserve(rows.size());
    for (const CureResult &row : rows)
        sorted.emplace_back(Sjis::trim(row.Kana), &row);
    std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) {
        if (const int order = a.first.compare(b.first))
            return order < 0;
        if (a.second->CureNo != b.second->CureNo)
            return a.second->CureNo < b.second->CureNo;
        return CureResult::dayOrder(*a.second, *b.second);
    });
    const QString *keyKana = nullptr;
    int keyCureNo = 0;
    for (const auto &[kana, row] : sorted) {
        const int day = DateTime::toDate(row->CureDate).day() - 1;
        if (day < 0 || day >= MonthlySheet::Days)
            continue;
        if (!keyKana || kana != *keyKana || row->CureNo != keyCureNo)
            m_lines.emplace_back();
        keyKana = &kana;
        keyCureNo = row->CureNo;
        Line &line = m_lines.back();
        line.user = MonthlySheet::userText(*row);
        line.type = CodeName(RihaTypeNames, row->RihaType);
        line.admission = FormatEraShortDate(row->NYUSHOBI_YMD);
        if (line.marks[size_t(day)].isEmpty())
            line.marks[size_t(day)] = row->StuffKigo;
    }
    for (Line &line : m_lines) {
        for (size_t d = 0; d < size_t(MonthlySheet::Days); ++d) {
            const bool marked = !line.marks[d].isEmpty();
            line.count += marked ? 1 : 0;
            m_sum[d] += marked ? 1 : 0;
        }
        m_total += line.count;
    }
}

std::optional<Variant> ScheduleTypeList::value(const QString &name, int line, int day) const
{
    const bool inMonth = day >= 0 && day < m_sheet.dayCount();
    const Line *current = line >= 0 && line < int(m_lines.size()) ? &m_lines[size_t(line)] : nullptr;
    if (name == u"Kigou")
        return Variant(current && inMonth ? current->marks[size_t(day)] : QString());
    if (name == u"Shokei")
        return current ? Variant(current->count) : Variant(QString());
    if (name == u"Kaishibi")
        return Variant(current ? current->admission : QString());
    if (name == u"Keitai")
        return Variant(current ? current->type : QString());
    if (name == u"CureNo")
        return Variant(current ? current->user : QString());
    if (name == u"Sum")
        return inMonth ? Variant(Sum(day)) : Variant(QString());
    if (name == u"Total")
        return Variant(m_total);
    if (name == u"Jishibi")
        return Variant(m_sheet.monthText());
    return m_sheet.value(name, day);
}

QStringList ScheduleTypeList::csvTitle() const
{
    return {CodeName(RihaTypeNames, m_sheet.choice().rihaType) + QStringLiteral("スケジュール表"),
            QStringLiteral("作成日 ") + m_sheet.Sakuseibi(), QStringLiteral("施設名　") + m_sheet.facility()};
}

ListCsvFile::Content ScheduleTypeList::csvFile() const
{
    ListCsvFile::Content file = ListCsvFile::content(csvTitle(), csvRows());
    // The date line, the first row, has its own box.
    std::vector<QStringList> &rows = file.parts.back().lines;
    ListCsvFile::Part date{{rows.front()}, QStringLiteral("日付の書き出しができません。")};
    rows.erase(rows.begin());
    file.parts.insert(file.parts.begin() + 1, std::move(date));
    return file;
}

std::vector<QStringList> ScheduleTypeList::csvRows() const
{
    const int days = m_sheet.dayCount();
    std::vector<QStringList> rows;
    rows.push_back({QStringLiteral("日付"), m_sheet.monthText()});
    QStringList heading{QStringLiteral("治療番号 氏名"), QStringLiteral("形態"), QStringLiteral("登録日")};
    for (int day = 1; day <= days; ++day)
        heading << QString::number(day) + QStringLiteral("日");
    rows.push_back(heading << QStringLiteral("合計"));
    for (const Line &line : m_lines) {
        QStringList row{line.user, line.type, line.admission};
        for (int d = 0; d < days; ++d)
            row << line.marks[size_t(d)];
        rows.push_back(row << QString::number(line.count));
    }
    QStringList totals{QString(), QString(), QStringLiteral("合計")};
    for (int d = 0; d < days; ++d)
        totals << QString::number(Sum(d));
    rows.push_back(totals << QString::number(m_total));
    for (int r = 0; r < LegendRows; ++r) {
        QStringList legend;
        for (int c = 0; c < LegendColumns; ++c) {
            const int index = r * LegendColumns + c;
            const StaffDirectory &members = m_sheet.staff();
            const bool staff = index < members.count();
            legend << (staff ? members.kigoAt(index) : QStringLiteral(" "))
                   << (staff ? members.nameAt(index) : QStringLiteral(" "));
        }
        rows.push_back(legend);
    }
    return rows;
}
