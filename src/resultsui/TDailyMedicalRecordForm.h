#pragma once

#include "results/DailyMedicalRecord.h"
#include "resultsui/ResultRecordWindow.h"

class EraLineEdit;
class QComboBox;
class QLabel;
class QPushButton;

// 治療実績入力 （日別）: the results of one day, one therapist and one form,
// with their totals and the daily printout.
class TDailyMedicalRecordForm : public ResultRecordWindow
{
    Q_OBJECT
public:
    explicit TDailyMedicalRecordForm(AppContext &context, QWidget *parent = nullptr);

    [[nodiscard]] const DailyMedicalRecord &record() const { return m_record; }

    TDateTime WorkDay = DateTime::None;

    QToolButton *ResultLoadBtn = nullptr;
    EraLineEdit *ResultInputDay = nullptr;
    QToolButton *HizukeLeft = nullptr;
    QToolButton *HizukeRight = nullptr;
    QComboBox *TantouBox = nullptr;
    QComboBox *RihaTypeBox = nullptr;
    QPushButton *SumButton = nullptr;
    QLabel *PlanCountLbl = nullptr;
    QLabel *PlanFunnLbl = nullptr;
    QLabel *ExecCountLbl = nullptr;
    QLabel *ExecFunnLbl = nullptr;

    void ResultLoadBtnClick();
    void SumButtonClick();
    void PrintButtonClick();

protected:
    void FormShow() override;
    bool reloadRows() override;
    void rowsChanged() override { SumButtonClick(); }
    ResultRowsEditor &editedRows() override { return m_record.rows(); }

private:
    void buildConditions();
    void buildGrid();
    void clearTotals();
    bool readDay();

    DailyMedicalRecord m_record;
    int m_staffCode = -1;
    int m_rihaType = -1;
};

extern TDailyMedicalRecordForm *DailyMedicalRecordForm;
