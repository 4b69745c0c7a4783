#pragma once

#include "coreui/EnterKeyWatch.h"
#include "plans/PlanStore.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct AppContext;

// Asks for a user number and, in mode 2, lets the user choose one of that
// user's plans. The caller sets Mode (and the dialog's place), shows it
// modally and reads CureNo (mode 1) or PlanNo (mode 2) when it was accepted.
class TGetCurePlanForm : public QDialog
{
    Q_OBJECT

public:
    enum { ChooseUser = 1, ChoosePlan = 2 };
    static constexpr int EntryHeight = 128;
    static constexpr int GridHeight = 369;

    explicit TGetCurePlanForm(AppContext &context, QWidget *parent = nullptr);

    qint32 Mode = ChooseUser;
    qint32 EnteredNumber = 0;
    qint32 CureNo = 0;
    qint32 PlanNo = 0;

    QLineEdit *CureNoEdit = nullptr;
    QPushButton *SearchBtn = nullptr;
    QPushButton *ConfirmBtn = nullptr;
    QLabel *PromptLabel = nullptr;
    QTableWidget *PlanGrid = nullptr;
    QPushButton *DecideBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SearchBtnClick();
    void ConfirmBtnClick();
    void PlanGridMouseUp();
    void showPlans(const std::vector<PlanStore::PlanEntry> &plans);

    PlanStore m_store;
    EnterKeyWatch m_enter;
};

extern TGetCurePlanForm *GetCurePlanForm;
