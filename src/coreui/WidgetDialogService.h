#pragma once

#include "platform/DialogService.h"

// The dialog service of the running program: Qt message boxes with the
// button captions of a Japanese workstation, modal exec for dialogs.
class WidgetDialogService final : public DialogService
{
public:
    MessageAnswer message(MessageType type, const QString &text, MessageButtons buttons,
                          const QString &caption) override;
    int execDialog(QDialog *dialog) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &directory,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                         const QString &filter) override;

    // Before a modal run: no minimise button, above the active window, whole
    // on the main window's screen, and restored at once if minimised anyway.
    static void prepareModal(QDialog *dialog);
};
