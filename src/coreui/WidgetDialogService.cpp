#include "coreui/WidgetDialogService.h"

#include "coreui/WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

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

// A modal dialog cannot be minimised on its own: the window manager would
// leave its window waiting for a dialog that no one sees.
class StayRestored final : public QObject
{
public:
    static constexpr QStringView Name = u"StayRestored";

    explicit StayRestored(QDialog *dialog) : QObject(dialog) { setObjectName(Name.toString()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (dialog && event->type() == QEvent::WindowStateChange && dialog->isMinimized())
            QMetaObject::invokeMethod(
                dialog,
                [dialog] {
                    dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
                    dialog->raise();
                    dialog->activateWindow();
                },
                Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void WidgetDialogService::prepareModal(QDialog *dialog)
{
    if (dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint))
        dialog->setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    // Kept above the window it was opened from, not above the program alone.
    const QWidget *owner = QApplication::activeWindow();
    if (owner && owner != dialog && !dialog->parentWidget()) {
        dialog->winId();
        dialog->windowHandle()->setTransientParent(owner->windowHandle());
    }
    if (!dialog->findChild<QObject *>(StayRestored::Name.toString(), Qt::FindDirectChildrenOnly))
        dialog->installEventFilter(new StayRestored(dialog));
    // A dialog never placed is centred and kept on screen by Qt itself.
    if (dialog->testAttribute(Qt::WA_Moved))
        WindowPlacement::keepOnScreen(dialog);
}

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
    prepareModal(dialog);
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
