#pragma once

#include <QGlyphRun>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <variant>

// One thing drawn on a prepared page (the item types are aggregates without
// member initializers, so that the record can be made empty while its own
// type is still incomplete), in the coordinates of its state's
// transform (see TrpDrawState); bounds is where it lands on the page, in
// page units, pen included.
struct TrpDrawRecord
{
    // A run of text in one font, drawn from its baseline origin. The glyphs,
    // placed from the origin, are what the text was shaped into when it was
    // recorded: images, printers and PDF files draw them instead of shaping
    // the text again. Without them the text itself is drawn.
    struct Text
    {
        QString text;
        QPointF origin;
        qreal width;
        qreal ascent;
        qreal descent;
        QList<QGlyphRun> glyphs;
    };
    struct Lines
    {
        QList<QLineF> lines;
    };
    struct Rects
    {
        QList<QRectF> rects;
    };
    struct Ellipse
    {
        QRectF rect;
    };
    // A polygon, or with PolylineMode an open polyline.
    struct Polygon
    {
        QPolygonF points;
        QPaintEngine::PolygonDrawMode mode;
    };
    struct Path
    {
        QPainterPath path;
    };
    struct Image
    {
        QRectF target;
        QImage image;
        QRectF source;
    };
    struct Points
    {
        QPolygonF points;
    };
    using Item = std::variant<Text, Lines, Rects, Ellipse, Polygon, Path, Image, Points>;

    int state = 0;
    QRectF bounds;
    Item item;
};

// Nothing in a record points into the record itself: lists of records grow
// by moving their bytes.
Q_DECLARE_TYPEINFO(TrpDrawRecord, Q_RELOCATABLE_TYPE);
