#include "plansui/PlanChooserDialog.h"

#include "coreui/EnterKeyGuard.h"
#include "platform/DialogService.h"
#include "usersui/TUserSearchForm.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

PlanChooserDialog::PlanChooserDialog(const Texts &texts, QWidget *parent) : QDialog(parent), m_noPlans(texts.noPlans)
{
    setWindowTitle(texts.caption);
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

    PromptLabel = new QLabel(texts.prompt, this);
    PromptLabel->setGeometry(16, 112, 300, 22);
    const int columns = int(texts.columns.size());
    PlanGrid = new QTableWidget(0, columns + 1, this);
    PlanGrid->setObjectName(QStringLiteral("PlanGrid"));
    PlanGrid->setGeometry(16, 136, 328, 176);
    PlanGrid->setHorizontalHeaderLabels(texts.columns + QStringList{QStringLiteral("Key")});
    PlanGrid->setColumnHidden(columns, true);
    PlanGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    PlanGrid->verticalHeader()->hide();
    PlanGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    PlanGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    PlanGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PlanGrid->viewport()->installEventFilter(this);
    DecideBtn = new QPushButton(QStringLiteral("確定"), this);
    DecideBtn->setObjectName(QStringLiteral("DecideBtn"));
    DecideBtn->setGeometry(154, 326, 90, 28);

    connect(SearchBtn, &QPushButton::clicked, this, &PlanChooserDialog::SearchBtnClick);
    connect(ConfirmBtn, &QPushButton::clicked, this, &PlanChooserDialog::ConfirmBtnClick);
    connect(DecideBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    showGrid(false);
    EnterKeyGuard::install(this);
}

void PlanChooserDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    showGrid(false);
    CureNoEdit->clear();
    CureNoEdit->setFocus();
    ConfirmBtn->setEnabled(true);
    DecideBtn->setEnabled(false);
    PlanGrid->setRowCount(0);
}

bool PlanChooserDialog::eventFilter(QObject *watched, QEvent *event)
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

void PlanChooserDialog::SearchBtnClick()
{
    if (!UserSearchForm || Dialogs::exec(UserSearchForm) != QDialog::Accepted) {
        reject();
        return;
    }
    CureNoEdit->setText(QString::number(UserSearchForm->Person.CureNo));
    ConfirmBtn->setEnabled(true);
}

void PlanChooserDialog::showGrid(bool shown)
{
    // The prompt belongs to the grid; the short dialog would cut it in half.
    PromptLabel->setVisible(shown);
    setFixedHeight(shown ? GridHeight : EntryHeight);
}

void PlanChooserDialog::ConfirmBtnClick()
{
    showGrid(false);
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
    CureNo = number;
    if (Mode == ChooseUser) {
        accept();
        return;
    }
    const std::optional<std::vector<Entry>> plans = plansOf(number);
    if (!plans || plans->empty()) {
        Dialogs::information(m_noPlans);
        CureNoEdit->setFocus();
        return;
    }
    if (plans->size() == 1) {
        setChosen(plans->front().key);
        accept();
        return;
    }
    showPlans(*plans);
}

void PlanChooserDialog::showPlans(const std::vector<Entry> &plans)
{
    const int keyColumn = PlanGrid->columnCount() - 1;
    PlanGrid->clearSelection();
    PlanGrid->setRowCount(int(plans.size()));
    for (int row = 0; row < int(plans.size()); ++row) {
        const Entry &plan = plans[size_t(row)];
        for (int column = 0; column < keyColumn && column < plan.cells.size(); ++column)
            PlanGrid->setItem(row, column, new QTableWidgetItem(plan.cells[column]));
        PlanGrid->setItem(row, keyColumn, new QTableWidgetItem(QString::number(plan.key)));
    }
    PlanGrid->setCurrentCell(-1, -1);
    showGrid(true);
    ConfirmBtn->setEnabled(false);
    DecideBtn->setEnabled(false);
}

void PlanChooserDialog::PlanGridMouseUp()
{
    DecideBtn->setEnabled(false);
    const int row = PlanGrid->currentRow();
    if (PlanGrid->rowCount() == 0 || row < 0)
        return;
    setChosen(PlanGrid->item(row, PlanGrid->columnCount() - 1)->text().toInt());
    DecideBtn->setEnabled(true);
}
