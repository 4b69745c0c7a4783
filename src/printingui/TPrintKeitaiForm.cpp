#include "printingui/TPrintKeitaiForm.h"

TPrintKeitaiForm *PrintKeitaiForm = nullptr;

TPrintKeitaiForm::TPrintKeitaiForm(AppContext &context, QWidget *parent)
    : MonthlyResultsForm(context, QStringLiteral("PrintKeitaiForm"), QStringLiteral("形態別実績一覧表（印刷）"),
                         &TRegistory::Keitai, 0, parent)
{}

MonthlyReport::Status TPrintKeitaiForm::setUpReport(TrpReport &report, const MonthlyChoice &choice)
{
    return setUpList<KeitaiList>(report, choice);
}

bool TPrintKeitaiForm::csvFile(const MonthlyChoice &choice, ListCsvFile::Content &file)
{
    return listCsv<KeitaiList>(choice, file);
}
