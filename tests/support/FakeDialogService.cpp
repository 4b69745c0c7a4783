#include "FakeDialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

FakeDialogService::DialogHandler FakeDialogService::execAndPress(const QString &buttonName,
                                                                 std::function<void(QDialog *)> inside)
{
    return [buttonName, inside = std::move(inside)](QDialog *dialog) {
        // Shown again by exec() as a modal window.
        dialog->hide();
        QTimer::singleShot(0, dialog, [dialog, buttonName, inside] {
            // As a user, who presses a button of the window in front.
            if (QApplication::activeModalWidget() != dialog || !QTest::qWaitForWindowActive(dialog)) {
                ADD_FAILURE() << "the dialog does not run modally";
                dialog->reject();
                return;
            }
            if (inside)
                inside(dialog);
            auto *button = dialog->findChild<QAbstractButton *>(buttonName);
            if (!button) {
                ADD_FAILURE() << "no button " << buttonName.toStdString();
                dialog->reject();
                return;
            }
            QTest::mouseClick(button, Qt::LeftButton);
        });
        return dialog->exec();
    };
}

FakeDialogService::FakeDialogService() : m_previous(Dialogs::install(this)) {}

FakeDialogService::~FakeDialogService()
{
    Dialogs::install(m_previous);
}

QStringList FakeDialogService::messageTexts() const
{
    QStringList texts;
    for (const Message &m : m_messages)
        texts.append(m.text);
    return texts;
}

MessageAnswer FakeDialogService::message(MessageType type, const QString &text, MessageButtons buttons,
                                         const QString &caption)
{
    m_messages.append({type, text, buttons, caption});
    if (!m_answers.empty()) {
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
    case MessageButtons::OkNo:
        return MessageAnswer::Ok;
    case MessageButtons::Yes:
    case MessageButtons::YesNo:
        return MessageAnswer::Yes;
    case MessageButtons::Abort:
        return MessageAnswer::Abort;
    case MessageButtons::YesNoDefaultNo:
        return MessageAnswer::No;
    }
    return MessageAnswer::Ok;
}

int FakeDialogService::execDialog(QDialog *dialog)
{
    ++m_dialogCount;
    if (m_dialogs.empty())
        return QDialog::Rejected;
    DialogHandler handler = std::move(m_dialogs.front());
    m_dialogs.pop_front();
    // The dialog sees its show event as in a real modal run.
    dialog->show();
    const int result = handler(dialog);
    dialog->hide();
    dialog->setResult(result);
    return result;
}

QString FakeDialogService::openFileName(QWidget *, const QString &caption, const QString &directory,
                                        const QString &filter)
{
    m_fileDialogs.append({caption, directory, filter});
    if (m_fileNames.empty())
        return {};
    QString name = m_fileNames.front();
    m_fileNames.pop_front();
    return name;
}

QString FakeDialogService::saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                        const QString &filter)
{
    return openFileName(parent, caption, directory, filter);
}
