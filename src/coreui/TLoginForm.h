#pragma once

#include "coreui/EnterKeyWatch.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TMainModule;

// The login dialog. It only collects the user name and password; the data
// module checks them.
class TLoginForm : public QDialog
{
    Q_OBJECT

public:
    explicit TLoginForm(QWidget *parent = nullptr);

    [[nodiscard]] QString userName() const;
    [[nodiscard]] QString password() const;

    // The login of the start-up sequence: up to MaxLoginAttempts attempts,
    // each checked by the data module. False when the login table cannot be
    // read, the user cancels or every attempt fails.
    [[nodiscard]] bool RunLogin(TMainModule &module);

    QLineEdit *UserEdit = nullptr;
    QLineEdit *PassEdit = nullptr;
    QPushButton *LogInBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QLabel *ErrorLabel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LogInBtnClick();
    EnterKeyWatch m_enter;
};

extern TLoginForm *LoginForm;
