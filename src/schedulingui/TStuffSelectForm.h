#pragma once

#include "schedulingui/SlotDialog.h"

class QComboBox;
class StaffDirectory;

// Picks a staff member. The caller's StuffCode does not preselect: the box
// keeps the pick of its last use.
class TStuffSelectForm : public SlotDialog
{
    Q_OBJECT

public:
    explicit TStuffSelectForm(const StaffDirectory &staff, QWidget *parent = nullptr);

    int StuffCode = 0;
    QString StuffName;

    QComboBox *KaigoStuffBox = nullptr;

private:
    const StaffDirectory &m_staff;
};
