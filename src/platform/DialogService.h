#pragma once

#include "platform/UserMessage.h"

#include <QString>
#include <QStringList>

#include <vector>

class QDialog;
class QWidget;

// Every message box and every modal dialog of the program goes through the
// one installed service, so that tests can record and answer them instead of
// blocking in a modal loop. Only window libraries include this header: a
// logic library hands its boxes back as UserMessages.
#ifdef TAMSOLEN_LOGIC_LIBRARY
#error "A logic library shows no dialog: it returns UserMessages or asks through a MessageAsker its window gives."
#endif

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
// Shows the box a logic library worded; the answer of a question.
MessageAnswer show(const UserMessage &message);
// Shows the boxes one after the other, in their order.
void show(const std::vector<UserMessage> &messages);
// Asks a logic library's questions through the installed service.
[[nodiscard]] MessageAsker asker();

} // namespace Dialogs
