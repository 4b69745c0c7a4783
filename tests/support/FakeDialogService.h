#pragma once

#include "platform/DialogService.h"

#include <QDialog>
#include <QList>

#include <deque>
#include <functional>

// Records every message and dialog instead of showing it, and answers from
// queues. While alive it is the installed service.
class FakeDialogService final : public DialogService
{
public:
    struct Message
    {
        MessageType type;
        QString text;
        MessageButtons buttons;
        QString caption;
    };

    // A file dialog as it was asked for.
    struct FileDialog
    {
        QString caption;
        QString directory;
        QString filter;
    };

    // Drives a dialog in place of the user and returns the dialog's result.
    using DialogHandler = std::function<int(QDialog *)>;

    // A handler that runs the dialog's own modal loop (exec()) and, from
    // inside that loop, calls inside (when given) and clicks the dialog's
    // button of that object name. The test fails, and the dialog is
    // rejected, when the dialog is not the active modal window there.
    static DialogHandler execAndPress(const QString &buttonName, std::function<void(QDialog *)> inside = {});

    FakeDialogService();
    ~FakeDialogService() override;
    FakeDialogService(const FakeDialogService &) = delete;
    FakeDialogService &operator=(const FakeDialogService &) = delete;

    // Answers for the next message boxes, in order. When the queue is empty a
    // box is answered with its first button.
    void queueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    // Handlers for the next modal dialogs, in order. When none is queued a
    // dialog is cancelled (result 0).
    void queueDialog(DialogHandler handler) { m_dialogs.push_back(std::move(handler)); }
    void queueFileName(const QString &name) { m_fileNames.push_back(name); }

    [[nodiscard]] const QList<Message> &messages() const { return m_messages; }
    [[nodiscard]] QStringList messageTexts() const;
    [[nodiscard]] int dialogCount() const { return m_dialogCount; }
    [[nodiscard]] const QList<FileDialog> &fileDialogs() const { return m_fileDialogs; }
    void clear() { m_messages.clear(); }

    MessageAnswer message(MessageType type, const QString &text, MessageButtons buttons,
                          const QString &caption) override;
    int execDialog(QDialog *dialog) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &directory,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                         const QString &filter) override;

private:
    DialogService *m_previous = nullptr;
    QList<Message> m_messages;
    std::deque<MessageAnswer> m_answers;
    std::deque<DialogHandler> m_dialogs;
    std::deque<QString> m_fileNames;
    QList<FileDialog> m_fileDialogs;
    int m_dialogCount = 0;
};
