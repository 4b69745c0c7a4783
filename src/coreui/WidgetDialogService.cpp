#include "coreui/WidgetDialogService.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconOf(MessageType type)
{
    switch (type) {
    case MessageType::Error:
        return QMessageBox::Critical;
    case MessageType::Warning:
        return QMessageBox::Warning;
    case MessageType::Information:
        return QMessageBox::Information;
    case MessageType::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString defaultCaption(MessageType type)
{
    switch (type) {
    case MessageType::Error:
        return QStringLiteral("エラー");
    case MessageType::Warning:
        return QStringLiteral("警告");
    case MessageType::Information:
        return QStringLiteral("情報");
    case MessageType::Confirmation:
        return QStringLiteral("確認");
    }
    return {};
}

} // namespace

MessageAnswer WidgetDialogService::message(MessageType type, const QString &text, MessageButtons buttons,
                                           const QString &caption)
{
    QMessageBox box(iconOf(type), caption.isEmpty() ? defaultCaption(type) : caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QList<std::pair<QAbstractButton *, MessageAnswer>> answers;
    auto add = [&](const QString &label, QMessageBox::ButtonRole role, MessageAnswer answer) {
        answers.append({box.addButton(label, role), answer});
    };
    switch (buttons) {
    case MessageButtons::Ok:
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, MessageAnswer::Ok);
        break;
    case MessageButtons::Yes:
        add(QStringLiteral("はい(&Y)"), QMessageBox::YesRole, MessageAnswer::Yes);
        break;
    case MessageButtons::Abort:
        add(QStringLiteral("中止(&A)"), QMessageBox::RejectRole, MessageAnswer::Abort);
        break;
    case MessageButtons::YesNo:
        add(QStringLiteral("はい(&Y)"), QMessageBox::YesRole, MessageAnswer::Yes);
        add(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole, MessageAnswer::No);
        break;
    case MessageButtons::OkCancel:
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, MessageAnswer::Ok);
        add(QStringLiteral("キャンセル"), QMessageBox::RejectRole, MessageAnswer::Cancel);
        break;
    case MessageButtons::OkNo:
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, MessageAnswer::Ok);
        add(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole, MessageAnswer::No);
        break;
    case MessageButtons::YesNoDefaultNo:
        add(QStringLiteral("はい(&Y)"), QMessageBox::YesRole, MessageAnswer::Yes);
        add(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole, MessageAnswer::No);
        box.setDefaultButton(qobject_cast<QPushButton *>(answers.constLast().first));
        break;
    }
    box.exec();
    for (const auto &[button, answer] : answers) {
        if (box.clickedButton() == button)
            return answer;
    }
    // Closed with Escape or the window's close box: the last button's answer.
    return answers.last().second;
}

int WidgetDialogService::execDialog(QDialog *dialog)
{
    return dialog->exec();
}

QString WidgetDialogService::openFileName(QWidget *parent, const QString &caption, const QString &directory,
                                          const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString WidgetDialogService::saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                          const QString &filter)
{
    // The callers ask before they overwrite, with the name they write to.
    return QFileDialog::getSaveFileName(parent, caption, directory, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}
