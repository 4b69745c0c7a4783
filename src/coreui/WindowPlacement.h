#pragma once

class QMargins;
class QRect;
class QScreen;
class QString;
class QWidget;

// Where the program's windows go on the desktop: every window lies whole on
// the screen that holds the main window, in both window modes.
namespace WindowPlacement {

// The screen of the main window; the primary screen before there is one.
[[nodiscard]] QScreen *mainScreen();

// Shows the window maximised when the setting says "wsMaximized", normal
// otherwise. A normal window comes back at its normal size (not the size it
// had maximised), centred on anchor when one is given, and is then kept on
// screen as keepOnScreen does.
void apply(QWidget *window, const QString &winState, const QWidget *anchor);

// Moves a window that is not maximised so that its frame lies whole in the
// available area of the main window's screen, shrinking it where it is
// larger and may shrink.
void keepOnScreen(QWidget *window);

// The frame the window manager puts around a window shown normal.
[[nodiscard]] QMargins frameMargins(const QWidget *window);

// The outer rectangle moved and shrunk into the area.
[[nodiscard]] QRect fitInto(const QRect &outer, const QRect &area);

} // namespace WindowPlacement
