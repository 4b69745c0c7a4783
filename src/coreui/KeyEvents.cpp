#include "coreui/KeyEvents.h"

#include <QKeyEvent>

bool IsEnterRelease(const QEvent *event)
{
    if (event->type() != QEvent::KeyRelease)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
