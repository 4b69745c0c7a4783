#include "plansui/TRihaPlanForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "coreui/EraLineEdit.h"
#include "coreui/TCommentForm.h"
#include "coreui/TMainForm.h"
#include "coreui/TStringsForm.h"
#include "plans/FigurePicture.h"
#include "plansui/ClipboardMenu.h"
#include "plansui/FigureArea.h"
#include "plansui/RihaPlanPanel.h"
#include "plansui/TGetCurePlanForm.h"
#include "plansui/TPaperMenuForm.h"
#include "platform/DialogService.h"
#include "printing/CurePlanPrint.h"
#include "printingui/CurePlanPrintout.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

TRihaPlanForm *RihaPlanForm = nullptr;

namespace {

const QString DiscardQuestion = QStringLiteral("データ保存の確認\n破棄して良いですか?");
constexpr int WheelStep = 32;

QString planLine(const TPlan &plan)
{
    return QStringLiteral("利用者番号 = ") + QString::number(plan.CureNo) + u'\n' + QStringLiteral("計画登録日 = ") +
           DateTime::shortDate(plan.PlanRegistDay) + u'\n';
}

} // namespace

TRihaPlanForm::TRihaPlanForm(AppContext &context, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_store(context.database)
{
    setObjectName(QStringLiteral("RihaPlanForm"));
    setWindowTitle(QStringLiteral("リハビリ治療計画書"));
    resize(1000, 760);
    buildActions();

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    auto *canvas = new QWidget(ScrollBox);
    PlanPanel = new RihaPlanPanel(canvas);
    canvas->setMinimumSize(PlanPanel->width() + 22, PlanPanel->height() + 16);
    ScrollBox->setWidget(canvas);
    ScrollBox->setWidgetResizable(true);
    setCentralWidget(ScrollBox);
    for (QWidget *child : PlanPanel->findChildren<QWidget *>())
        child->installEventFilter(this);
    ScrollBox->viewport()->installEventFilter(this);

    connect(PlanPanel, &RihaPlanPanel::phraseEditorRequested, this, &TRihaPlanForm::editPhrases);
    connect(PlanPanel, &RihaPlanPanel::memoPhrasesRequested, this, &TRihaPlanForm::copyMemoPhrases);
    setPlanShown(false);
}

void TRihaPlanForm::buildActions()
{
    auto *tools = addToolBar(QStringLiteral("ToolBar"));
    tools->setObjectName(QStringLiteral("ToolBar"));
    tools->setMovable(false);
    FileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    const auto command = [&](const QString &name, const QString &caption, QToolButton *&button, QAction *&entry,
                             auto handler) {
        button = new QToolButton(this);
        button->setObjectName(name + QStringLiteral("Btn"));
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(72);
        tools->addWidget(button);
        connect(button, &QToolButton::clicked, this, handler);
        entry = FileMenu->addAction(caption);
        entry->setObjectName(name + QStringLiteral("Menu"));
        connect(entry, &QAction::triggered, this, handler);
    };
    command(QStringLiteral("New"), QStringLiteral("新規作成"), NewBtn, NewMenu, &TRihaPlanForm::NewBtnClick);
    command(QStringLiteral("Open"), QStringLiteral("開く"), OpenBtn, OpenMenu, &TRihaPlanForm::OpenBtnClick);
    command(QStringLiteral("Save"), QStringLiteral("保存"), SaveBtn, SaveMenu, &TRihaPlanForm::SaveBtnClick);
    command(QStringLiteral("Print"), QStringLiteral("印刷"), PrintBtn, PrintMenu, &TRihaPlanForm::PrintBtnClick);
    command(QStringLiteral("Delete"), QStringLiteral("消去"), DeleteBtn, DeleteMenu, &TRihaPlanForm::DeleteBtnClick);
    FileMenu->addSeparator();
    QAction *closeEntry = nullptr;
    command(QStringLiteral("Close"), QStringLiteral("閉じる"), CloseBtn, closeEntry, &QWidget::close);
    CloseMenu = closeEntry;
    connect(FileMenu, &QMenu::aboutToShow, this, [this] {
        SaveMenu->setEnabled(SaveBtn->isEnabled());
        PrintMenu->setEnabled(PrintBtn->isEnabled());
    });

    ClipboardMenu::add(menuBar());
}

void TRihaPlanForm::setPlanShown(bool shown)
{
    m_planShown = shown;
    PlanPanel->setVisible(shown);
    for (QToolButton *button : {SaveBtn, PrintBtn})
        button->setEnabled(shown);
    SaveMenu->setEnabled(shown);
    PrintMenu->setEnabled(shown);
    const bool stored = shown && m_plan.PlanNo != 0;
    DeleteBtn->setEnabled(stored);
    DeleteMenu->setEnabled(stored);
}

void TRihaPlanForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QMainWindow::showEvent(event);
}

void TRihaPlanForm::FormShow()
{
    TMainForm::ApplyWindowState(this, m_context.winState());
    if (PaperMenuForm)
        PaperMenuForm->hide();
    for (int code : PlanPanel->phraseCodes())
        fillPhrases(code);
    PlanPanel->showBlank();
    m_plan = TPlan();
    setPlanShown(false);
    PlanPanel->clearModified();
    centrePanel();
    // Each showing starts at the top of the plan, not where the last one was left.
    ScrollBox->verticalScrollBar()->setValue(0);
    ScrollBox->horizontalScrollBar()->setValue(0);
}

void TRihaPlanForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    centrePanel();
}

void TRihaPlanForm::centrePanel()
{
    PlanPanel->move(qMax(0, (ScrollBox->width() - PlanPanel->width() - 22) / 2), 8);
}

bool TRihaPlanForm::mayDiscard(const QString &question)
{
    if (!PlanPanel->isModified())
        return true;
    return Dialogs::message(MessageType::Warning, question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void TRihaPlanForm::closeEvent(QCloseEvent *event)
{
    if (!mayDiscard(QStringLiteral("データ保存の確認\n終了して良いですか?"))) {
        event->ignore();
        return;
    }
    PlanPanel->clearModified();
    if (PaperMenuForm)
        PaperMenuForm->show();
    QMainWindow::closeEvent(event);
}

bool TRihaPlanForm::pickPlan(int mode)
{
    if (!GetCurePlanForm)
        return false;
    GetCurePlanForm->Mode = mode;
    GetCurePlanForm->move(PlanPanel->mapToGlobal(QPoint(20, 20)));
    return Dialogs::exec(GetCurePlanForm) == QDialog::Accepted;
}

void TRihaPlanForm::NewBtnClick()
{
    if (!mayDiscard(DiscardQuestion))
        return;
    PlanPanel->showBlank();
    m_plan = TPlan();
    setPlanShown(false);
    PlanPanel->clearModified();
    if (!pickPlan(TGetCurePlanForm::ChooseUser))
        return;
    PlanStore::Result result;
    const std::optional<TPerson> person = m_store.user(GetCurePlanForm->CureNo, result);
    if (!person) {
        if (result.status == PlanStore::Status::NotFound)
            Dialogs::error(result.message, MessageButtons::Abort);
        else
            Dialogs::error(result.message);
        return;
    }
    m_plan.setUser(*person);
    PlanPanel->showHeader(m_plan);
    setPlanShown(true);
    PlanPanel->PlanRegistDay->setFocus();
}

void TRihaPlanForm::OpenBtnClick()
{
    if (!mayDiscard(DiscardQuestion))
        return;
    PlanPanel->showBlank();
    m_plan = TPlan();
    setPlanShown(false);
    PlanPanel->clearModified();
    if (!pickPlan(TGetCurePlanForm::ChoosePlan))
        return;
    PlanStore::Result result;
    std::optional<TPlan> plan = m_store.load(GetCurePlanForm->PlanNo, result);
    const std::optional<std::vector<FigureRow>> figures =
        plan ? m_store.figures(plan->PlanNo) : std::optional<std::vector<FigureRow>>();
    if (!plan || !figures) {
        Dialogs::error(plan ? QStringLiteral("Plan Table Open Error") : result.message);
        return;
    }
    m_plan = std::move(*plan);
    PlanPanel->showPlan(m_plan);
    PlanPanel->Figures->load(*figures);
    PlanPanel->clearModified();
    setPlanShown(true);
    PlanPanel->PlanRegistDay->setFocus();
}

void TRihaPlanForm::SaveBtnClick()
{
    if (!m_planShown)
        return;
    SaveBtn->setEnabled(false);
    const auto done = qScopeGuard([this] { SaveBtn->setEnabled(m_planShown); });
    TPlan plan = m_plan;
    if (!PlanPanel->collect(plan))
        return;
    // Asked before the transaction: the stored plan of that day, the one on
    // screen included, may be signed on paper and is replaced only on a yes.
    PlanStore::Result result;
    const std::optional<std::vector<int>> sameDay = m_store.sameDayPlans(plan, result);
    if (!sameDay) {
        Dialogs::error(result.message, MessageButtons::Abort);
        return;
    }
    if (!sameDay->empty() &&
        Dialogs::message(MessageType::Information, QStringLiteral("保存されたデータがあります。\n上書きしますか？"),
                         MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    result =
        m_store.save(plan, PlanPanel->Figures->model().rows(), m_context.mainModule.LoginStaffName, Clock::today());
    if (result.status != PlanStore::Status::Ok) {
        Dialogs::error(result.message,
                       result.status == PlanStore::Status::BeginFailed ? MessageButtons::Abort : MessageButtons::Ok);
        return;
    }
    plan.PlanNo = result.planNo;
    m_plan = std::move(plan);
    PlanPanel->clearModified();
    setPlanShown(true);
    Dialogs::information(result.message);
}

void TRihaPlanForm::PrintBtnClick()
{
    if (!m_planShown)
        return;
    TPlan plan = m_plan;
    if (!PlanPanel->collect(plan))
        return;
    m_plan = std::move(plan);
    PrintPlan(FigurePicture::paint(PlanPanel->Figures->model()));
}

void TRihaPlanForm::PrintPlan(const QImage &figures)
{
    // The plan on screen, with its own snapshot of the user's values.
    CurePlanPrintout::show(m_context.appDir, CurePlanPrint(m_plan, m_context.mainModule.FacilityName), figures);
}

void TRihaPlanForm::DeleteBtnClick()
{
    if (!m_planShown || m_plan.PlanNo == 0)
        return;
    DeleteBtn->setEnabled(false);
    if (Dialogs::message(MessageType::Confirmation, planLine(m_plan) + QStringLiteral("を削除しますか？"),
                         MessageButtons::OkCancel) != MessageAnswer::Ok) {
        DeleteBtn->setEnabled(true);
        return;
    }
    const PlanStore::Result result = m_store.remove(m_plan.PlanNo);
    if (result.status != PlanStore::Status::Ok) {
        Dialogs::error(result.message,
                       result.status == PlanStore::Status::BeginFailed ? MessageButtons::Abort : MessageButtons::Ok);
        DeleteBtn->setEnabled(true);
        return;
    }
    PlanPanel->showBlank();
    PlanPanel->clearModified();
    m_plan = TPlan();
    setPlanShown(false);
}

void TRihaPlanForm::fillPhrases(int code)
{
    if (CommentForm)
        PlanPanel->setPhrases(code, CommentForm->GetComments(RihaPlanPanel::PhraseProgram.toString(), code));
}

void TRihaPlanForm::editPhrases(int code)
{
    if (!CommentForm)
        return;
    CommentForm->ProgramName = RihaPlanPanel::PhraseProgram.toString();
    CommentForm->CommentCode = code;
    Dialogs::exec(CommentForm);
    fillPhrases(code);
}

void TRihaPlanForm::copyMemoPhrases(int code)
{
    TStringsForm::CopyPhrases(RihaPlanPanel::PhraseProgram.toString(), code);
}

bool TRihaPlanForm::eventFilter(QObject *watched, QEvent *event)
{
    // The wheel scrolls the plan, never a list under the pointer.
    if (event->type() == QEvent::Wheel) {
        const int notches = static_cast<QWheelEvent *>(event)->angleDelta().y() / 120;
        QScrollBar *bar = ScrollBox->verticalScrollBar();
        bar->setValue(bar->value() - notches * WheelStep);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
