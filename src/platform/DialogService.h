#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Every message box and every modal dialog of the program goes through the
// one installed service, so that tests can record and answer them instead of
// blocking in a modal loop.
enum class MessageType { Error, Warning, Information, Confirmation };

// The button sets that message boxes show.
// YesNoDefaultNo: Yes and No with No as the default button, for a question
// whose Yes could double data.
enum class MessageButtons { Ok, Yes, Abort, YesNo, OkCancel, OkNo, YesNoDefaultNo };

enum class MessageAnswer { Ok, Yes, No, Cancel, Abort };

class DialogService
{
public:
    virtual ~DialogService();

    virtual MessageAnswer message(MessageType type, const QString &text, MessageButtons buttons,
                                  const QString &caption) = 0;
    // Shows the dialog modally and returns its result code.
    virtual int execDialog(QDialog *dialog) = 0;
    // Empty when the user cancelled. A save dialog does not ask before it
    // names an existing file: the caller asks once, in its own words.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &directory,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                 const QString &filter) = 0;
};

namespace Dialogs {

// The installed service. Without one, messages are logged and answered with
// the most cautious answer of their button set, and dialogs are cancelled.
[[nodiscard]] DialogService &service();
// Installs a service (not owned) and returns the one it replaces.
DialogService *install(DialogService *service);

// Shorthands for the common boxes, caption empty.
MessageAnswer message(MessageType type, const QString &text, MessageButtons buttons);
void error(const QString &text, MessageButtons buttons = MessageButtons::Ok);
void warning(const QString &text, MessageButtons buttons = MessageButtons::Ok);
void information(const QString &text, MessageButtons buttons = MessageButtons::Ok);
// A Yes/No confirmation; true for Yes.
[[nodiscard]] bool confirm(const QString &text);
// A question before deleting: Yes/No with No the default; true for Yes.
[[nodiscard]] bool confirmDelete(const QString &text);
int exec(QDialog *dialog);

} // namespace Dialogs
