#pragma once

#include "schedulingui/SlotDialog.h"

class QComboBox;
class StaffDirectory;

// The staff member who takes over every slot of a column of the day board.
class TStuffAllChangeForm : public SlotDialog
{
    Q_OBJECT

public:
    explicit TStuffAllChangeForm(const StaffDirectory &staff, QWidget *parent = nullptr);

    int StuffCode = 0;

    QComboBox *KaigoStuffBox = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const StaffDirectory &m_staff;
};
