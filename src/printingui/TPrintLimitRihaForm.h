#pragma once

#include "coreui/MenuWindow.h"
#include "printing/PlanLimitList.h"

#include <array>

class QPushButton;
class QTableView;
class DataSetGridModel;

// 計画書期限参照（印刷）: the users still in care whose latest treatment or
// practice plan is older than three months, with kana filters and the
// printed list. Shown by the print menu, which it hides while it is open.
class TPrintLimitRihaForm : public MenuWindow
{
    Q_OBJECT
public:
    explicit TPrintLimitRihaForm(AppContext &context, QWidget *parent = nullptr);
    ~TPrintLimitRihaForm() override;

    [[nodiscard]] PlanLimitList &list() { return m_list; }

    void PlanBtnClick();
    void PractBtnClick();
    void PrintBtnClick();

    QPushButton *PlanBtn = nullptr;
    QPushButton *PractBtn = nullptr;
    std::array<QPushButton *, 10> KanaBtn{};
    QPushButton *AllDispBtn = nullptr;
    QPushButton *PrintBtn = nullptr;
    QPushButton *ReturnButton = nullptr;
    QTableView *DBGrid1 = nullptr;

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void openList(PlanLimitList::Kind kind);
    void setListButtons(bool enabled);
    void reload();

    PlanLimitList m_list;
    DataSetGridModel *m_model = nullptr;
};

extern TPrintLimitRihaForm *PrintLimitRihaForm;
