#pragma once

#include "plans/PlanSearchList.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QTableWidget;
struct AppContext;

// Lists the stored treatment plans with their users, narrowed by the first
// kana of the reading, and shows the details of the row clicked. No command
// of the program opens it.
class TPlanSearchForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPlanSearchForm(AppContext &context, QWidget *parent = nullptr);

    [[nodiscard]] PlanSearchList &list() { return m_list; }

    QTableWidget *PlanGrid = nullptr;
    std::array<QPushButton *, 10> KanaBtn{};
    QPushButton *AllDispBtn = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *ReturnBtn = nullptr;
    QLabel *UserNoLabel = nullptr;
    QLabel *KanaLabel = nullptr;
    QLabel *NameLabel = nullptr;
    QLabel *SexLabel = nullptr;
    QLabel *BirthLabel = nullptr;
    QLabel *RihaType = nullptr;
    QLabel *HihaKubun = nullptr;
    QLabel *PlanDay = nullptr;
    QLabel *PlanEnd = nullptr;
    QLabel *Special = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void showAll();
    void fillGrid();
    void clearDetails();
    void PlanGridClick(int row);

    PlanSearchList m_list;
};

extern TPlanSearchForm *PlanSearchForm;
