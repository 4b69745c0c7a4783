#include "report/pdf/TrpPdfGraphicsState.h"

#include "report/pdf/TrpPdfContentStream.h"
#include "report/pdf/TrpPdfResources.h"

#include <QPen>

namespace {

char lineCap(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::RoundCap:
        return '1';
    case Qt::SquareCap:
        return '2';
    default:
        return '0';
    }
}

char lineJoin(Qt::PenJoinStyle join)
{
    switch (join) {
    case Qt::RoundJoin:
        return '1';
    case Qt::BevelJoin:
        return '2';
    default:
        return '0';
    }
}

} // namespace

void TrpPdfGraphicsState::reset()
{
    m_stroke = Qt::black;
    m_fill = Qt::black;
    m_lineWidth = 1;
    m_cap = '0';
    m_join = '0';
    m_miter = 10;
    // Released, not cleared: an empty list that keeps its storage compares
    // to a new one through memcmp of a null pointer.
    m_dash = {};
    m_alpha = qMakePair(1.0, 1.0);
}

void TrpPdfGraphicsState::setStrokeColor(const QColor &color)
{
    if (color.rgb() == m_stroke.rgb())
        return;
    m_stroke = color;
    m_out.color(color, "RG");
}

void TrpPdfGraphicsState::setFillColor(const QColor &color)
{
    if (color.rgb() == m_fill.rgb())
        return;
    m_fill = color;
    m_out.color(color, "rg");
}

void TrpPdfGraphicsState::setAlpha(qreal stroke, qreal fill)
{
    const QPair<qreal, qreal> alpha(stroke, fill);
    if (alpha == m_alpha)
        return;
    m_alpha = alpha;
    m_out.name(m_resources.alphaState(stroke, fill));
    m_out.op("gs\n");
}

bool TrpPdfGraphicsState::setPen(const QPen &pen, qreal opacity)
{
    if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush)
        return false;
    QList<qreal> dash;
    if (pen.style() != Qt::SolidLine) {
        // Qt gives dashes in pen widths, and draws nothing of a pattern
        // without a dash longer than 0; a PDF reader takes no length below 0.
        const qreal unit = qMax<qreal>(pen.widthF(), 1);
        dash = pen.dashPattern();
        bool dashed = false;
        for (qsizetype i = 0; i < dash.size(); ++i) {
            dashed = dashed || (i % 2 == 0 && dash[i] > 0);
            dash[i] = qMax<qreal>(dash[i], 0) * unit;
        }
        if (!dashed)
            return false;
        dash.append(pen.dashOffset() * unit);
    }
    setStrokeColor(pen.color());
    // A cosmetic pen is as thin as the device draws.
    const qreal width = pen.isCosmetic() ? 0 : pen.widthF();
    if (width != m_lineWidth) {
        m_lineWidth = width;
        m_out.num(width);
        m_out.op("w\n");
    }
    const char cap = lineCap(pen.capStyle());
    if (cap != m_cap) {
        m_cap = cap;
        m_out.op(cap);
        m_out.op(" J\n");
    }
    const char join = lineJoin(pen.joinStyle());
    if (join != m_join) {
        m_join = join;
        m_out.op(join);
        m_out.op(" j\n");
    }
    if (join == '0' && pen.miterLimit() != m_miter) {
        m_miter = pen.miterLimit();
        m_out.num(qMax(1.0, m_miter));
        m_out.op("M\n");
    }
    if (dash != m_dash) {
        m_dash = dash;
        m_out.op('[');
        for (qsizetype i = 0; i + 1 < dash.size(); ++i)
            m_out.num(dash[i]);
        m_out.op("] ");
        m_out.num(dash.isEmpty() ? 0 : dash.last());
        m_out.op("d\n");
    }
    setStrokeAlpha(pen.color().alphaF() * opacity);
    return true;
}
