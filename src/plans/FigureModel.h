#pragma once

#include "plans/FigureRow.h"

#include <QPoint>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// The marks and paralysis overlays of the front and back body figures, with
// the mouse rules that make, move and delete them. Positions are those the
// panels use: a pointer in the body picture's coordinates, a mark's top left
// in its panel's. Every change returns true, so that the editor can count
// the plan as modified.
class FigureModel
{
public:
    enum Kind { Joint = 0, Muscle = 1, Pain = 2, Paralysis = 3 };
    enum Side { Front = 0, Back = 1 };
    enum Corner { RightTop = 0, RightBottom = 1, LeftBottom = 2, LeftTop = 3 };
    enum class Button { Left, Right, Other };

    static constexpr int MarkSize = 17;
    // The pointer position that divides the picture into its four quarters.
    static constexpr int QuarterX = 55;
    static constexpr int QuarterY = 95;

    struct Mark
    {
        QString name; // prefix of its side and kind + counter, unique in the model
        Kind kind = Joint;
        Side side = Front;
        QPoint topLeft;
    };

    // The name prefix of a kind's marks on a side: "FKAN", "BKIN", "FITA".
    [[nodiscard]] static QString prefix(Side side, Kind kind);

    // Hides the side's overlays, removes its marks and restarts its names at 0.
    void clear(Side side);
    void clearAll();

    // A new mark named from its counter, last in its list; its name.
    QString addMark(Side side, Kind kind, const QPoint &topLeft);
    // Removes the mark from the list its name belongs to.
    bool removeMark(const QString &name);
    [[nodiscard]] const Mark *mark(const QString &name) const;
    // The side's marks of a kind, in their order.
    [[nodiscard]] const std::vector<Mark> &marks(Side side, Kind kind) const;

    [[nodiscard]] bool overlayVisible(Side side, Corner corner) const;
    void setOverlayVisible(Side side, Corner corner, bool visible);
    // The quarter a pointer falls in; none on the dividing lines.
    [[nodiscard]] static std::optional<Corner> quarterAt(const QPoint &pointer);

    // The rows to store, in the order they are drawn: per side (front
    // first) joint, muscle and pain marks, then the visible overlays
    // left-top, left-bottom, right-top, right-bottom.
    [[nodiscard]] std::vector<FigureRow> rows() const;
    // Clears both sides, then makes the stored rows again in their order;
    // rows of unknown parts, sides or corners are skipped.
    void load(const std::vector<FigureRow> &rows);

    // The mouse on a side. `markName` is the mark under the pointer (empty
    // over the picture or an overlay); pointer in picture coordinates.
    // Right press on a mark starts dragging it.
    void press(Button button, const QString &markName, const QPoint &pointer);
    // While dragging: the mark follows the pointer. True when it moved.
    bool move(const QString &markName, const QPoint &pointer);
    // Ends a drag (right button), deletes a mark (left with Shift alone), or
    // makes a mark of the chosen kind or toggles an overlay (left). True
    // when the figure changed.
    bool release(Side side, Button button, bool shiftOnly, const QString &markName, const QPoint &pointer,
                 Kind chosen);

    [[nodiscard]] bool dragging() const { return m_dragging; }
    // The mark being dragged, drawn with a lime pen; empty when none.
    [[nodiscard]] const QString &draggedName() const { return m_draggedName; }
    void resetDrag();

private:
    struct SideState
    {
        std::array<std::vector<Mark>, 3> marks;
        std::array<int, 3> counters{};
        std::array<bool, 4> overlays{};
    };

    [[nodiscard]] Mark *findMark(const QString &name);

    std::array<SideState, 2> m_sides;
    bool m_dragging = false;
    QString m_draggedName;
    QPoint m_reference;
};
