#include "printing/PersonResultPrint.h"

#include "core/AppContext.h"
#include "core/TMainModule.h"

PersonResultPrint::PersonResultPrint(std::vector<PersonRecordPrint> records, int days)
    : m_records(std::move(records)), m_days(days)
{}

std::unique_ptr<PersonResultPrint> PersonResultPrint::build(AppContext &context, TDateTime month,
                                                            const std::vector<int> &cureNos, QString &message)
{
    PersonMedicalRecord record(context);
    record.setMonth(month);
    std::vector<PersonRecordPrint> records;
    records.reserve(cureNos.size());
    for (const int cureNo : cureNos) {
        if (!record.load(cureNo, std::nullopt)) {
            message = QStringLiteral("*** System Error : 印刷行の編集エラー");
            return nullptr;
        }
        auto plan = record.latestPlan(message);
        if (!plan)
            return nullptr;
        records.emplace_back(record, std::move(*plan), context.mainModule.FacilityName);
    }
    const int days = DateTime::toDate(record.YearMonth()).daysInMonth();
    auto print = std::make_unique<PersonResultPrint>(std::move(records), days);
    if (!print->setUp(context.appDir, message))
        return nullptr;
    return print;
}

std::optional<Variant> PersonResultPrint::value(const QString &name, int record, int line) const
{
    if (record < 0 || record >= recordCount())
        return std::nullopt;
    return m_records[size_t(record)].value(name, line);
}

bool PersonResultPrint::setUp(const QString &appDir, QString &message)
{
    if (!m_report.load(appDir, TemplateName, recordCount(), m_days,
                       [this](const QString &name, int record, int line) { return value(name, record, line); })) {
        message = m_report.loadErrorText();
        return false;
    }
    m_report.report().ReportType = rtMultiple;
    m_report.report().Dataset = &m_report.dataset1();
    return true;
}
