#include "plans/FigureModel.h"

namespace {

constexpr QStringView KindPrefixes[] = {u"KAN", u"KIN", u"ITA"};

bool validSide(int side)
{
    return side == FigureModel::Front || side == FigureModel::Back;
}

} // namespace

QString FigureModel::prefix(Side side, Kind kind)
{
    return (side == Front ? QStringLiteral("F") : QStringLiteral("B")).append(KindPrefixes[kind]);
}

void FigureModel::clear(Side side)
{
    m_sides[side] = SideState{};
    if (m_draggedName.size() > 0 && !mark(m_draggedName))
        resetDrag();
}

void FigureModel::clearAll()
{
    clear(Front);
    clear(Back);
}

QString FigureModel::addMark(Side side, Kind kind, const QPoint &topLeft)
{
    SideState &state = m_sides[side];
    Mark added{prefix(side, kind) + QString::number(state.counters[kind]++), kind, side, topLeft};
    state.marks[kind].push_back(added);
    return added.name;
}

bool FigureModel::removeMark(const QString &name)
{
    for (SideState &state : m_sides) {
        for (std::vector<Mark> &list : state.marks) {
            const auto it = std::find_if(list.begin(), list.end(), [&](const Mark &m) { return m.name == name; });
            if (it != list.end()) {
                list.erase(it);
                if (m_draggedName == name)
                    resetDrag();
                return true;
            }
        }
    }
    return false;
}

const FigureModel::Mark *FigureModel::mark(const QString &name) const
{
    return const_cast<FigureModel *>(this)->findMark(name);
}

FigureModel::Mark *FigureModel::findMark(const QString &name)
{
    for (SideState &state : m_sides) {
        for (std::vector<Mark> &list : state.marks) {
            for (Mark &m : list) {
                if (m.name == name)
                    return &m;
            }
        }
    }
    return nullptr;
}

const std::vector<FigureModel::Mark> &FigureModel::marks(Side side, Kind kind) const
{
    return m_sides[side].marks[kind];
}

bool FigureModel::overlayVisible(Side side, Corner corner) const
{
    return m_sides[side].overlays[corner];
}

void FigureModel::setOverlayVisible(Side side, Corner corner, bool visible)
{
    m_sides[side].overlays[corner] = visible;
}

std::optional<FigureModel::Corner> FigureModel::quarterAt(const QPoint &pointer)
{
    const int x = pointer.x();
    const int y = pointer.y();
    if (x == QuarterX || y == QuarterY)
        return std::nullopt;
    if (x < QuarterX)
        return y < QuarterY ? LeftTop : LeftBottom;
    return y < QuarterY ? RightTop : RightBottom;
}

std::vector<FigureRow> FigureModel::rows() const
{
    std::vector<FigureRow> rows;
    for (int side = Front; side <= Back; ++side) {
        const SideState &state = m_sides[side];
        for (int kind = Joint; kind <= Pain; ++kind) {
            for (const Mark &m : state.marks[kind])
                rows.push_back({kind, side, -1, m.topLeft.x(), m.topLeft.y()});
        }
        for (Corner corner : {LeftTop, LeftBottom, RightTop, RightBottom}) {
            if (state.overlays[corner])
                rows.push_back({Paralysis, side, corner, -1, -1});
        }
    }
    return rows;
}

void FigureModel::load(const std::vector<FigureRow> &rows)
{
    clearAll();
    for (const FigureRow &row : rows) {
        if (!validSide(row.Side))
            continue;
        const Side side = Side(row.Side);
        if (row.Parts >= Joint && row.Parts <= Pain)
            addMark(side, Kind(row.Parts), QPoint(row.X, row.Y));
        else if (row.Parts == Paralysis && row.Corner >= RightTop && row.Corner <= LeftTop)
            setOverlayVisible(side, Corner(row.Corner), true);
    }
}

void FigureModel::resetDrag()
{
    m_dragging = false;
    m_draggedName.clear();
    m_reference = QPoint();
}

void FigureModel::press(Button button, const QString &markName, const QPoint &pointer)
{
    if (button == Button::Left) {
        m_dragging = false;
    } else if (button == Button::Right && findMark(markName)) {
        m_draggedName = markName;
        m_reference = pointer;
        m_dragging = true;
    }
}

bool FigureModel::move(const QString &markName, const QPoint &pointer)
{
    if (!m_dragging || markName.isEmpty())
        return false;
    Mark *dragged = findMark(markName);
    if (!dragged)
        return false;
    m_draggedName = markName;
    const QPoint shift = pointer - m_reference;
    dragged->topLeft += shift;
    m_reference = dragged->topLeft;
    return !shift.isNull();
}

bool FigureModel::release(Side side, Button button, bool shiftOnly, const QString &markName, const QPoint &pointer,
                          Kind chosen)
{
    if (button == Button::Right) {
        resetDrag();
        return false;
    }
    if (button != Button::Left)
        return false;
    if (shiftOnly && !markName.isEmpty()) {
        m_dragging = false;
        return removeMark(markName);
    }
    const bool wasDragging = m_dragging;
    m_dragging = false;
    if (wasDragging)
        return false;
    if (chosen != Paralysis) {
        addMark(side, chosen, pointer);
        return true;
    }
    const std::optional<Corner> corner = quarterAt(pointer);
    if (!corner)
        return false;
    setOverlayVisible(side, *corner, !overlayVisible(side, *corner));
    return true;
}
