#pragma once

#include <QWidget>

class QLabel;

// The splash window shown while the forms are created. It steps aside
// while a modal dialog or message box of the start-up is up (the login, a
// failed connection), so that the dialog is never hidden behind it.
class TGreetForm : public QWidget
{
    Q_OBJECT

public:
    explicit TGreetForm(QWidget *parent = nullptr);
    ~TGreetForm() override;

    // Shows a status text in one of the three lines (1 to 3) and repaints at once.
    void SetStatus(int line, const QString &text);

    QLabel *GLabel1 = nullptr;
    QLabel *GLabel2 = nullptr;
    QLabel *GLabel3 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Hidden for a modal window, to be shown again when none is left.
    bool m_steppedAside = false;
};

extern TGreetForm *GreetForm;
