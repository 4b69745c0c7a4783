#include "printing/ListPrint.h"

ListPrint::ListPrint(DbDataSet &rows, QString title, Values values)
    : m_report(&m_owner), m_dataset(&m_owner), m_rows(rows), m_title(std::move(title)), m_values(std::move(values))
{
    m_dataset.setObjectName(QStringLiteral("rpDBDataSet1"));
    m_dataset.setDataSet(&m_rows);
}

bool ListPrint::load(const QString &templateFile)
{
    if (!m_report.LoadFromFile(templateFile))
        return false;
    m_report.Title = m_title;
    m_report.OnGetValue = [this](const QString &name, Variant &value) {
        if (std::optional<Variant> answer = m_values(name))
            value = *answer;
    };
    return true;
}
