#include "printingui/TPrintScheduleTypeForm.h"

#include "core/CodeTables.h"
#include "coreui/FormParts.h"
#include "platform/DialogService.h"

#include <QComboBox>

TPrintScheduleTypeForm *PrintScheduleTypeForm = nullptr;

TPrintScheduleTypeForm::TPrintScheduleTypeForm(AppContext &context, QWidget *parent)
    : MonthlyResultsForm(context, QStringLiteral("PrintScheduleTypeForm"),
                         QStringLiteral("月別リハビリ形態別実施一覧(印刷)"), &TRegistory::PrnSch, 1, parent)
{
    FormParts::addLabel(MainPanel, QStringLiteral("リハビリ形態"), QRect(20, conditionTop(), 90, 26));
    ComboBox1 = new QComboBox(MainPanel);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(120, conditionTop(), 230, 26);
    for (const QStringView name : RihaTypeNames)
        ComboBox1->addItem(name.toString());
}

void TPrintScheduleTypeForm::FormShow()
{
    MonthlyResultsForm::FormShow();
    ComboBox1->setCurrentIndex(0);
}

std::optional<MonthlyChoice> TPrintScheduleTypeForm::choice()
{
    if (ComboBox1->currentIndex() < 0) {
        Dialogs::error(QStringLiteral("リハビリ形態を指定してください。"), MessageButtons::Yes);
        return std::nullopt;
    }
    std::optional<MonthlyChoice> choice = MonthlyResultsForm::choice();
    if (choice)
        choice->rihaType = ComboBox1->currentIndex();
    return choice;
}

MonthlyReport::Status TPrintScheduleTypeForm::setUpReport(TrpReport &report, const MonthlyChoice &choice)
{
    return setUpList<ScheduleTypeList>(report, choice);
}

bool TPrintScheduleTypeForm::csvFile(const MonthlyChoice &choice, ListCsvFile::Content &file)
{
    return listCsv<ScheduleTypeList>(choice, file);
}
