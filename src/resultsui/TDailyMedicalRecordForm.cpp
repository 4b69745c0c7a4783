#include "resultsui/TDailyMedicalRecordForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TMainModule.h"
#include "coreui/EraLineEdit.h"
#include "platform/DialogService.h"
#include "resultsui/ResultGridModel.h"
#include "resultsui/ResultPrintouts.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

TDailyMedicalRecordForm *DailyMedicalRecordForm = nullptr;

TDailyMedicalRecordForm::TDailyMedicalRecordForm(AppContext &context, QWidget *parent)
    : ResultRecordWindow(context, parent), m_record(context)
{
    setObjectName(QStringLiteral("DailyMedicalRecordForm"));
    setWindowTitle(QStringLiteral("治療実績入力 （日別）"));
    resize(1120, 720);
    MainPanel->setFixedSize(1090, 640);
    ResultLoadBtn = buildToolBar("ResultLoadBtn", QStringLiteral("表示"));
    connect(ResultLoadBtn, &QToolButton::clicked, this, &TDailyMedicalRecordForm::ResultLoadBtnClick);
    connect(PrintButton, &QToolButton::clicked, this, &TDailyMedicalRecordForm::PrintButtonClick);
    buildConditions();
    buildGrid();
}

void TDailyMedicalRecordForm::buildConditions()
{
    addCaption(QStringLiteral("実施入力日"), 0, 0, 80);
    ResultInputDay = new EraLineEdit(EraLineEdit::Mode::Date, MainPanel);
    ResultInputDay->setObjectName(QStringLiteral("ResultInputDay"));
    ResultInputDay->setGeometry(80, 0, 160, 26);
    HizukeLeft = new QToolButton(MainPanel);
    HizukeLeft->setObjectName(QStringLiteral("Hizuke"));
    HizukeLeft->setArrowType(Qt::LeftArrow);
    HizukeLeft->setGeometry(242, 0, 26, 26);
    HizukeRight = new QToolButton(MainPanel);
    HizukeRight->setArrowType(Qt::RightArrow);
    HizukeRight->setGeometry(268, 0, 26, 26);
    addCaption(QStringLiteral("担当者"), 320, 0, 50);
    TantouBox = new QComboBox(MainPanel);
    TantouBox->setObjectName(QStringLiteral("TantouBox"));
    TantouBox->setGeometry(370, 0, 150, 26);
    addCaption(QStringLiteral("リハビリ形態"), 540, 0, 90);
    RihaTypeBox = new QComboBox(MainPanel);
    RihaTypeBox->setObjectName(QStringLiteral("RihaTypeBox"));
    RihaTypeBox->setGeometry(630, 0, 130, 26);
    for (const QStringView name : RihaTypeNames)
        RihaTypeBox->addItem(name.toString());
    SumButton = new QPushButton(QStringLiteral("集計"), MainPanel);
    SumButton->setObjectName(QStringLiteral("SumButton"));
    SumButton->setGeometry(0, 40, 80, 28);
    const auto total = [this](const QString &text, const char *name, int left) {
        addCaption(text, left, 41, 80);
        auto *label = new QLabel(MainPanel);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(left + 80, 41, 60, 26);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        return label;
    };
    PlanCountLbl = total(QStringLiteral("計画　回数"), "PlanCountLbl", 100);
    PlanFunnLbl = total(QStringLiteral("計画　時間"), "PlanFunnLbl", 260);
    ExecCountLbl = total(QStringLiteral("実施　回数"), "ExecCountLbl", 420);
    ExecFunnLbl = total(QStringLiteral("実施　時間"), "ExecFunnLbl", 580);

    connect(ResultInputDay, &QLineEdit::returnPressed, this, &TDailyMedicalRecordForm::readDay);
    const auto step = [this](int days) {
        WorkDay += days;
        ResultInputDay->setValue(WorkDay);
    };
    connect(HizukeLeft, &QToolButton::clicked, this, [step] { step(-1); });
    connect(HizukeRight, &QToolButton::clicked, this, [step] { step(1); });
    connect(SumButton, &QPushButton::clicked, this, &TDailyMedicalRecordForm::SumButtonClick);
}

void TDailyMedicalRecordForm::buildGrid()
{
    using Column = ResultGridModel::Column;
    std::vector<Column> columns{{QStringLiteral("CureNo"), QStringLiteral("番号"), 53,
                                 [](const CureResult &r) {
                                     return r.CureNo;
                                 }},
                                {QStringLiteral("Name"), QStringLiteral("氏名"), 90,
                                 [](const CureResult &r) {
                                     return r.Name;
                                 }},
                                {QStringLiteral("CureDate"), QStringLiteral("治療日"), 114, [](const CureResult &r) {
                                     return r.CureDate == DateTime::None ? QString() : FormatEraDate(r.CureDate);
                                 }}};
    for (auto &time : ResultGridModel::timeColumns())
        columns.push_back(std::move(time));
    for (auto &flag : ResultGridModel::flagColumns(26, false))
        columns.push_back(std::move(flag));
    columns.push_back({QStringLiteral("Comment"), QStringLiteral("コメント"), 123,
                       [](const CureResult &r) { return r.Comment; }, true});
    columns.push_back({QStringLiteral("LoginName"), QStringLiteral("入力者"), 79, [](const CureResult &r) {
                           return r.LoginName;
                       }});
    setGrid(new ResultGridModel(m_record.rows(), std::move(columns), this), {5, 6, 21}, QRect(0, 80, 1090, 550));
}

void TDailyMedicalRecordForm::FormShow()
{
    TantouBox->clear();
    TantouBox->addItems(m_context.mainModule.StaffNames());
    WorkDay = Clock::today();
    ResultInputDay->setEmpty();
    TantouBox->setCurrentIndex(-1);
    RihaTypeBox->setCurrentIndex(-1);
    SumButton->setEnabled(false);
    clearTotals();
    clearGrid();
    ResultInputDay->setFocus();
}

void TDailyMedicalRecordForm::clearTotals()
{
    for (QLabel *label : {PlanCountLbl, PlanFunnLbl, ExecCountLbl, ExecFunnLbl})
        label->clear();
}

bool TDailyMedicalRecordForm::readDay()
{
    const auto day = ResultInputDay->value();
    if (!day) {
        Dialogs::error(QStringLiteral("SystemError : 実施入力日 error "), MessageButtons::Abort);
        ResultInputDay->setFocus();
        return false;
    }
    WorkDay = *day;
    return true;
}

void TDailyMedicalRecordForm::ResultLoadBtnClick()
{
    if (!readDay())
        return;
    if (TantouBox->currentIndex() < 0) {
        Dialogs::error(QStringLiteral("SystemError : 担当者 error "), MessageButtons::Abort);
        TantouBox->setFocus();
        return;
    }
    m_staffCode = m_context.mainModule.staff().codeAt(TantouBox->currentIndex());
    if (RihaTypeBox->currentIndex() < 0) {
        Dialogs::error(QStringLiteral("SystemError : リハビリ形態 error "), MessageButtons::Abort);
        RihaTypeBox->setFocus();
        return;
    }
    m_rihaType = RihaTypeBox->currentIndex();
    SumButton->setEnabled(false);
    clearTotals();
    postPending();
    if (!reloadRows()) {
        clearGrid();
        Dialogs::error(QStringLiteral("*** System Error : 治療実績 error "));
        return;
    }
    m_model->reload();
    SaveButton->setEnabled(false);
    if (m_record.rows().size() == 0) {
        Dialogs::message(MessageType::Confirmation,
                         QStringLiteral("該当するスケジュールがありません。\n条件を変更してください。"),
                         MessageButtons::Yes);
        return;
    }
    SumButtonClick();
    SumButton->setEnabled(true);
    PrintButton->setEnabled(true);
}

bool TDailyMedicalRecordForm::reloadRows()
{
    return m_record.load(WorkDay, m_staffCode, m_rihaType);
}

void TDailyMedicalRecordForm::SumButtonClick()
{
    const auto totals = m_record.totals();
    PlanCountLbl->setText(QString::number(totals.PlanCount));
    PlanFunnLbl->setText(QString::number(totals.PlanMinutes));
    ExecCountLbl->setText(QString::number(totals.ExecCount));
    ExecFunnLbl->setText(QString::number(totals.ExecMinutes));
}

void TDailyMedicalRecordForm::PrintButtonClick()
{
    SumButtonClick();
    // The header is that of the loaded day, not of the conditions shown by now.
    ResultPrintouts(m_context).printDaily(m_record, m_context.mainModule.GetStaffName(m_staffCode), m_rihaType);
}
