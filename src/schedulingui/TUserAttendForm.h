#pragma once

#include "schedulingui/BookingListForm.h"

class QPlainTextEdit;
class QToolButton;

// 月別利用者別予約表: one user's bookings over a month, with a contact memo
// for the printout.
class TUserAttendForm : public BookingListForm
{
    Q_OBJECT
public:
    explicit TUserAttendForm(AppContext &context);

    QPushButton *UserSearch = nullptr;
    QToolButton *HizukeLeft = nullptr;
    QToolButton *HizukeRight = nullptr;
    QLabel *YearMonthLabel = nullptr;
    QLabel *CureNoLabel = nullptr;
    QLabel *NameLabel = nullptr;
    QLabel *KanaLabel = nullptr;
    QLabel *BirthLabel = nullptr;
    QLabel *SexLabel = nullptr;
    QPlainTextEdit *Memo = nullptr;

    // Takes the user chosen in the user search.
    void setUser(int cureNo, const QString &name, const QString &kana, TDateTime birth, int sex);
    void DisplayClick() override;
    void PrintClick() override;
    void stepMonth(int months);

protected:
    void FormShow() override;
    // A double click on the memo opens the phrase picker.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TDateTime m_month = DateTime::None;
    int m_cureNo = -1;
};

extern TUserAttendForm *UserAttendForm;
