#include "plansui/TPrintOutstandingForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "coreui/TMainForm.h"
#include "plans/OutstandingPrint.h"
#include "plansui/TPaperMenuForm.h"
#include "platform/DialogService.h"
#include "reportui/PrintoutPreview.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

TPrintOutstandingForm *PrintOutstandingForm = nullptr;

namespace {

constexpr QStringView KanaCaptions[] = {u"ア", u"カ", u"サ", u"タ", u"ナ", u"ハ", u"マ", u"ヤ", u"ラ", u"ワ"};

} // namespace

TPrintOutstandingForm::TPrintOutstandingForm(AppContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_list(context.database)
{
    setObjectName(QStringLiteral("PrintOutstandingForm"));
    setWindowTitle(QStringLiteral("計画書未登録者リスト(印刷)"));
    resize(960, 680);
    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedSize(900, 620);
    const auto button = [this](const QString &name, const QString &caption, const QRect &place) {
        auto *push = new QPushButton(caption, MainPanel);
        push->setObjectName(name);
        push->setGeometry(place);
        return push;
    };
    PlanBtn = button(QStringLiteral("PlanBtn"), QStringLiteral("リハビリ治療計画書表示"), QRect(10, 10, 220, 36));
    PractBtn = button(QStringLiteral("PractBtn"), QStringLiteral("リハビリ実施計画書表示"), QRect(240, 10, 220, 36));
    for (int i = 0; i < 10; ++i) {
        KanaBtn[size_t(i)] =
            button(QStringLiteral("KanaBtn%1").arg(i), KanaCaptions[i].toString(), QRect(10 + i * 44, 56, 40, 30));
        connect(KanaBtn[size_t(i)], &QPushButton::clicked, this, [this, i] {
            m_list.filterByKanaRow(UserSearch::KanaRow(i));
            fillGrid();
            PrintBtn->setEnabled(m_list.hasRows());
        });
    }
    AllDispBtn = button(QStringLiteral("AllDispBtn"), QStringLiteral("全て"), QRect(454, 56, 60, 30));
    DBGrid1 = new QTableWidget(0, int(OutstandingList::Columns.size()), MainPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(10, 96, 880, 470);
    QStringList titles;
    for (int c = 0; c < int(OutstandingList::Columns.size()); ++c) {
        titles << OutstandingList::Columns[size_t(c)].title.toString();
        DBGrid1->setColumnWidth(c, OutstandingList::Columns[size_t(c)].width);
    }
    DBGrid1->setHorizontalHeaderLabels(titles);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::MultiSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->setStyleSheet(QStringLiteral("QTableWidget { alternate-background-color: #f0f0f0; background: white; "
                                          "selection-background-color: #c0dcc0; selection-color: black; }"));
    PrintBtn = button(QStringLiteral("PrintBtn"), QStringLiteral("印刷"), QRect(660, 576, 110, 36));
    ReturnButton = button(QStringLiteral("ReturnButton"), QStringLiteral("戻る"), QRect(780, 576, 110, 36));

    connect(PlanBtn, &QPushButton::clicked, this, &TPrintOutstandingForm::PlanBtnClick);
    connect(PractBtn, &QPushButton::clicked, this, &TPrintOutstandingForm::PractBtnClick);
    connect(AllDispBtn, &QPushButton::clicked, this, [this] {
        m_list.showAll();
        fillGrid();
        PrintBtn->setEnabled(m_list.hasRows());
    });
    connect(PrintBtn, &QPushButton::clicked, this, &TPrintOutstandingForm::PrintBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    setListButtons(false);
}

void TPrintOutstandingForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (PaperMenuForm)
        PaperMenuForm->hide();
    TMainForm::ApplyWindowState(this, m_context.winState());
    TMainForm::CentrePanel(MainPanel);
    setListButtons(false);
}

void TPrintOutstandingForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    TMainForm::CentrePanel(MainPanel);
}

void TPrintOutstandingForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    m_list.close();
    DBGrid1->setRowCount(0);
    if (PaperMenuForm)
        PaperMenuForm->show();
}

void TPrintOutstandingForm::setListButtons(bool enabled)
{
    for (QPushButton *button : KanaBtn)
        button->setEnabled(enabled);
    AllDispBtn->setEnabled(enabled);
    PrintBtn->setEnabled(enabled);
}

void TPrintOutstandingForm::PlanBtnClick()
{
    openList(OutstandingList::Kind::CurePlan);
}

void TPrintOutstandingForm::PractBtnClick()
{
    openList(OutstandingList::Kind::PracticePlan);
}

void TPrintOutstandingForm::openList(OutstandingList::Kind kind)
{
    setListButtons(false);
    const bool opened = m_list.open(kind);
    fillGrid();
    if (!opened) {
        Dialogs::information(QStringLiteral("System Error\n表示に失敗しました。"));
        return;
    }
    setListButtons(m_list.hasRows());
}

void TPrintOutstandingForm::fillGrid()
{
    const DbDataSet &rows = m_list.PrintOutStandingQuery;
    const int count = rows.isOpen() ? rows.recordCount() : 0;
    DBGrid1->clearSelection();
    DBGrid1->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < DBGrid1->columnCount(); ++column)
            DBGrid1->setItem(row, column, new QTableWidgetItem(m_list.cellText(column, row)));
    }
}

void TPrintOutstandingForm::PrintBtnClick()
{
    if (!m_list.hasRows())
        return;
    OutstandingPrint print(m_list, m_context.mainModule.FacilityName, Clock::now());
    PrintoutPreview::show(print.report(), m_context.appDir + u'/' + OutstandingList::TemplateName.toString());
}
