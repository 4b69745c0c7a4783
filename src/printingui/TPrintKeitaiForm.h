#pragma once

#include "printing/KeitaiList.h"
#include "printingui/MonthlyResultsForm.h"

// 形態別実績一覧表（印刷）: a month's results by user and form of service,
// printed through "PrintKeitai.rpf" or written to a CSV file.
class TPrintKeitaiForm : public MonthlyResultsForm
{
    Q_OBJECT
public:
    explicit TPrintKeitaiForm(AppContext &context, QWidget *parent = nullptr);

protected:
    [[nodiscard]] MonthlyReport::Status setUpReport(TrpReport &report, const MonthlyChoice &choice) override;
    [[nodiscard]] QStringView templateName() const override { return KeitaiList::TemplateName; }
    [[nodiscard]] bool csvFile(const MonthlyChoice &choice, ListCsvFile::Content &file) override;
};

extern TPrintKeitaiForm *PrintKeitaiForm;
