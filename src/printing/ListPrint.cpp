#include "printing/ListPrint.h"

#include "platform/DialogService.h"
#include "report/building/TrpReportUi.h"

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

bool ListPrint::show(const QString &templateFile)
{
    if (!load(templateFile)) {
        // The engine has told of a version it does not read itself.
        const QString &text = m_report.LoadError().message;
        if (text != TrpTemplate::unsupportedMessage() || !TrpReportUi::installed().message)
            Dialogs::service().message(MessageType::Error, text, MessageButtons::Ok, QStringLiteral("Error"));
        return false;
    }
    return m_report.ShowReport();
}
