#pragma once

#include "coreui/MenuWindow.h"
#include "printing/AllUserList.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// 利用者一覧表(印刷): the list of registered users chosen by their types,
// whether discharged users count and whether only recent admissions do,
// printed or written as a CSV file. Shown by the print menu, which it
// hides while it is open.
class TPrintAllUserForm : public MenuWindow
{
    Q_OBJECT
public:
    explicit TPrintAllUserForm(AppContext &context, QWidget *parent = nullptr);

    // The conditions as the boxes and radio groups show them.
    [[nodiscard]] AllUserList::Conditions conditions() const;

    void PrintButtonClick();
    void CSVOutButtonClick();
    void CSVSearchButtonClick();

    QGroupBox *TypeGroup = nullptr;
    QCheckBox *NyushoBox = nullptr;
    QCheckBox *TankiBox = nullptr;
    QCheckBox *TsushoBox = nullptr;
    QCheckBox *HoumonBox = nullptr;
    QGroupBox *RadioGroup1 = nullptr;
    QGroupBox *RadioGroup2 = nullptr;
    QLineEdit *Fnrm1910_1Edit = nullptr;
    QPushButton *CSVSearchButton = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *CSVOutButton = nullptr;
    QPushButton *ReturnButton = nullptr;

protected:
    void FormShow() override;

private:
    QGroupBox *radioGroup(const QString &name, const QString &caption, const QString &first, const QString &second,
                          QButtonGroup *&buttons, int top);
    // Lists the users of the conditions; false after the box that says why.
    bool openList(AllUserList &list);

    QButtonGroup *m_radio1 = nullptr;
    QButtonGroup *m_radio2 = nullptr;
};

extern TPrintAllUserForm *PrintAllUserForm;
