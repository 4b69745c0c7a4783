#pragma once

#include "plans/PlanStore.h"
#include "plans/TPlan.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QScrollArea;
class QToolButton;
class RihaPlanPanel;
struct AppContext;

// The treatment plan editor: one plan at a time, made for a user (New) or
// read back (Open), saved, deleted and printed. Shown by the plan-papers
// menu, which it hides while it is open.
class TRihaPlanForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TRihaPlanForm(AppContext &context, QWidget *parent = nullptr);

    // The plan on screen (its header and the body last collected).
    [[nodiscard]] const TPlan &plan() const { return m_plan; }
    // A plan is on screen (after New or Open, until Delete).
    [[nodiscard]] bool planShown() const { return m_planShown; }

    void NewBtnClick();
    void OpenBtnClick();
    void SaveBtnClick();
    void PrintBtnClick();
    void DeleteBtnClick();

    QToolButton *NewBtn = nullptr;
    QToolButton *OpenBtn = nullptr;
    QToolButton *SaveBtn = nullptr;
    QToolButton *PrintBtn = nullptr;
    QToolButton *DeleteBtn = nullptr;
    QToolButton *CloseBtn = nullptr;
    QMenu *FileMenu = nullptr;
    QAction *NewMenu = nullptr;
    QAction *OpenMenu = nullptr;
    QAction *SaveMenu = nullptr;
    QAction *PrintMenu = nullptr;
    QAction *DeleteMenu = nullptr;
    QAction *CloseMenu = nullptr;
    QScrollArea *ScrollBox = nullptr;
    RihaPlanPanel *PlanPanel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void FormShow();
    void centrePanel();
    // Enables the commands for the state: with a plan on screen or without.
    void setPlanShown(bool shown);
    // Asks before unsaved changes are dropped; true to go on.
    [[nodiscard]] bool mayDiscard(const QString &question);
    // The plan picker at the panel's corner; false when cancelled.
    [[nodiscard]] bool pickPlan(int mode);
    void fillPhrases(int code);
    void editPhrases(int code);
    void copyMemoPhrases(int code);
    // Hands the collected plan and the painted figures to the printout.
    void PrintPlan(const QImage &figures);

    AppContext &m_context;
    PlanStore m_store;
    TPlan m_plan;
    bool m_planShown = false;
};

extern TRihaPlanForm *RihaPlanForm;
