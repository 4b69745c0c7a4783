#include "schedulingui/BoardCell.h"

#include "scheduling/BookingPayload.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

BoardCell::BoardCell(const QString &name, QWidget *parent, bool takesDrops)
    : QLabel(parent), m_dropFormat(QString::fromLatin1(BookingPayload::MimeType))
{
    setObjectName(name);
    setAcceptDrops(takesDrops);
}

void BoardCell::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->globalPosition().toPoint());
    event->accept();
}

void BoardCell::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(m_dropFormat))
        event->acceptProposedAction();
}

void BoardCell::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    emit dropped(event->mimeData());
}
