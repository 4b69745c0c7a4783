#pragma once

#include <QStyledItemDelegate>

// Draws the cells of the user grid: the text starts 2 pixels right of the
// cell's left edge, vertically centred on one baseline for every cell; a text
// too long for its column ends in "…" (the cell's tool tip shows it whole).
class UserGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int TextMargin = 2;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
