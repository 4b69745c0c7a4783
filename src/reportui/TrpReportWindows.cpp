#include "reportui/TrpReportWindows.h"

#include "reportui/TrpPreviewForm.h"
#include "reportui/TrpProgressForm.h"

#include "platform/DialogService.h"

#include <QInputDialog>

TrpReportWindows::TrpReportWindows()
    : m_progress(std::make_unique<TrpProgressForm>()), m_previous(TrpReportUi::installed())
{
    TrpReportUi ui;
    ui.progress = m_progress.get();
    ui.input = this;
    ui.message = this;
    ui.preview = this;
    TrpReportUi::install(ui);
}

TrpReportWindows::~TrpReportWindows()
{
    TrpReportUi::install(m_previous);
}

void TrpReportWindows::show(TrpReport &report, const QString &caption)
{
    TrpPreviewForm form(report);
    form.setWindowTitle(caption);
    Dialogs::exec(&form);
}

QString TrpReportWindows::input(const QString &caption, const QString &prompt, const QString &defaultText)
{
    QInputDialog dialog;
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    return Dialogs::exec(&dialog) == QDialog::Accepted ? dialog.textValue() : defaultText;
}

void TrpReportWindows::showError(const QString &caption, const QString &text)
{
    Dialogs::service().message(MessageType::Error, text, MessageButtons::Ok, caption);
}
