#pragma once

#include "schedulingui/SlotDialog.h"

class EraLineEdit;
class QComboBox;
class StaffDirectory;

// The day, staff member, start and length of a slot that moves.
class TStuffChangeForm : public SlotDialog
{
    Q_OBJECT

public:
    explicit TStuffChangeForm(const StaffDirectory &staff, QWidget *parent = nullptr);

    TDateTime ReserveDay = DateTime::None;
    int StuffCode = 0;

    EraLineEdit *DayEdit = nullptr;
    QComboBox *KaigoStuffBox = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void SetButtonClick();

    const StaffDirectory &m_staff;
};
