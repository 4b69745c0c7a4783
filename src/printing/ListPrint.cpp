#include "printing/ListPrint.h"

ListPrint::ListPrint(DbDataSet &rows, QString title, Values values)
    : m_report(&m_owner), m_dataset(&m_owner), m_rows(rows), m_values(std::move(values))
{
    m_report.setObjectName(QStringLiteral("rpReport1"));
    m_report.Title = std::move(title);
    m_dataset.setObjectName(QStringLiteral("rpDBDataSet1"));
    m_dataset.setDataSet(&m_rows);
    m_report.OnGetValue = [this](const QString &name, Variant &value) {
        if (std::optional<Variant> answer = m_values(name))
            value = *answer;
    };
}
