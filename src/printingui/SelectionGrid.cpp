#include "printingui/SelectionGrid.h"

#include <QApplication>
#include <QHeaderView>

#include <algorithm>

SelectionGrid::SelectionGrid(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::MultiSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::AlternateBase, QApplication::palette("QMenu").color(QPalette::Window));
    colours.setColor(QPalette::Text, Qt::black);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, QColor(192, 220, 192));
        colours.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    setPalette(colours);
}

void SelectionGrid::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    m_picked.clear();
    // The grid is given no model as its owner goes.
    if (!model)
        return;
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &SelectionGrid::track);
    connect(model, &QAbstractItemModel::modelReset, this, [this] { m_picked.clear(); });
}

void SelectionGrid::track(const QItemSelection &selected, const QItemSelection &deselected)
{
    for (const QModelIndex &index : deselected.indexes())
        std::erase(m_picked, index.row());
    std::vector<int> added;
    for (const QModelIndex &index : selected.indexes()) {
        if (std::find(m_picked.begin(), m_picked.end(), index.row()) == m_picked.end() &&
            std::find(added.begin(), added.end(), index.row()) == added.end())
            added.push_back(index.row());
    }
    // Rows picked together (all at once) come in row order.
    std::sort(added.begin(), added.end());
    m_picked.insert(m_picked.end(), added.begin(), added.end());
}

void SelectionGrid::pickAll()
{
    setUpdatesEnabled(false);
    selectAll();
    setUpdatesEnabled(true);
}

void SelectionGrid::clearPicks()
{
    clearSelection();
}
