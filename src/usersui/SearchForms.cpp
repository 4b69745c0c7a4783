#include "usersui/SearchForms.h"

#include "platform/DialogService.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

namespace SearchForms {

bool checkInput(QLineEdit *input, UserSearch::Input kind)
{
    const QString message = UserSearch::checkInput(kind, input->text());
    if (message.isEmpty())
        return true;
    Dialogs::information(message);
    input->setFocus();
    return false;
}

void setUpGrid(QTableView *grid, QAbstractItemModel *model, std::span<const GridColumn> columns)
{
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    QHeaderView *titles = grid->horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (size_t column = 0; column < columns.size(); ++column)
        grid->setColumnWidth(int(column), columns[column].width);
}

} // namespace SearchForms
