#include "schedulingui/WorkBoardView.h"

#include "scheduling/FrameLook.h"
#include "schedulingui/BoardCell.h"

#include <QGridLayout>

#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int TimeWidth = 73;

QString background(unsigned colour)
{
    return QStringLiteral("background-color: #%1;").arg(colour, 6, 16, QLatin1Char('0'));
}

QWidget *viewport(QWidget *parent)
{
    auto *view = new QWidget(parent);
    view->setAttribute(Qt::WA_StyledBackground);
    view->setStyleSheet(QStringLiteral("background-color: #808080;"));
    return view;
}

} // namespace

WorkBoardView::WorkBoardView(const QString &headerPrefix, QWidget *parent) : QWidget(parent)
{
    using namespace FrameLook;
    auto *corner = new QWidget(this);
    corner->setFixedSize(TimeWidth, HeaderHeight);
    QWidget *headerView = viewport(this);
    headerView->setFixedHeight(HeaderHeight);
    QWidget *timeView = viewport(this);
    timeView->setFixedWidth(TimeWidth);
    QWidget *boardView = viewport(this);

    HeaderPanel = new QWidget(headerView);
    HeaderPanel->setObjectName(headerPrefix == QLatin1String("Day") ? QStringLiteral("DayPanel")
                                                                    : QStringLiteral("StuffPanel"));
    HeaderPanel->setGeometry(0, 0, ColumnWidth * ColumnCount, HeaderHeight);
    SchedulePanel = new QWidget(boardView);
    SchedulePanel->setObjectName(QStringLiteral("SchedulePanel"));
    SchedulePanel->setGeometry(0, 0, ColumnWidth * ColumnCount + 121, BoardHeight + 2);
    for (int i = 0; i < ColumnCount; ++i) {
        auto *header = new BoardCell(headerPrefix + QString::number(i), HeaderPanel);
        header->setGeometry(ColumnWidth * i, 0, ColumnWidth, HeaderHeight);
        header->setAlignment(Qt::AlignCenter);
        header->setFrameShape(QFrame::Box);
        connect(header, &BoardCell::released, this, [this, i](const QPoint &at) { emit headerMenuRequested(i, at); });
        m_headers[std::size_t(i)] = header;
        auto *column = new BoardCell(QStringLiteral("P") + QString::number(i), SchedulePanel);
        column->setGeometry(1 + ColumnWidth * i, 0, ColumnWidth, BoardHeight);
        connect(column, &BoardCell::released, this, [this, i](const QPoint &at) { emit columnMenuRequested(i, at); });
        m_columns[std::size_t(i)] = column;
    }
    buildTimePanel(timeView);

    DayScrollBar = new QScrollBar(Qt::Horizontal, this);
    DayScrollBar->setObjectName(QStringLiteral("DayScrollBar"));
    DayScrollBar->setRange(0, ColumnCount - 1);
    TimeScrollBar = new QScrollBar(Qt::Vertical, this);
    TimeScrollBar->setObjectName(QStringLiteral("TimeScrollBar"));
    TimeScrollBar->setRange(0, HourCount - 1);
    connect(DayScrollBar, &QScrollBar::valueChanged, this, &WorkBoardView::scrollDays);
    connect(TimeScrollBar, &QScrollBar::valueChanged, this, &WorkBoardView::scrollTime);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(corner, 0, 0);
    grid->addWidget(headerView, 0, 1);
    grid->addWidget(timeView, 1, 0);
    grid->addWidget(boardView, 1, 1);
    grid->addWidget(TimeScrollBar, 1, 2);
    grid->addWidget(DayScrollBar, 2, 1);
    resetColumns();
}

void WorkBoardView::buildTimePanel(QWidget *view)
{
    using namespace FrameLook;
    TimePanel = new QWidget(view);
    TimePanel->setObjectName(QStringLiteral("TimePanel"));
    TimePanel->setGeometry(0, 0, TimeWidth, BoardHeight);
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(13);
    font.setBold(true);
    for (int k = 0; k < HourCount; ++k) {
        auto *hour = new QLabel(QStringLiteral("%1:00").arg(FirstHour + k), TimePanel);
        hour->setObjectName(QStringLiteral("Panel") + QString::number(k + 1));
        hour->setGeometry(0, HourHeight * k, TimeWidth, HourHeight);
        hour->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        hour->setFont(font);
        hour->setFrameShape(QFrame::Box);
        hour->setAutoFillBackground(true);
        hour->setStyleSheet(QStringLiteral("background-color: #ffffe1; border: 1px solid #a0a0a0;"));
    }
}

void WorkBoardView::setHeader(int column, const QString &caption, unsigned colour)
{
    m_headers[std::size_t(column)]->setText(caption);
    m_headers[std::size_t(column)]->setStyleSheet(background(colour) +
                                                  QStringLiteral("border: 1px solid #707070; font-weight: bold;"));
}

void WorkBoardView::setColumnColour(int column, unsigned colour)
{
    // Hour lines help the eye find a time on a tall column.
    m_columns[std::size_t(column)]->setStyleSheet(background(colour) +
                                                  QStringLiteral("border-right: 1px solid #b0b0b0;"));
}

void WorkBoardView::resetColumns()
{
    for (int i = 0; i < FrameLook::ColumnCount; ++i) {
        setHeader(i, QString(), FrameLook::HeaderColour);
        setColumnColour(i, FrameLook::ColumnColour);
    }
}

void WorkBoardView::scrollToFirstSlot(const std::vector<WorkBoard::FrameLabel> &labels)
{
    int top = 0;
    if (!labels.empty())
        top = std::min_element(labels.begin(), labels.end(), [](const auto &a, const auto &b) {
                  return a.rect.top() < b.rect.top();
              })->rect.top();
    DayScrollBar->setValue(0);
    TimeScrollBar->setValue(std::min(top / FrameLook::HourHeight, TimeScrollBar->maximum()));
    ScrollMode = 0;
}

void WorkBoardView::setLabels(const std::vector<WorkBoard::FrameLabel> &labels)
{
    // Later: the label a user was dropped on is still inside its drop event.
    for (BoardCell *label : m_labels) {
        label->hide();
        label->deleteLater();
    }
    m_labels.clear();
    QFont font = this->font();
    font.setPixelSize(11);
    for (const WorkBoard::FrameLabel &frame : labels) {
        if (frame.column < 0 || frame.column >= FrameLook::ColumnCount)
            continue;
        auto *label = new BoardCell(frame.name, m_columns[std::size_t(frame.column)], true);
        if (!m_dropFormat.isEmpty())
            label->setDropFormat(m_dropFormat);
        label->setGeometry(frame.rect);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(font);
        label->setText(frame.caption);
        label->setStyleSheet(background(frame.colour) +
                             QStringLiteral("border: 1px solid #404040; padding-left: 2px;"));
        label->setToolTip(frame.caption);
        connect(label, &BoardCell::released, this,
                [this, name = frame.name](const QPoint &at) { emit labelMenuRequested(name, at); });
        connect(label, &BoardCell::dropped, this,
                [this, name = frame.name](const QMimeData *data) { emit labelDropped(name, data); });
        label->show();
        m_labels.push_back(label);
    }
}

BoardCell *WorkBoardView::slotLabel(const QString &name) const
{
    for (BoardCell *label : m_labels)
        if (label->objectName() == name)
            return label;
    return nullptr;
}

void WorkBoardView::setColumnCount(int count)
{
    using namespace FrameLook;
    count = std::clamp(count, 0, ColumnCount);
    for (int i = 0; i < ColumnCount; ++i) {
        m_headers[std::size_t(i)]->setVisible(i < count);
        m_columns[std::size_t(i)]->setVisible(i < count);
    }
    HeaderPanel->resize(ColumnWidth * count, HeaderHeight);
    SchedulePanel->resize(ColumnWidth * count + 1, BoardHeight + 2);
    DayScrollBar->setRange(0, std::max(count - 1, 0));
}

void WorkBoardView::setBoardVisible(bool visible)
{
    SchedulePanel->setVisible(visible);
    HeaderPanel->setVisible(visible);
}

void WorkBoardView::scrollDays(int position)
{
    SchedulePanel->move(-FrameLook::ColumnWidth * position, SchedulePanel->y());
    HeaderPanel->move(-FrameLook::ColumnWidth * position, 0);
    ScrollMode = 1;
}

void WorkBoardView::scrollTime(int position)
{
    TimePanel->move(0, -FrameLook::HourHeight * position);
    SchedulePanel->move(SchedulePanel->x(), -FrameLook::HourHeight * position);
    ScrollMode = 2;
}

void WorkBoardView::wheelEvent(QWheelEvent *event)
{
    QScrollBar *bar = ScrollMode == 1 ? DayScrollBar : ScrollMode == 2 ? TimeScrollBar : nullptr;
    if (bar && event->angleDelta().y() != 0)
        bar->setValue(bar->value() + (event->angleDelta().y() < 0 ? 1 : -1));
    event->accept();
}
