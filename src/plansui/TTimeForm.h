#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The keypad of the target period: digits, then "月" (result MonthResult)
// or "カ月" (result Accepted). Value is the number typed, taken whatever
// way the keypad closes.
class TTimeForm : public QDialog
{
    Q_OBJECT

public:
    enum Result { MonthResult = 6 };

    explicit TTimeForm(QWidget *parent = nullptr);

    void done(int result) override;

    qint32 Value = 0;

    QLabel *NumLabel = nullptr;
    QPushButton *ClearButton = nullptr;
    QPushButton *MButton = nullptr;
    QPushButton *KButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};

extern TTimeForm *TimeForm;
