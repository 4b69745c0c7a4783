#pragma once

#include "report/common/TrpError.h"
#include "report/drawing/TrpDrawList.h"
#include "report/pages/TrpPrinter.h"

#include <QByteArray>
#include <QRectF>

#include <memory>
#include <optional>
#include <vector>

class QPainter;
class TrpPage;
class TrpView;

// One prepared page: its paper, the printer metrics it was made for, and
// its objects as they were output, kept as an object stream (the version
// byte 23, then one prepared-mode record per object). The objects are read
// back, and turned into drawing records, when the page is first drawn; they
// are freed when a page that is not visible is drawn, or on release().
//
// Page coordinates start at the corner of the printer's printable area (the
// offsets of the page metrics); the drawing records are in paper
// coordinates, so every device draws the page the same way.
class TrpEMFPage
{
public:
    static constexpr quint8 StreamVersion = 23;

    // A page with an empty object stream (only the version byte).
    TrpEMFPage();
    // A page for the template page being built: its paper, orientation,
    // margins flag and printer metrics.
    explicit TrpEMFPage(const TrpPage &templatePage);
    ~TrpEMFPage();
    TrpEMFPage(const TrpEMFPage &) = delete;
    TrpEMFPage &operator=(const TrpEMFPage &) = delete;

    quint16 PaperSize = TrpPrinter::A4Paper;
    qint32 PaperWidth = 0; // tenths of a millimetre
    qint32 PaperHeight = 0;
    quint8 Orientation = TrpPrinter::Portrait;
    bool UseMargins = false;
    TrpPrinter::PageMetrics PrnInfo;
    // Set by the preview while the page is on screen.
    bool Visible = false;
    QByteArray Stream;

    // The paper in page units: the page's size at 100 %.
    [[nodiscard]] QSize size() const;

    // Appends the object's record; false, with the error, when a text of it
    // is too long to store.
    bool addObject(const TrpView &view, TrpError *error = nullptr);

    // The objects read from the stream (reading them when not held).
    [[nodiscard]] const std::vector<std::unique_ptr<TrpView>> &objects();
    // The drawing records (reading and drawing the objects when not held).
    [[nodiscard]] const TrpDrawList &drawList();
    [[nodiscard]] bool isHeld() const { return m_held; }
    // Frees the objects and drawing records; the stream stays.
    void release();

    // Why the objects could not all be read, when they could not: a broken
    // stream keeps the objects before the fault, an add-in class that is
    // not registered is drawn as an empty framed box and ends the page.
    [[nodiscard]] const TrpError &error() const { return m_error; }

    // Draws a visible page with its paper mapped onto the rectangle; with a
    // valid visible rectangle, only what lies near it (see TrpDrawList).
    // Drawing a page that is not visible releases it instead.
    void draw(QPainter &painter, const QRectF &paperRect, const QRectF &visible = {});

private:
    void readObjects();
    void record();

    bool m_held = false;
    std::vector<std::unique_ptr<TrpView>> m_objects;
    // Objects of unknown add-in classes, in page coordinates.
    std::vector<QRectF> m_unknownBoxes;
    TrpDrawList m_drawList;
    bool m_recorded = false;
    TrpError m_error;
};
