#include "report/pdf/TrpPdfContentStream.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace {

// Control points of a quarter ellipse as four cubic curves draw it.
constexpr qreal Kappa = 0.5522847498;

} // namespace

void TrpPdfContentStream::matrix(const QTransform &t)
{
    num(t.m11());
    num(t.m12());
    num(t.m21());
    num(t.m22());
    num(t.dx());
    num(t.dy());
}

void TrpPdfContentStream::color(const QColor &color, const char *op)
{
    num(color.redF());
    num(color.greenF());
    num(color.blueF());
    m_out += op;
    m_out += '\n';
}

void TrpPdfContentStream::rect(const QRectF &rect)
{
    point(rect.topLeft());
    num(rect.width());
    num(rect.height());
    m_out += "re\n";
}

void TrpPdfContentStream::ellipse(const QRectF &rect)
{
    const qreal rx = rect.width() / 2;
    const qreal ry = rect.height() / 2;
    const QPointF c = rect.center();
    const qreal kx = rx * Kappa;
    const qreal ky = ry * Kappa;
    point({c.x() + rx, c.y()});
    m_out += "m\n";
    const auto curve = [&](QPointF a, QPointF b, QPointF end) {
        point(a);
        point(b);
        point(end);
        m_out += "c\n";
    };
    curve({c.x() + rx, c.y() + ky}, {c.x() + kx, c.y() + ry}, {c.x(), c.y() + ry});
    curve({c.x() - kx, c.y() + ry}, {c.x() - rx, c.y() + ky}, {c.x() - rx, c.y()});
    curve({c.x() - rx, c.y() - ky}, {c.x() - kx, c.y() - ry}, {c.x(), c.y() - ry});
    curve({c.x() + kx, c.y() - ry}, {c.x() + rx, c.y() - ky}, {c.x() + rx, c.y()});
    m_out += "h\n";
}

void TrpPdfContentStream::polygon(const QPolygonF &points, bool closed)
{
    for (qsizetype i = 0; i < points.size(); ++i) {
        point(points[i]);
        m_out += i == 0 ? "m\n" : "l\n";
    }
    if (closed && !points.isEmpty())
        m_out += "h\n";
}

void TrpPdfContentStream::path(const QPainterPath &path)
{
    QPointF start;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element &e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            start = e;
            point(e);
            m_out += "m\n";
            break;
        case QPainterPath::LineToElement: {
            // Qt closes a subpath with a line back to its start; PDF joins
            // the ends of a closed one.
            const bool last = i + 1 == path.elementCount() || path.elementAt(i + 1).type == QPainterPath::MoveToElement;
            if (last && QPointF(e) == start) {
                m_out += "h\n";
            } else {
                point(e);
                m_out += "l\n";
            }
            break;
        }
        case QPainterPath::CurveToElement:
            if (i + 2 < path.elementCount()) {
                point(e);
                point(path.elementAt(i + 1));
                point(path.elementAt(i + 2));
                m_out += "c\n";
                i += 2;
            }
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
}

void TrpPdfContentStream::clip(const QPainterPath &path)
{
    if (path.isEmpty()) {
        m_out += "0 0 0 0 re W n\n";
        return;
    }
    this->path(path);
    m_out += path.fillRule() == Qt::WindingFill ? "W n\n" : "W* n\n";
}

QByteArray TrpPdfContentStream::take()
{
    QByteArray out = QByteArray::fromStdString(m_out);
    m_out.clear();
    return out;
}
