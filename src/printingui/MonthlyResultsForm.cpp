#include "printingui/MonthlyResultsForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/EraDate.h"
#include "core/TMainModule.h"
#include "coreui/CsvFileDialog.h"
#include "coreui/FormParts.h"
#include "platform/DialogService.h"
#include "printing/ListCsvFile.h"
#include "printingui/TPrintMenuForm.h"
#include "report/building/TrpReport.h"
#include "reportui/PrintoutPreview.h"
#include "results/ResultSheet.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

MonthlyResultsForm::MonthlyResultsForm(AppContext &context, const QString &name, const QString &caption,
                                       QString TRegistory::*csvSetting, int rows, QWidget *parent)
    : MenuWindow(
          context, [] { return static_cast<QWidget *>(PrintMenuForm); }, -1, 0, parent),
      m_csvSetting(csvSetting)
{
    setObjectName(name);
    setWindowTitle(caption);
    resize(800, 600);
    const int staffTop = conditionTop() + rows * 40;
    MainPanel->setFixedSize(580, staffTop + 250);

    FormParts::addLabel(MainPanel, QStringLiteral("対象年月"), QRect(20, 20, 90, 26));
    Hizuke = new QWidget(MainPanel);
    Hizuke->setObjectName(QStringLiteral("Hizuke"));
    Hizuke->setGeometry(120, 20, 230, 26);
    const auto arrow = [this](const char *arrowName, Qt::ArrowType type, int left) {
        auto *button = new QToolButton(Hizuke);
        button->setObjectName(QString::fromLatin1(arrowName));
        button->setArrowType(type);
        button->setGeometry(left, 0, 30, 26);
        return button;
    };
    HizukeLeft = arrow("HizukeLeft", Qt::LeftArrow, 0);
    YearMonthLabel = new QLabel(Hizuke);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setGeometry(34, 0, 160, 26);
    YearMonthLabel->setAlignment(Qt::AlignCenter);
    YearMonthLabel->setFrameShape(QFrame::Panel);
    YearMonthLabel->setFrameShadow(QFrame::Sunken);
    HizukeRight = arrow("HizukeRight", Qt::RightArrow, 198);

    RadioButton2 = new QRadioButton(QStringLiteral("　  リハスタッフ全員"), MainPanel);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(20, staffTop, 260, 26);
    RadioButton2->setChecked(true);
    RadioButton1 = new QRadioButton(QStringLiteral("担当者指定"), MainPanel);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(20, staffTop + 36, 120, 26);
    Joken3Box = new QComboBox(MainPanel);
    Joken3Box->setObjectName(QStringLiteral("Joken3Box"));
    Joken3Box->setGeometry(150, staffTop + 36, 220, 26);
    Joken3Box->setEnabled(false);

    FormParts::addLabel(MainPanel, QStringLiteral("CSVファイルの保存場所"), QRect(20, staffTop + 80, 300, 22),
                        Qt::AlignLeft | Qt::AlignVCenter);
    CsvEdit = new QLineEdit(MainPanel);
    CsvEdit->setObjectName(QStringLiteral("CsvEdit"));
    CsvEdit->setGeometry(20, staffTop + 104, 440, 26);
    CSVSearchButton = FormParts::addButton(MainPanel, QStringLiteral("CSVSearchButton"), QStringLiteral("設　定"),
                                           QRect(470, staffTop + 104, 90, 26));
    PrintButton = FormParts::addButton(MainPanel, QStringLiteral("PrintButton"), QStringLiteral("印　刷"),
                                       QRect(20, staffTop + 170, 160, 44));
    CSVOutButton = FormParts::addButton(MainPanel, QStringLiteral("CSVOutButton"), QStringLiteral("CSV出力"),
                                        QRect(210, staffTop + 170, 160, 44));
    ReturnButton = FormParts::addButton(MainPanel, QStringLiteral("ReturnButton"), QStringLiteral("戻る"),
                                        QRect(400, staffTop + 170, 160, 44));

    connect(HizukeLeft, &QToolButton::clicked, this, [this] { stepMonth(-1); });
    connect(HizukeRight, &QToolButton::clicked, this, [this] { stepMonth(1); });
    connect(RadioButton1, &QRadioButton::toggled, Joken3Box, &QWidget::setEnabled);
    connect(CSVSearchButton, &QPushButton::clicked, this, &MonthlyResultsForm::CSVSearchButtonClick);
    connect(CSVOutButton, &QPushButton::clicked, this, &MonthlyResultsForm::CSVOutButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &MonthlyResultsForm::PrintButtonClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
}

void MonthlyResultsForm::FormShow()
{
    CsvEdit->setText(m_context.registory.*m_csvSetting);
    m_from = ResultSheet::monthRange(Clock::today()).first;
    showMonth();
    Joken3Box->clear();
    Joken3Box->addItems(m_context.mainModule.StaffNames());
    Joken3Box->setCurrentIndex(-1);
}

void MonthlyResultsForm::showMonth()
{
    YearMonthLabel->setText(FormatEraYearMonth(m_from));
}

void MonthlyResultsForm::stepMonth(int months)
{
    m_from = DateTime::fromDate(DateTime::toDate(m_from).addMonths(months));
    showMonth();
}

std::optional<MonthlyChoice> MonthlyResultsForm::choice()
{
    MonthlyChoice choice;
    choice.month = m_from;
    if (RadioButton1->isChecked()) {
        const int index = Joken3Box->currentIndex();
        if (index < 0 || index >= m_context.mainModule.StaffCount()) {
            Dialogs::error(QStringLiteral("担当者を指定してください。"), MessageButtons::Yes);
            return std::nullopt;
        }
        choice.staffCode = m_context.mainModule.staff().codeAt(index);
    }
    return choice;
}

bool MonthlyResultsForm::reportStatus(MonthlyReport::Status status)
{
    switch (status) {
    case MonthlyReport::Status::Ready:
        return true;
    case MonthlyReport::Status::ReadFailed:
        Dialogs::error(QStringLiteral("データの抽出に失敗しました。"), MessageButtons::Yes);
        break;
    case MonthlyReport::Status::NoRows:
        Dialogs::warning(QStringLiteral("条件に該当するデータがありません。"), MessageButtons::Yes);
        break;
    }
    return false;
}

void MonthlyResultsForm::PrintButtonClick()
{
    const std::optional<MonthlyChoice> chosen = choice();
    if (!chosen)
        return;
    // Every print reads the month again into a report of its own.
    QObject owner;
    TrpReport report(&owner);
    if (reportStatus(setUpReport(report, *chosen)))
        PrintoutPreview::show(report, MonthlyReport::templateFile(m_context, templateName()));
}

void MonthlyResultsForm::CSVOutButtonClick()
{
    const std::optional<MonthlyChoice> chosen = choice();
    if (!chosen)
        return;
    // The list is read first: nothing to write creates no folder and
    // replaces no file.
    ListCsvFile::Content file;
    if (!csvFile(*chosen, file))
        return;
    std::vector<UserMessage> told;
    const std::optional<QString> fileName = ListCsvFile::target(CsvEdit->text(), told);
    const bool written = fileName && CsvWriter::confirmOverwrite(*fileName, MessageButtons::OkNo, Dialogs::asker()) &&
                         ListCsvFile::write(*fileName, file, told);
    Dialogs::show(told);
    if (!written)
        return;
    Dialogs::information(QStringLiteral("終了しました。"));
}

void MonthlyResultsForm::CSVSearchButtonClick()
{
    QString &setting = m_context.registory.*m_csvSetting;
    const QString fileName = CsvFileDialog::saveName(this, QStringLiteral("CSVファイルの保存場所"), setting);
    if (fileName.isEmpty())
        return;
    setting = fileName;
    CsvEdit->setText(fileName);
}
