#include "printing/PersonResultPrint.h"

#include "core/AppContext.h"
#include "core/TMainModule.h"

PersonResultPrint::PersonResultPrint(AppContext &context, TDateTime month, std::vector<int> cureNos, Notify notify)
    : m_reader(context), m_cureNos(std::move(cureNos)), m_facility(context.mainModule.FacilityName),
      m_notify(std::move(notify)), m_records([this](int record) { return read(record); }),
      m_report(recordCount(), DateTime::toDate(month).daysInMonth(),
               [this](const QString &name, int record, int line) { return value(name, record, line); })
{
    m_reader.setMonth(month);
    m_blank.emplace(m_reader, PersonMedicalRecord::LatestPlan(), m_facility);
    TrpReport &report = m_report.report();
    report.ReportType = rtMultiple;
    report.Dataset = &m_report.dataset1();
    // Each user is read as the page of the record begins.
    report.OnBeginPage = [this](int) {
        m_records.at(m_report.dataset1().RecNo);
    };
}

void PersonResultPrint::tell(int record, const QString &message)
{
    if (m_notify && m_told.insert(record).second)
        m_notify(message);
}

std::optional<PersonRecordPrint> PersonResultPrint::read(int record)
{
    if (record < 0 || record >= recordCount())
        return std::nullopt;
    const int cureNo = m_cureNos[size_t(record)];
    if (!m_reader.load(cureNo, std::nullopt)) {
        tell(record, QStringLiteral("*** System Error : 印刷行の編集エラー"));
        return std::nullopt;
    }
    QString message;
    std::optional<PersonMedicalRecord::LatestPlan> plan = m_reader.latestPlan(message);
    if (!plan) {
        // The user's results print without a header from a plan, never
        // with the user's before.
        tell(record, message);
        plan.emplace();
        plan->Person.CureNo = cureNo;
        // Code 0 names a sex and a form; a header without a plan names none.
        plan->Person.Sex = -1;
        plan->Person.RihaType = -1;
    }
    return PersonRecordPrint(m_reader, std::move(*plan), m_facility);
}

std::optional<Variant> PersonResultPrint::value(const QString &name, int record, int line)
{
    if (record < 0 || record >= recordCount())
        return std::nullopt;
    const PersonRecordPrint *read = m_records.at(record);
    std::optional<Variant> answer = (read ? *read : *m_blank).value(name, line);
    // A record that could not be read prints its facility and nothing else.
    if (answer && !read && name != u"Shisetsu")
        return Variant(QString());
    return answer;
}
