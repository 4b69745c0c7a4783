#include "report/pdf/TrpPdfPageWriter.h"

#include "report/drawing/TrpDrawList.h"
#include "report/drawing/TrpRecordingDevice.h"
#include "report/drawing/TrpTextShaping.h"
#include "report/pdf/TrpPdfObjects.h"
#include "report/pdf/TrpPdfResources.h"

#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Control points of a quarter ellipse as four cubic curves draw it.
constexpr qreal Kappa = 0.5522847498;
// Hatched fills draw their lines this far apart, in page units, as the
// preview draws them at 100 %.
constexpr qreal HatchSpacing = 8;
// TJ adjustments smaller than this (thousandths of an em) are left out: the
// error never adds up, the next glyph is placed from where the reader has
// the last one.
constexpr qreal LeastAdjustment = 2;
// How far Qt slants the glyphs of an upright face for italics: the
// horizontal shift per unit of height.
constexpr qreal SyntheticSlant = 0x366A / 65536.0;

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

// The text's glyphs when it was recorded without them: shaped here as the
// painter would have, once per text and font on the page.
class FallbackShaper
{
public:
    const QList<QGlyphRun> &glyphs(const QString &text, const QFont &font)
    {
        for (const Shaped &shaped : std::as_const(m_shaped)) {
            if (shaped.text == text && shaped.font == font)
                return shaped.glyphs;
        }
        if (m_shaped.size() >= MaxKept)
            m_shaped.clear();
        // The painter's lines under, through and over such a text are
        // records of their own: its glyphs must not draw them again.
        QFont plain = font;
        plain.setUnderline(false);
        plain.setStrikeOut(false);
        plain.setOverline(false);
        m_shaped.append({text, font, TrpTextShaping::shapeLine(text, plain, Qt::LeftToRight, &m_device).glyphs});
        return m_shaped.last().glyphs;
    }

private:
    static constexpr qsizetype MaxKept = 64;
    struct Shaped
    {
        QString text;
        QFont font;
        QList<QGlyphRun> glyphs;
    };
    // Fonts in points are laid out at the recording resolution.
    TrpRecordingDevice m_device{QSizeF(1, 1)};
    QList<Shaped> m_shaped;
};

// The content stream of one page, and what its graphics state holds.
class Content
{
public:
    Content(TrpPdfResources &resources, TrpPdfPageWriter::SeenGlyphs &seen)
        : m_resources(resources), m_fonts(resources.fonts()), m_seen(seen)
    {
        m_out.reserve(64 * 1024);
    }

    QByteArray take(const TrpDrawList &list, const QTransform &pageToPdf)
    {
        m_page = QRectF(QPointF(0, 0), list.pageSize());
        m_out += "q\n";
        matrix(pageToPdf);
        m_out += "cm\n";
        for (const TrpDrawRecord &record : list.records())
            draw(list.stateOf(record), record.item);
        endText();
        if (m_grouped)
            m_out += "Q\n";
        m_out += "Q\n";
        return QByteArray::fromStdString(m_out);
    }

private:
    void num(double value)
    {
        char buffer[TrpPdfObjects::NumberLength];
        m_out.append(buffer, TrpPdfObjects::formatNumber(buffer, value));
        m_out += ' ';
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
    void matrix(const QTransform &t)
    {
        num(t.m11());
        num(t.m12());
        num(t.m21());
        num(t.m22());
        num(t.dx());
        num(t.dy());
    }

    void draw(const TrpDrawState &state, const TrpDrawRecord::Item &item)
    {
        if (const auto *text = std::get_if<TrpDrawRecord::Text>(&item)) {
            drawText(state, *text);
            return;
        }
        if (holdsNothing(item))
            return;
        endText();
        enter(state);
        if (hatched(state))
            hatchShape(state, item);
        std::visit(
            [&](const auto &it) {
                using T = std::decay_t<decltype(it)>;
                if constexpr (std::is_same_v<T, TrpDrawRecord::Lines>) {
                    if (!stroking(state))
                        return;
                    for (const QLineF &line : it.lines) {
                        point(line.p1());
                        m_out += "m ";
                        point(line.p2());
                        m_out += "l\n";
                    }
                    m_out += "S\n";
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Rects>) {
                    const char *op = painting(state, Qt::WindingFill);
                    if (!op)
                        return;
                    for (const QRectF &rect : it.rects) {
                        point(rect.topLeft());
                        num(rect.width());
                        num(rect.height());
                        m_out += "re\n";
                    }
                    m_out += op;
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Ellipse>) {
                    const char *op = painting(state, Qt::WindingFill);
                    if (!op)
                        return;
                    ellipse(it.rect);
                    m_out += op;
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Polygon>) {
                    if (it.mode == QPaintEngine::PolylineMode) {
                        if (!stroking(state))
                            return;
                        polygon(it.points, false);
                        m_out += "S\n";
                        return;
                    }
                    const char *op =
                        painting(state, it.mode == QPaintEngine::WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
                    if (!op)
                        return;
                    polygon(it.points, true);
                    m_out += op;
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Path>) {
                    const char *op = painting(state, it.path.fillRule());
                    if (!op)
                        return;
                    path(it.path);
                    m_out += op;
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Image>) {
                    drawImage(state, it);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Points>) {
                    drawPoints(state, it.points);
                }
            },
            item);
    }

    // Whether the record has no lines, rectangles, points or path elements:
    // painting it would paint a path never begun.
    static bool holdsNothing(const TrpDrawRecord::Item &item)
    {
        return std::visit(
            [](const auto &it) {
                using T = std::decay_t<decltype(it)>;
                if constexpr (std::is_same_v<T, TrpDrawRecord::Lines>)
                    return it.lines.isEmpty();
                else if constexpr (std::is_same_v<T, TrpDrawRecord::Rects>)
                    return it.rects.isEmpty();
                else if constexpr (std::is_same_v<T, TrpDrawRecord::Polygon> ||
                                   std::is_same_v<T, TrpDrawRecord::Points>)
                    return it.points.isEmpty();
                else if constexpr (std::is_same_v<T, TrpDrawRecord::Path>)
                    return it.path.elementCount() == 0;
                else
                    return false;
            },
            item);
    }

    void hatchShape(const TrpDrawState &state, const TrpDrawRecord::Item &item)
    {
        QPainterPath shape;
        if (const auto *rects = std::get_if<TrpDrawRecord::Rects>(&item)) {
            for (const QRectF &rect : rects->rects)
                shape.addRect(rect);
        } else if (const auto *ellipse = std::get_if<TrpDrawRecord::Ellipse>(&item)) {
            shape.addEllipse(ellipse->rect);
        } else if (const auto *polygon = std::get_if<TrpDrawRecord::Polygon>(&item)) {
            if (polygon->mode == QPaintEngine::PolylineMode)
                return;
            shape.addPolygon(polygon->points);
            shape.setFillRule(polygon->mode == QPaintEngine::WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        } else if (const auto *p = std::get_if<TrpDrawRecord::Path>(&item)) {
            shape = p->path;
        }
        if (!shape.isEmpty())
            hatch(state, shape);
    }

    // Whether the graphics state open has the clip and transform of the state.
    bool inGroup(const TrpDrawState &state) const
    {
        return m_grouped && m_clipped == state.clipped && m_transform == state.transform &&
               (!state.clipped || m_clip == state.clip);
    }

    // Opens the graphics state of the record's clip and transform, unless
    // the one open has them.
    void enter(const TrpDrawState &state)
    {
        if (m_state == &state)
            return;
        m_state = &state;
        if (inGroup(state))
            return;
        if (m_grouped)
            m_out += "Q\n";
        m_out += "q\n";
        m_grouped = true;
        m_clipped = state.clipped;
        m_clip = state.clip;
        m_transform = state.transform;
        if (state.clipped && state.clip.isEmpty()) {
            m_out += "0 0 0 0 re W n\n";
        } else if (state.clipped) {
            path(state.clip);
            m_out += state.clip.fillRule() == Qt::WindingFill ? "W n\n" : "W* n\n";
        }
        if (!state.transform.isIdentity()) {
            matrix(state.transform);
            m_out += "cm\n";
        }
        // What a restore brought back.
        m_stroke = Qt::black;
        m_fill = Qt::black;
        m_lineWidth = 1;
        m_cap = '0';
        m_join = '0';
        m_miter = 10;
        // Released, not cleared: an empty list that keeps its storage
        // compares to a new one through memcmp of a null pointer.
        m_dash = {};
        m_alpha = qMakePair(1.0, 1.0);
        m_face = -1;
    }

    void setStrokeColor(const QColor &color)
    {
        if (color.rgb() == m_stroke.rgb())
            return;
        m_stroke = color;
        num(color.redF());
        num(color.greenF());
        num(color.blueF());
        m_out += "RG\n";
    }

    void setFillColor(const QColor &color)
    {
        if (color.rgb() == m_fill.rgb())
            return;
        m_fill = color;
        num(color.redF());
        num(color.greenF());
        num(color.blueF());
        m_out += "rg\n";
    }

    void setAlpha(qreal stroke, qreal fill)
    {
        const QPair<qreal, qreal> alpha(stroke, fill);
        if (alpha == m_alpha)
            return;
        m_alpha = alpha;
        name(m_resources.alphaState(stroke, fill));
        m_out += "gs\n";
    }

    // Sets the pen for stroking; false when the pen draws nothing.
    bool stroking(const TrpDrawState &state)
    {
        const QPen &pen = state.pen;
        if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush)
            return false;
        QList<qreal> dash;
        if (pen.style() != Qt::SolidLine) {
            // Qt gives dashes in pen widths, and draws nothing of a pattern
            // without a dash longer than 0; a PDF reader takes no length
            // below 0.
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
            num(width);
            m_out += "w\n";
        }
        const char cap = lineCap(pen.capStyle());
        if (cap != m_cap) {
            m_cap = cap;
            m_out += cap;
            m_out += " J\n";
        }
        const char join = lineJoin(pen.joinStyle());
        if (join != m_join) {
            m_join = join;
            m_out += join;
            m_out += " j\n";
        }
        if (join == '0' && pen.miterLimit() != m_miter) {
            m_miter = pen.miterLimit();
            num(qMax(1.0, m_miter));
            m_out += "M\n";
        }
        if (dash != m_dash) {
            m_dash = dash;
            m_out += '[';
            for (qsizetype i = 0; i + 1 < dash.size(); ++i)
                num(dash[i]);
            m_out += "] ";
            num(dash.isEmpty() ? 0 : dash.last());
            m_out += "d\n";
        }
        setAlpha(pen.color().alphaF() * state.opacity, m_alpha.second);
        return true;
    }

    // Sets the state's brush and pen for the path about to be written; the
    // operator that fills and strokes it, or null when neither draws.
    const char *painting(const TrpDrawState &state, Qt::FillRule rule)
    {
        const QBrush &brush = state.brush;
        // Hatching was drawn before the shape.
        const bool filled = brush.style() != Qt::NoBrush && !hatched(state);
        if (filled) {
            setFillColor(brush.color());
            setAlpha(m_alpha.first, brush.color().alphaF() * state.opacity);
        }
        const bool stroked = stroking(state);
        const bool evenOdd = rule == Qt::OddEvenFill;
        if (filled && stroked)
            return evenOdd ? "B*\n" : "B\n";
        if (filled)
            return evenOdd ? "f*\n" : "f\n";
        return stroked ? "S\n" : nullptr;
    }

    void ellipse(const QRectF &rect)
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

    void polygon(const QPolygonF &points, bool closed)
    {
        for (qsizetype i = 0; i < points.size(); ++i) {
            point(points[i]);
            m_out += i == 0 ? "m\n" : "l\n";
        }
        if (closed && !points.isEmpty())
            m_out += "h\n";
    }

    void path(const QPainterPath &path)
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
                // Qt closes a subpath with a line back to its start; PDF
                // joins the ends of a closed one.
                const bool last =
                    i + 1 == path.elementCount() || path.elementAt(i + 1).type == QPainterPath::MoveToElement;
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

    void drawImage(const TrpDrawState &state, const TrpDrawRecord::Image &image)
    {
        if (image.image.isNull() || image.target.isEmpty())
            return;
        const QRectF source = image.source.isValid() ? image.source : QRectF(image.image.rect());
        const QRect part = source.toAlignedRect() & image.image.rect();
        if (part.isEmpty())
            return;
        const bool smooth = state.hints.testFlag(QPainter::SmoothPixmapTransform);
        const QByteArray picture = m_resources.image(image.image, part, smooth);
        setAlpha(m_alpha.first, state.opacity);
        // The part drawn where the target has it: source pixels outside the
        // image draw nothing.
        const qreal sx = image.target.width() / source.width();
        const qreal sy = image.target.height() / source.height();
        const QRectF t(image.target.x() + (part.x() - source.x()) * sx, image.target.y() + (part.y() - source.y()) * sy,
                       part.width() * sx, part.height() * sy);
        m_out += "q\n";
        matrix(QTransform(t.width(), 0, 0, -t.height(), t.x(), t.y() + t.height()));
        m_out += "cm\n";
        name(picture);
        m_out += "Do\nQ\n";
    }

    void drawPoints(const TrpDrawState &state, const QPolygonF &points)
    {
        const QPen &pen = state.pen;
        if (pen.style() == Qt::NoPen)
            return;
        setFillColor(pen.color());
        setAlpha(m_alpha.first, pen.color().alphaF() * state.opacity);
        const qreal size = qMax<qreal>(pen.widthF(), 1);
        for (const QPointF &p : points) {
            point(p - QPointF(size / 2, size / 2));
            num(size);
            num(size);
            m_out += "re\n";
        }
        m_out += "f\n";
    }

    static bool hatched(const TrpDrawState &state)
    {
        const Qt::BrushStyle style = state.brush.style();
        return style >= Qt::HorPattern && style <= Qt::DiagCrossPattern;
    }

    // Hatching of a closed shape: lines across its bounds in the brush's
    // colour, clipped to it.
    void hatch(const TrpDrawState &state, const QPainterPath &shape)
    {
        const Qt::BrushStyle style = state.brush.style();
        const QColor color = state.brush.color();
        const QRectF box = shape.boundingRect();
        // Only lines that cross the page, and its clip, can show.
        bool invertible = false;
        const QTransform toState = state.transform.inverted(&invertible);
        const QRectF shown = state.clipped ? m_page & state.clip.boundingRect() : m_page;
        const QRectF seen = box & toState.mapRect(shown);
        if (!invertible || seen.isEmpty())
            return;
        // Set outside the saved state, so that it is known after the restore.
        setAlpha(color.alphaF() * state.opacity, m_alpha.second);
        m_out += "q\n";
        path(shape);
        m_out += shape.fillRule() == Qt::WindingFill ? "W n\n" : "W* n\n";
        num(color.redF());
        num(color.greenF());
        num(color.blueF());
        m_out += "RG 1 w 0 J [] 0 d\n";
        const qreal w = box.width();
        const qreal h = box.height();
        // Lines k = 0 to length / spacing from the box's side; a x + b y is
        // the same along each line and grows by the spacing from one to the
        // next.
        const auto lines = [&](QPointF from, QPointF step, QPointF along, qreal length, qreal a, qreal b) {
            const auto across = [&](QPointF p) {
                return (a * p.x() + b * p.y() - a * from.x() - b * from.y()) / HatchSpacing;
            };
            const qreal ends[] = {across(seen.topLeft()), across(seen.topRight()), across(seen.bottomLeft()),
                                  across(seen.bottomRight())};
            const qreal first = std::max(0.0, std::ceil(*std::min_element(ends, ends + 4) - 1e-9));
            const qreal last = std::min(std::floor(length / HatchSpacing + 1e-9),
                                        std::floor(*std::max_element(ends, ends + 4) + 1e-9));
            for (qreal k = first; k <= last; ++k) {
                point(from + step * k);
                m_out += "m ";
                point(from + step * k + along);
                m_out += "l\n";
            }
        };
        const QPointF right(HatchSpacing, 0);
        if (style == Qt::HorPattern || style == Qt::CrossPattern)
            lines(box.topLeft(), {0, HatchSpacing}, {w, 0}, h, 0, 1);
        if (style == Qt::VerPattern || style == Qt::CrossPattern)
            lines(box.topLeft(), right, {0, h}, w, 1, 0);
        if (style == Qt::BDiagPattern || style == Qt::DiagCrossPattern)
            lines(box.topLeft(), right, {-(w + h), w + h}, w + h, 1, 1);
        if (style == Qt::FDiagPattern || style == Qt::DiagCrossPattern)
            lines(box.topLeft() - QPointF(h, 0), right, {w + h, w + h}, w + h, 1, -1);
        m_out += "S\nQ\n";
    }

    void beginText()
    {
        if (m_inText)
            return;
        // The font stays set from one text object to the next.
        m_out += "BT\n";
        m_inText = true;
    }

    // Ends the text object, then fills the lines under, through and over
    // its texts.
    void endText()
    {
        if (m_inText) {
            m_out += "ET\n";
            m_inText = false;
        }
        for (const QRectF &line : std::as_const(m_decorations)) {
            point(line.topLeft());
            num(line.width());
            num(line.height());
            m_out += "re\n";
        }
        if (!m_decorations.isEmpty())
            m_out += "f\n";
        m_decorations.clear();
    }

    void drawText(const TrpDrawState &state, const TrpDrawRecord::Text &text)
    {
        const QPen &pen = state.pen;
        if (pen.style() == Qt::NoPen || text.text.isEmpty())
            return;
        const QList<QGlyphRun> &runs = text.glyphs.isEmpty() ? m_shaper.glyphs(text.text, state.font) : text.glyphs;
        if (runs.isEmpty())
            return;
        if (state.backgroundMode == Qt::OpaqueMode && state.background.style() != Qt::NoBrush) {
            endText();
            enter(state);
            setFillColor(state.background.color());
            setAlpha(m_alpha.first, state.background.color().alphaF() * state.opacity);
            point({text.origin.x(), text.origin.y() - text.ascent});
            num(text.width);
            num(text.ascent + text.descent);
            m_out += "re f\n";
        }
        if (m_state != &state) {
            if (!inGroup(state))
                endText();
            enter(state);
        }
        if (!m_seen.seen(runs))
            m_fonts.useText(runs, text.text);
        // Decorations are filled in the text's colour and alpha after the
        // text object.
        const qreal alpha = pen.color().alphaF() * state.opacity;
        if (!m_decorations.isEmpty() && (pen.color().rgb() != m_fill.rgb() || alpha != m_alpha.second))
            endText();
        setFillColor(pen.color());
        setAlpha(m_alpha.first, alpha);
        for (const QGlyphRun &run : runs) {
            const int face = m_fonts.faceOf(run.rawFont());
            if (m_fonts.face(face).embedded) {
                beginText();
                glyphRun(run, face, text.origin);
            } else {
                endText();
                glyphShapes(run, text.origin);
            }
        }
    }

    // How many of the run's glyphs it places: the painter draws no glyph
    // without a position.
    static qsizetype placed(const QGlyphRun &run)
    {
        return std::min(run.glyphIndexes().size(), run.positions().size());
    }

    // The outlines of the glyphs, filled: for a face that cannot be
    // embedded. The text is printed but cannot be searched.
    void glyphShapes(const QGlyphRun &run, const QPointF &origin)
    {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const qsizetype count = placed(run);
        if (count == 0)
            return;
        QPainterPath outlines;
        for (qsizetype i = 0; i < count; ++i)
            outlines.addPath(font.pathForGlyph(glyphs[i]).translated(origin + positions[i]));
        if (!outlines.isEmpty()) {
            path(outlines);
            m_out += "f\n";
        }
        const qreal end =
            origin.x() + positions[count - 1].x() + font.advancesForGlyphIndexes({glyphs[count - 1]}).value(0).x();
        decorate(run, origin, end);
        endText();
    }

    void glyphRun(const QGlyphRun &run, int face, const QPointF &origin)
    {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const qsizetype count = placed(run);
        if (count == 0)
            return;
        const QRawFont font = run.rawFont();
        const qreal size = font.pixelSize();
        if (size <= 0)
            return;
        if (face != m_face || size != m_size) {
            m_face = face;
            m_size = size;
            name(m_fonts.face(face).resource);
            num(size);
            m_out += "Tf\n";
        }
        // Qt slants the upright glyphs of a face without italics.
        const qreal slant = font.style() != QFont::StyleNormal && !m_fonts.face(face).slanted ? SyntheticSlant : 0;
        static const char hex[] = "0123456789ABCDEF";
        bool open = false;
        qreal x = 0; // where the reader has the next glyph
        qreal y = 0;
        for (qsizetype i = 0; i < count; ++i) {
            const QPointF at = origin + positions[i];
            if (open && at.y() != y) {
                m_out += ">]TJ\n";
                open = false;
            }
            if (!open) {
                m_out += "1 0 ";
                num(slant);
                m_out += "-1 ";
                point(at);
                m_out += "Tm[<";
                open = true;
                x = at.x();
                y = at.y();
            } else {
                const qreal adjustment = (x - at.x()) * 1000 / size;
                if (std::fabs(adjustment) >= LeastAdjustment) {
                    const qreal rounded = std::round(adjustment * 10) / 10;
                    char buffer[TrpPdfObjects::NumberLength];
                    m_out += '>';
                    m_out.append(buffer, TrpPdfObjects::formatNumber(buffer, rounded));
                    m_out += '<';
                    x -= rounded * size / 1000;
                }
            }
            const quint32 glyph = glyphs[i];
            m_out += hex[(glyph >> 12) & 15];
            m_out += hex[(glyph >> 8) & 15];
            m_out += hex[(glyph >> 4) & 15];
            m_out += hex[glyph & 15];
            x += m_fonts.advance(face, glyph) * size / 1000;
        }
        m_out += ">]TJ\n";
        decorate(run, origin, x);
    }

    // Underline, strike-out and overline of a run that ends at x.
    void decorate(const QGlyphRun &run, const QPointF &origin, qreal x)
    {
        if (run.underline() || run.strikeOut() || run.overline()) {
            const QRawFont font = run.rawFont();
            const QList<QPointF> positions = run.positions();
            // Placed as the painter places them: lines of the font's
            // thickness, the underline's top at the font's underline
            // position, within the descent.
            const qreal left = std::floor(origin.x() + positions.constFirst().x());
            const qreal width = std::floor(x) - left;
            const qreal baseline = origin.y() + positions.constFirst().y();
            const qreal thickness = font.lineThickness();
            const auto line = [&](qreal centre) {
                m_decorations.append({left, centre - thickness / 2, width, thickness});
            };
            if (run.underline()) {
                const qreal position = font.underlinePosition();
                qreal offset = std::ceil(position) + 0.5;
                if (position <= font.descent())
                    offset = qMin(offset, font.descent() - 0.5);
                line(baseline + offset);
            }
            if (run.strikeOut())
                line(baseline - font.ascent() / 3);
            if (run.overline())
                line(baseline - font.ascent());
        }
    }

    TrpPdfResources &m_resources;
    TrpPdfFonts &m_fonts;
    TrpPdfPageWriter::SeenGlyphs &m_seen;
    FallbackShaper m_shaper;
    // Appending to a standard string is several times faster than to a
    // QByteArray, and a page's content is a great many short appends.
    std::string m_out;

    // The page's extent in page units.
    QRectF m_page;
    // The open graphics state.
    const TrpDrawState *m_state = nullptr;
    bool m_grouped = false;
    bool m_clipped = false;
    QPainterPath m_clip;
    QTransform m_transform;
    QColor m_stroke;
    QColor m_fill;
    qreal m_lineWidth = 1;
    char m_cap = '0';
    char m_join = '0';
    qreal m_miter = 10;
    QList<qreal> m_dash;
    QPair<qreal, qreal> m_alpha{1.0, 1.0};

    bool m_inText = false;
    int m_face = -1;
    qreal m_size = 0;
    QList<QRectF> m_decorations;
};

} // namespace

bool TrpPdfPageWriter::SeenGlyphs::seen(const QList<QGlyphRun> &runs)
{
    const QGlyphRun *key = runs.constData();
    if (m_held.contains(key))
        return true;
    if (m_held.size() >= MaxHeld)
        m_held.clear();
    m_held.insert(key, runs);
    return false;
}

QByteArray TrpPdfPageWriter::content(const TrpDrawList &list, const QTransform &pageToPdf)
{
    Content content(m_resources, m_seen);
    return content.take(list, pageToPdf);
}
