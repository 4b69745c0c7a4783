#pragma once

#include "base/DateTime.h"

#include <QDialog>

class EraLineEdit;
class QLabel;
class QPushButton;
class QToolButton;

// 開く: picks the month of the results sheet.
class TOpenGYMDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TOpenGYMDialog(QWidget *parent = nullptr);

    // The first day of the chosen month.
    TDateTime YearMonth = DateTime::None;

    QLabel *DateLabel = nullptr;
    EraLineEdit *DateEdit = nullptr;
    QLabel *SeirekiLabel = nullptr;
    QWidget *UpDown = nullptr;
    QToolButton *UpDownLeft = nullptr;
    QToolButton *UpDownRight = nullptr;
    QPushButton *OpenButton = nullptr;
    QPushButton *CancelButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Reads the field into YearMonth; false (and the red error) when it does not read.
    bool readField();
    void step(int months);
    void showMonth(bool error);
};
