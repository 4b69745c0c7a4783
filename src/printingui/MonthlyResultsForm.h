#pragma once

#include "base/DateTime.h"
#include "core/TRegistory.h"
#include "coreui/MenuWindow.h"
#include "printing/ListCsvFile.h"
#include "printing/MonthlyReport.h"

#include <QStringList>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TrpReport;

// The window of a monthly results list: the month with its arrows, all
// staff or one staff member, the CSV file's path, print and CSV export.
// Shown by the print menu, which it hides while it is open.
class MonthlyResultsForm : public MenuWindow
{
    Q_OBJECT
public:
    void stepMonth(int months);
    void PrintButtonClick();
    void CSVOutButtonClick();
    void CSVSearchButtonClick();
    [[nodiscard]] TDateTime From() const { return m_from; }

    QWidget *Hizuke = nullptr;
    QToolButton *HizukeLeft = nullptr;
    QToolButton *HizukeRight = nullptr;
    QLabel *YearMonthLabel = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QComboBox *Joken3Box = nullptr;
    QLineEdit *CsvEdit = nullptr;
    QPushButton *CSVSearchButton = nullptr;
    QPushButton *CSVOutButton = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *ReturnButton = nullptr;

protected:
    // The setting that keeps the CSV file's path; rows: the condition rows
    // a form adds below the month, each 40 pixels high, from conditionTop().
    MonthlyResultsForm(AppContext &context, const QString &name, const QString &caption,
                       QString TRegistory::*csvSetting, int rows, QWidget *parent);

    [[nodiscard]] static int conditionTop() { return 60; }
    // The choice of the controls; nullopt after its message.
    [[nodiscard]] virtual std::optional<MonthlyChoice> choice();
    // Reads the list and sets a fresh report up over it.
    [[nodiscard]] virtual MonthlyReport::Status setUpReport(TrpReport &report, const MonthlyChoice &choice) = 0;
    [[nodiscard]] virtual QStringView templateName() const = 0;
    // Reads the list and gives its CSV file's lines; false after its message.
    [[nodiscard]] virtual bool csvFile(const MonthlyChoice &choice, ListCsvFile::Content &file) = 0;
    // Shows the message of a reading that found nothing to list; true
    // when the list is ready.
    bool reportStatus(MonthlyReport::Status status);
    void FormShow() override;

    // What a form of a list type answers for setUpReport and csvFile.
    template <typename List>
    [[nodiscard]] MonthlyReport::Status setUpList(TrpReport &report, const MonthlyChoice &choice)
    {
        return MonthlyReport::setUpReport<List>(report, m_context, choice);
    }
    template <typename List> [[nodiscard]] bool listCsv(const MonthlyChoice &choice, ListCsvFile::Content &file)
    {
        MonthlyReport::Status status = MonthlyReport::Status::Ready;
        const auto list = MonthlyReport::read<List>(m_context, choice, status);
        if (!reportStatus(status))
            return false;
        file = list->csvFile();
        return true;
    }

private:
    void showMonth();

    QString TRegistory::*m_csvSetting;
    TDateTime m_from = DateTime::None;
};
