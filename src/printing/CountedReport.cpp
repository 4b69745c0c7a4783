#include "printing/CountedReport.h"

CountedReport::CountedReport(int rows1, int rows2, Values values)
    : m_report(&m_owner), m_dataset1(&m_owner), m_dataset2(&m_owner), m_values(std::move(values))
{
    m_report.setObjectName(QStringLiteral("rpReport1"));
    m_dataset1.setObjectName(QStringLiteral("rpUserDataset1"));
    m_dataset2.setObjectName(QStringLiteral("rpUserDataset2"));
    m_dataset1.RangeEndCount = rows1;
    m_dataset2.RangeEndCount = rows2;
    for (TrpUserDataset *dataset : {&m_dataset1, &m_dataset2})
        dataset->RangeEnd = reCount;
    m_report.OnGetValue = [this](const QString &name, Variant &value) {
        if (auto answer = m_values(name, m_dataset1.RecNo, m_dataset2.RecNo))
            value = *answer;
    };
}
