#pragma once

#include "users/GridColumn.h"

#include <QAbstractTableModel>

#include <span>
#include <vector>

class DbDataSet;
class DbValue;

// The rows of a data set as a search grid shows them: fixed columns, each
// cell formatted by the grid's own rule as it is drawn, so that a list of
// every row fills the grid at once. Of a paged data set the grid shows the
// rows read and has the next page read as it is scrolled to its end.
class DataSetGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // To be called after the data set was opened, closed or filtered.
    void reload();

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

signals:
    // A page of rows could not be read (the data set's errorText says why).
    void readFailed();

protected:
    // A grid of the rows the data set holds.
    DataSetGridModel(const DbDataSet &rows, std::span<const GridColumn> columns, QObject *parent);
    // A grid that also has the next pages of a paged data set read.
    DataSetGridModel(DbDataSet &rows, std::span<const GridColumn> columns, QObject *parent);

    // The text of a cell of grid column `column` holding the value.
    [[nodiscard]] virtual QString text(int column, const DbValue &value) const = 0;

private:
    const DbDataSet &m_rows;
    DbDataSet *m_pagedRows = nullptr; // the same rows, when pages may be read
    int m_shown = 0;                  // the rows the grid was told of
    std::span<const GridColumn> m_columns;
    std::vector<int> m_fields; // data-set column of each grid column, -1 when absent
};
