#pragma once

#include "base/DateTime.h"

#include <QDialog>

class EraLineEdit;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class StaffDirectory;

// What the slot dialogs share: the error label in place of message boxes,
// "設定" / "キャンセル", and the start time and minutes boxes of those that
// ask for a time.
class SlotDialog : public QDialog
{
    Q_OBJECT

public:
    TDateTime StartTime = DateTime::None;
    int WorkingMin = 0;

    EraLineEdit *StartTimeEdit = nullptr;
    QLineEdit *FunnEdit = nullptr;
    QLabel *ErrorLabel = nullptr;
    QPushButton *SetButton = nullptr;
    QPushButton *CancelButton = nullptr;

protected:
    SlotDialog(const QString &name, const QString &caption, QWidget *parent);

    // The rows above the error label; the time rows are added by addTimeRows.
    [[nodiscard]] QFormLayout *form() const { return m_form; }
    void addTimeRows();
    // The "担当者" row: the staff names in list order, none selected.
    QComboBox *addStaffBox(const StaffDirectory &staff);
    // Reads the start time and minutes into the fields; false with the
    // message shown and the focus on the faulty box.
    bool readTimeAndMinutes();
    bool refuse(QWidget *box, const QString &message);
    void showTime(TDateTime start, const QString &minutes);

private:
    QFormLayout *m_form = nullptr;
};
