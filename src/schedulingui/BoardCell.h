#pragma once

#include <QLabel>

class QMimeData;

// A label of a work table that reports the release of a mouse button (for
// its menu) and, when it takes drops, a booking payload dropped on it.
class BoardCell : public QLabel
{
    Q_OBJECT

public:
    BoardCell(const QString &name, QWidget *parent, bool takesDrops = false);
    // The drag format taken; a booking payload unless set.
    void setDropFormat(const QString &format) { m_dropFormat = format; }

signals:
    void released(const QPoint &globalPosition);
    void dropped(const QMimeData *data);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QString m_dropFormat;
};
