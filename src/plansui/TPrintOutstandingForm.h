#pragma once

#include "plans/OutstandingList.h"

#include <QWidget>

#include <array>

class QPushButton;
class QTableWidget;
struct AppContext;

// The list of users who lack a treatment or a practice plan, with its kana
// filters and its printout. Shown by the plan-papers menu, which it hides
// while it is open.
class TPrintOutstandingForm : public QWidget
{
    Q_OBJECT

public:
    explicit TPrintOutstandingForm(AppContext &context, QWidget *parent = nullptr);

    [[nodiscard]] OutstandingList &list() { return m_list; }

    void PlanBtnClick();
    void PractBtnClick();
    void PrintBtnClick();

    QWidget *MainPanel = nullptr;
    QPushButton *PlanBtn = nullptr;
    QPushButton *PractBtn = nullptr;
    std::array<QPushButton *, 10> KanaBtn{};
    QPushButton *AllDispBtn = nullptr;
    QPushButton *PrintBtn = nullptr;
    QPushButton *ReturnButton = nullptr;
    QTableWidget *DBGrid1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void openList(OutstandingList::Kind kind);
    void setListButtons(bool enabled);
    void fillGrid();

    AppContext &m_context;
    OutstandingList m_list;
};

extern TPrintOutstandingForm *PrintOutstandingForm;
