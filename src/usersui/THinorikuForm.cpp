#include "usersui/THinorikuForm.h"

#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/FormParts.h"
#include "coreui/TMainForm.h"
#include "platform/DialogService.h"
#include "usersui/TConnectionStringDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

THinorikuForm *HinorikuForm = nullptr;

namespace {

constexpr int ClientWidth = 605;
constexpr int ClientHeight = 470;

QLineEdit *addInput(QWidget *parent, const QString &caption, const QString &name, int top)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(12, top, 90, 26);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *input = new QLineEdit(parent);
    input->setObjectName(name);
    input->setGeometry(110, top, 440, 26);
    return input;
}

} // namespace

THinorikuForm::THinorikuForm(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_context(context),
      m_link(context.registory, context.mainModule.HinorikuConnection, context.mainModule.AccessConnection)
{
    setObjectName(QStringLiteral("HinorikuForm"));
    setWindowTitle(QStringLiteral("他システムデータ取り込み"));
    resize(ClientWidth, ClientHeight);
    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->resize(ClientWidth, ClientHeight);

    Connection = new QGroupBox(QStringLiteral(" ヒノリクシステム連動オプション "), MainPanel);
    Connection->setObjectName(QStringLiteral("Connection"));
    Connection->setGeometry(16, 12, ClientWidth - 32, 64);
    ConnectionItems = new QButtonGroup(this);
    const char16_t *const items[] = {u"連動しない", u"SQLServer連動", u"MS-ACCESS MDB連動"};
    const int columnWidth = (Connection->width() - 24) / 3;
    for (int index = 0; index < 3; ++index) {
        auto *item = new QRadioButton(QString::fromUtf16(items[index]), Connection);
        item->setGeometry(12 + index * columnWidth, 26, columnWidth, 26);
        ConnectionItems->addButton(item, index);
    }
    buildFrames();

    Setting = FormParts::addButton(MainPanel, QStringLiteral("Setting"), QStringLiteral("確定"),
                                   {ClientWidth - 276, 420, 126, 34});
    connect(Setting, &QPushButton::clicked, this, &THinorikuForm::SettingClick);
    CloseButton = FormParts::addButton(MainPanel, QStringLiteral("CloseButton"), QStringLiteral("戻る"),
                                       {ClientWidth - 142, 420, 126, 34});
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    EnterKeyGuard::install(this);
}

void THinorikuForm::buildFrames()
{
    auto *server = new QGroupBox(QStringLiteral(" 連動設定　(SQLServer) "), MainPanel);
    server->setGeometry(16, 88, ClientWidth - 32, 178);
    SQLServerName = addInput(server, QStringLiteral("接続文字"), QStringLiteral("SQLServerName"), 28);
    SQLUserID = addInput(server, QStringLiteral("ユーザーID"), QStringLiteral("SQLUserID"), 64);
    SQLUserID->resize(220, SQLUserID->height());
    SQLPassword = addInput(server, QStringLiteral("パスワード"), QStringLiteral("SQLPassword"), 100);
    SQLPassword->resize(220, SQLPassword->height());
    SQLConfirm =
        FormParts::addButton(server, QStringLiteral("SQLConfirm"), QStringLiteral("接続確認"), {110, 136, 126, 32});
    connect(SQLConfirm, &QPushButton::clicked, this, &THinorikuForm::SQLConfirmClick);

    auto *file = new QGroupBox(QStringLiteral(" 連動設定　(MS-ACCESS for MDB) "), MainPanel);
    file->setGeometry(16, 278, ClientWidth - 32, 110);
    MDBConnection = addInput(file, QStringLiteral("接続文字"), QStringLiteral("MDBConnection"), 28);
    MDBConfirm =
        FormParts::addButton(file, QStringLiteral("MDBConfirm"), QStringLiteral("接続確認"), {110, 64, 126, 32});
    connect(MDBConfirm, &QPushButton::clicked, this, &THinorikuForm::MDBConfirmClick);
}

void THinorikuForm::showEvent(QShowEvent *event)
{
    if (m_menu)
        m_menu->hide();
    TMainForm::ApplyWindowState(this, m_context.winState());
    const PartnerLink::Values values = m_link.stored();
    if (QAbstractButton *item = ConnectionItems->button(values.ServFlg))
        item->setChecked(true);
    else if (QAbstractButton *checked = ConnectionItems->checkedButton()) {
        // An unknown kind selects nothing.
        ConnectionItems->setExclusive(false);
        checked->setChecked(false);
        ConnectionItems->setExclusive(true);
    }
    SQLServerName->setText(values.Hinoriku);
    SQLUserID->setText(values.ID);
    SQLPassword->setText(values.Password);
    MDBConnection->setText(values.MDBConnection);
    for (QLineEdit *input : {SQLServerName, MDBConnection})
        input->setCursorPosition(0);
    QDialog::showEvent(event);
    TMainForm::CentrePanel(MainPanel);
}

void THinorikuForm::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (m_menu)
        m_menu->show();
}

void THinorikuForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    TMainForm::CentrePanel(MainPanel);
}

void THinorikuForm::SQLConfirmClick()
{
    TConnectionStringDialog dialog(this);
    dialog.setConnection(SQLServerName->text(), SQLUserID->text(), SQLPassword->text(),
                         PartnerConnectionString::Driver::SqlServer);
    if (Dialogs::exec(&dialog) != QDialog::Accepted)
        return;
    SQLServerName->setText(dialog.connectionString());
    SQLUserID->setText(dialog.user());
    SQLPassword->setText(dialog.password());
}

void THinorikuForm::MDBConfirmClick()
{
    TConnectionStringDialog dialog(this);
    dialog.setConnection(MDBConnection->text(), {}, {}, PartnerConnectionString::Driver::AccessFile);
    if (Dialogs::exec(&dialog) == QDialog::Accepted)
        MDBConnection->setText(dialog.connectionString());
}

void THinorikuForm::SettingClick()
{
    QString message;
    const bool connected =
        m_link.apply({ConnectionItems->checkedId() < 0 ? 0 : ConnectionItems->checkedId(), SQLServerName->text(),
                      SQLUserID->text(), SQLPassword->text(), MDBConnection->text()},
                     message);
    if (connected)
        Dialogs::information(message);
    else
        Dialogs::error(message);
}
