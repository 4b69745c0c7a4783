#pragma once

#include "core/StaffDirectory.h"
#include "scheduling/TScheduleData.h"
#include "scheduling/WorkBoard.h"

#include <QAction>
#include <QMimeData>
#include <QWidget>

#include <memory>

struct AppContext;
class DragPersonModel;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class TPersonPropertyForm;
class TStuffChangeForm;
class TStuffTimeForm;
class TTimeTableForm;
class WorkBoardView;

// What the staff board and the day board share: the board with its slot
// and column menus, the user list to drag from, the top panel's date and
// buttons, the status bar and the slot dialogs. The rules are WorkBoard's;
// the handlers here ask the dialogs and pass the answers on.
class WorkBoardForm : public QWidget
{
    Q_OBJECT

public:
    ~WorkBoardForm() override;

    [[nodiscard]] WorkBoard &board() { return *m_board; }

    QWidget *TopPanel = nullptr;
    QDateEdit *RVDate = nullptr;
    QPushButton *DispButton = nullptr;
    QPushButton *ClearButton = nullptr;
    WorkBoardView *Board = nullptr;
    QWidget *UserPanel = nullptr;
    QCheckBox *TankiBox = nullptr;
    QCheckBox *NinchiBox = nullptr;
    QCheckBox *ShudanBox = nullptr;
    QCheckBox *KobetsuBox = nullptr;
    QComboBox *RihaTypeBox = nullptr;
    QTableView *DragPersonDBGrid = nullptr;
    QLabel *StatusPanel0 = nullptr;
    QLabel *StatusPanel1 = nullptr;

    QMenu *LabelPopupMenu = nullptr;
    QMenu *PanelPopupMenu = nullptr;
    QMenu *EditPopupMenu = nullptr;
    QAction *PasteTimeMenu = nullptr;

    TStuffTimeForm *StuffTimeForm = nullptr;
    TStuffChangeForm *StuffChangeForm = nullptr;
    TTimeTableForm *TimeTableForm = nullptr;
    TPersonPropertyForm *PersonPropertyForm = nullptr;

    // The clicked controls of the last menu.
    QString TargetLabel;
    int TargetPanel = -1;
    int TargetDay = -1;

    // The slot menu.
    void TimeCopyMenuClick();
    void AllEraseMenuClick();
    void BoxUpdateClick();
    void ReserveUpdateMenuClick();
    void TantouChangeMenuClick();
    // The column menu.
    void NewBoxMenuClick();
    void PasteTimeMenuClick();
    void ClearButtonClick();
    void RihaTypeBoxChange();

protected:
    WorkBoardForm(WorkBoard::Kind kind, const QString &headerPrefix, AppContext &context, QWidget *parent);

    // Draws what the board holds: labels and status.
    void refresh();
    // The display after the derived form loaded the board.
    void showBoard(bool shown);
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    virtual void DispButtonClick() = 0;
    // The top panel's own controls, left of the date.
    [[nodiscard]] QHBoxLayout *topLayout() const { return m_topLayout; }
    template <typename Form>
    QAction *addMenuAction(QMenu *menu, const QString &name, const QString &caption, void (Form::*handler)())
    {
        QAction *action = newMenuAction(menu, name, caption);
        connect(action, &QAction::triggered, static_cast<Form *>(this), handler);
        return action;
    }
    // The slot of the last slot menu; nullopt (told) when it is gone.
    [[nodiscard]] std::optional<TIMETABLE_ITEM> targetSlot() const;

    AppContext &m_context;
    // The data module's staff list.
    const StaffDirectory &m_staff;
    TScheduleData m_data;
    std::unique_ptr<WorkBoard> m_board;

private:
    QAction *newMenuAction(QMenu *menu, const QString &name, const QString &caption);
    void buildUserPanel();
    void buildMenus(WorkBoard::Kind kind);
    void userPicked(const QModelIndex &index);
    void dropped(const QString &name, const class QMimeData *data);

    QHBoxLayout *m_topLayout = nullptr;
    DragPersonModel *m_users = nullptr;
};
