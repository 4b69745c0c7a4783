#include "schedulingui/WorkBoardForm.h"

#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/TKubun.h"
#include "core/TMainModule.h"
#include "coreui/TMainForm.h"
#include "platform/DialogService.h"
#include "platform/UserMessage.h"
#include "scheduling/BookingUserList.h"
#include "schedulingui/BoardCell.h"
#include "schedulingui/DragPersonModel.h"
#include "schedulingui/TPersonPropertyForm.h"
#include "schedulingui/TScheduleMenuForm.h"
#include "schedulingui/TStuffChangeForm.h"
#include "schedulingui/TStuffTimeForm.h"
#include "schedulingui/TTimeTableForm.h"
#include "schedulingui/WorkBoardView.h"

#include "base/Clock.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

WorkBoardForm::WorkBoardForm(WorkBoard::Kind kind, const QString &headerPrefix, AppContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_staff(context.mainModule.staff()), m_data(context.database, m_staff),
      m_board(std::make_unique<WorkBoard>(kind, m_data, m_staff))
{
    resize(1280, 860);
    TopPanel = new QWidget(this);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    m_topLayout = new QHBoxLayout(TopPanel);
    RVDate = new QDateEdit(TopPanel);
    RVDate->setObjectName(QStringLiteral("RVDate"));
    RVDate->setCalendarPopup(true);
    RVDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    DispButton = new QPushButton(QStringLiteral("表示"), TopPanel);
    DispButton->setObjectName(QStringLiteral("DispButton"));
    ClearButton = new QPushButton(QStringLiteral("クリア"), TopPanel);
    ClearButton->setObjectName(QStringLiteral("ClearButton"));
    m_topLayout->addWidget(new QLabel(QStringLiteral("日付"), TopPanel));
    m_topLayout->addWidget(RVDate);
    m_topLayout->addWidget(DispButton);
    m_topLayout->addWidget(ClearButton);
    m_topLayout->addStretch();
    connect(DispButton, &QPushButton::clicked, this, [this] { DispButtonClick(); });
    connect(ClearButton, &QPushButton::clicked, this, &WorkBoardForm::ClearButtonClick);

    Board = new WorkBoardView(headerPrefix, this);
    connect(Board, &WorkBoardView::labelDropped, this, &WorkBoardForm::dropped);
    connect(Board, &WorkBoardView::labelMenuRequested, this, [this](const QString &name, const QPoint &at) {
        TargetLabel = name;
        LabelPopupMenu->popup(at);
    });
    connect(Board, &WorkBoardView::columnMenuRequested, this, [this](int column, const QPoint &at) {
        TargetPanel = column;
        PasteTimeMenu->setEnabled(m_board->canPasteSlot());
        PanelPopupMenu->popup(at);
    });
    buildUserPanel();
    buildMenus(kind);

    StatusPanel0 = new QLabel(this);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(120);
    StatusPanel1 = new QLabel(this);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    auto *status = new QHBoxLayout;
    status->addWidget(StatusPanel0);
    status->addWidget(StatusPanel1, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(Board, 1);
    middle->addWidget(UserPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(TopPanel);
    layout->addLayout(middle, 1);
    layout->addLayout(status);

    StuffTimeForm = new TStuffTimeForm(this);
    StuffChangeForm = new TStuffChangeForm(m_staff, this);
    TimeTableForm = new TTimeTableForm(context, this);
    PersonPropertyForm = new TPersonPropertyForm(this);
}

WorkBoardForm::~WorkBoardForm() = default;

void WorkBoardForm::buildUserPanel()
{
    UserPanel = new QWidget(this);
    UserPanel->setObjectName(QStringLiteral("UserPanel"));
    UserPanel->setFixedWidth(210);
    auto *layout = new QVBoxLayout(UserPanel);
    layout->setContentsMargins(2, 0, 0, 0);
    for (auto [box, name, caption] : {std::tuple{&TankiBox, u"TankiBox", u"短期集中"},
                                      {&NinchiBox, u"NinchiBox", u"認知症"},
                                      {&ShudanBox, u"ShudanBox", u"集団"},
                                      {&KobetsuBox, u"KobetsuBox", u"個別"}}) {
        *box = new QCheckBox(QString::fromUtf16(caption), UserPanel);
        (*box)->setObjectName(QString::fromUtf16(name));
        (*box)->setChecked(true);
        connect(*box, &QCheckBox::clicked, this, [this] {
            RihaTypeBox->setCurrentIndex(-1);
            m_users->setUsers({});
        });
    }
    auto *grid = new QGridLayout;
    grid->addWidget(TankiBox, 0, 0);
    grid->addWidget(NinchiBox, 0, 1);
    grid->addWidget(ShudanBox, 1, 0);
    grid->addWidget(KobetsuBox, 1, 1);
    layout->addLayout(grid);
    RihaTypeBox = new QComboBox(UserPanel);
    RihaTypeBox->setObjectName(QStringLiteral("RihaTypeBox"));
    for (QStringView name : RihaTypeNames)
        RihaTypeBox->addItem(name.toString());
    RihaTypeBox->setCurrentIndex(-1);
    RihaTypeBox->setPlaceholderText(QStringLiteral("リハビリ形態"));
    connect(RihaTypeBox, &QComboBox::activated, this, &WorkBoardForm::RihaTypeBoxChange);
    layout->addWidget(RihaTypeBox);
    m_users = new DragPersonModel(this);
    DragPersonDBGrid = new QTableView(UserPanel);
    DragPersonDBGrid->setObjectName(QStringLiteral("DragPersonDBGrid"));
    DragPersonDBGrid->setModel(m_users);
    DragPersonDBGrid->setColumnWidth(0, 100);
    DragPersonDBGrid->setColumnWidth(1, 52);
    DragPersonDBGrid->verticalHeader()->hide();
    DragPersonDBGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    DragPersonDBGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    DragPersonDBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DragPersonDBGrid->setDragEnabled(true);
    DragPersonDBGrid->setDragDropMode(QAbstractItemView::DragOnly);
    connect(DragPersonDBGrid, &QTableView::clicked, this, &WorkBoardForm::userPicked);
    layout->addWidget(DragPersonDBGrid, 1);
    layout->addWidget(new QLabel(QStringLiteral("ドラッグして時間枠へ予約\nCtrl+クリックで利用者情報"), UserPanel));
}

QAction *WorkBoardForm::newMenuAction(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

std::optional<TIMETABLE_ITEM> WorkBoardForm::targetSlot() const
{
    std::optional<TIMETABLE_ITEM> slot = m_board->slot(TargetLabel);
    if (!slot)
        Dialogs::error(QStringLiteral("System Error 予約確認に失敗しました。"));
    return slot;
}

void WorkBoardForm::buildMenus(WorkBoard::Kind kind)
{
    LabelPopupMenu = new QMenu(this);
    LabelPopupMenu->setObjectName(QStringLiteral("LabelPopupMenu"));
    addMenuAction(LabelPopupMenu, QStringLiteral("TimeCopyMenu"), QStringLiteral("時間枠コピー"),
                  &WorkBoardForm::TimeCopyMenuClick)
        ->setToolTip(QStringLiteral("時間枠のみコピー"));
    if (kind == WorkBoard::Kind::StaffMonth) {
        QAction *all = newMenuAction(LabelPopupMenu, QStringLiteral("AllCopyMenu"), QStringLiteral("全てコピー"));
        all->setToolTip(QStringLiteral("時間枠と予約をコピー"));
        connect(all, &QAction::triggered, this, [this] {
            m_board->copySlot(TargetLabel, true);
            refresh();
        });
    }
    LabelPopupMenu->addSeparator();
    addMenuAction(LabelPopupMenu, QStringLiteral("AllEraseMenu"), QStringLiteral("全て消去"),
                  &WorkBoardForm::AllEraseMenuClick)
        ->setToolTip(QStringLiteral("時間枠と全ての予約を消去"));
    LabelPopupMenu->addSeparator();
    addMenuAction(LabelPopupMenu, QStringLiteral("BoxUpdate"), QStringLiteral("時間枠の変更"),
                  &WorkBoardForm::BoxUpdateClick);
    addMenuAction(LabelPopupMenu, QStringLiteral("ReserveUpdateMenu"), QStringLiteral("予約詳細"),
                  &WorkBoardForm::ReserveUpdateMenuClick);
    LabelPopupMenu->addSeparator();
    addMenuAction(LabelPopupMenu, QStringLiteral("TantouChangeMenu"), QStringLiteral("担当者変更"),
                  &WorkBoardForm::TantouChangeMenuClick);

    PanelPopupMenu = new QMenu(this);
    PanelPopupMenu->setObjectName(QStringLiteral("PanelPopupMenu"));
    addMenuAction(PanelPopupMenu, QStringLiteral("NewBoxMenu"), QStringLiteral("新規作成"),
                  &WorkBoardForm::NewBoxMenuClick);
    PasteTimeMenu = addMenuAction(PanelPopupMenu, QStringLiteral("PasteTimeMenu"), QStringLiteral("貼り付け"),
                                  &WorkBoardForm::PasteTimeMenuClick);
    EditPopupMenu = new QMenu(this);
    EditPopupMenu->setObjectName(QStringLiteral("EditPopupMenu"));
}

void WorkBoardForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        TMainForm::ApplyWindowState(this, m_context.winState());
        if (ScheduleMenuForm)
            ScheduleMenuForm->hide();
        ClearButtonClick();
        m_board->clearCopy();
        RVDate->setDate(Clock::currentDate());
        StatusPanel1->clear();
    }
    QWidget::showEvent(event);
}

void WorkBoardForm::closeEvent(QCloseEvent *event)
{
    m_board->clear();
    Board->setLabels({});
    if (ScheduleMenuForm)
        ScheduleMenuForm->show();
    QWidget::closeEvent(event);
}

void WorkBoardForm::showBoard(bool shown)
{
    Board->setBoardVisible(shown);
    if (shown)
        Board->scrollToFirstSlot(m_board->labels());
    UserPanel->setVisible(shown);
    RVDate->setEnabled(!shown);
    DispButton->setEnabled(!shown);
    ClearButton->setEnabled(shown);
}

void WorkBoardForm::refresh()
{
    Board->setLabels(m_board->labels());
    StatusPanel1->setText(m_board->statusText());
}

void WorkBoardForm::ClearButtonClick()
{
    m_board->clear();
    Board->setLabels({});
    Board->resetColumns();
    RihaTypeBox->setCurrentIndex(-1);
    m_users->setUsers({});
    showBoard(false);
}

void WorkBoardForm::RihaTypeBoxChange()
{
    TKubun kubun;
    kubun.Tanki = TankiBox->isChecked();
    kubun.Ninchi = NinchiBox->isChecked();
    kubun.Shudan = ShudanBox->isChecked();
    kubun.Kobetsu = KobetsuBox->isChecked();
    const auto users = BookingUserList::read(m_context.database, RihaTypeBox->currentIndex(), kubun.GetCode());
    if (!users)
        Dialogs::error(QStringLiteral("System Error リハビリ形態テーブル オープンで失敗しました。"));
    m_users->setUsers(users.value_or(std::vector<BookingUser>()));
}

void WorkBoardForm::userPicked(const QModelIndex &index)
{
    const BookingUser *user = m_users->user(index.row());
    if (!user || QApplication::keyboardModifiers() != Qt::ControlModifier)
        return;
    PersonPropertyForm->CureNo = user->CureNo;
    PersonPropertyForm->UserName = user->Name;
    PersonPropertyForm->NyushoDate = user->NyushoDate;
    PersonPropertyForm->TaishoDate = user->TaishoDate;
    PersonPropertyForm->RihaTypeName = RihaTypeBox->currentText();
    PersonPropertyForm->KubunCode = user->KubunCode;
    Dialogs::exec(PersonPropertyForm);
}

void WorkBoardForm::dropped(const QString &name, const QMimeData *data)
{
    TargetLabel = name;
    Dialogs::show(m_board->drop(name, data).messages);
    refresh();
}

void WorkBoardForm::TimeCopyMenuClick()
{
    m_board->copySlot(TargetLabel, false);
    refresh();
}

void WorkBoardForm::AllEraseMenuClick()
{
    // A label already gone is told by the erase itself.
    if (m_board->slot(TargetLabel) && !Dialogs::confirmDelete(QStringLiteral("時間枠と全ての予約を削除しますか？")))
        return;
    Dialogs::show(m_board->eraseSlot(TargetLabel).messages);
    refresh();
}

void WorkBoardForm::BoxUpdateClick()
{
    const std::optional<TIMETABLE_ITEM> slot = targetSlot();
    if (!slot)
        return;
    StuffTimeForm->NewFrame = false;
    StuffTimeForm->StartTime = slot->StartTime;
    StuffTimeForm->WorkingMin = slot->Fnn;
    StuffTimeForm->Capacity = slot->Cap;
    if (Dialogs::exec(StuffTimeForm) != QDialog::Accepted)
        return;
    Dialogs::show(
        m_board->editSlot(TargetLabel, StuffTimeForm->StartTime, StuffTimeForm->WorkingMin, StuffTimeForm->Capacity)
            .messages);
    refresh();
}

void WorkBoardForm::ReserveUpdateMenuClick()
{
    const std::optional<TIMETABLE_ITEM> slot = targetSlot();
    if (!slot)
        return;
    if (slot->Cap < 1)
        return;
    TimeTableForm->ReserveNo = slot->ResNo;
    TimeTableForm->CanDelete = true;
    Dialogs::exec(TimeTableForm);
    m_board->refreshBookings(TargetLabel);
    refresh();
}

void WorkBoardForm::TantouChangeMenuClick()
{
    const std::optional<TIMETABLE_ITEM> slot = targetSlot();
    if (!slot)
        return;
    StuffChangeForm->ReserveDay = slot->RegistDay;
    StuffChangeForm->StuffCode = slot->Stf;
    StuffChangeForm->StartTime = slot->StartTime;
    StuffChangeForm->WorkingMin = slot->Fnn;
    if (Dialogs::exec(StuffChangeForm) != QDialog::Accepted)
        return;
    Dialogs::show(m_board
                      ->moveSlot(TargetLabel, StuffChangeForm->ReserveDay, StuffChangeForm->StuffCode,
                                 StuffChangeForm->StartTime, StuffChangeForm->WorkingMin)
                      .messages);
    refresh();
}

void WorkBoardForm::NewBoxMenuClick()
{
    if (TargetPanel < 0 || TargetPanel >= m_board->columnCount())
        return;
    StuffTimeForm->NewFrame = true;
    StuffTimeForm->move(QCursor::pos());
    if (Dialogs::exec(StuffTimeForm) != QDialog::Accepted)
        return;
    Dialogs::show(
        m_board->newSlot(TargetPanel, StuffTimeForm->StartTime, StuffTimeForm->WorkingMin, StuffTimeForm->Capacity)
            .messages);
    refresh();
}

void WorkBoardForm::PasteTimeMenuClick()
{
    Dialogs::show(m_board->pasteSlot(TargetPanel).messages);
    refresh();
}
