#pragma once

#include "report/pdf/TrpPdfObjects.h"

#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <QTransform>

#include <string>

class QPainterPath;
class QPolygonF;
class QRectF;

// The operators of a PDF content stream as they are written: operands
// (numbers, names, points, matrices), the paths of shapes and clips, and
// the operators themselves, appended to one buffer.
class TrpPdfContentStream
{
public:
    TrpPdfContentStream() { m_out.reserve(64 * 1024); }

    // Operator text, written as it stands.
    void op(const char *text) { m_out += text; }
    void op(char c) { m_out += c; }
    void num(double value)
    {
        char buffer[TrpPdfObjects::NumberLength];
        m_out.append(buffer, TrpPdfObjects::formatNumber(buffer, value));
        m_out += ' ';
    }
    // A number with no space after it (inside a TJ array).
    void bareNum(double value)
    {
        char buffer[TrpPdfObjects::NumberLength];
        m_out.append(buffer, TrpPdfObjects::formatNumber(buffer, value));
    }
    void name(const QByteArray &name)
    {
        m_out += '/';
        m_out.append(name.constData(), name.size());
        m_out += ' ';
    }
    void point(const QPointF &p)
    {
        num(p.x());
        num(p.y());
    }
    void matrix(const QTransform &t);
    // A glyph's two-byte code as four hexadecimal digits.
    void glyph(quint32 index)
    {
        static const char hex[] = "0123456789ABCDEF";
        m_out += hex[(index >> 12) & 15];
        m_out += hex[(index >> 8) & 15];
        m_out += hex[(index >> 4) & 15];
        m_out += hex[index & 15];
    }
    // The colour's components followed by the operator ("RG" or "rg").
    void color(const QColor &color, const char *op);

    void rect(const QRectF &rect);
    void ellipse(const QRectF &rect);
    void polygon(const QPolygonF &points, bool closed);
    void path(const QPainterPath &path);
    // Clips to the path by its fill rule; an empty path clips everything.
    void clip(const QPainterPath &path);

    // The stream written; the buffer starts empty again.
    [[nodiscard]] QByteArray take();

private:
    // Appending to a standard string is several times faster than to a
    // QByteArray, and a page's content is a great many short appends.
    std::string m_out;
};
