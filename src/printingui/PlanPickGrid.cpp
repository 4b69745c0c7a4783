#include "printingui/PlanPickGrid.h"

#include "coreui/FormParts.h"
#include "platform/DbValue.h"
#include "printing/PlanPrintList.h"
#include "printingui/KanaRowButtons.h"
#include "printingui/SelectionGrid.h"
#include "users/DataSetGridModel.h"

#include <QItemSelectionModel>
#include <QPushButton>

class PlanPickModel : public DataSetGridModel
{
public:
    PlanPickModel(const PlanPrintList &list, std::span<const GridColumn> columns)
        : DataSetGridModel(list.Rows, columns, nullptr), m_columns(columns)
    {}

protected:
    [[nodiscard]] QString text(int column, const DbValue &value) const override
    {
        return PlanPrintList::cellText(m_columns[size_t(column)].field, value);
    }

private:
    std::span<const GridColumn> m_columns;
};

namespace {

constexpr int ButtonRow = 34;

} // namespace

PlanPickGrid::PlanPickGrid(PlanPrintList &list, std::span<const GridColumn> columns, QWidget *parent)
    : QWidget(parent), m_list(list), m_model(std::make_unique<PlanPickModel>(list, columns))
{
    KanaBtn = KanaRowButtons::add(this, QPoint(0, 0), QSize(40, 30), 44, [this](UserSearch::KanaRow row) {
        m_list.filterByKanaRow(row);
        reload();
        emit filtered();
    });
    AllDispBtn = FormParts::addButton(this, QStringLiteral("AllDispBtn"), QStringLiteral("全て表示"),
                                      QRect(10 * 44 + 6, 0, 90, 30));
    connect(AllDispBtn, &QPushButton::clicked, this, [this] {
        m_list.showAll();
        reload();
        emit filtered();
    });

    DBGrid1 = new SelectionGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_model.get());
    DBGrid1->setWordWrap(false);
    for (int c = 0; c < int(columns.size()); ++c)
        DBGrid1->setColumnWidth(c, columns[size_t(c)].width);
}

PlanPickGrid::~PlanPickGrid()
{
    DBGrid1->setModel(nullptr);
}

void PlanPickGrid::resizeEvent(QResizeEvent *)
{
    DBGrid1->setGeometry(0, ButtonRow + 6, width(), height() - ButtonRow - 6);
}

void PlanPickGrid::reload()
{
    m_model->reload();
    DBGrid1->clearSelection();
}

void PlanPickGrid::setButtonsEnabled(bool enabled)
{
    for (QPushButton *button : KanaBtn)
        button->setEnabled(enabled);
    AllDispBtn->setEnabled(enabled);
}

std::vector<int> PlanPickGrid::selectedPositions() const
{
    std::vector<int> positions;
    for (const QModelIndex &index : DBGrid1->selectionModel()->selectedRows())
        positions.push_back(index.row());
    return positions;
}

void PlanPickGrid::selectAll()
{
    DBGrid1->selectAll();
}

void PlanPickGrid::clearSelection()
{
    DBGrid1->clearSelection();
}
