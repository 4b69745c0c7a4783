#pragma once

#include "results/PersonMedicalRecord.h"
#include "resultsui/ResultRecordWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// 治療実績入力 （個人）: one user's results of one month, optionally of one
// therapist, with the per-user results record printout.
class TPersonMedicalRecordForm : public ResultRecordWindow
{
    Q_OBJECT
public:
    explicit TPersonMedicalRecordForm(AppContext &context, QWidget *parent = nullptr);

    [[nodiscard]] const PersonMedicalRecord &record() const { return m_record; }

    QToolButton *OpenButton = nullptr;
    QLabel *YearMonthLabel = nullptr;
    QToolButton *HizukeLeft = nullptr;
    QToolButton *HizukeRight = nullptr;
    QLineEdit *CureEdit = nullptr;
    QPushButton *UserSearchBtn = nullptr;
    QComboBox *TantouBox = nullptr;
    QLabel *CureNoLabel = nullptr;
    QLabel *NameLabel = nullptr;
    QLabel *KanaLabel = nullptr;
    QLabel *SexLabel = nullptr;
    QLabel *BirthLabel = nullptr;
    QLabel *RihaTypeLabel = nullptr;
    QLabel *RihaKubunLabel = nullptr;
    QLabel *JiritsuLabel = nullptr;
    QLabel *NinchiLabel = nullptr;
    QLabel *HP_TAIINLabel = nullptr;
    QLabel *NyushoLabel = nullptr;
    QLabel *TaishoLabel = nullptr;
    QLabel *DateLabel = nullptr;

    void OpenButtonClick();
    void PrintButtonClick();

protected:
    void FormShow() override;
    bool reloadRows() override;
    ResultRowsEditor &editedRows() override { return m_record.rows(); }

private:
    void buildConditions();
    void buildHeader();
    void buildGrid();
    void clearDisplay();
    void showMonth();
    void showHeader();

    PersonMedicalRecord m_record;
    std::optional<int> m_staffCode;
};

extern TPersonMedicalRecordForm *PersonMedicalRecordForm;
