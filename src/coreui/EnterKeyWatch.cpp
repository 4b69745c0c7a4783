#include "coreui/EnterKeyWatch.h"

#include <QKeyEvent>

namespace {

bool isEnter(const QEvent *event)
{
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

bool EnterKeyWatch::isEnterRelease(const QObject *watched, const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (isEnter(event))
            m_pressedIn = watched;
        return false;
    case QEvent::KeyRelease: {
        if (!isEnter(event) || static_cast<const QKeyEvent *>(event)->isAutoRepeat())
            return false;
        const bool pressedHere = m_pressedIn == watched;
        m_pressedIn = nullptr;
        return pressedHere;
    }
    case QEvent::FocusOut:
        if (m_pressedIn == watched)
            m_pressedIn = nullptr;
        return false;
    default:
        return false;
    }
}
