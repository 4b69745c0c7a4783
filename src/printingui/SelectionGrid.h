#pragma once

#include <QTableView>

#include <vector>

// A list grid whose rows are picked by clicking them (a click toggles a
// row): picked rows are money-green (RGB 192, 220, 192), the others
// alternate white and the menu colour, text black. It keeps the rows in the
// order they were picked.
class SelectionGrid : public QTableView
{
    Q_OBJECT

public:
    explicit SelectionGrid(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    // The picked rows, in the order they were picked.
    [[nodiscard]] const std::vector<int> &pickedRows() const { return m_picked; }
    // Picks every row from the first, drawing once at the end.
    void pickAll();
    void clearPicks();

private:
    void track(const QItemSelection &selected, const QItemSelection &deselected);

    std::vector<int> m_picked;
};
