#include "reportui/TrpPreviewView.h"

#include "reportui/TrpPreviewLayout.h"

#include "report/pages/TrpEMFPages.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

TrpPreviewView::TrpPreviewView(TrpEMFPages &pages, const TrpPreviewLayout &layout, QWidget *parent)
    : QWidget(parent), m_pages(pages), m_layout(layout)
{
    setObjectName(QStringLiteral("PaintBox"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TrpPreviewView::setOffset(QPoint offset)
{
    if (offset == m_offset)
        return;
    m_offset = offset;
    update();
}

void TrpPreviewView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect clip = event->rect();
    if (!m_layoutValid) {
        painter.fillRect(clip, QColor(128, 128, 128));
        return;
    }
    // Pages below the view's own height or above its top are not drawn, and
    // their objects are let go.
    QRegion gray(clip);
    QList<int> shown;
    for (int i = 0; i < qMin(m_pages.Count(), int(m_layout.rects().size())); ++i) {
        const QRect rect = m_layout.rect(i).translated(m_offset);
        const bool visible = rect.top() < height() && rect.bottom() >= 0 && rect.intersects(clip);
        TrpEMFPage &page = m_pages[i];
        if (!visible) {
            if (page.Visible) {
                page.Visible = false;
                page.draw(painter, QRectF());
            }
            continue;
        }
        shown.append(i);
        gray -= rect.adjusted(0, 0, 1, 1);
    }
    painter.setClipRegion(gray);
    painter.fillRect(clip, QColor(128, 128, 128));
    painter.setClipping(false);
    for (const int i : shown) {
        const QRect rect = m_layout.rect(i).translated(m_offset);
        painter.fillRect(rect, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.drawLine(rect.right() + 1, rect.top() + 1, rect.right() + 1, rect.bottom() + 1);
        painter.drawLine(rect.left() + 1, rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
        TrpEMFPage &page = m_pages[i];
        page.Visible = true;
        painter.save();
        painter.setClipRect(rect.adjusted(1, 1, -1, -1));
        page.draw(painter, QRectF(rect), QRectF(clip));
        painter.restore();
    }
}

void TrpPreviewView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragFrom = event->position().toPoint();
        setCursor(Qt::ClosedHandCursor);
    } else if (event->button() == Qt::RightButton) {
        emit menuRequested(event->globalPosition().toPoint());
    }
}

void TrpPreviewView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const QPoint at = event->position().toPoint();
    emit handScrolled(m_dragFrom - at);
    m_dragFrom = at;
}

void TrpPreviewView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        unsetCursor();
    }
}

void TrpPreviewView::wheelEvent(QWheelEvent *event)
{
    // Touch pads send parts of a notch; they add up.
    m_wheelRest += event->angleDelta().y();
    const int notches = m_wheelRest / QWheelEvent::DefaultDeltasPerStep;
    m_wheelRest -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        emit wheelTurned(-notches);
    event->accept();
}
