#include "usersui/TUserSearchForm.h"

#include "base/Era.h"
#include "core/AppContext.h"
#include "coreui/EnterKeyGuard.h"

#include "coreui/EnterKeyWatch.h"
#include "coreui/FormParts.h"
#include "coreui/KanaFromReading.h"
#include "coreui/KanaLineEdit.h"
#include "coreui/TMainForm.h"
#include "platform/DbDate.h"
#include "platform/DialogService.h"
#include "users/UserGridModel.h"
#include "usersui/SearchForms.h"
#include "usersui/UserGridDelegate.h"

#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <functional>
#include <utility>

TUserSearchForm *UserSearchForm = nullptr;

namespace {

constexpr int ClientWidth = 868;
constexpr int ClientHeight = 533;
constexpr int IdentHeight = 122;

QLineEdit *setUpInput(QLineEdit *input, const QString &name, const QRect &geometry)
{
    input->setObjectName(name);
    input->setGeometry(geometry);
    return input;
}

constexpr int BirthColumn = 4;
constexpr int NyushoColumn = 6;

// The widest era date a date column shows ("平成 31年12月28日"), with the
// cell's margins.
int eraDateWidth(const QFontMetrics &metrics)
{
    int widest = 0;
    for (const Era &era : Eras::table()) {
        const QString text =
            UserGridModel::cellText(BirthColumn, DbDate{DateTime::encodeDate(era.start.year() + 1, 12, 28)});
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    return widest + 2 * UserGridDelegate::TextMargin + 4;
}

const QString QueryErrorText = QStringLiteral("SystemError : DB Queryerror ");

} // namespace

TUserSearchForm::TUserSearchForm(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_search(context.database)
{
    setObjectName(QStringLiteral("UserSearchForm"));
    setWindowTitle(QStringLiteral("利用者検索"));
    setFixedSize(ClientWidth, ClientHeight);
    buildIdentPanel();
    buildSearchPanel();
    EnterKeyGuard::install(this);
}

TUserSearchForm::~TUserSearchForm()
{
    // The grid reads the rows of m_search, which is destroyed before the
    // child widgets are.
    delete DBGrid1;
    delete m_model;
}

void TUserSearchForm::buildIdentPanel()
{
    IdentPanel = new QFrame(this);
    IdentPanel->setObjectName(QStringLiteral("IdentPanel"));
    IdentPanel->setFrameShape(QFrame::StyledPanel);
    IdentPanel->setGeometry(0, 0, ClientWidth, IdentHeight);

    FormParts::addLabel(IdentPanel, QStringLiteral("治療番号"), {8, 14, 136, 24});
    RegistCureNo = setUpInput(new QLineEdit(IdentPanel), QStringLiteral("RegistCureNo"), {150, 14, 110, 24});
    RegistCureNo->setAttribute(Qt::WA_InputMethodEnabled, false);
    RegistCureNo->installEventFilter(this);
    CureNoButton = FormParts::addButton(IdentPanel, QStringLiteral("CureNoButton"), QStringLiteral("治療番号検索"),
                                        {268, 12, 140, 28});
    connect(CureNoButton, &QPushButton::clicked, this, &TUserSearchForm::CureNoButtonClick);

    FormParts::addLabel(IdentPanel, QStringLiteral("ヒノリク利用者番号"), {8, 50, 136, 24});
    RegistHinoriku = setUpInput(new QLineEdit(IdentPanel), QStringLiteral("RegistHinoriku"), {150, 50, 110, 24});
    RegistHinoriku->setAttribute(Qt::WA_InputMethodEnabled, false);
    HinorikuBtn = FormParts::addButton(IdentPanel, QStringLiteral("HinorikuBtn"), QStringLiteral("ヒノリク番号検索"),
                                       {268, 48, 140, 28});
    connect(HinorikuBtn, &QPushButton::clicked, this, &TUserSearchForm::HinorikuBtnClick);

    FormParts::addLabel(IdentPanel, QStringLiteral("氏名"), {420, 14, 80, 24});
    RegistName = setUpInput(new QLineEdit(IdentPanel), QStringLiteral("RegistName"), {506, 14, 200, 24});
    UserSearchBtn = FormParts::addButton(IdentPanel, QStringLiteral("UserSearchBtn"), QStringLiteral("氏名検索"),
                                         {714, 12, 140, 28});
    connect(UserSearchBtn, &QPushButton::clicked, this, &TUserSearchForm::UserSearchBtnClick);

    FormParts::addLabel(IdentPanel, QStringLiteral("氏名カナ"), {420, 50, 80, 24});
    RegistKanaName = new KanaLineEdit(IdentPanel);
    setUpInput(RegistKanaName, QStringLiteral("RegistKanaName"), {506, 50, 200, 24});
    KanaFromReading::link(RegistName, RegistKanaName);
    KanaSearchBtn = FormParts::addButton(IdentPanel, QStringLiteral("KanaSearchBtn"), QStringLiteral("カナ氏名検索"),
                                         {714, 48, 140, 28});
    connect(KanaSearchBtn, &QPushButton::clicked, this, &TUserSearchForm::KanaSearchBtnClick);

    ClearBtn =
        FormParts::addButton(IdentPanel, QStringLiteral("ClearBtn"), QStringLiteral("クリア"), {714, 84, 140, 28});
    connect(ClearBtn, &QPushButton::clicked, this, &TUserSearchForm::ClearBtnClick);
}

void TUserSearchForm::buildSearchPanel()
{
    SearchPanel = new QFrame(this);
    SearchPanel->setObjectName(QStringLiteral("SearchPanel"));
    SearchPanel->setFrameShape(QFrame::StyledPanel);
    SearchPanel->setGeometry(0, IdentHeight, ClientWidth, ClientHeight - IdentHeight);

    const std::pair<QPushButton **, std::pair<const char16_t *, const char16_t *>> rowButtons[] = {
        {&ABtn, {u"ABtn", u"ア"}}, {&KBtn, {u"KBtn", u"カ"}}, {&SBtn, {u"SBtn", u"サ"}}, {&TBtn, {u"TBtn", u"タ"}},
        {&NBtn, {u"NBtn", u"ナ"}}, {&HBtn, {u"HBtn", u"ハ"}}, {&MBtn, {u"MBtn", u"マ"}}, {&YBtn, {u"YBtn", u"ヤ"}},
        {&RBtn, {u"RBtn", u"ラ"}}, {&WBtn, {u"WBtn", u"ワ"}}};
    int left = 14;
    int row = 0;
    for (const auto &[button, texts] : rowButtons) {
        *button = FormParts::addButton(SearchPanel, QString::fromUtf16(texts.first), QString::fromUtf16(texts.second),
                                       {left, 10, 40, 30});
        const auto kanaRow = UserSearch::KanaRow(row++);
        connect(*button, &QPushButton::clicked, this, [this, kanaRow] { KanaRowClick(kanaRow); });
        left += 44;
    }
    AllDisplay = FormParts::addButton(SearchPanel, QStringLiteral("AllDisplay"), QStringLiteral("全て表示"),
                                      {left + 10, 10, 110, 30});
    connect(AllDisplay, &QPushButton::clicked, this, &TUserSearchForm::AllDisplayClick);

    DBGrid1 = new QTableView(SearchPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(14, 48, ClientWidth - 28, 312);
    m_model = new UserGridModel(m_search.UserSearchQuery, this);
    // A page read as the grid scrolls fails inside the grid's own layout:
    // the message waits for it to end.
    connect(
        m_model, &DataSetGridModel::readFailed, this, [] { Dialogs::error(QueryErrorText, MessageButtons::Abort); },
        Qt::QueuedConnection);
    SearchForms::setUpGrid(DBGrid1, m_model, UserSearch::Columns);
    DBGrid1->setItemDelegate(new UserGridDelegate(DBGrid1));
    QHeaderView *titles = DBGrid1->horizontalHeader();
    titles->setSectionsClickable(true);
    // The date columns fit the longest era date in the grid's font.
    for (const int column : {BirthColumn, NyushoColumn})
        DBGrid1->setColumnWidth(column, std::max(DBGrid1->columnWidth(column), eraDateWidth(DBGrid1->fontMetrics())));
    connect(titles, &QHeaderView::sectionClicked, this, &TUserSearchForm::DBGrid1TitleClick);
    DBGrid1->viewport()->installEventFilter(this);

    ReturnBtn =
        FormParts::addButton(SearchPanel, QStringLiteral("ReturnBtn"), QStringLiteral("戻る"), {584, 370, 130, 32});
    connect(ReturnBtn, &QPushButton::clicked, this, &QDialog::reject);
    DecideButton =
        FormParts::addButton(SearchPanel, QStringLiteral("DecideButton"), QStringLiteral("確定"), {724, 370, 130, 32});
    connect(DecideButton, &QPushButton::clicked, this, &TUserSearchForm::DecideButtonClick);
}

void TUserSearchForm::showEvent(QShowEvent *event)
{
    if (MainForm && MainForm->isVisible())
        move(MainForm->geometry().center() - rect().center());
    ClearBtnClick();
    QDialog::showEvent(event);
}

void TUserSearchForm::hideEvent(QHideEvent *event)
{
    m_search.close();
    showRows();
    QDialog::hideEvent(event);
}

bool TUserSearchForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_enter.isEnterRelease(watched, event)) {
        if (watched == RegistCureNo)
            CureNoButtonClick();
    } else if (event->type() == QEvent::MouseButtonRelease && watched == DBGrid1->viewport()) {
        DBGrid1MouseUp();
    }
    return QDialog::eventFilter(watched, event);
}

void TUserSearchForm::ClearBtnClick()
{
    RegistCureNo->clear();
    RegistName->clear();
    RegistKanaName->clear();
    RegistHinoriku->clear();
    m_search.close();
    showRows();
    DecideButton->setEnabled(false);
    // A new search is typed at once, whatever was clicked last.
    RegistCureNo->setFocus();
}

void TUserSearchForm::showRows()
{
    m_model->reload();
}

bool TUserSearchForm::showResult(bool succeeded)
{
    showRows();
    if (!succeeded)
        Dialogs::error(QueryErrorText, MessageButtons::Abort);
    return succeeded;
}

void TUserSearchForm::runSearch(const std::function<bool()> &search)
{
    // Every search starts with the decide button disabled.
    DecideButton->setEnabled(false);
    (void)showResult(search());
}

void TUserSearchForm::searchInput(QLineEdit *input, UserSearch::Input kind, bool (UserSearch::*search)(QStringView))
{
    if (SearchForms::checkInput(input, kind))
        runSearch([&] { return (m_search.*search)(input->text()); });
}

void TUserSearchForm::CureNoButtonClick()
{
    searchInput(RegistCureNo, UserSearch::Input::CureNo, &UserSearch::searchCureNo);
}

void TUserSearchForm::UserSearchBtnClick()
{
    searchInput(RegistName, UserSearch::Input::Name, &UserSearch::searchName);
}

void TUserSearchForm::KanaSearchBtnClick()
{
    searchInput(RegistKanaName, UserSearch::Input::Kana, &UserSearch::searchKana);
}

void TUserSearchForm::HinorikuBtnClick()
{
    searchInput(RegistHinoriku, UserSearch::Input::Hinoriku, &UserSearch::searchHinoriku);
}

void TUserSearchForm::KanaRowClick(UserSearch::KanaRow row)
{
    runSearch([&] { return m_search.searchKanaRow(row); });
}

void TUserSearchForm::AllDisplayClick()
{
    runSearch([&] { return m_search.showAll(); });
}

void TUserSearchForm::DBGrid1TitleClick(int column)
{
    // The decide button stays as it is, and with it the user the inputs
    // show: that user stays the current row in the new order.
    const bool chosen = DecideButton->isEnabled();
    const int chosenCureNo = chosen ? m_search.UserSearchQuery.field(u"CureNo").asInteger() : 0;
    if (!showResult(m_search.sortByColumn(column))) {
        DecideButton->setEnabled(false);
        return;
    }
    if (chosen && m_search.UserSearchQuery.locate(u"CureNo", chosenCureNo))
        DBGrid1->setCurrentIndex(m_model->index(m_search.UserSearchQuery.position(), 0));
    else
        DecideButton->setEnabled(false);
}

int TUserSearchForm::currentRow() const
{
    if (m_model->rowCount() == 0)
        return -1;
    const QModelIndex current = DBGrid1->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void TUserSearchForm::DBGrid1MouseUp()
{
    DecideButton->setEnabled(false);
    const int row = currentRow();
    DbDataSet &rows = m_search.UserSearchQuery;
    if (row < 0 || !rows.setPosition(row))
        return;
    if (!DBGrid1->currentIndex().isValid())
        DBGrid1->setCurrentIndex(m_model->index(row, 0));
    RegistCureNo->setText(rows.field(u"CureNo").asString());
    RegistName->setText(rows.field(u"Name").asString());
    RegistKanaName->setText(rows.field(u"Kana").asString());
    const int partner = rows.field(u"HinorikuUserNo").asInteger();
    RegistHinoriku->setText(partner >= 1 ? QString::number(partner) : QString());
    DecideButton->setEnabled(true);
}

void TUserSearchForm::DecideButtonClick()
{
    const int row = currentRow();
    if (row < 0 || !m_search.UserSearchQuery.setPosition(row))
        return;
    Person = TPerson::fromRow(m_search.UserSearchQuery);
    accept();
}
