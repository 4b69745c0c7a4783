#pragma once

#include "coreui/MenuWindow.h"
#include "users/GridColumn.h"

#include <array>
#include <functional>
#include <span>

class DataSetGridModel;
class DbDataSet;
class DbValue;
class KanaRowList;
class QPushButton;
class QTableView;

// A window that lists users for lack of a treatment or a practice plan:
// リハビリ治療計画書表示 and リハビリ実施計画書表示 above the kana-row
// buttons ア to ワ with 全て, the grid, 印刷 and 戻る, placed alike in
// every such window. The window says how its rows are opened, drawn and
// printed.
class KanaListForm : public MenuWindow
{
    Q_OBJECT
public:
    ~KanaListForm() override;

    virtual void PlanBtnClick() = 0;
    virtual void PractBtnClick() = 0;
    virtual void PrintBtnClick() = 0;

    QPushButton *PlanBtn = nullptr;
    QPushButton *PractBtn = nullptr;
    // ABtn, KBtn, SBtn, TBtn, NBtn, HBtn, MBtn, YBtn, RBtn, WBtn.
    std::array<QPushButton *, 10> KanaBtn{};
    QPushButton *AllDispBtn = nullptr;
    QPushButton *PrintBtn = nullptr;
    QPushButton *ReturnButton = nullptr;
    QTableView *DBGrid1 = nullptr;

protected:
    enum class GridLook {
        Plain,
        // Picked rows money green, the others alternating white and the menu colour.
        Alternating,
    };
    using CellText = std::function<QString(int column, const DbValue &value)>;

    KanaListForm(AppContext &context, std::function<QWidget *()> opener, GridLook look, QWidget *parent);
    // Called by the window's constructor once its list is made: the list,
    // its data set and columns, and the text of a cell.
    void setList(KanaRowList &list, const DbDataSet &rows, std::span<const GridColumn> columns, CellText text);

    // Disables the list buttons, opens the rows and shows them; a list that
    // could not be read is told. The list buttons follow whether it has rows.
    void openList(const std::function<bool()> &open);
    void setListButtons(bool enabled);
    // Shows the rows again, nothing picked.
    void reload();
    // Empties the list as the window closes.
    virtual void closeList() = 0;

    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void shown(const std::function<void()> &narrow);

    KanaRowList *m_list = nullptr;
    DataSetGridModel *m_model = nullptr;
};
