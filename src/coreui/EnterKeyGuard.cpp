#include "coreui/EnterKeyGuard.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>

EnterKeyGuard::EnterKeyGuard(QWidget *window) : QObject(window), m_window(window) {}

void EnterKeyGuard::install(QWidget *window)
{
    // An auto-default button would take the Enter pressed in an input.
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    window->installEventFilter(new EnterKeyGuard(window));
}

bool EnterKeyGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QObject::eventFilter(watched, event);
    // Only an Enter that the focused control left unhandled comes up here.
    auto *button = qobject_cast<QAbstractButton *>(m_window->focusWidget());
    if (!key->isAutoRepeat() && button && button->window() == m_window && button->isEnabled())
        button->click();
    return true;
}
