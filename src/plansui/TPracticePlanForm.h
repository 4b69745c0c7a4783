#pragma once

#include "plans/PlanStore.h"
#include "plans/PracticeStore.h"
#include "plans/TPractice.h"

#include <QDialog>

class PracticeHopePage;
class PracticeStatePage;
class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QScrollArea;
class QTabWidget;
class QToolButton;
struct AppContext;

// The practice plan editor, shown modally by the plan-papers menu: one plan
// of a user and plan day at a time, made for a user (New) or read back
// (Open), saved, printed and deleted, on two pages.
class TPracticePlanForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPracticePlanForm(AppContext &context, QWidget *parent = nullptr);

    // The plan on screen as last shown or collected.
    [[nodiscard]] const TPractice &record() const { return m_record; }
    [[nodiscard]] int cureNo() const { return m_cureNo; }
    // A plan is on screen (after New or Open, until Delete).
    [[nodiscard]] bool planShown() const { return m_planShown; }
    [[nodiscard]] bool IsPracticeModified() const;

    void NewBtnClick();
    void OpenBtnClick();
    void SaveBtnClick();
    void PrintBtnClick();
    void DeleteMenuClick();
    // Asks before unsaved changes are dropped, then closes.
    void reject() override;

    bool Changed = false;

    QToolButton *NewBtn = nullptr;
    QToolButton *OpenBtn = nullptr;
    QToolButton *SaveButton = nullptr;
    QToolButton *PrintButton = nullptr;
    QToolButton *CloseBtn = nullptr;
    QMenu *FileMenu = nullptr;
    QAction *NewMenu = nullptr;
    QAction *OpenMenu = nullptr;
    QAction *SaveMenu = nullptr;
    QAction *PrintMenu = nullptr;
    QAction *DeleteMenu = nullptr;
    QAction *CloseMenu = nullptr;
    QTabWidget *PageControl = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    QScrollArea *ScrollBox2 = nullptr;
    PracticeStatePage *Page1 = nullptr;
    PracticeHopePage *Page2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCommands();
    QScrollArea *addPage(QWidget *page, const QString &title);
    void FormShow();
    void centrePanels();
    // Empties the form and hides the pages: no plan on screen.
    void clearPlan();
    void setPlanShown(bool shown);
    void ResetModified();
    [[nodiscard]] bool mayDiscard();
    [[nodiscard]] bool pickPlan(int mode);
    // Takes the date typed; false (message shown) when it does not read.
    [[nodiscard]] bool CheckPlanDate();
    [[nodiscard]] bool CollectPracticeRecord();
    void PlanDateEditEnter();
    void askLetters();
    void pickCellPhrases(QPlainTextEdit *memo, bool goods);
    void pickPeriod(QLineEdit *edit);
    // Hands the collected plan to the printout.
    void PrintPlan();

    AppContext &m_context;
    PracticeStore m_store;
    PlanStore m_users;
    TPractice m_record;
    qint32 m_cureNo = 0;
    bool m_planShown = false;
};

extern TPracticePlanForm *PracticePlanForm;
