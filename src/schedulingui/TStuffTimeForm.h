#pragma once

#include "schedulingui/SlotDialog.h"

class QSpinBox;

// Start, length and capacity of a new or edited slot.
class TStuffTimeForm : public SlotDialog
{
    Q_OBJECT

public:
    explicit TStuffTimeForm(QWidget *parent = nullptr);

    bool NewFrame = true;
    int Capacity = 1;

    QSpinBox *MenCount = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};
