#pragma once

#include <QColor>
#include <QList>
#include <QPair>

class QPen;
class TrpPdfContentStream;
class TrpPdfResources;

// What the open graphics state of a content stream holds of colours, line
// style and alpha: each setter writes its operator only when the value
// changes.
class TrpPdfGraphicsState
{
public:
    TrpPdfGraphicsState(TrpPdfContentStream &out, TrpPdfResources &resources) : m_out(out), m_resources(resources) {}

    // What a restore brings back: PDF's initial values.
    void reset();

    void setStrokeColor(const QColor &color);
    void setFillColor(const QColor &color);
    void setAlpha(qreal stroke, qreal fill);
    void setStrokeAlpha(qreal stroke) { setAlpha(stroke, m_alpha.second); }
    void setFillAlpha(qreal fill) { setAlpha(m_alpha.first, fill); }
    [[nodiscard]] QRgb fillColor() const { return m_fill.rgb(); }
    [[nodiscard]] qreal fillAlpha() const { return m_alpha.second; }

    // Sets the pen, faded by the opacity, for stroking; false (nothing set)
    // when the pen draws nothing.
    bool setPen(const QPen &pen, qreal opacity);

private:
    TrpPdfContentStream &m_out;
    TrpPdfResources &m_resources;
    QColor m_stroke = Qt::black;
    QColor m_fill = Qt::black;
    qreal m_lineWidth = 1;
    char m_cap = '0';
    char m_join = '0';
    qreal m_miter = 10;
    QList<qreal> m_dash;
    QPair<qreal, qreal> m_alpha{1.0, 1.0};
};
