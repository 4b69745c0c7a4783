#pragma once

#include "coreui/MenuWindow.h"

class QPushButton;

// 実績管理メニュー: the way from the main window to the three results forms.
class TResultsMenuForm : public MenuWindow
{
    Q_OBJECT
public:
    explicit TResultsMenuForm(AppContext &context, QWidget *parent = nullptr);

    QPushButton *Button3 = nullptr;
    QPushButton *TreatmentBtn = nullptr;
    QPushButton *TreatmentDayBtn = nullptr;
    QPushButton *Button2 = nullptr;
};

extern TResultsMenuForm *ResultsMenuForm;
