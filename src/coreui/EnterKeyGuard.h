#pragma once

#include <QObject>

class QWidget;

// Keeps every Enter on the control it was pressed in. A window that installs
// it has no default button: Enter on a focused button clicks that button, and
// Enter in an input acts only through the input's own handler (EnterKeyWatch),
// never on a button elsewhere in the window.
class EnterKeyGuard : public QObject
{
    Q_OBJECT

public:
    // Call once the window's buttons exist.
    static void install(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit EnterKeyGuard(QWidget *window);

    QWidget *m_window;
};
