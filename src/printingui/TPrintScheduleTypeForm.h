#pragma once

#include "printing/ScheduleTypeList.h"
#include "printingui/MonthlyResultsForm.h"

// 月別リハビリ形態別実施一覧(印刷): a month's results of one form of service
// by user and day, printed through "PrintScheduleType.rpf" or written to a
// CSV file.
class TPrintScheduleTypeForm : public MonthlyResultsForm
{
    Q_OBJECT
public:
    explicit TPrintScheduleTypeForm(AppContext &context, QWidget *parent = nullptr);

    QComboBox *ComboBox1 = nullptr;

protected:
    [[nodiscard]] std::optional<MonthlyChoice> choice() override;
    [[nodiscard]] MonthlyReport::Status setUpReport(TrpReport &report, const MonthlyChoice &choice) override;
    [[nodiscard]] QStringView templateName() const override { return ScheduleTypeList::TemplateName; }
    [[nodiscard]] bool csvFile(const MonthlyChoice &choice, ListCsvFile::Content &file) override;
    void FormShow() override;
};

extern TPrintScheduleTypeForm *PrintScheduleTypeForm;
