#include "coreui/TLoginForm.h"

#include "core/TMainModule.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/EnterKeyWatch.h"
#include "platform/DialogService.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TLoginForm *LoginForm = nullptr;

TLoginForm::TLoginForm(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("LoginForm"));
    setWindowTitle(QStringLiteral("タムソレン　ログイン"));
    setFixedSize(459, 134);

    auto *userLabel = new QLabel(QStringLiteral("ユーザー名"), this);
    userLabel->setGeometry(24, 20, 90, 24);
    auto *passLabel = new QLabel(QStringLiteral("パスワード"), this);
    passLabel->setGeometry(24, 58, 90, 24);

    UserEdit = new QLineEdit(this);
    UserEdit->setObjectName(QStringLiteral("UserEdit"));
    UserEdit->setGeometry(120, 20, 180, 26);
    UserEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    UserEdit->installEventFilter(this);

    PassEdit = new QLineEdit(this);
    PassEdit->setObjectName(QStringLiteral("PassEdit"));
    PassEdit->setGeometry(120, 58, 180, 26);
    PassEdit->setEchoMode(QLineEdit::Password);
    PassEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    PassEdit->installEventFilter(this);

    LogInBtn = new QPushButton(QStringLiteral("ロ グ イ ン"), this);
    LogInBtn->setObjectName(QStringLiteral("LogInBtn"));
    LogInBtn->setGeometry(320, 18, 120, 30);
    connect(LogInBtn, &QPushButton::clicked, this, &TLoginForm::LogInBtnClick);

    CancelBtn = new QPushButton(QStringLiteral("キ ャ ン セ ル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(320, 56, 120, 30);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    ErrorLabel = new QLabel(this);
    ErrorLabel->setObjectName(QStringLiteral("ErrorLabel"));
    ErrorLabel->setGeometry(24, 98, 416, 24);
    QPalette palette = ErrorLabel->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    ErrorLabel->setPalette(palette);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    EnterKeyGuard::install(this);
}

QString TLoginForm::userName() const
{
    return UserEdit->text();
}

QString TLoginForm::password() const
{
    return PassEdit->text();
}

bool TLoginForm::RunLogin(TMainModule &module)
{
    std::vector<UserMessage> told;
    const bool opened = module.OpenLogins(told);
    Dialogs::show(told);
    if (!opened)
        return false;
    for (int attempt = 0; attempt < TMainModule::MaxLoginAttempts; ++attempt) {
        if (Dialogs::exec(this) != QDialog::Accepted)
            return false;
        if (module.LogIn(userName(), password()))
            return true;
        Dialogs::warning(QStringLiteral("ユーザー名またはパスワードが不明です"), MessageButtons::Yes);
    }
    return false;
}

void TLoginForm::showEvent(QShowEvent *event)
{
    UserEdit->clear();
    PassEdit->clear();
    ErrorLabel->clear();
    UserEdit->setFocus();
    QDialog::showEvent(event);
}

bool TLoginForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == UserEdit || watched == PassEdit) && m_enter.isEnterRelease(watched, event)) {
        // Enter in the password logs in, as the button does.
        if (watched == UserEdit)
            PassEdit->setFocus();
        else
            LogInBtnClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TLoginForm::LogInBtnClick()
{
    if (UserEdit->text().isEmpty() || PassEdit->text().isEmpty()) {
        ErrorLabel->setText(QStringLiteral("ユーザー名又はパスワードがありません。"));
        return;
    }
    accept();
}
