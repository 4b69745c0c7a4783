#pragma once

#include <QStyledItemDelegate>

// Draws the cells of the user grid: the text starts 2 pixels right of and 3
// pixels below the cell's top-left corner.
class UserGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
