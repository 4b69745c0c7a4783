#pragma once

#include "users/PartnerSearch.h"

#include <QAbstractTableModel>

#include <array>

// The partner picker's filtered rows as its grid shows them: the columns of
// PartnerSearch::Columns, each cell formatted as it is drawn.
class PartnerGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit PartnerGridModel(const DbDataSet &rows, QObject *parent = nullptr);

    // To be called after the data set was opened, closed or filtered.
    void reload();

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

private:
    const DbDataSet &m_rows;
    std::array<int, PartnerSearch::ColumnCount> m_fields{}; // data-set column of each grid column, -1 when absent
};
