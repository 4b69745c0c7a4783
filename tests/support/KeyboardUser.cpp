#include "KeyboardUser.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

void KeyboardUser::type(QWidget *window, const QString &text)
{
    QWindow *handle = window->window()->windowHandle();
    for (const QChar c : text)
        QTest::keyClick(handle, c.toLatin1());
}
