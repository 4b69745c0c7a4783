#pragma once

#include <QBrush>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QSize>
#include <QTransform>

#include <variant>
#include <vector>

class TrpMetafileRecord;

// The device context of a metafile being played: the state records set
// (pens, brushes and fonts by handle, colours and modes, the mappings, the
// current position and the clip), what SaveDC keeps and RestoreDC brings
// back. Drawing records read it; it draws nothing itself.
class TrpMetafileDevice
{
public:
    struct Font
    {
        QFont font;
        double height = 0; // logical units; below 0 the character height, above it the cell height
        double escapement = 0;
    };

    struct State
    {
        QPen pen{QColor(Qt::black), 0};
        QBrush brush{Qt::white};
        Font font;
        QColor textColor{Qt::black};
        QColor backgroundColor{Qt::white};
        bool opaqueBackground = true;
        quint32 textAlign = 0;
        Qt::FillRule fillRule = Qt::OddEvenFill;
        quint32 mapMode = 1;
        QPointF windowOrigin;
        QPointF viewportOrigin;
        QSizeF windowExtent{1, 1};
        QSizeF viewportExtent{1, 1};
        QTransform world;
        QPointF position;
        bool clipped = false;
        QPainterPath clip; // reference-device units
    };

    static constexpr double MaxFontHeight = 16384;

    // The reference device the picture was made on: its size in pixels and
    // in millimetres, which give the fixed mapping modes their scale.
    TrpMetafileDevice(QSize referencePixels, QSize referenceMillimetres);

    void setHandleCount(int count);

    // Applies a record that only changes the state; false for any other.
    bool apply(quint32 type, TrpMetafileRecord &record);

    [[nodiscard]] const State &state() const { return m_state; }
    [[nodiscard]] State &state() { return m_state; }

    // Pixels per millimetre of a reference device, 96 per inch where it
    // gives no millimetres.
    [[nodiscard]] static QSizeF pixelsPerMillimetre(QSize pixels, QSize millimetres);

    [[nodiscard]] QTransform pageTransform() const;
    [[nodiscard]] QTransform logicalToDevice() const { return m_state.world * pageTransform(); }

    // True once after the clip changed, or after markClipChanged().
    [[nodiscard]] bool takeClipChange();
    void markClipChanged() { m_clipChanged = true; }

private:
    struct PenObject
    {
        QPen pen;
    };
    struct BrushObject
    {
        QBrush brush;
    };
    using GdiObject = std::variant<std::monostate, PenObject, BrushObject, Font>;

    bool applyMapping(quint32 type, TrpMetafileRecord &record);
    bool applyObject(quint32 type, TrpMetafileRecord &record);
    void clipTo(const QPainterPath &deviceArea, bool intersect);
    void selectClipRegion(TrpMetafileRecord &record);
    void restore(qint32 relative);
    void modifyWorld(TrpMetafileRecord &record);
    GdiObject *object(quint32 index);
    void selectObject(quint32 index);
    void createFont(TrpMetafileRecord &record);

    QSize m_referencePixels;
    QSize m_referenceMillimetres;
    State m_state;
    std::vector<State> m_saved;
    std::vector<GdiObject> m_objects{1};
    bool m_clipChanged = true;
};
