#include "plansui/TGetCurePlanForm.h"

#include "core/AppContext.h"
#include "core/EraDate.h"
#include "platform/DialogService.h"
#include "usersui/TUserSearchForm.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

TGetCurePlanForm *GetCurePlanForm = nullptr;

TGetCurePlanForm::TGetCurePlanForm(AppContext &context, QWidget *parent)
    : QDialog(parent), m_store(context.database)
{
    setObjectName(QStringLiteral("GetCurePlanForm"));
    setWindowTitle(QStringLiteral("治療計画確認"));
    setFixedWidth(360);

    auto *label = new QLabel(QStringLiteral("治療番号"), this);
    label->setGeometry(16, 20, 64, 24);
    CureNoEdit = new QLineEdit(this);
    CureNoEdit->setObjectName(QStringLiteral("CureNoEdit"));
    CureNoEdit->setGeometry(84, 20, 110, 24);
    CureNoEdit->installEventFilter(this);
    SearchBtn = new QPushButton(QStringLiteral("検索"), this);
    SearchBtn->setObjectName(QStringLiteral("SearchBtn"));
    SearchBtn->setGeometry(204, 20, 64, 26);
    ConfirmBtn = new QPushButton(QStringLiteral("確認"), this);
    ConfirmBtn->setObjectName(QStringLiteral("ConfirmBtn"));
    ConfirmBtn->setGeometry(276, 20, 64, 26);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(250, 72, 90, 28);

    PromptLabel = new QLabel(QStringLiteral("計画登録日を選択して下さい。"), this);
    PromptLabel->setGeometry(16, 112, 300, 22);
    PlanGrid = new QTableWidget(0, 3, this);
    PlanGrid->setObjectName(QStringLiteral("PlanGrid"));
    PlanGrid->setGeometry(16, 136, 328, 176);
    PlanGrid->setHorizontalHeaderLabels(
        {QStringLiteral("計画登録日"), QStringLiteral("計画終了日"), QStringLiteral("PlanNo")});
    PlanGrid->setColumnHidden(2, true);
    PlanGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    PlanGrid->verticalHeader()->hide();
    PlanGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    PlanGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    PlanGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PlanGrid->viewport()->installEventFilter(this);
    DecideBtn = new QPushButton(QStringLiteral("確定"), this);
    DecideBtn->setObjectName(QStringLiteral("DecideBtn"));
    DecideBtn->setGeometry(154, 326, 90, 28);

    connect(SearchBtn, &QPushButton::clicked, this, &TGetCurePlanForm::SearchBtnClick);
    connect(ConfirmBtn, &QPushButton::clicked, this, &TGetCurePlanForm::ConfirmBtnClick);
    connect(DecideBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    setFixedHeight(EntryHeight);
}

void TGetCurePlanForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    setFixedHeight(EntryHeight);
    CureNoEdit->clear();
    CureNoEdit->setFocus();
    ConfirmBtn->setEnabled(true);
    DecideBtn->setEnabled(false);
    PlanGrid->setRowCount(0);
}

bool TGetCurePlanForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_enter.isEnterRelease(watched, event) && watched == CureNoEdit) {
        ConfirmBtnClick();
        return true;
    }
    if (watched == PlanGrid->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const bool handled = QDialog::eventFilter(watched, event);
        PlanGridMouseUp();
        return handled;
    }
    return QDialog::eventFilter(watched, event);
}

void TGetCurePlanForm::SearchBtnClick()
{
    if (!UserSearchForm || Dialogs::exec(UserSearchForm) != QDialog::Accepted) {
        reject();
        return;
    }
    CureNoEdit->setText(QString::number(UserSearchForm->Person.CureNo));
    ConfirmBtn->setEnabled(true);
}

void TGetCurePlanForm::ConfirmBtnClick()
{
    setFixedHeight(EntryHeight);
    bool ok = false;
    const int number = CureNoEdit->text().toInt(&ok);
    if (!ok) {
        Dialogs::information(QStringLiteral("数字エラーです。\n半角数字で入力してください。"));
        CureNoEdit->setFocus();
        return;
    }
    if (number < 1) {
        Dialogs::information(QStringLiteral("0 より大きい数字を入力してください。"));
        CureNoEdit->setFocus();
        return;
    }
    EnteredNumber = number;
    if (Mode == ChooseUser) {
        CureNo = number;
        accept();
        return;
    }
    const std::optional<std::vector<PlanStore::PlanEntry>> plans = m_store.plansOf(number);
    if (!plans || plans->empty()) {
        Dialogs::information(QStringLiteral("該当する利用者の治療計画書がありません。\n確認してください。"));
        CureNoEdit->setFocus();
        return;
    }
    if (plans->size() == 1) {
        PlanNo = plans->front().PlanNo;
        accept();
        return;
    }
    showPlans(*plans);
}

void TGetCurePlanForm::showPlans(const std::vector<PlanStore::PlanEntry> &plans)
{
    PlanGrid->clearSelection();
    PlanGrid->setRowCount(int(plans.size()));
    for (int row = 0; row < int(plans.size()); ++row) {
        const PlanStore::PlanEntry &plan = plans[size_t(row)];
        PlanGrid->setItem(row, 0, new QTableWidgetItem(FormatEraDate(plan.PlanRegistDay)));
        PlanGrid->setItem(row, 1, new QTableWidgetItem(FormatEraDate(plan.PlanEndDay)));
        PlanGrid->setItem(row, 2, new QTableWidgetItem(QString::number(plan.PlanNo)));
    }
    PlanGrid->setCurrentCell(-1, -1);
    setFixedHeight(GridHeight);
    ConfirmBtn->setEnabled(false);
    DecideBtn->setEnabled(false);
}

void TGetCurePlanForm::PlanGridMouseUp()
{
    DecideBtn->setEnabled(false);
    const int row = PlanGrid->currentRow();
    if (PlanGrid->rowCount() == 0 || row < 0)
        return;
    PlanNo = PlanGrid->item(row, 2)->text().toInt();
    DecideBtn->setEnabled(true);
}
