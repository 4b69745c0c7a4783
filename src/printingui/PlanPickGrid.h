#pragma once

#include "users/GridColumn.h"

#include <QWidget>

#include <array>
#include <memory>
#include <span>
#include <vector>

class PlanPrintList;
class QPushButton;
class QTableView;
class PlanPickModel;

// The list a printing form picks its plans from: the kana-row buttons ア to
// ワ with 全て表示 above a multi-select grid whose selected rows are money
// green and whose other rows alternate white and the menu colour.
class PlanPickGrid : public QWidget
{
    Q_OBJECT

public:
    PlanPickGrid(PlanPrintList &list, std::span<const GridColumn> columns, QWidget *parent = nullptr);
    ~PlanPickGrid() override;

    // Shows the list's rows again, nothing selected; after it was opened,
    // closed or filtered.
    void reload();
    // The kana buttons and 全て表示.
    void setButtonsEnabled(bool enabled);
    // Positions of the selected rows among the shown rows.
    [[nodiscard]] std::vector<int> selectedPositions() const;
    void selectAll();
    void clearSelection();

    // ABtn, KBtn, SBtn, TBtn, NBtn, HBtn, MBtn, YBtn, RBtn, WBtn.
    std::array<QPushButton *, 10> KanaBtn{};
    QPushButton *AllDispBtn = nullptr;
    QTableView *DBGrid1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

signals:
    // The shown rows changed (a kana row or 全て表示).
    void filtered();

private:
    PlanPrintList &m_list;
    std::unique_ptr<PlanPickModel> m_model;
};
