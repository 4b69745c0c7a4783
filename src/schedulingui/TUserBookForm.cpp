#include "schedulingui/TUserBookForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/DateHelpers.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "coreui/FormParts.h"
#include "platform/DialogService.h"
#include "schedulingui/TOpenCureDialog.h"
#include "schedulingui/TScheduleMenuForm.h"
#include "schedulingui/TUserScheduleForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

TUserBookForm *UserBookForm = nullptr;

namespace {

QString eraOrEmpty(TDateTime date)
{
    return date == DateTime::None ? QString() : FormatEraDate(date);
}

QString kubunText(int code)
{
    TKubun kubun;
    kubun.SetCode(code);
    return kubun.LongText();
}

} // namespace

TUserBookForm::TUserBookForm(AppContext &context, QWidget *parent)
    : MenuWindow(
          context, [] { return static_cast<QWidget *>(ScheduleMenuForm); }, -1, 0, parent)
{
    setObjectName(QStringLiteral("UserBookForm"));
    setWindowTitle(QStringLiteral("利用者予約希望"));
    resize(1000, 700);
    auto *bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    const auto tool = [this, bar](const char *name, const QString &caption) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setMinimumSize(72, 40);
        bar->addWidget(b);
        return b;
    };
    OpenButton = tool("OpenButton", QStringLiteral("開く"));
    SaveButton = tool("SaveButton", QStringLiteral("保存"));
    ReserveButton = tool("ReserveButton", QStringLiteral("希望表作成"));
    ToolButton4 = tool("ToolButton4", QStringLiteral("閉じる"));
    MainPanel->setFixedSize(960, 600);
    DBGrid1 = new QTableWidget(0, 16, MainPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    QStringList headers{QStringLiteral("治療番号"), QStringLiteral("氏　名")};
    for (int day = 0; day < 7; ++day)
        headers << WeekShortNames[std::size_t(day)].toString() + QStringLiteral("開始") << QStringLiteral("分");
    DBGrid1->setHorizontalHeaderLabels(headers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setColumnWidth(0, 80);
    DBGrid1->setColumnWidth(1, 120);
    for (int column = 2; column < 16; ++column)
        DBGrid1->setColumnWidth(column, column % 2 == 0 ? 60 : 40);
    DBGrid1->setGeometry(0, 0, 960, 330);
    buildEditors(MainPanel);
    OpenCureDialog = new TOpenCureDialog(this);
    connect(OpenButton, &QToolButton::clicked, this, &TUserBookForm::OpenButtonClick);
    connect(SaveButton, &QToolButton::clicked, this, &TUserBookForm::SaveButtonClick);
    connect(ReserveButton, &QToolButton::clicked, this, &TUserBookForm::ReserveButtonClick);
    connect(ToolButton4, &QToolButton::clicked, this, &QWidget::close);
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int row) { showUser(row); });
}

void TUserBookForm::buildEditors(QWidget *panel)
{
    auto *area = new QWidget(panel);
    area->setGeometry(0, 340, 960, 260);
    auto *layout = new QGridLayout(area);
    const auto label = [area](const char *name) {
        auto *l = new QLabel(area);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(110);
        return l;
    };
    const std::array<std::pair<const char *, QLabel **>, 11> fields{{{"治療番号", &CureNoLabel},
                                                                     {"氏　名", &NameLabel},
                                                                     {"フリガナ", &KanaLabel},
                                                                     {"性別", &SexLabel},
                                                                     {"生年月日", &BirthLabel},
                                                                     {"年齢", &OldLabel},
                                                                     {"入所日", &NyushoLabel},
                                                                     {"退所日", &TaishoLabel},
                                                                     {"形態", &TypeLabel},
                                                                     {"区分", &KubunLabel},
                                                                     {"利用年月", &SchduleDate}}};
    const std::array<const char *, 11> names{"CureNoLabel", "NameLabel",  "KanaLabel",   "SexLabel",
                                             "BirthLabel",  "OldLabel",   "NyushoLabel", "TaishoLabel",
                                             "TypeLabel",   "KubunLabel", "SchduleDate"};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        *fields[i].second = label(names[i]);
        const int row = int(i % 4);
        const int column = int(i / 4) * 2;
        layout->addWidget(new QLabel(QString::fromUtf8(fields[i].first), area), row, column);
        layout->addWidget(*fields[i].second, row, column + 1);
    }
    // Each box fits its longest text.
    for (QLabel *date : {BirthLabel, NyushoLabel, TaishoLabel})
        FormParts::fitWidth(date, FormParts::widestEraDate(date));
    FormParts::fitWidth(NameLabel, QString(10, u'漢'));
    FormParts::fitWidth(KanaLabel, QString(20, u'ﾜ'));
    FormParts::fitWidth(TypeLabel, RihaTypeNames[2].toString());
    FormParts::fitWidth(KubunLabel, kubunText(KubunTanki | KubunNinchi | KubunShudan | KubunKobetsu));
    for (int day = 0; day < 7; ++day) {
        const QString number = QStringLiteral("0%1").arg(day + 1);
        layout->addWidget(new QLabel(WeekLongNames[std::size_t(day)].toString(), area), 4, day * 2, 1, 2);
        StartTime[std::size_t(day)] = new QLineEdit(area);
        StartTime[std::size_t(day)]->setObjectName(QStringLiteral("StartTime") + number);
        StartTime[std::size_t(day)]->setInputMask(QStringLiteral("99:99;_"));
        Funn[std::size_t(day)] = new QLineEdit(area);
        Funn[std::size_t(day)]->setObjectName(QStringLiteral("Funn") + number);
        layout->addWidget(StartTime[std::size_t(day)], 5, day * 2);
        layout->addWidget(Funn[std::size_t(day)], 5, day * 2 + 1);
        for (QLineEdit *editor : {StartTime[std::size_t(day)], Funn[std::size_t(day)]})
            connect(editor, &QLineEdit::textEdited, this, [this] {
                ReserveButton->setEnabled(false);
                m_edited = true;
            });
    }
}

void TUserBookForm::FormShow()
{
    clearUser();
    SchduleDate->clear();
    SaveButton->setEnabled(false);
    ReserveButton->setEnabled(false);
}

void TUserBookForm::closeEvent(QCloseEvent *event)
{
    if (m_edited && !Dialogs::confirm(QStringLiteral("保存していませんが、このまま閉じますか？"))) {
        event->ignore();
        return;
    }
    MenuWindow::closeEvent(event);
    if (event->isAccepted()) {
        m_edited = false;
        m_users.clear();
        DBGrid1->setRowCount(0);
    }
}

void TUserBookForm::clearUser()
{
    for (QLabel *l : {CureNoLabel, NameLabel, KanaLabel, SexLabel, BirthLabel, OldLabel, NyushoLabel, TaishoLabel,
                      TypeLabel, KubunLabel})
        l->clear();
    for (int day = 0; day < 7; ++day) {
        StartTime[std::size_t(day)]->clear();
        Funn[std::size_t(day)]->clear();
    }
    m_edited = false;
}

void TUserBookForm::OpenButtonClick()
{
    if (Dialogs::exec(OpenCureDialog) != QDialog::Accepted)
        return;
    m_rihaType = OpenCureDialog->RihaType;
    m_kubunCode = OpenCureDialog->KubunCode;
    const QDate month = DateTime::toDate(OpenCureDialog->YearMonth);
    m_monthStart = DateTime::encodeDate(month.year(), month.month(), 1);
    SchduleDate->setText(FormatEraYearMonth(m_monthStart));
    clearUser();
    SaveButton->setEnabled(false);
    ReserveButton->setEnabled(false);
    if (!loadUsers())
        Dialogs::error(QStringLiteral("SystemError : 利用者の抽出 error "), MessageButtons::Abort);
}

bool TUserBookForm::loadUsers()
{
    auto users = UserWishes::usersOfMonth(m_context.database, m_monthStart, m_rihaType, m_kubunCode);
    if (!users)
        return false;
    m_users = std::move(*users);
    m_loading = true;
    DBGrid1->setRowCount(int(m_users.size()));
    for (int row = 0; row < int(m_users.size()); ++row) {
        const UserWishes::WishUser &user = m_users[std::size_t(row)];
        const auto cell = [this, row](int column, const QString &text) {
            DBGrid1->setItem(row, column, new QTableWidgetItem(text));
        };
        cell(0, QString::number(user.CureNo));
        cell(1, user.Name);
        for (int day = 0; day < 7; ++day) {
            const TUserWeekBook::Slot &slot = user.Week[std::size_t(day)];
            cell(2 + day * 2, slot.StartTime == DateTime::None ? QString() : UserWishes::startText(slot.StartTime));
            cell(3 + day * 2, slot.Minutes == 0 ? QString() : QString::number(slot.Minutes));
        }
    }
    DBGrid1->setCurrentCell(-1, -1);
    m_loading = false;
    return true;
}

const UserWishes::WishUser *TUserBookForm::selectedUser() const
{
    const int row = DBGrid1->currentRow();
    return row >= 0 && row < int(m_users.size()) ? &m_users[std::size_t(row)] : nullptr;
}

void TUserBookForm::showUser(int row)
{
    if (m_loading)
        return;
    ReserveButton->setEnabled(false);
    if (row < 0 || row >= int(m_users.size()))
        return;
    const UserWishes::WishUser &user = m_users[std::size_t(row)];
    CureNoLabel->setText(QString::number(user.CureNo));
    NameLabel->setText(user.Name);
    KanaLabel->setText(user.Kana);
    SexLabel->setText(CodeName(SexNames, user.Sex));
    BirthLabel->setText(eraOrEmpty(user.Birth));
    OldLabel->setText(user.Birth == DateTime::None ? QString()
                                                   : QString::number(YearsBetweenDates(user.Birth, Clock::today())));
    NyushoLabel->setText(eraOrEmpty(user.NyushoDate));
    TaishoLabel->setText(eraOrEmpty(user.TaishoDate));
    TypeLabel->setText(CodeName(RihaTypeNames, user.RihaType));
    KubunLabel->setText(kubunText(user.KubunCode));
    for (int day = 0; day < 7; ++day) {
        const TUserWeekBook::Slot &slot = user.Week[std::size_t(day)];
        StartTime[std::size_t(day)]->setText(UserWishes::startText(slot.StartTime));
        Funn[std::size_t(day)]->setText(QString::number(slot.Minutes));
    }
    StartTime[0]->setFocus();
    ReserveButton->setEnabled(true);
    SaveButton->setEnabled(true);
    m_edited = false;
}

void TUserBookForm::SaveButtonClick()
{
    const UserWishes::WishUser *user = selectedUser();
    if (!user)
        return;
    std::array<QString, 7> starts;
    std::array<QString, 7> minutes;
    for (std::size_t day = 0; day < 7; ++day) {
        // The unfilled places of the mask read as blanks, where they stand.
        starts[day] = StartTime[day]->displayText().replace(u'_', u' ');
        minutes[day] = Funn[day]->text();
    }
    const UserWishes::WeekCheck check = UserWishes::checkWeek(starts, minutes);
    if (check.errorDay >= 0) {
        Dialogs::error(check.message);
        (check.errorInMinutes ? Funn : StartTime)[std::size_t(check.errorDay)]->setFocus();
        return;
    }
    const int cureNo = user->CureNo;
    switch (UserWishes::saveWeek(m_context.database, cureNo, check.week)) {
    case UserWishes::SaveResult::UserGone:
        Dialogs::error(QStringLiteral("*** System Error 要望テーブルデータエラー"));
        return;
    case UserWishes::SaveResult::WriteFailed:
        // The typed week stays in the editors to be saved again.
        Dialogs::error(QStringLiteral("*** System Error 要望の保存に失敗しました。"));
        return;
    case UserWishes::SaveResult::Ok:
        break;
    }
    const int row = DBGrid1->currentRow();
    if (!loadUsers()) {
        Dialogs::error(QStringLiteral("SystemError : 利用者の抽出 error "), MessageButtons::Abort);
        return;
    }
    DBGrid1->setCurrentCell(row, 0);
    ReserveButton->setEnabled(true);
    m_edited = false;
    Dialogs::information(QStringLiteral("治療番号 : %1を保存しました").arg(cureNo));
}

void TUserBookForm::ReserveButtonClick()
{
    const UserWishes::WishUser *user = selectedUser();
    if (!user || !UserScheduleForm)
        return;
    TUserMonthBook book;
    book.SetWeek(user->Week);
    TUserScheduleForm &form = *UserScheduleForm;
    form.CureNo = user->CureNo;
    form.NyushoDate = user->NyushoDate;
    form.TaishoDate = user->TaishoDate;
    form.YearMonth = m_monthStart;
    form.MonthWish = book.BuildMonth(m_monthStart);
    form.UserName = user->Name;
    form.UserKana = user->Kana;
    form.SexName = CodeName(SexNames, user->Sex);
    form.AgeText = QStringLiteral("(%1歳)").arg(YearsBetweenDates(user->Birth, Clock::today()));
    form.BirthText = eraOrEmpty(user->Birth);
    form.RihaTypeName = CodeName(RihaTypeNames, user->RihaType);
    form.KubunText = kubunText(user->KubunCode);
    form.show();
}
