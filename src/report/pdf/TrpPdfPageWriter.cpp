#include "report/pdf/TrpPdfPageWriter.h"

#include "report/drawing/TrpDrawList.h"
#include "report/drawing/TrpRecordingDevice.h"
#include "report/drawing/TrpTextShaping.h"
#include "report/pdf/TrpPdfContentStream.h"
#include "report/pdf/TrpPdfGraphicsState.h"
#include "report/pdf/TrpPdfResources.h"

#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace {

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
        : m_resources(resources), m_fonts(resources.fonts()), m_seen(seen), m_gs(m_out, resources)
    {}

    QByteArray take(const TrpDrawList &list, const QTransform &pageToPdf)
    {
        m_page = QRectF(QPointF(0, 0), list.pageSize());
        m_out.op("q\n");
        m_out.matrix(pageToPdf);
        m_out.op("cm\n");
        for (const TrpDrawRecord &record : list.records())
            draw(list.stateOf(record), record.item);
        endText();
        if (m_grouped)
            m_out.op("Q\n");
        m_out.op("Q\n");
        return m_out.take();
    }

private:
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
                    if (!m_gs.setPen(state.pen, state.opacity))
                        return;
                    for (const QLineF &line : it.lines) {
                        m_out.point(line.p1());
                        m_out.op("m ");
                        m_out.point(line.p2());
                        m_out.op("l\n");
                    }
                    m_out.op("S\n");
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Rects>) {
                    const char *op = painting(state, Qt::WindingFill);
                    if (!op)
                        return;
                    for (const QRectF &rect : it.rects)
                        m_out.rect(rect);
                    m_out.op(op);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Ellipse>) {
                    const char *op = painting(state, Qt::WindingFill);
                    if (!op)
                        return;
                    m_out.ellipse(it.rect);
                    m_out.op(op);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Polygon>) {
                    if (it.mode == QPaintEngine::PolylineMode) {
                        if (!m_gs.setPen(state.pen, state.opacity))
                            return;
                        m_out.polygon(it.points, false);
                        m_out.op("S\n");
                        return;
                    }
                    const char *op =
                        painting(state, it.mode == QPaintEngine::WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
                    if (!op)
                        return;
                    m_out.polygon(it.points, true);
                    m_out.op(op);
                } else if constexpr (std::is_same_v<T, TrpDrawRecord::Path>) {
                    const char *op = painting(state, it.path.fillRule());
                    if (!op)
                        return;
                    m_out.path(it.path);
                    m_out.op(op);
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
            m_out.op("Q\n");
        m_out.op("q\n");
        m_grouped = true;
        m_clipped = state.clipped;
        m_clip = state.clip;
        m_transform = state.transform;
        if (state.clipped)
            m_out.clip(state.clip);
        if (!state.transform.isIdentity()) {
            m_out.matrix(state.transform);
            m_out.op("cm\n");
        }
        // What a restore brought back.
        m_gs.reset();
        m_face = -1;
    }

    // Sets the state's brush and pen for the path about to be written; the
    // operator that fills and strokes it, or null when neither draws.
    const char *painting(const TrpDrawState &state, Qt::FillRule rule)
    {
        const QBrush &brush = state.brush;
        // Hatching was drawn before the shape.
        const bool filled = brush.style() != Qt::NoBrush && !hatched(state);
        if (filled) {
            m_gs.setFillColor(brush.color());
            m_gs.setFillAlpha(brush.color().alphaF() * state.opacity);
        }
        const bool stroked = m_gs.setPen(state.pen, state.opacity);
        const bool evenOdd = rule == Qt::OddEvenFill;
        if (filled && stroked)
            return evenOdd ? "B*\n" : "B\n";
        if (filled)
            return evenOdd ? "f*\n" : "f\n";
        return stroked ? "S\n" : nullptr;
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
        m_gs.setFillAlpha(state.opacity);
        // The part drawn where the target has it: source pixels outside the
        // image draw nothing.
        const qreal sx = image.target.width() / source.width();
        const qreal sy = image.target.height() / source.height();
        const QRectF t(image.target.x() + (part.x() - source.x()) * sx, image.target.y() + (part.y() - source.y()) * sy,
                       part.width() * sx, part.height() * sy);
        m_out.op("q\n");
        m_out.matrix(QTransform(t.width(), 0, 0, -t.height(), t.x(), t.y() + t.height()));
        m_out.op("cm\n");
        m_out.name(picture);
        m_out.op("Do\nQ\n");
    }

    void drawPoints(const TrpDrawState &state, const QPolygonF &points)
    {
        const QPen &pen = state.pen;
        if (pen.style() == Qt::NoPen)
            return;
        m_gs.setFillColor(pen.color());
        m_gs.setFillAlpha(pen.color().alphaF() * state.opacity);
        const qreal size = qMax<qreal>(pen.widthF(), 1);
        for (const QPointF &p : points)
            m_out.rect(QRectF(p - QPointF(size / 2, size / 2), QSizeF(size, size)));
        m_out.op("f\n");
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
        m_gs.setStrokeAlpha(color.alphaF() * state.opacity);
        m_out.op("q\n");
        m_out.clip(shape);
        m_out.color(color, "RG 1 w 0 J [] 0 d");
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
                m_out.point(from + step * k);
                m_out.op("m ");
                m_out.point(from + step * k + along);
                m_out.op("l\n");
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
        m_out.op("S\nQ\n");
    }

    void beginText()
    {
        if (m_inText)
            return;
        // The font stays set from one text object to the next.
        m_out.op("BT\n");
        m_inText = true;
    }

    // Ends the text object, then fills the lines under, through and over
    // its texts.
    void endText()
    {
        if (m_inText) {
            m_out.op("ET\n");
            m_inText = false;
        }
        for (const QRectF &line : std::as_const(m_decorations))
            m_out.rect(line);
        if (!m_decorations.isEmpty())
            m_out.op("f\n");
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
            m_gs.setFillColor(state.background.color());
            m_gs.setFillAlpha(state.background.color().alphaF() * state.opacity);
            m_out.rect(QRectF(text.origin.x(), text.origin.y() - text.ascent, text.width, text.ascent + text.descent));
            m_out.op("f\n");
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
        if (!m_decorations.isEmpty() && (pen.color().rgb() != m_gs.fillColor() || alpha != m_gs.fillAlpha()))
            endText();
        m_gs.setFillColor(pen.color());
        m_gs.setFillAlpha(alpha);
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
            m_out.path(outlines);
            m_out.op("f\n");
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
        // Qt slants the upright glyphs of a face without italics.
        const qreal slant = font.style() != QFont::StyleNormal && !m_fonts.face(face).slanted ? SyntheticSlant : 0;
        bool open = false;
        qreal x = 0; // where the reader has the next glyph
        qreal y = 0;
        for (qsizetype i = 0; i < count; ++i) {
            const QPointF at = origin + positions[i];
            const int holder = m_fonts.holderOf(face, glyphs[i]);
            if (open && (at.y() != y || holder != m_face)) {
                m_out.op(">]TJ\n");
                open = false;
            }
            if (holder != m_face || size != m_size) {
                m_face = holder;
                m_size = size;
                m_out.name(m_fonts.face(holder).resource);
                m_out.num(size);
                m_out.op("Tf\n");
            }
            if (!open) {
                m_out.op("1 0 ");
                m_out.num(slant);
                m_out.op("-1 ");
                m_out.point(at);
                m_out.op("Tm[<");
                open = true;
                x = at.x();
                y = at.y();
            } else {
                const qreal adjustment = (x - at.x()) * 1000 / size;
                if (std::fabs(adjustment) >= LeastAdjustment) {
                    const qreal rounded = std::round(adjustment * 10) / 10;
                    m_out.op('>');
                    m_out.bareNum(rounded);
                    m_out.op('<');
                    x -= rounded * size / 1000;
                }
            }
            const quint32 glyph = glyphs[i];
            m_out.glyph(glyph);
            x += m_fonts.advance(face, glyph) * size / 1000;
        }
        m_out.op(">]TJ\n");
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
    TrpPdfContentStream m_out;
    TrpPdfGraphicsState m_gs;

    // The page's extent in page units.
    QRectF m_page;
    // The open graphics state.
    const TrpDrawState *m_state = nullptr;
    bool m_grouped = false;
    bool m_clipped = false;
    QPainterPath m_clip;
    QTransform m_transform;

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
