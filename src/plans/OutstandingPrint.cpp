#include "plans/OutstandingPrint.h"

#include "core/EraDate.h"
#include "plans/OutstandingList.h"

OutstandingPrint::OutstandingPrint(OutstandingList &list, QString facilityName, TDateTime now)
    : m_list(list), m_facility(std::move(facilityName)), m_now(now), m_report(&m_owner), m_dataset(&m_owner),
      m_rows(list.PrintOutStandingQuery)
{
    m_report.setObjectName(QStringLiteral("rpReport1"));
    m_dataset.setObjectName(QStringLiteral("rpDBDataSet1"));
    m_dataset.setDataSet(&m_rows);
    m_report.Title = QStringLiteral("計画書一覧");
    m_report.OnGetValue = [this](const QString &name, Variant &value) {
        if (name == u"Facility")
            value = Variant(m_facility);
        else if (name == u"PrintDate")
            value = Variant(FormatEraDate(m_now));
        else if (std::optional<Variant> answer = m_list.value(name))
            value = *answer;
    };
}
