#pragma once

#include "users/UserSearch.h"

#include <QAbstractTableModel>

#include <array>

class DbValue;

// The rows of the user search as the grid shows them: the columns of
// UserSearch::Columns, formatted cell by cell as they are drawn, so that a
// list of every user fills the grid at once.
class UserGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit UserGridModel(const DbDataSet &rows, QObject *parent = nullptr);

    // To be called after the data set was opened or closed.
    void reload();

    // The text of a cell of grid column `column` holding the value.
    [[nodiscard]] static QString cellText(int column, const DbValue &value);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

private:
    const DbDataSet &m_rows;
    std::array<int, UserSearch::ColumnCount> m_fields{}; // data-set column of each grid column, -1 when absent
};
