#pragma once

#include "coreui/MenuWindow.h"

#include <map>

class QPushButton;

// 印刷メニュー: the way from the main window to the printed forms and
// statistics. Each entry shows its form and leaves the menu open.
class TPrintMenuForm : public MenuWindow
{
    Q_OBJECT
public:
    explicit TPrintMenuForm(AppContext &context, QWidget *parent = nullptr);

    // The form an entry opens; an entry without one stays disabled.
    void SetForm(QPushButton *entry, QWidget *form);

    QPushButton *PrintAllUserButton = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button6 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button8 = nullptr;
    QPushButton *Button9 = nullptr;
    QPushButton *Button7 = nullptr;
    QPushButton *ReturnButton = nullptr;

private:
    std::map<QPushButton *, QWidget *> m_forms;
};

extern TPrintMenuForm *PrintMenuForm;
