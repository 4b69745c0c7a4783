#pragma once

#include "scheduling/StaffDirectory.h"
#include "schedulingui/SlotDialog.h"

class QComboBox;

// Picks a staff member. The caller's StuffCode does not preselect: the box
// keeps the pick of its last use.
class TStuffSelectForm : public SlotDialog
{
    Q_OBJECT

public:
    explicit TStuffSelectForm(StaffDirectory staff, QWidget *parent = nullptr);

    int StuffCode = 0;
    QString StuffName;

    QComboBox *KaigoStuffBox = nullptr;

private:
    StaffDirectory m_staff;
};
