#pragma once

#include "coreui/MenuWindow.h"
#include "printing/PlanPrintList.h"

#include <span>
#include <vector>

class PlanPickGrid;
class QPushButton;

// A printing form of stored plans, shown by the print menu, which it hides
// while it is open: 最新 or 全て lists the plans, the kana rows narrow the
// list, rows are selected and 印刷 prints the selected plans in list order.
class PlanPrintForm : public MenuWindow
{
    Q_OBJECT

public:
    static constexpr QStringView NoSelectionMessage = u"選択データがありません。";

    void NewBtnClick();
    void AllBtnClick();
    void PrintBtnClick();

    [[nodiscard]] PlanPrintList &list() { return m_list; }

    QPushButton *NewBtn = nullptr;
    QPushButton *AllBtn = nullptr;
    QPushButton *AllSelectBtn = nullptr;
    QPushButton *EraseBtn = nullptr;
    QPushButton *PrintBtn = nullptr;
    QPushButton *ReturnButton = nullptr;
    PlanPickGrid *Grid = nullptr;

protected:
    // keyField: the list's field that names a plan to print.
    PlanPrintForm(AppContext &context, PlanPrintList::Statement statement, std::span<const GridColumn> columns,
                  QString keyField, QWidget *parent);

    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;
    // Prints the plans of the keys, in list order.
    virtual void print(const std::vector<int> &keys) = 0;
    // What 印刷 says when nothing is listed.
    [[nodiscard]] virtual QString notListedMessage() const = 0;

    void setListButtons(bool enabled);
    void showRows();
    // A second button at the place given doing what the first does, and
    // enabled with it.
    QPushButton *addTwin(QPushButton *first, const QString &name, const QPoint &place);

private:
    void openList(bool latest);

    PlanPrintList m_list;
    // Enabled while the list has rows.
    std::vector<QPushButton *> m_listButtons;
    QString m_keyField;
};
