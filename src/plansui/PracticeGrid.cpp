#include "plansui/PracticeGrid.h"

#include "plans/PracticeRules.h"
#include "plansui/PlanMemoText.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

constexpr int NameWidth = 120;
constexpr int CellWidth = 58;
constexpr int MemoWidth = 210;
constexpr int TimeWidth = 74;
constexpr int MarkWidth = 44;
constexpr int HeaderHeight = 40;
constexpr int RowHeight = 44;
constexpr int CellsLeft = NameWidth;
constexpr int GoodsLeft = CellsLeft + 5 * CellWidth;
constexpr int KaigoLeft = GoodsLeft + MemoWidth;
constexpr int TimeLeft = KaigoLeft + MemoWidth;
constexpr int MarkLeft = TimeLeft + TimeWidth;
constexpr int GridWidth = MarkLeft + MarkWidth;

const QString CellStyle = QStringLiteral("QLabel { background: %1; border: 1px solid #808080; }");

QLabel *boxLabel(const QString &text, const QRect &place, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("QLabel { background: #e8eef4; border: 1px solid #808080; }"));
    return label;
}

} // namespace

PracticeGrid::PracticeGrid(const QString &title, const QStringList &rowNames, int firstNumber, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PracticeGrid%1").arg(firstNumber));
    buildHeader(title);
    m_rows.resize(size_t(rowNames.size()));
    for (int r = 0; r < rowNames.size(); ++r)
        buildRow(r, rowNames[r], firstNumber + r);
    setFixedSize(GridWidth + 1, HeaderHeight + RowHeight * int(m_rows.size()) + 1);
}

void PracticeGrid::buildHeader(const QString &title)
{
    // The corner box carries the table's title.
    auto *corner = new QLabel(title, this);
    corner->setGeometry(0, 0, NameWidth, HeaderHeight);
    corner->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    corner->setStyleSheet(QStringLiteral("QLabel { background: #e8eef4; border: 1px solid #808080; padding: 2px; }"));
    // A see-through box over it draws the diagonal line (eventFilter).
    m_diagonal = new QWidget(this);
    m_diagonal->setGeometry(corner->geometry());
    m_diagonal->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_diagonal->installEventFilter(this);
    const QStringList heads{QStringLiteral("自立"), QStringLiteral("見守り"), QStringLiteral("一部介助"),
                            QStringLiteral("全介助"), QStringLiteral("行わず")};
    for (int c = 0; c < 5; ++c)
        boxLabel(heads[c], QRect(CellsLeft + c * CellWidth, 0, CellWidth, HeaderHeight), this);
    boxLabel(QStringLiteral("使用用具\n杖・装具・歩行器・車椅子など"), QRect(GoodsLeft, 0, MemoWidth, HeaderHeight),
             this);
    boxLabel(QStringLiteral("介護内容\nつたい・もたれ等"), QRect(KaigoLeft, 0, MemoWidth, HeaderHeight), this);
    boxLabel(QStringLiteral("到達時期"), QRect(TimeLeft, 0, TimeWidth, HeaderHeight), this);
    boxLabel(QStringLiteral("重点"), QRect(MarkLeft, 0, MarkWidth, HeaderHeight), this);
}

void PracticeGrid::buildRow(int index, const QString &name, int number)
{
    Row &row = m_rows[size_t(index)];
    const int top = HeaderHeight + index * RowHeight;
    boxLabel(name, QRect(0, top, NameWidth, RowHeight), this)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < 5; ++c) {
        auto *cell = new QLabel(this);
        cell->setObjectName(QStringLiteral("ABC%1%2").arg(number).arg(c));
        cell->setGeometry(CellsLeft + c * CellWidth, top, CellWidth, RowHeight);
        cell->setAlignment(Qt::AlignCenter);
        cell->installEventFilter(this);
        row.abc[size_t(c)] = cell;
    }
    const auto memo = [&](const QString &prefix, int left) {
        auto *edit = new QPlainTextEdit(this);
        edit->setObjectName(prefix + QString::number(number));
        edit->setGeometry(left, top, MemoWidth, RowHeight);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->viewport()->installEventFilter(this);
        return edit;
    };
    row.goods = memo(QStringLiteral("Goods"), GoodsLeft);
    row.kaigo = memo(QStringLiteral("Kaigo"), KaigoLeft);
    row.time = new QLineEdit(this);
    row.time->setObjectName(QStringLiteral("Time%1").arg(number));
    row.time->setGeometry(TimeLeft, top, TimeWidth, RowHeight);
    row.time->installEventFilter(this);
    row.special = new QLabel(this);
    row.special->setObjectName(QStringLiteral("Special%1").arg(number));
    row.special->setGeometry(MarkLeft, top, MarkWidth, RowHeight);
    row.special->setAlignment(Qt::AlignCenter);
    row.special->setStyleSheet(CellStyle.arg(QStringLiteral("white")));
    row.special->installEventFilter(this);
    QFont markFont = row.special->font();
    markFont.setPointSizeF(markFont.pointSizeF() * 1.4);
    row.special->setFont(markFont);
}

void PracticeGrid::setCell(Row &row, int column, const QString &text, bool highlighted)
{
    row.abc[size_t(column)]->setText(text);
    row.highlighted[size_t(column)] = highlighted;
    row.abc[size_t(column)]->setStyleSheet(
        CellStyle.arg(highlighted ? QStringLiteral("#ffff00") : QStringLiteral("white")));
}

void PracticeGrid::setMark(Row &row, int mark)
{
    row.mark = mark;
    row.special->setText(PracticeRules::markText(mark));
}

void PracticeGrid::clear()
{
    for (Row &row : m_rows) {
        for (int c = 0; c < 5; ++c)
            setCell(row, c, PracticeRules::EmptyCell.toString(), false);
        row.goods->clear();
        row.kaigo->clear();
        row.time->setText(PracticeRules::EmptyCell.toString());
        setMark(row, 0);
    }
}

void PracticeGrid::showRows(std::span<const TPracticeGridRow> rows)
{
    for (size_t r = 0; r < m_rows.size() && r < rows.size(); ++r) {
        Row &row = m_rows[r];
        for (int c = 0; c < 5; ++c)
            setCell(row, c, rows[r].ABC[size_t(c)], false);
        PlanMemoText::show(row.goods, rows[r].Goods);
        PlanMemoText::show(row.kaigo, rows[r].Kaigo);
        row.time->setText(rows[r].Time);
        setMark(row, rows[r].Special);
    }
}

bool PracticeGrid::collect(std::span<TPracticeGridRow> rows, const Check &check) const
{
    for (size_t r = 0; r < m_rows.size() && r < rows.size(); ++r) {
        const Row &row = m_rows[r];
        for (int c = 0; c < 5; ++c)
            rows[r].ABC[size_t(c)] = row.abc[size_t(c)]->text();
        const QString goods = PlanMemoText::stored(row.goods);
        const QString kaigo = PlanMemoText::stored(row.kaigo);
        if (!check(row.goods, PracticePage::overLimit(goods, PracticeRules::CellBytes)) ||
            !check(row.kaigo, PracticePage::overLimit(kaigo, PracticeRules::CellBytes)) ||
            !check(row.time, PracticePage::overLimit(row.time->text(), PracticeRules::TimeBytes)))
            return false;
        rows[r].Goods = goods;
        rows[r].Kaigo = kaigo;
        rows[r].Time = row.time->text();
        rows[r].Special = row.mark;
    }
    return true;
}

void PracticeGrid::setAllCells(const QString &text)
{
    for (Row &row : m_rows) {
        for (int c = 0; c < 5; ++c)
            setCell(row, c, text, false);
    }
}

void PracticeGrid::setHighlightedCells(const QString &text)
{
    for (Row &row : m_rows) {
        for (int c = 0; c < 5; ++c) {
            if (row.highlighted[size_t(c)])
                setCell(row, c, text, false);
        }
    }
}

bool PracticeGrid::isHighlighted(int row, int column) const
{
    return m_rows[size_t(row)].highlighted[size_t(column)];
}

bool PracticeGrid::isModified() const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [](const Row &row) {
        return row.goods->document()->isModified() || row.kaigo->document()->isModified() || row.time->isModified();
    });
}

void PracticeGrid::clearModified()
{
    for (Row &row : m_rows) {
        row.goods->document()->setModified(false);
        row.kaigo->document()->setModified(false);
        row.time->setModified(false);
    }
}

bool PracticeGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_diagonal && event->type() == QEvent::Paint) {
        QPainter painter(m_diagonal);
        painter.setPen(Qt::black);
        painter.drawLine(0, 0, m_diagonal->width() - 1, m_diagonal->height() - 1);
        return true;
    }
    for (Row &row : m_rows) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto button = static_cast<QMouseEvent *>(event)->button();
            for (int c = 0; c < 5; ++c) {
                if (watched != row.abc[size_t(c)])
                    continue;
                if (button == Qt::LeftButton) {
                    setCell(row, c, row.abc[size_t(c)]->text(), !row.highlighted[size_t(c)]);
                    emit changed();
                } else if (button == Qt::RightButton) {
                    emit lettersRequested();
                }
                return true;
            }
            if (watched == row.special && button == Qt::LeftButton) {
                setMark(row, PracticeRules::nextMark(row.mark));
                emit changed();
                return true;
            }
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (watched == row.goods->viewport()) {
                emit goodsRequested(row.goods);
                return true;
            }
            if (watched == row.kaigo->viewport()) {
                emit kaigoRequested(row.kaigo);
                return true;
            }
            if (watched == row.time) {
                emit periodRequested(row.time);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
