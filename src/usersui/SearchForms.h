#pragma once

#include "users/GridColumn.h"
#include "users/UserSearch.h"

#include <span>

class QAbstractItemModel;
class QLineEdit;
class QTableView;

// What the user search and the partner picker do alike.
namespace SearchForms {

// Checks the input's text (UserSearch::checkInput); on failure shows the
// message and puts the focus back into the input.
[[nodiscard]] bool checkInput(QLineEdit *input, UserSearch::Input kind);

// A grid of whole rows, read only, with the columns' widths and titles.
void setUpGrid(QTableView *grid, QAbstractItemModel *model, std::span<const GridColumn> columns);

} // namespace SearchForms
