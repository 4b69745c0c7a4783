#pragma once

#include "plans/TPractice.h"
#include "plansui/PracticePage.h"

#include <QWidget>

#include <array>
#include <span>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// One evaluation table of the practice plan: per row five evaluation cells
// (ABC<r><c>), the equipment and care-content memos (Goods<r>, Kaigo<r>),
// the target period (Time<r>) and the mark (Special<r>), r counted from the
// table's first control number. A left click on a cell highlights it or
// takes the highlight off; a right click asks for the letters.
class PracticeGrid : public QWidget
{
    Q_OBJECT

public:
    using Check = PracticePage::Check;

    PracticeGrid(const QString &title, const QStringList &rowNames, int firstNumber, QWidget *parent = nullptr);

    [[nodiscard]] int rowCount() const { return int(m_rows.size()); }
    void clear();
    void showRows(std::span<const TPracticeGridRow> rows);
    // Copies the rows (marks included); false at the first text over its limit.
    [[nodiscard]] bool collect(std::span<TPracticeGridRow> rows, const Check &check) const;

    // Every cell, or the highlighted ones, takes the text and loses the highlight.
    void setAllCells(const QString &text);
    void setHighlightedCells(const QString &text);

    [[nodiscard]] bool isModified() const;
    void clearModified();

    [[nodiscard]] QLabel *cell(int row, int column) const { return m_rows[size_t(row)].abc[size_t(column)]; }
    [[nodiscard]] QLabel *mark(int row) const { return m_rows[size_t(row)].special; }
    [[nodiscard]] QPlainTextEdit *goods(int row) const { return m_rows[size_t(row)].goods; }
    [[nodiscard]] QPlainTextEdit *kaigo(int row) const { return m_rows[size_t(row)].kaigo; }
    [[nodiscard]] QLineEdit *time(int row) const { return m_rows[size_t(row)].time; }
    [[nodiscard]] bool isHighlighted(int row, int column) const;

signals:
    // A cell or mark was clicked (the plan changed).
    void changed();
    void lettersRequested();
    void goodsRequested(QPlainTextEdit *memo);
    void kaigoRequested(QPlainTextEdit *memo);
    void periodRequested(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row
    {
        std::array<QLabel *, 5> abc{};
        std::array<bool, 5> highlighted{};
        QPlainTextEdit *goods = nullptr;
        QPlainTextEdit *kaigo = nullptr;
        QLineEdit *time = nullptr;
        QLabel *special = nullptr;
        int mark = 0;
    };

    void buildHeader(const QString &title);
    void buildRow(int index, const QString &name, int number);
    void setCell(Row &row, int column, const QString &text, bool highlighted);
    void setMark(Row &row, int mark);

    std::vector<Row> m_rows;
    QWidget *m_diagonal = nullptr;
};
