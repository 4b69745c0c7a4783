#include "coreui/WindowPlacement.h"

#include "coreui/TMainForm.h"

#include <QApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

QScreen *mainScreen()
{
    if (MainForm && MainForm->screen())
        return MainForm->screen();
    return QApplication::primaryScreen();
}

QMargins frameMargins(const QWidget *window)
{
    const auto marginsOf = [](const QWidget *shown) {
        const QRect frame = shown->frameGeometry();
        const QRect client = shown->geometry();
        return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                        frame.bottom() - client.bottom());
    };
    // A window not shown yet, or shown maximised, has no frame or a thinner
    // one than it gets shown normal: the widest frame of the program's
    // windows tells it (the login dialog's before the main window's first showing).
    QMargins widest = marginsOf(window);
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (other->isWindow() && !other->isMaximized() && !other->isFullScreen()) {
            const QMargins margins = marginsOf(other);
            widest = QMargins(std::max(widest.left(), margins.left()), std::max(widest.top(), margins.top()),
                              std::max(widest.right(), margins.right()), std::max(widest.bottom(), margins.bottom()));
        }
    }
    return widest;
}

QRect fitInto(const QRect &outer, const QRect &area)
{
    QRect fitted(outer.topLeft(), outer.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() - fitted.height() + 1));
    return fitted;
}

void keepOnScreen(QWidget *window)
{
    const QScreen *screen = mainScreen();
    if (!screen || window->isMaximized() || window->isFullScreen())
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameMargins(window);
    QRect fitted = fitInto(window->geometry().marginsAdded(frame), area);
    // A window that cannot shrink keeps its size, its top left corner shown.
    const QSize client = fitted.marginsRemoved(frame).size().expandedTo(window->minimumSize());
    fitted = fitInto(QRect(fitted.topLeft(), client.grownBy(frame)), area);
    // The client rectangle: a frame not known yet cannot push the title bar off.
    window->setGeometry(fitted.marginsRemoved(frame));
}

void apply(QWidget *window, const QString &winState, const QWidget *anchor)
{
    const bool wasMaximised = window->isMaximized();
    const QRect normal = window->normalGeometry();
    if (winState == QLatin1String("wsMaximized")) {
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        return;
    }
    window->setWindowState(window->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    QRect client = window->geometry();
    // The window system leaves a window that was maximised at its full size.
    if (wasMaximised && normal.isValid())
        client.setSize(normal.size());
    if (anchor && anchor != window) {
        client.moveCenter(anchor->geometry().center());
    } else if (!window->testAttribute(Qt::WA_Moved)) {
        if (const QScreen *screen = mainScreen())
            client.moveCenter(screen->availableGeometry().center());
    }
    window->setGeometry(client);
    keepOnScreen(window);
}

} // namespace WindowPlacement
