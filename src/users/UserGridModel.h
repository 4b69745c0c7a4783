#pragma once

#include "users/DataSetGridModel.h"

// The rows of the user search as the grid shows them: the columns of
// UserSearch::Columns, formatted cell by cell as they are drawn.
class UserGridModel : public DataSetGridModel
{
    Q_OBJECT

public:
    explicit UserGridModel(DbDataSet &rows, QObject *parent = nullptr);

    // The text of a cell of grid column `column` holding the value.
    [[nodiscard]] static QString cellText(int column, const DbValue &value);

protected:
    [[nodiscard]] QString text(int column, const DbValue &value) const override;
};
