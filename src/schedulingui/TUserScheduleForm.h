#pragma once

#include "core/StaffDirectory.h"
#include "scheduling/UserMonthSchedule.h"

#include <QWidget>

struct AppContext;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class TStuffSelectForm;
class TTimeTableForm;
class WorkBoardView;

// 利用者治療予定表: one user's month of bookings and unbooked wishes. A
// staff member dragged from the list onto a wish books it; the rules are
// UserMonthSchedule's.
class TUserScheduleForm : public QWidget
{
    Q_OBJECT
public:
    explicit TUserScheduleForm(AppContext &context, QWidget *parent = nullptr);

    // Set by the weekly wish form before showing.
    int CureNo = 0;
    TDateTime NyushoDate = DateTime::None;
    TDateTime TaishoDate = DateTime::None;
    TDateTime YearMonth = DateTime::None;
    TUserMonthBook::Month MonthWish{};
    QString UserName;
    QString UserKana;
    QString SexName;
    QString AgeText;
    QString BirthText;
    QString RihaTypeName;
    QString KubunText;

    QWidget *TopPanel = nullptr;
    QLabel *UserNoLabel = nullptr;
    QLabel *NameLabel = nullptr;
    QLabel *KanaLabel = nullptr;
    QLabel *SexLabel = nullptr;
    QLabel *OldLabel = nullptr;
    QLabel *BirthLabel = nullptr;
    QLabel *RihaTypeLabel = nullptr;
    QLabel *RihaKubunLabel = nullptr;
    QLabel *CureStartLabel = nullptr;
    QLabel *CureEndLabel = nullptr;
    QLabel *RVDate = nullptr;
    QPushButton *Button1 = nullptr;
    WorkBoardView *Board = nullptr;
    QTableWidget *DragStuffDBGrid = nullptr;
    QMenu *LabelPopupMenu = nullptr;
    TTimeTableForm *TimeTableForm = nullptr;
    // Only its staff box is used here; day and time stay the slot's.
    TStuffSelectForm *StuffSelectForm = nullptr;

    [[nodiscard]] UserMonthSchedule &schedule() { return m_schedule; }
    // Drops the selected staff member on the label (booking the wish).
    void dropStaff(const QString &labelName);
    void EraseMenuClick();
    void ReserveUpdateMenuClick();
    void TantouChangeMenuClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTopPanel();
    void drawHeaders();
    // Shows what the action told, then the records as they are now.
    void showDone(const BoardOutcome &outcome);
    // The record of the label of the last menu; nullopt (told) when gone.
    [[nodiscard]] std::optional<TREQUEST_ITEM> currentRecord() const;

    AppContext &m_context;
    const StaffDirectory &m_staff;
    UserMonthSchedule m_schedule;
    QString m_currentLabel;
};

extern TUserScheduleForm *UserScheduleForm;
