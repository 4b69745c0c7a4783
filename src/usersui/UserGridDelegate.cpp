#include "usersui/UserGridDelegate.h"

#include <QApplication>
#include <QPainter>

void UserGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    // The style draws the background and the selection, the text is ours.
    cell.text.clear();
    const QStyle *style = cell.widget ? cell.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);

    painter->save();
    painter->setClipRect(cell.rect);
    painter->setFont(cell.font);
    painter->setPen(
        cell.palette.color(cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    // One baseline for every cell, from the cell's font: a text drawn with a
    // fallback font (kanji) sits on the same line as digits.
    const QFontMetrics metrics(cell.font);
    const int baseline = cell.rect.top() + (cell.rect.height() - metrics.height()) / 2 + metrics.ascent();
    const QString shown = metrics.elidedText(text, Qt::ElideRight, cell.rect.width() - 2 * TextMargin);
    painter->drawText(QPoint(cell.rect.left() + TextMargin, baseline), shown);
    painter->restore();
}
