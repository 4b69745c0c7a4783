#pragma once

#include "scheduling/WorkBoard.h"

#include <QMimeData>
#include <QWidget>

#include <array>

class BoardCell;
class QMimeData;
class QScrollBar;

// The drawing of a work table: 31 columns under their headers on a time
// axis from 8:00 to 21:00, with the slot labels, moved by two scroll bars
// (and the wheel once a bar was used) in steps of one column or one hour.
class WorkBoardView : public QWidget
{
    Q_OBJECT

public:
    // headerPrefix: "Day" (staff board) or "Stuff" (day board).
    explicit WorkBoardView(const QString &headerPrefix, QWidget *parent = nullptr);

    void setHeader(int column, const QString &caption, unsigned colour);
    void setColumnColour(int column, unsigned colour);
    // Empty captions, the header and column colours of a cleared board.
    void resetColumns();
    // Replaces every slot label.
    void setLabels(const std::vector<WorkBoard::FrameLabel> &labels);
    // Back to the first column, at the hour of the earliest of the labels
    // (8:00 without any); the wheel waits for a bar again.
    void scrollToFirstSlot(const std::vector<WorkBoard::FrameLabel> &labels);
    // The drag format the labels take (a booking payload unless set).
    void setDropFormat(const QString &format) { m_dropFormat = format; }
    void setBoardVisible(bool visible);
    // The columns in use (the day board's staff count, at most 31); the
    // panels and the day scroll bar end after them.
    void setColumnCount(int count);
    // The label of a slot, for tests and for the menus' placement.
    [[nodiscard]] BoardCell *slotLabel(const QString &name) const;
    [[nodiscard]] BoardCell *header(int column) const { return m_headers[std::size_t(column)]; }
    [[nodiscard]] BoardCell *column(int column) const { return m_columns[std::size_t(column)]; }

    QWidget *SchedulePanel = nullptr;
    QWidget *HeaderPanel = nullptr; // DayPanel or StuffPanel
    QWidget *TimePanel = nullptr;
    QScrollBar *DayScrollBar = nullptr;
    QScrollBar *TimeScrollBar = nullptr;
    int ScrollMode = 0;

signals:
    void labelMenuRequested(const QString &name, const QPoint &globalPosition);
    void labelDropped(const QString &name, const QMimeData *data);
    void columnMenuRequested(int column, const QPoint &globalPosition);
    void headerMenuRequested(int column, const QPoint &globalPosition);

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    void buildTimePanel(QWidget *viewport);
    void scrollDays(int position);
    void scrollTime(int position);

    std::array<BoardCell *, 31> m_headers{};
    std::array<BoardCell *, 31> m_columns{};
    std::vector<BoardCell *> m_labels;
    QString m_dropFormat;
};
