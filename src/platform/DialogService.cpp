#include "platform/DialogService.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcDialogs, "tamsolen.platform.dialogs", QtWarningMsg)

DialogService::~DialogService() = default;

namespace {

// Stands in while no service is installed (tools, library code under tests
// that did not expect a dialog): nothing blocks, everything is logged.
class UnattendedDialogService final : public DialogService
{
public:
    MessageAnswer message(MessageType, const QString &text, MessageButtons buttons, const QString &) override
    {
        qCWarning(lcDialogs) << "message without a dialog service:" << text;
        switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::Yes:
            return MessageAnswer::Yes;
        case MessageButtons::Abort:
            return MessageAnswer::Abort;
        case MessageButtons::YesNo:
        case MessageButtons::OkNo:
        case MessageButtons::YesNoDefaultNo:
            return MessageAnswer::No;
        case MessageButtons::OkCancel:
            return MessageAnswer::Cancel;
        }
        return MessageAnswer::Cancel;
    }
    int execDialog(QDialog *) override
    {
        qCWarning(lcDialogs) << "modal dialog without a dialog service";
        return 0;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
};

DialogService *&installed()
{
    static DialogService *current = nullptr;
    return current;
}

} // namespace

namespace Dialogs {

DialogService &service()
{
    static UnattendedDialogService unattended;
    DialogService *current = installed();
    return current ? *current : unattended;
}

DialogService *install(DialogService *service)
{
    DialogService *previous = installed();
    installed() = service;
    return previous;
}

MessageAnswer message(MessageType type, const QString &text, MessageButtons buttons)
{
    return service().message(type, text, buttons, QString());
}

void error(const QString &text, MessageButtons buttons)
{
    message(MessageType::Error, text, buttons);
}

void warning(const QString &text, MessageButtons buttons)
{
    message(MessageType::Warning, text, buttons);
}

void information(const QString &text, MessageButtons buttons)
{
    message(MessageType::Information, text, buttons);
}

bool confirm(const QString &text)
{
    return message(MessageType::Confirmation, text, MessageButtons::YesNo) == MessageAnswer::Yes;
}

bool confirmDelete(const QString &text)
{
    return message(MessageType::Confirmation, text, MessageButtons::YesNoDefaultNo) == MessageAnswer::Yes;
}

int exec(QDialog *dialog)
{
    return service().execDialog(dialog);
}

MessageAnswer show(const UserMessage &message)
{
    return Dialogs::message(message.type, message.text, message.buttons);
}

void show(const std::vector<UserMessage> &messages)
{
    for (const UserMessage &message : messages)
        show(message);
}

MessageAsker asker()
{
    return [](const UserMessage &question) {
        return show(question);
    };
}

} // namespace Dialogs
