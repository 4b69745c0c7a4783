#pragma once

#include "base/DateTime.h"

#include <QDialog>

class EraLineEdit;
class QCheckBox;
class QComboBox;
class QToolButton;

// 治療希望　開く: the month and the users (type and categories) of the
// weekly wishes and of the booking summary.
class TOpenCureDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TOpenCureDialog(QWidget *parent = nullptr);

    // Read after an accepted dialog.
    TDateTime YearMonth = DateTime::None;
    int RihaType = 0;
    int KubunCode = 0;

    EraLineEdit *DateEdit = nullptr;
    QToolButton *UpButton = nullptr;
    QToolButton *DownButton = nullptr;
    QComboBox *RihaTypeBox = nullptr;
    QCheckBox *TankiBox = nullptr;
    QCheckBox *NinchiBox = nullptr;
    QCheckBox *ShudanBox = nullptr;
    QCheckBox *KobetsuBox = nullptr;

    void OpenButtonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void stepMonth(int months);
    void typeChosen(int index);
    // The first day of the month the edit shows; nullopt when unreadable.
    [[nodiscard]] std::optional<TDateTime> shownMonth() const;
};
