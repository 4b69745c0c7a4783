#pragma once

#include "base/DateTime.h"
#include "results/ResultsEntry.h"

#include <QDialog>

class EraLineEdit;
class QLabel;
class QPushButton;
class QTableView;
class ResultCellDelegate;
class ResultGridModel;
struct AppContext;

// 治療実績登録（利用者別）: one user's results of one month, entered by hand.
// The opener sets CureNo, FromDate and ToDate and shows it modally.
class TResultsEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TResultsEditForm(AppContext &context, QWidget *parent = nullptr);
    ~TResultsEditForm() override;

    int CureNo = 0;
    TDateTime FromDate = DateTime::None;
    TDateTime ToDate = DateTime::None;

    [[nodiscard]] const ResultsEntry &entry() const { return m_entry; }

    QLabel *CureNoLabel = nullptr;
    QLabel *NameLabel = nullptr;
    QLabel *KanaLabel = nullptr;
    QLabel *SexLabel = nullptr;
    EraLineEdit *WorkingDay = nullptr;
    QPushButton *WorkingAddButton = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *ReturnButton = nullptr;
    QTableView *DBGrid1 = nullptr;

    void WorkingAddButtonClick();
    void DeleteRow(int row);
    void Button2Click();
    void Button3Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showRows();
    void showWrite(ResultsEntry::Write written);
    // A row deleted at another workstation: told, and the month read again.
    void showRowGone();
    void cellEdited(int row, int column, const QVariant &value);
    QStringList commentPhrases() const;

    AppContext &m_context;
    ResultsEntry m_entry;
    ResultGridModel *m_model = nullptr;
    ResultCellDelegate *m_delegate = nullptr;
};

extern TResultsEditForm *ResultsEditForm;
