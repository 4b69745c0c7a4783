#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The login dialog. It only collects the user name and password; the data
// module checks them.
class TLoginForm : public QDialog
{
    Q_OBJECT

public:
    explicit TLoginForm(QWidget *parent = nullptr);

    [[nodiscard]] QString userName() const;
    [[nodiscard]] QString password() const;

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
};

extern TLoginForm *LoginForm;
