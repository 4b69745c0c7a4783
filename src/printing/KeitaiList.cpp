#include "printing/KeitaiList.h"

#include "core/CodeTables.h"
#include "core/EraDate.h"

KeitaiList::KeitaiList(MonthlySheet sheet, std::span<const CureResult> rows) : m_sheet(std::move(sheet))
{
    int keyCureNo = 0;
    int keyType = 0;
    for (const CureResult &row : rows) {
        const int day = DateTime::toDate(row.CureDate).day() - 1;
        if (day < 0 || day >= MonthlySheet::Days)
            continue;
        if (m_lines.empty() || row.CureNo != keyCureNo || row.RihaType != keyType) {
            m_lines.emplace_back();
            keyCureNo = row.CureNo;
            keyType = row.RihaType;
        }
        Line &line = m_lines.back();
        line.user = MonthlySheet::userText(row);
        line.rihaType = row.RihaType;
        line.admission = FormatEraShortDate(row.NYUSHOBI_YMD);
        const auto d = size_t(day);
        if (line.Kigou[d].isEmpty())
            line.Kigou[d] = row.StuffKigo;
        // A start of 0 is one never entered; the next row's start counts.
        if (line.STime[d].isEmpty() && row.RStartTime != DateTime::None)
            line.STime[d] = DateTime::format(u"hhmm", row.RStartTime);
        line.Funn[d] += row.RMinute;
        line.treated[d] = true;
    }
    for (Line &line : m_lines) {
        for (size_t d = 0; d < size_t(MonthlySheet::Days); ++d) {
            const bool marked = !line.Kigou[d].isEmpty();
            line.CntKei += marked ? 1 : 0;
            line.TimeKei += line.Funn[d];
            m_kFunnSum[d] += marked ? 1 : 0;
            m_kTimeSum[d] += line.Funn[d];
        }
        m_totalCntSum += line.CntKei;
        m_totalTimeSum += line.TimeKei;
    }
}

std::optional<Variant> KeitaiList::lineValue(const QString &name, const Line &line, int day) const
{
    const bool inMonth = day >= 0 && day < m_sheet.dayCount();
    const auto d = size_t(inMonth ? day : 0);
    if (name == u"Kigou")
        return Variant(inMonth ? line.Kigou[d] : QString());
    if (name == u"Funn")
        return inMonth && line.treated[d] ? Variant(line.Funn[d]) : Variant(QString());
    if (name == u"STime")
        return Variant(inMonth ? line.STime[d] : QString());
    if (name == u"Kaishibi")
        return Variant(line.admission);
    if (name == u"Keitai")
        return Variant(CodeName(RihaTypeNames, line.rihaType));
    if (name == u"CureNo")
        return Variant(line.user);
    if (name == u"TimeKei")
        return Variant(line.TimeKei);
    if (name == u"CntKei")
        return Variant(line.CntKei);
    return std::nullopt;
}

std::optional<Variant> KeitaiList::value(const QString &name, int line, int day) const
{
    static const Line noLine;
    const bool onLine = line >= 0 && line < int(m_lines.size());
    if (auto v = lineValue(name, onLine ? m_lines[size_t(line)] : noLine, day))
        return onLine ? *v : Variant(QString());
    const bool inMonth = day >= 0 && day < m_sheet.dayCount();
    if (name == u"KFunnSum")
        return inMonth ? Variant(KFunnSum(day)) : Variant(QString());
    if (name == u"KTimeSum")
        return inMonth ? Variant(KTimeSum(day)) : Variant(QString());
    if (name == u"TotalCntSum")
        return Variant(m_totalCntSum);
    if (name == u"TotalTimeSum")
        return Variant(m_totalTimeSum);
    if (name == u"Jishibi")
        return Variant(m_sheet.monthText() + QStringLiteral("度"));
    return m_sheet.value(name, day);
}

QStringList KeitaiList::csvTitle() const
{
    return {QStringLiteral("形態別実績一覧表"), QStringLiteral("作成日 ") + m_sheet.Sakuseibi(),
            QStringLiteral("施設名　") + m_sheet.facility()};
}

ListCsvFile::Content KeitaiList::csvFile() const
{
    return ListCsvFile::content(csvTitle(), csvRows(), ListCsvFile::Quoting::WhereNeeded);
}

std::vector<QStringList> KeitaiList::csvRows() const
{
    std::vector<QStringList> rows;
    QStringList heading{QStringLiteral("利用者番号 氏名"), QStringLiteral("リハビリ形態"),
                        QStringLiteral("計画書登録日")};
    for (int day = 0; day < m_sheet.dayCount(); ++day)
        heading << m_sheet.calendor().DayCaption(day) << QStringLiteral("訓練時間") << QStringLiteral("訓練開始時間");
    heading << QStringLiteral("訓練回数合計") << QStringLiteral("訓練時間合計");
    rows.push_back(heading);
    for (const Line &line : m_lines) {
        QStringList row{line.user, CodeName(RihaTypeNames, line.rihaType), line.admission};
        for (size_t d = 0; d < size_t(m_sheet.dayCount()); ++d) {
            if (line.Kigou[d].isEmpty()) {
                row << QString() << QString() << QString();
                continue;
            }
            const QString &start = line.STime[d];
            row << line.Kigou[d] << QString::number(line.Funn[d])
                << (start.isEmpty() ? QString() : start.left(2) + QLatin1Char(':') + start.mid(2));
        }
        row << QString::number(line.CntKei) << QString::number(line.TimeKei);
        rows.push_back(row);
    }
    return rows;
}
