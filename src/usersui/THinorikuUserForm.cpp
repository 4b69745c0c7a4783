#include "usersui/THinorikuUserForm.h"

#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/TMainModule.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/FormParts.h"
#include "coreui/KanaFromReading.h"
#include "coreui/KanaLineEdit.h"
#include "platform/DialogService.h"
#include "users/PartnerGridModel.h"
#include "users/UsersLog.h"
#include "usersui/SearchForms.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

THinorikuUserForm *HinorikuUserForm = nullptr;

namespace {

constexpr int ClientWidth = 880;
constexpr int ClientHeight = 640;

} // namespace

THinorikuUserForm::THinorikuUserForm(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_link(context.registory, context.mainModule.HinorikuConnection, context.mainModule.AccessConnection)
{
    setObjectName(QStringLiteral("HinorikuUserForm"));
    setWindowTitle(QStringLiteral("リハビリ治療計画"));
    setFixedSize(ClientWidth, ClientHeight);
    auto *title = FormParts::addLabel(this, QStringLiteral("ヒノリクシステム　利用者選択"), {16, 8, 400, 30},
                                      Qt::AlignLeft | Qt::AlignVCenter);
    QFont font = title->font();
    font.setBold(true);
    font.setPixelSize(18);
    title->setFont(font);
    buildInputs();
    buildDetails();
    EnterKeyGuard::install(this);
}

THinorikuUserForm::~THinorikuUserForm()
{
    // The grid reads the rows of m_search, which goes before the child widgets.
    delete DBGrid1;
    delete m_model;
}

void THinorikuUserForm::buildInputs()
{
    FormParts::addLabel(this, QStringLiteral("ヒノリク利用者番号"), {16, 46, 140, 26});
    UserNo = new QLineEdit(this);
    UserNo->setObjectName(QStringLiteral("UserNo"));
    UserNo->setGeometry(164, 46, 120, 26);
    UserNo->setAttribute(Qt::WA_InputMethodEnabled, false);
    NoSearchBtn =
        FormParts::addButton(this, QStringLiteral("NoSearchBtn"), QStringLiteral("No検索"), {292, 44, 110, 30});
    connect(NoSearchBtn, &QPushButton::clicked, this, &THinorikuUserForm::NoSearchBtnClick);

    FormParts::addLabel(this, QStringLiteral("氏　名"), {16, 84, 140, 26});
    RegistName = new QLineEdit(this);
    RegistName->setObjectName(QStringLiteral("RegistName"));
    RegistName->setGeometry(164, 84, 200, 26);
    FormParts::addLabel(this, QStringLiteral("カナ氏名"), {372, 84, 80, 26});
    RegistKanaName = new KanaLineEdit(this);
    RegistKanaName->setObjectName(QStringLiteral("RegistKanaName"));
    RegistKanaName->setGeometry(460, 84, 200, 26);
    KanaFromReading::link(RegistName, RegistKanaName);
    UserSearchBtn =
        FormParts::addButton(this, QStringLiteral("UserSearchBtn"), QStringLiteral("氏名検索"), {668, 82, 110, 30});
    connect(UserSearchBtn, &QPushButton::clicked, this, &THinorikuUserForm::UserSearchBtnClick);

    const char16_t *const rows[] = {u"あ", u"か", u"さ", u"た", u"な", u"は", u"ま", u"や", u"ら", u"わ"};
    int left = 16;
    for (int row = 0; row < 10; ++row) {
        QPushButton *button = FormParts::addButton(this, QStringLiteral("KanaButton%1").arg(row + 1),
                                                   QString::fromUtf16(rows[row]), {left, 124, 40, 30});
        connect(button, &QPushButton::clicked, this, [this, row] { KanaRowClick(UserSearch::KanaRow(row)); });
        KanaButtons.append(button);
        left += 44;
    }
    AllButton =
        FormParts::addButton(this, QStringLiteral("AllButton"), QStringLiteral("全て表示"), {left + 10, 124, 110, 30});
    connect(AllButton, &QPushButton::clicked, this, &THinorikuUserForm::AllButtonClick);

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(16, 164, ClientWidth - 32, 290);
    m_model = new PartnerGridModel(m_search.HinorikuQuery, this);
    SearchForms::setUpGrid(DBGrid1, m_model, PartnerSearch::Columns);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->viewport()->installEventFilter(this);
}

void THinorikuUserForm::buildDetails()
{
    const struct
    {
        QLabel **label;
        const char16_t *name;
        const char16_t *caption;
        QRect geometry;
    } details[] = {
        {&BirthLabel, u"BirthLabel", u"生年月日", {16, 466, 260, 24}},
        {&SexLabel, u"SexLabel", u"性別", {290, 466, 150, 24}},
        {&MailLabel, u"MailLabel", u"郵便番号", {450, 466, 200, 24}},
        {&AddLabel, u"AddLabel", u"住所", {16, 496, 640, 24}},
        {&TelLabel, u"TelLabel", u"電話番号", {16, 526, 260, 24}},
        {&FaxLabel, u"FaxLabel", u"Fax", {290, 526, 260, 24}},
        {&ChikuLabel, u"ChikuLabel", u"地区", {16, 556, 260, 24}},
        {&MatiLabel, u"MatiLabel", u"町", {290, 556, 260, 24}},
    };
    for (const auto &detail : details) {
        FormParts::addLabel(this, QString::fromUtf16(detail.caption),
                            detail.geometry.adjusted(0, 0, 80 - detail.geometry.width(), 0));
        *detail.label =
            FormParts::addLabel(this, {}, detail.geometry.adjusted(88, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter);
        (*detail.label)->setObjectName(QString::fromUtf16(detail.name));
    }
    ReturnBtn = FormParts::addButton(this, QStringLiteral("ReturnBtn"), QStringLiteral("確定"),
                                     {ClientWidth - 276, 594, 126, 32});
    connect(ReturnBtn, &QPushButton::clicked, this, &QDialog::accept);
    CancelBtn = FormParts::addButton(this, QStringLiteral("CancelBtn"), QStringLiteral("キャンセル"),
                                     {ClientWidth - 142, 594, 126, 32});
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void THinorikuUserForm::showEvent(QShowEvent *event)
{
    UserNo->clear();
    RegistName->clear();
    RegistKanaName->clear();
    clearDetails();
    PartnerUserNo = 0;
    PartnerSex = 0;
    Partner = {};
    ReturnBtn->setEnabled(false);
    DbConnection *partner = m_link.partnerConnection();
    if (!partner || !m_search.open(*partner)) {
        qCWarning(lcUsers).noquote() << "partner user table:"
                                     << (partner ? m_search.errorText() : QStringLiteral("no partner link is set"));
        Dialogs::error(QStringLiteral("System Error\nヒノリクの使用設定を確認してください。\nシステムを終了します。"));
        // Nothing to pick from: the picker closes, the program goes on.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
    showRows();
    QDialog::showEvent(event);
}

void THinorikuUserForm::hideEvent(QHideEvent *event)
{
    m_search.close();
    showRows();
    QDialog::hideEvent(event);
}

bool THinorikuUserForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && watched == DBGrid1->viewport())
        DBGrid1MouseUp();
    return QDialog::eventFilter(watched, event);
}

void THinorikuUserForm::clearDetails()
{
    for (QLabel *label : {BirthLabel, SexLabel, MailLabel, AddLabel, TelLabel, FaxLabel, ChikuLabel, MatiLabel})
        label->clear();
}

void THinorikuUserForm::showRows()
{
    m_model->reload();
    if (m_model->rowCount() == 0)
        ReturnBtn->setEnabled(false);
}

void THinorikuUserForm::UserSearchBtnClick()
{
    if (!SearchForms::checkInput(RegistName, UserSearch::Input::Name) ||
        !SearchForms::checkInput(RegistKanaName, UserSearch::Input::Kana))
        return;
    m_search.filterByName(RegistName->text(), RegistKanaName->text());
    showRows();
}

void THinorikuUserForm::NoSearchBtnClick()
{
    int number = 0;
    const QString message = PartnerSearch::checkNumber(UserNo->text(), number);
    if (!message.isEmpty()) {
        Dialogs::information(message);
        UserNo->setFocus();
        return;
    }
    m_search.filterByNumber(number);
    showRows();
}

void THinorikuUserForm::KanaRowClick(UserSearch::KanaRow row)
{
    m_search.filterByKanaRow(row);
    showRows();
}

void THinorikuUserForm::AllButtonClick()
{
    m_search.showAll();
    showRows();
}

void THinorikuUserForm::DBGrid1MouseUp()
{
    const QModelIndex current = DBGrid1->currentIndex();
    if (!current.isValid() || current.row() >= m_model->rowCount())
        return;
    Partner = m_search.user(current.row());
    PartnerUserNo = Partner.Sid;
    PartnerSex = Partner.sex();
    UserNo->setText(QString::number(Partner.Sid));
    RegistName->setText(Partner.Jname);
    RegistKanaName->setText(Partner.Kname);
    SexLabel->setText(CodeName(SexNames, PartnerSex));
    BirthLabel->setText(PartnerSearch::cellText(PartnerSearch::BirthColumn, DbValue(DbDate{Partner.Birth})));
    MailLabel->setText(Partner.Mail);
    AddLabel->setText(Partner.Add);
    TelLabel->setText(Partner.Tel);
    FaxLabel->setText(Partner.Fax);
    ChikuLabel->setText(Partner.ChikuCode);
    MatiLabel->setText(Partner.MatiCode);
    ReturnBtn->setEnabled(true);
}
