#pragma once

#include "coreui/EnterKeyWatch.h"

#include <QDialog>
#include <QStringList>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// Asks for a user number and, in mode 2, lets the user choose one of that
// user's stored plans by its dates. The caller sets Mode (and the dialog's
// place), shows it modally and reads CureNo (mode 1) or the chosen plan's
// key (mode 2) when it was accepted. The treatment and the practice plan
// pickers differ only in their texts and their lookup.
class PlanChooserDialog : public QDialog
{
    Q_OBJECT

public:
    enum { ChooseUser = 1, ChoosePlan = 2 };
    static constexpr int EntryHeight = 128;
    static constexpr int GridHeight = 369;

    // A stored plan: its key and the texts of its grid row.
    struct Entry
    {
        qint32 key = 0;
        QStringList cells;
    };
    struct Texts
    {
        QString caption;
        QString prompt;
        QString noPlans;
        QStringList columns;
    };

    qint32 Mode = ChooseUser;
    qint32 EnteredNumber = 0;
    qint32 CureNo = 0;

    QLineEdit *CureNoEdit = nullptr;
    QPushButton *SearchBtn = nullptr;
    QPushButton *ConfirmBtn = nullptr;
    QLabel *PromptLabel = nullptr;
    QTableWidget *PlanGrid = nullptr;
    QPushButton *DecideBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

protected:
    PlanChooserDialog(const Texts &texts, QWidget *parent);

    // The user's plans, newest first; nullopt when they cannot be read.
    [[nodiscard]] virtual std::optional<std::vector<Entry>> plansOf(int cureNo) const = 0;
    // Takes the key of the plan chosen.
    virtual void setChosen(qint32 key) = 0;

    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SearchBtnClick();
    void ConfirmBtnClick();
    void PlanGridMouseUp();
    void showPlans(const std::vector<Entry> &plans);
    // The tall dialog with the grid and its prompt, or the short one.
    void showGrid(bool shown);

    QString m_noPlans;
    EnterKeyWatch m_enter;
};
