#include "usersui/TConnectionStringDialog.h"

#include "coreui/EnterKeyGuard.h"
#include "platform/DbConnection.h"
#include "platform/DbConnectionString.h"
#include "platform/DialogService.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

using Driver = PartnerConnectionString::Driver;

constexpr int ClientWidth = 560;
constexpr int ClientHeight = 480;
constexpr int InputLeft = 130;

QLabel *addLabel(QWidget *parent, const QString &caption, int top)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(16, top, InputLeft - 24, 26);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

template <typename T> T *place(T *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

TConnectionStringDialog::TConnectionStringDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ConnectionStringDialog"));
    setWindowTitle(QStringLiteral("接続の設定"));
    setFixedSize(ClientWidth, ClientHeight);
    const int inputWidth = ClientWidth - InputLeft - 16;

    addLabel(this, QStringLiteral("データベース"), 16);
    DriverBox = place(new QComboBox(this), QStringLiteral("DriverBox"), {InputLeft, 16, 260, 26});
    DriverBox->addItems({QStringLiteral("SQL Server"), QStringLiteral("Access ファイル (.mdb)"),
                         QStringLiteral("PostgreSQL"), QStringLiteral("SQLite ファイル")});

    m_serverWidgets << addLabel(this, QStringLiteral("サーバー"), 52)
                    << (ServerEdit =
                            place(new QLineEdit(this), QStringLiteral("ServerEdit"), {InputLeft, 52, 260, 26}));
    m_serverWidgets << addLabel(this, QStringLiteral("ポート"), 88)
                    << (PortEdit = place(new QSpinBox(this), QStringLiteral("PortEdit"), {InputLeft, 88, 100, 26}));
    PortEdit->setRange(0, 65535);
    PortEdit->setSpecialValueText(QStringLiteral("既定"));
    m_serverWidgets << addLabel(this, QStringLiteral("データベース名"), 124)
                    << (DatabaseEdit =
                            place(new QLineEdit(this), QStringLiteral("DatabaseEdit"), {InputLeft, 124, 260, 26}));
    m_serverWidgets << addLabel(this, QStringLiteral("ユーザーID"), 160)
                    << (UserEdit = place(new QLineEdit(this), QStringLiteral("UserEdit"), {InputLeft, 160, 200, 26}));
    m_serverWidgets << addLabel(this, QStringLiteral("パスワード"), 196)
                    << (PasswordEdit =
                            place(new QLineEdit(this), QStringLiteral("PasswordEdit"), {InputLeft, 196, 200, 26}));
    m_fileWidgets << addLabel(this, QStringLiteral("ファイル"), 52)
                  << (FileEdit =
                          place(new QLineEdit(this), QStringLiteral("FileEdit"), {InputLeft, 52, inputWidth - 90, 26}))
                  << (FileButton = place(new QPushButton(QStringLiteral("参照..."), this), QStringLiteral("FileButton"),
                                         {ClientWidth - 100, 50, 84, 30}));

    addLabel(this, QStringLiteral("接続文字"), 236);
    ConnectionText = place(new QLineEdit(this), QStringLiteral("ConnectionText"), {InputLeft, 236, inputWidth, 26});
    ConnectionText->setReadOnly(true);
    TestButton = place(new QPushButton(QStringLiteral("接続テスト"), this), QStringLiteral("TestButton"),
                       {InputLeft, 272, 120, 30});
    ResultLabel = place(new QLabel(this), QStringLiteral("ResultLabel"), {InputLeft, 308, inputWidth, 24});
    ResultLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The driver's own text, whole however long, for whoever sets the link up.
    DetailsEdit = place(new QPlainTextEdit(this), QStringLiteral("DetailsEdit"), {InputLeft, 336, inputWidth, 88});
    DetailsEdit->setReadOnly(true);
    DetailsEdit->hide();
    OkButton = place(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("OkButton"),
                     {ClientWidth - 240, ClientHeight - 44, 108, 30});
    CancelButton = place(new QPushButton(QStringLiteral("キャンセル"), this), QStringLiteral("CancelButton"),
                         {ClientWidth - 124, ClientHeight - 44, 108, 30});

    connect(DriverBox, &QComboBox::currentIndexChanged, this, &TConnectionStringDialog::update);
    for (QLineEdit *edit : {ServerEdit, DatabaseEdit, FileEdit})
        connect(edit, &QLineEdit::textChanged, this, &TConnectionStringDialog::update);
    connect(PortEdit, &QSpinBox::valueChanged, this, &TConnectionStringDialog::update);
    connect(FileButton, &QPushButton::clicked, this, &TConnectionStringDialog::FileButtonClick);
    connect(TestButton, &QPushButton::clicked, this, &TConnectionStringDialog::TestButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    update();
    EnterKeyGuard::install(this);
}

void TConnectionStringDialog::setConnection(const QString &connectionString, const QString &user,
                                            const QString &password, Driver defaultDriver)
{
    const std::optional<PartnerConnectionString> parts = PartnerConnectionString::parse(connectionString);
    const PartnerConnectionString shown = parts.value_or(PartnerConnectionString{defaultDriver, {}, 0, {}, {}});
    const QSignalBlocker blocker(DriverBox);
    DriverBox->setCurrentIndex(int(shown.driver));
    ServerEdit->setText(shown.server);
    PortEdit->setValue(shown.port);
    DatabaseEdit->setText(shown.database);
    FileEdit->setText(shown.file);
    UserEdit->setText(user);
    PasswordEdit->setText(password);
    update();
    // A string of another form stays as it was until a field is changed.
    if (!parts)
        ConnectionText->setText(connectionString);
}

PartnerConnectionString TConnectionStringDialog::fields() const
{
    return {Driver(DriverBox->currentIndex()), ServerEdit->text(), PortEdit->value(), DatabaseEdit->text(),
            FileEdit->text()};
}

QString TConnectionStringDialog::connectionString() const
{
    return ConnectionText->text();
}

QString TConnectionStringDialog::user() const
{
    return PartnerConnectionString::usesServer(fields().driver) ? UserEdit->text() : QString();
}

QString TConnectionStringDialog::password() const
{
    return PartnerConnectionString::usesServer(fields().driver) ? PasswordEdit->text() : QString();
}

void TConnectionStringDialog::update()
{
    const bool server = PartnerConnectionString::usesServer(fields().driver);
    for (QWidget *widget : std::as_const(m_serverWidgets))
        widget->setVisible(server);
    for (QWidget *widget : std::as_const(m_fileWidgets))
        widget->setVisible(!server);
    ConnectionText->setText(fields().text());
    ConnectionText->setCursorPosition(0);
    // A result belongs to the string it was got with.
    showResult(QString());
}

void TConnectionStringDialog::FileButtonClick()
{
    const bool access = fields().driver == Driver::AccessFile;
    const QString file = Dialogs::service().openFileName(
        this, QStringLiteral("データベースファイル"), QFileInfo(FileEdit->text()).absolutePath(),
        access ? QStringLiteral("Access データベース (*.mdb *.accdb);;すべてのファイル (*)")
               : QStringLiteral("SQLite データベース (*.sqlite *.db);;すべてのファイル (*)"));
    if (!file.isEmpty())
        FileEdit->setText(file);
}

void TConnectionStringDialog::TestButtonClick()
{
    QString reason;
    if (fields().text(&reason).isEmpty() && connectionString().isEmpty()) {
        showResult(reason);
        return;
    }
    // A string typed by hand elsewhere: the reason the parser gives is for the log, not for the user.
    if (!DbConnectionString::parse(connectionString())) {
        showResult(QStringLiteral("接続文字の形式が正しくありません。"));
        return;
    }
    DbConnection connection;
    if (connection.open(connectionString(), user(), password()))
        showResult(QStringLiteral("接続できました。"));
    else
        showResult(QStringLiteral("接続に失敗しました。"), connection.errorText());
}

void TConnectionStringDialog::showResult(const QString &text, const QString &details)
{
    ResultLabel->setText(text);
    DetailsEdit->setPlainText(details);
    DetailsEdit->setVisible(!details.isEmpty());
}
