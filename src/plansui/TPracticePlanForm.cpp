#include "plansui/TPracticePlanForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/DateHelpers.h"
#include "core/TMainModule.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/EraLineEdit.h"
#include "coreui/TMainForm.h"
#include "coreui/TStringsForm.h"
#include "plans/PracticeRules.h"
#include "plansui/ClipboardMenu.h"
#include "plansui/PracticeGrid.h"
#include "plansui/PracticeHopePage.h"
#include "plansui/PracticeStatePage.h"
#include "plansui/TABCForm.h"
#include "plansui/TGetPractPlanForm.h"
#include "plansui/TPaperMenuForm.h"
#include "plansui/TTimeForm.h"
#include "platform/DialogService.h"
#include "printingui/PracticePlanPrintout.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

TPracticePlanForm *PracticePlanForm = nullptr;

namespace {

const QString PhraseProgram = QStringLiteral("PracticePlan");
constexpr int WheelStep = 32;

} // namespace

TPracticePlanForm::TPracticePlanForm(AppContext &context, QWidget *parent)
    : QDialog(parent), m_context(context), m_store(context.database), m_users(context.database)
{
    setObjectName(QStringLiteral("PracticePlanForm"));
    setWindowTitle(QStringLiteral("リハビリ計画管理システム"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1100, 800);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildCommands();
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    layout->addWidget(PageControl, 1);
    Page1 = new PracticeStatePage();
    Page2 = new PracticeHopePage();
    ScrollBox1 = addPage(Page1, QStringLiteral("リハビリテーション実施計画書（１）"));
    ScrollBox2 = addPage(Page2, QStringLiteral("リハビリテーション実施計画書（２）"));

    for (PracticePage *page : {static_cast<PracticePage *>(Page1), static_cast<PracticePage *>(Page2)}) {
        connect(page, &PracticePage::changed, this, [this] { Changed = true; });
        connect(page, &PracticePage::phraseRequested, this,
                [](int code) { TStringsForm::CopyPhrases(PhraseProgram, code); });
        for (QWidget *child : page->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
    for (PracticeGrid *grid : {Page1->Grid1, Page1->Grid2}) {
        connect(grid, &PracticeGrid::lettersRequested, this, &TPracticePlanForm::askLetters);
        connect(grid, &PracticeGrid::goodsRequested, this,
                [this](QPlainTextEdit *memo) { pickCellPhrases(memo, true); });
        connect(grid, &PracticeGrid::kaigoRequested, this,
                [this](QPlainTextEdit *memo) { pickCellPhrases(memo, false); });
        connect(grid, &PracticeGrid::periodRequested, this, &TPracticePlanForm::pickPeriod);
    }
    connect(Page1->PlanDateEdit, &QLineEdit::returnPressed, this, &TPracticePlanForm::PlanDateEditEnter);
    Page1->clear();
    Page2->clear();
    Page1->PlanDateEdit->setToday();
    setPlanShown(false);
    EnterKeyGuard::install(this);
}

void TPracticePlanForm::buildCommands()
{
    auto *bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    FileMenu = bar->addMenu(QStringLiteral("ファイル(&F)"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBar"));
    layout()->addWidget(tools);
    const auto button = [&](const QString &name, const QString &caption, auto handler) {
        auto *tool = new QToolButton(this);
        tool->setObjectName(name);
        tool->setText(caption);
        tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
        tool->setMinimumWidth(72);
        tools->addWidget(tool);
        connect(tool, &QToolButton::clicked, this, handler);
        return tool;
    };
    const auto entry = [&](const QString &name, const QString &caption, auto handler) {
        QAction *action = FileMenu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    NewBtn = button(QStringLiteral("NewBtn"), QStringLiteral("新規"), &TPracticePlanForm::NewBtnClick);
    OpenBtn = button(QStringLiteral("OpenBtn"), QStringLiteral("開く"), &TPracticePlanForm::OpenBtnClick);
    SaveButton = button(QStringLiteral("SaveButton"), QStringLiteral("保存"), &TPracticePlanForm::SaveBtnClick);
    PrintButton = button(QStringLiteral("PrintButton"), QStringLiteral("印刷"), &TPracticePlanForm::PrintBtnClick);
    CloseBtn = button(QStringLiteral("CloseBtn"), QStringLiteral("閉じる"), &TPracticePlanForm::reject);
    NewMenu = entry(QStringLiteral("NewMenu"), QStringLiteral("新規作成"), &TPracticePlanForm::NewBtnClick);
    OpenMenu = entry(QStringLiteral("OpenMenu"), QStringLiteral("開く"), &TPracticePlanForm::OpenBtnClick);
    SaveMenu = entry(QStringLiteral("SaveMenu"), QStringLiteral("保存"), &TPracticePlanForm::SaveBtnClick);
    PrintMenu = entry(QStringLiteral("PrintMenu"), QStringLiteral("印刷"), &TPracticePlanForm::PrintBtnClick);
    DeleteMenu = entry(QStringLiteral("DeleteMenu"), QStringLiteral("消去"), &TPracticePlanForm::DeleteMenuClick);
    FileMenu->addSeparator();
    CloseMenu = entry(QStringLiteral("CloseMenu"), QStringLiteral("閉じる"), &TPracticePlanForm::reject);
    ClipboardMenu::add(bar);
}

QScrollArea *TPracticePlanForm::addPage(QWidget *page, const QString &title)
{
    auto *scroll = new QScrollArea(PageControl);
    auto *canvas = new QWidget(scroll);
    page->setParent(canvas);
    page->adjustSize();
    page->setFixedWidth(qMax(page->width(), 1000));
    page->adjustSize();
    canvas->setMinimumSize(page->width() + 16, page->height() + 16);
    scroll->setWidget(canvas);
    scroll->setWidgetResizable(true);
    scroll->viewport()->installEventFilter(this);
    PageControl->addTab(scroll, title);
    return scroll;
}

void TPracticePlanForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TPracticePlanForm::FormShow()
{
    TMainForm::ApplyWindowState(this, m_context.winState());
    if (PaperMenuForm)
        PaperMenuForm->hide();
    Page2->setStaff(m_context.mainModule.staff());
    clearPlan();
    centrePanels();
}

void TPracticePlanForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    centrePanels();
}

void TPracticePlanForm::centrePanels()
{
    for (auto [scroll, page] : {std::pair<QScrollArea *, QWidget *>{ScrollBox1, Page1}, {ScrollBox2, Page2}})
        page->move(qMax(0, (scroll->viewport()->width() - page->width()) / 2), 8);
}

void TPracticePlanForm::clearPlan()
{
    Page1->clear();
    Page2->clear();
    m_record = TPractice();
    m_cureNo = 0;
    PageControl->setCurrentIndex(0);
    setPlanShown(false);
    ResetModified();
}

void TPracticePlanForm::setPlanShown(bool shown)
{
    m_planShown = shown;
    Page1->setVisible(shown);
    Page2->setVisible(shown);
    for (QToolButton *button : {SaveButton, PrintButton})
        button->setEnabled(shown);
    for (QAction *action : {SaveMenu, PrintMenu, DeleteMenu})
        action->setEnabled(shown);
}

bool TPracticePlanForm::IsPracticeModified() const
{
    return Changed || Page1->isModified() || Page2->isModified() || Page1->PlanDateEdit->isModified();
}

void TPracticePlanForm::ResetModified()
{
    Changed = false;
    Page1->clearModified();
    Page2->clearModified();
}

bool TPracticePlanForm::mayDiscard()
{
    if (!m_planShown || !IsPracticeModified())
        return true;
    return Dialogs::message(MessageType::Warning, QStringLiteral("データ保存の確認\n破棄して良いですか?"),
                            MessageButtons::YesNo) == MessageAnswer::Yes;
}

void TPracticePlanForm::reject()
{
    if (m_planShown && IsPracticeModified() &&
        Dialogs::message(MessageType::Information, QStringLiteral("保存されていませんが\n終了しますか？"),
                         MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    ResetModified();
    QDialog::reject();
    if (PaperMenuForm)
        PaperMenuForm->show();
}

bool TPracticePlanForm::pickPlan(int mode)
{
    if (!GetPractPlanForm)
        return false;
    GetPractPlanForm->Mode = mode;
    GetPractPlanForm->move(PageControl->mapToGlobal(QPoint(20, 20)));
    return Dialogs::exec(GetPractPlanForm) == QDialog::Accepted;
}

void TPracticePlanForm::NewBtnClick()
{
    if (!mayDiscard())
        return;
    clearPlan();
    if (!pickPlan(PlanChooserDialog::ChooseUser))
        return;
    PlanStore::Result result;
    const std::optional<TPerson> person = m_users.user(GetPractPlanForm->CureNo, result);
    if (!person) {
        Dialogs::error(result.message, MessageButtons::Abort);
        return;
    }
    m_cureNo = person->CureNo;
    m_record.PractDay = Clock::today();
    m_record.UserName = person->Name;
    m_record.Sex = person->Sex;
    m_record.Birth = person->Birth;
    m_record.Old = YearsBetweenDates(person->Birth, m_record.PractDay);
    m_record.Kaigodo = person->YOUKAIGO_KBN;
    Page1->showHeader(m_record);
    Page2->UserLabel->setText(m_record.UserName);
    Page1->KenkouMemo->setPlainText(QStringList{person->Disease1, person->Disease2, person->Disease3, person->Disease4,
                                                person->Disease5, person->Disease6}
                                        .join(u'\n'));
    ResetModified();
    setPlanShown(true);
    Page1->PlanDateEdit->setFocus();
}

void TPracticePlanForm::OpenBtnClick()
{
    if (!mayDiscard())
        return;
    clearPlan();
    if (!pickPlan(PlanChooserDialog::ChoosePlan))
        return;
    PracticeStore::Result result;
    std::optional<PracticeStore::StoredPractice> stored = m_store.load(GetPractPlanForm->PractNo, result);
    if (!stored) {
        Dialogs::error(result.message, MessageButtons::Abort);
        return;
    }
    m_cureNo = stored->CureNo;
    m_record = std::move(stored->Record);
    Page1->showHeader(m_record);
    Page2->UserLabel->setText(m_record.UserName);
    Page1->showRecord(m_record);
    Page2->showRecord(m_record);
    ResetModified();
    setPlanShown(true);
    Page1->PlanDateEdit->setFocus();
}

bool TPracticePlanForm::CheckPlanDate()
{
    const std::optional<TDateTime> day = Page1->PlanDateEdit->value();
    if (!day) {
        Dialogs::information(QStringLiteral("日付エラーです。"));
        PageControl->setCurrentIndex(0);
        Page1->PlanDateEdit->setFocus();
        return false;
    }
    m_record.PractDay = DateTime::dateOf(*day);
    m_record.Old = YearsBetweenDates(m_record.Birth, m_record.PractDay);
    Page1->showAge(m_record.Old);
    return true;
}

void TPracticePlanForm::PlanDateEditEnter()
{
    if (m_planShown)
        (void)CheckPlanDate();
}

bool TPracticePlanForm::CollectPracticeRecord()
{
    if (!CheckPlanDate())
        return false;
    const int active = PageControl->currentIndex();
    const PracticePage::Check check = [this](QWidget *control, const std::optional<QString> &refusal) {
        if (!refusal)
            return true;
        PageControl->setCurrentIndex(Page2->isAncestorOf(control) ? 1 : 0);
        Dialogs::information(*refusal);
        control->setFocus();
        return false;
    };
    TPractice record = m_record;
    if (!Page1->collect(record, check) || !Page2->collect(record, check))
        return false;
    m_record = std::move(record);
    PageControl->setCurrentIndex(active);
    return true;
}

void TPracticePlanForm::SaveBtnClick()
{
    if (!m_planShown || !CollectPracticeRecord())
        return;
    // Asked before the transaction begins, so that no transaction waits on the user.
    PracticeStore::Result result;
    const std::optional<bool> stored = m_store.exists(m_cureNo, m_record.PractDay, result);
    if (!stored) {
        Dialogs::error(result.message, MessageButtons::Abort);
        return;
    }
    if (*stored &&
        Dialogs::message(MessageType::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"),
                         MessageButtons::YesNo) != MessageAnswer::Yes) {
        Dialogs::information(QStringLiteral("実施計画書の保存はキャンセルしました。"));
        return;
    }
    result = m_store.save(m_cureNo, m_record);
    if (result.status != PracticeStore::Status::Ok) {
        Dialogs::error(result.message, MessageButtons::Abort);
        return;
    }
    ResetModified();
    Dialogs::information(result.message);
}

void TPracticePlanForm::DeleteMenuClick()
{
    if (!m_planShown)
        return;
    const QString question = QStringLiteral("利用者番号 = ") + QString::number(m_cureNo) + u'\n' +
                             QStringLiteral("計画評価実施日 = ") + DateTime::shortDate(m_record.PractDay) + u'\n' +
                             QStringLiteral("を削除しますか？");
    if (Dialogs::message(MessageType::Confirmation, question, MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    const PracticeStore::Result result = m_store.remove(m_cureNo, m_record.PractDay);
    if (result.status != PracticeStore::Status::Ok) {
        Dialogs::error(result.message, MessageButtons::Abort);
        return;
    }
    clearPlan();
}

void TPracticePlanForm::PrintBtnClick()
{
    if (m_planShown && CollectPracticeRecord())
        PrintPlan();
}

void TPracticePlanForm::PrintPlan()
{
    // The record on screen, with its own snapshot of the user.
    PracticePlanPrintout::show(m_context, m_record);
}

void TPracticePlanForm::askLetters()
{
    if (!ABCForm)
        return;
    const int answer = Dialogs::exec(ABCForm);
    const QString text = ABCForm->GetCellText();
    for (PracticeGrid *grid : {Page1->Grid1, Page1->Grid2}) {
        if (answer == TABCForm::ClearAllResult)
            grid->setAllCells(PracticeRules::EmptyCell.toString());
        else if (answer == TABCForm::SetAllResult)
            grid->setAllCells(text);
        else if (answer == TABCForm::OkResult)
            grid->setHighlightedCells(text);
    }
    if (answer == TABCForm::ClearAllResult || answer == TABCForm::SetAllResult || answer == TABCForm::OkResult)
        Changed = true;
}

void TPracticePlanForm::pickCellPhrases(QPlainTextEdit *memo, bool goods)
{
    TStringsForm *picker = goods ? GoodsForm : KaigoForm;
    if (!picker || Dialogs::exec(picker) != QDialog::Accepted)
        return;
    memo->setPlainText(picker->texts().join(u'\n'));
    memo->moveCursor(QTextCursor::Start);
    memo->setFocus();
    Changed = true;
}

void TPracticePlanForm::pickPeriod(QLineEdit *edit)
{
    if (!TimeForm)
        return;
    // Only the two unit buttons write; closing the keypad writes nothing.
    const int answer = Dialogs::exec(TimeForm);
    if (answer != TTimeForm::MonthResult && answer != QDialog::Accepted)
        return;
    edit->setText(PracticeRules::periodText(TimeForm->Value, answer == TTimeForm::MonthResult));
    Changed = true;
}

bool TPracticePlanForm::eventFilter(QObject *watched, QEvent *event)
{
    // A page's viewport gets its width only when its tab is first shown.
    if (event->type() == QEvent::Resize && (watched == ScrollBox1->viewport() || watched == ScrollBox2->viewport()))
        centrePanels();
    // The wheel scrolls the page, never a memo or list under the pointer.
    if (event->type() == QEvent::Wheel) {
        const int notches = static_cast<QWheelEvent *>(event)->angleDelta().y() / 120;
        auto *scroll = PageControl->currentIndex() == 0 ? ScrollBox1 : ScrollBox2;
        QScrollBar *bar = scroll->verticalScrollBar();
        bar->setValue(bar->value() - notches * WheelStep);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
