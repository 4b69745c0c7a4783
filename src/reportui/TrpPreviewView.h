#pragma once

#include <QPoint>
#include <QWidget>

class TrpEMFPages;
class TrpPreviewLayout;

// The page area of the preview: the pages on gray at their layout places,
// moved by the scroll offsets. Dragging with the left button asks to scroll
// by the movement, the right button asks for the zoom menu, the wheel for
// vertical steps; the preview window does the scrolling.
class TrpPreviewView : public QWidget
{
    Q_OBJECT
public:
    TrpPreviewView(TrpEMFPages &pages, const TrpPreviewLayout &layout, QWidget *parent = nullptr);

    // Zero or negative: how far the pages are scrolled.
    void setOffset(QPoint offset);
    [[nodiscard]] QPoint offset() const { return m_offset; }
    // Painting waits while a layout is being computed.
    void setLayoutValid(bool valid) { m_layoutValid = valid; }

signals:
    void handScrolled(QPoint delta);
    void menuRequested(QPoint globalPos);
    // Wheel notches, positive downwards.
    void wheelTurned(int notches);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    TrpEMFPages &m_pages;
    const TrpPreviewLayout &m_layout;
    QPoint m_offset;
    bool m_layoutValid = false;
    bool m_dragging = false;
    QPoint m_dragFrom;
    int m_wheelRest = 0;
};
