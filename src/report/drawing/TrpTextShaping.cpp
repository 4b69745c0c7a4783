#include "report/drawing/TrpTextShaping.h"

#include <QTextLayout>

TrpShapedLine TrpTextShaping::shapeLine(const QString &text, const QFont &font, Qt::LayoutDirection direction,
                                        const QPaintDevice *device)
{
    QTextLayout layout(text, font, device);
    // Kept after the layout, or the glyphs would be shaped a second time.
    layout.setCacheEnabled(true);
    QTextOption option;
    option.setTextDirection(direction);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return {};
    QList<QGlyphRun> runs = line.glyphRuns();
    const QPointF toOrigin(-line.x(), -line.ascent());
    for (QGlyphRun &run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF &position : positions)
            position += toOrigin;
        run.setPositions(positions);
    }
    return {line.horizontalAdvance(), line.ascent(), line.descent(), std::move(runs)};
}
