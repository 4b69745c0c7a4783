#include "printingui/KanaListForm.h"

#include "coreui/FormParts.h"
#include "platform/DialogService.h"
#include "printingui/KanaRowButtons.h"
#include "printingui/SelectionGrid.h"
#include "users/DataSetGridModel.h"
#include "users/KanaRowList.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

namespace {

class CellTextModel : public DataSetGridModel
{
public:
    using CellText = std::function<QString(int column, const DbValue &value)>;

    CellTextModel(const DbDataSet &rows, std::span<const GridColumn> columns, CellText text, QObject *parent)
        : DataSetGridModel(rows, columns, parent), m_text(std::move(text))
    {}

protected:
    [[nodiscard]] QString text(int column, const DbValue &value) const override { return m_text(column, value); }

private:
    CellText m_text;
};

} // namespace

KanaListForm::KanaListForm(AppContext &context, std::function<QWidget *()> opener, GridLook look, QWidget *parent)
    : MenuWindow(context, std::move(opener), -1, 0, parent)
{
    resize(960, 680);
    MainPanel->setFixedSize(900, 620);
    PlanBtn = FormParts::addButton(MainPanel, QStringLiteral("PlanBtn"), QStringLiteral("リハビリ治療計画書表示"),
                                   QRect(10, 10, 220, 36));
    PractBtn = FormParts::addButton(MainPanel, QStringLiteral("PractBtn"), QStringLiteral("リハビリ実施計画書表示"),
                                    QRect(240, 10, 220, 36));
    KanaBtn = KanaRowButtons::add(MainPanel, QPoint(10, 56), QSize(40, 30), 44, [this](UserSearch::KanaRow row) {
        shown([this, row] { m_list->filterByKanaRow(row); });
    });
    AllDispBtn =
        FormParts::addButton(MainPanel, QStringLiteral("AllDispBtn"), QStringLiteral("全て"), QRect(454, 56, 60, 30));
    DBGrid1 = look == GridLook::Alternating ? new SelectionGrid(MainPanel) : new QTableView(MainPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(10, 96, 880, 470);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::MultiSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PrintBtn =
        FormParts::addButton(MainPanel, QStringLiteral("PrintBtn"), QStringLiteral("印刷"), QRect(660, 576, 110, 36));
    ReturnButton = FormParts::addButton(MainPanel, QStringLiteral("ReturnButton"), QStringLiteral("戻る"),
                                        QRect(780, 576, 110, 36));

    connect(PlanBtn, &QPushButton::clicked, this, [this] { PlanBtnClick(); });
    connect(PractBtn, &QPushButton::clicked, this, [this] { PractBtnClick(); });
    connect(AllDispBtn, &QPushButton::clicked, this, [this] { shown([this] { m_list->showAll(); }); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    setListButtons(false);
}

KanaListForm::~KanaListForm()
{
    DBGrid1->setModel(nullptr);
}

void KanaListForm::setList(KanaRowList &list, const DbDataSet &rows, std::span<const GridColumn> columns, CellText text)
{
    m_list = &list;
    m_model = new CellTextModel(rows, columns, std::move(text), this);
    DBGrid1->setModel(m_model);
    for (int c = 0; c < int(columns.size()); ++c)
        DBGrid1->setColumnWidth(c, columns[size_t(c)].width);
}

void KanaListForm::FormShow()
{
    setListButtons(false);
}

void KanaListForm::closeEvent(QCloseEvent *event)
{
    MenuWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    closeList();
    m_model->reload();
}

void KanaListForm::setListButtons(bool enabled)
{
    for (QPushButton *button : KanaBtn)
        button->setEnabled(enabled);
    AllDispBtn->setEnabled(enabled);
    PrintBtn->setEnabled(enabled);
}

void KanaListForm::reload()
{
    DBGrid1->clearSelection();
    m_model->reload();
}

void KanaListForm::shown(const std::function<void()> &narrow)
{
    narrow();
    reload();
    // A row of the syllabary without users has nothing to print.
    PrintBtn->setEnabled(m_list->hasRows());
}

void KanaListForm::openList(const std::function<bool()> &open)
{
    setListButtons(false);
    const bool opened = open();
    reload();
    if (!opened) {
        Dialogs::information(QStringLiteral("System Error\n表示に失敗しました。"));
        return;
    }
    setListButtons(m_list->hasRows());
}
