#include "printingui/TPrintToukeiForm.h"

#include "base/Clock.h"
#include "base/DateTime.h"
#include "core/AppContext.h"
#include "core/EraDate.h"
#include "core/TMainModule.h"
#include "coreui/CsvFileDialog.h"
#include "coreui/FormParts.h"
#include "platform/DialogService.h"
#include "printing/ToukeiCsv.h"
#include "printing/ToukeiPrint.h"
#include "printingui/MonthUpDown.h"
#include "reportui/PrintoutPreview.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

TPrintToukeiForm *PrintToukeiForm = nullptr;

namespace {

constexpr int RowHeight = 26;
constexpr int GridLeft = 240;
constexpr int GridTop = 110;
constexpr int ColumnWidth = 84;

constexpr std::array<QStringView, 4> FormCaptions{u"入所", u"短期入所", u"通所リハビリ", u"訪問"};
// The four types of each form; the home visits have the first two only.
constexpr std::array<QStringView, 4> TypeCaptions{u"短期集中リハビリ", u"認知症リハビリ", u"集団リハビリ",
                                                  u"個別リハビリ"};
constexpr std::array<QStringView, 2> HomeVisitCaptions{u"短期集中", u"認知症短期集中"};
constexpr std::array<QStringView, ToukeiCounts::Measures> MeasureCaptions{u"日　数（人）", u"実人数（人）",
                                                                          u"延人数（人）"};
// "３ヶ月前" is M-2: the months by index 0 (M-2) to 2 (M).
constexpr std::array<QStringView, ToukeiCounts::Months> CsvFailures{u"３ヶ月前のデータの保存に失敗しました。",
                                                                    u"２ヶ月前のデータの保存に失敗しました。",
                                                                    u"１ヶ月前のデータの保存に失敗しました。"};

} // namespace

TPrintToukeiForm::TPrintToukeiForm(AppContext &context, QWidget *parent)
    : PrintWorkForm(context, QStringLiteral("PrintToukeiForm"), QStringLiteral("統計情報（印刷）"), QSize(1010, 660),
                    parent),
      m_counts(Clock::today())
{
    using FormParts::addButton;
    Hizuke = MonthUpDown::addWithLabel(MainPanel, YearMonthLabel);
    ResultLoadBtn =
        addButton(MainPanel, QStringLiteral("ResultLoadBtn"), QStringLiteral("表示"), QRect(220, 10, 100, 36));

    for (int month = 0; month < ToukeiCounts::Months; ++month) {
        // Month 2 (M) is titled YYMMTitle2 and lies rightmost.
        const int left = GridLeft + month * ColumnWidth * ToukeiCounts::Measures;
        QLabel *title =
            FormParts::addLabel(MainPanel, QString(), QRect(left, 60, ColumnWidth * 3, 24), Qt::AlignCenter);
        title->setObjectName(QStringLiteral("YYMMTitle%1").arg(month));
        YYMMTitle[size_t(month)] = title;
        for (int measure = 0; measure < ToukeiCounts::Measures; ++measure)
            FormParts::addLabel(MainPanel, MeasureCaptions[size_t(measure)].toString(),
                                QRect(left + measure * ColumnWidth, 84, ColumnWidth, 24), Qt::AlignCenter);
    }
    for (int row = 0; row < ToukeiCounts::Types; ++row) {
        const int top = GridTop + row * RowHeight;
        if (row % 4 == 0)
            FormParts::addLabel(MainPanel, FormCaptions[size_t(row / 4)].toString(), QRect(10, top, 100, RowHeight),
                                Qt::AlignLeft | Qt::AlignVCenter);
        const QStringView type = row < 12 ? TypeCaptions[size_t(row % 4)] : HomeVisitCaptions[size_t(row - 12)];
        FormParts::addLabel(MainPanel, type.toString(), QRect(110, top, 126, RowHeight),
                            Qt::AlignLeft | Qt::AlignVCenter);
    }
    StringGrid1 = new QTableWidget(ToukeiCounts::Types, ToukeiCounts::Months * ToukeiCounts::Measures, MainPanel);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    StringGrid1->verticalHeader()->setDefaultSectionSize(RowHeight);
    StringGrid1->setGeometry(GridLeft, GridTop, ColumnWidth * 9 + 2, RowHeight * ToukeiCounts::Types + 2);
    QFont cells = font();
    cells.setPointSize(14);
    StringGrid1->setFont(cells);
    QPalette colours = StringGrid1->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    colours.setColor(QPalette::Text, Qt::black);
    StringGrid1->setPalette(colours);

    // The CSV paths: M first, as the settings Toukei0..2 hold them.
    for (int i = 0; i < ToukeiCounts::Months; ++i) {
        const int top = 490 + i * 40;
        QLabel *label =
            FormParts::addLabel(MainPanel, QString(), QRect(10, top, 300, 30), Qt::AlignLeft | Qt::AlignVCenter);
        label->setObjectName(QStringLiteral("B%1Lbl").arg(i));
        BLbl[size_t(i)] = label;
        auto *edit = new QLineEdit(MainPanel);
        edit->setObjectName(QStringLiteral("B%1Edit").arg(i));
        edit->setGeometry(310, top, 480, 30);
        BEdit[size_t(i)] = edit;
        BButton[size_t(i)] =
            addButton(MainPanel, QStringLiteral("B%1Button").arg(i), QStringLiteral("設　定"), QRect(800, top, 80, 30));
        connect(BButton[size_t(i)], &QPushButton::clicked, this, [this, i] { choosePath(i); });
    }
    PrintButton =
        addButton(MainPanel, QStringLiteral("PrintButton"), QStringLiteral("印　刷"), QRect(340, 10, 100, 36));
    CSVButton = addButton(MainPanel, QStringLiteral("CSVButton"), QStringLiteral("CSV出力"), QRect(450, 10, 100, 36));
    CancelButton =
        addButton(MainPanel, QStringLiteral("CancelButton"), QStringLiteral("キャンセル"), QRect(560, 10, 100, 36));
    ReturnButton =
        addButton(MainPanel, QStringLiteral("ReturnButton"), QStringLiteral("戻る"), QRect(890, 10, 110, 36));

    // A month change drops the counts shown, as a cancel does.
    connect(Hizuke, &MonthUpDown::stepped, this, [this](int months) {
        m_counts.stepMonth(months);
        setCounted(false);
        showMonth();
    });
    connect(ResultLoadBtn, &QPushButton::clicked, this, &TPrintToukeiForm::ResultLoadBtnClick);
    connect(CancelButton, &QPushButton::clicked, this, &TPrintToukeiForm::CancelButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TPrintToukeiForm::PrintButtonClick);
    connect(CSVButton, &QPushButton::clicked, this, &TPrintToukeiForm::CSVButtonClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    setCounted(false);
    showMonth();
}

void TPrintToukeiForm::formShown()
{
    m_counts = ToukeiCounts(Clock::today());
    setCounted(false);
    // The first month is shown spaced; a stepped one is not.
    YearMonthLabel->setText(DateTime::format(u"gg ee年mm月", m_counts.chosenMonth()));
    for (int i = 0; i < ToukeiCounts::Months; ++i)
        BEdit[size_t(i)]->setText(setting(i));
}

QString &TPrintToukeiForm::setting(int month) const
{
    TRegistory &settings = m_context.registory;
    return month == 0 ? settings.Toukei0 : month == 1 ? settings.Toukei1 : settings.Toukei2;
}

void TPrintToukeiForm::showMonth()
{
    YearMonthLabel->setText(FormatEraYearMonth(m_counts.chosenMonth()));
}

void TPrintToukeiForm::setCounted(bool counted)
{
    for (int month = 0; month < ToukeiCounts::Months; ++month) {
        // Title i names the month i before M, as the path row i does.
        const QString title = FormatEraYearMonth(m_counts.monthStart(month));
        YYMMTitle[size_t(month)]->setText(title);
        YYMMTitle[size_t(month)]->setVisible(counted);
        const int path = ToukeiCounts::Months - 1 - month;
        BLbl[size_t(path)]->setText(title + QStringLiteral("CSVファイルの保存場所"));
    }
    for (int i = 0; i < ToukeiCounts::Months; ++i) {
        BLbl[size_t(i)]->setVisible(counted);
        BEdit[size_t(i)]->setVisible(counted);
        BButton[size_t(i)]->setVisible(counted);
    }
    PrintButton->setVisible(counted);
    CSVButton->setVisible(counted);
    ResultLoadBtn->setEnabled(!counted);
    CancelButton->setEnabled(counted);
    for (int row = 0; row < ToukeiCounts::Types; ++row) {
        for (int column = 0; column < StringGrid1->columnCount(); ++column) {
            auto *item =
                new QTableWidgetItem(counted ? QString::asprintf("%3d", m_counts.cell(row, column)) : QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            StringGrid1->setItem(row, column, item);
        }
    }
}

void TPrintToukeiForm::ResultLoadBtnClick()
{
    if (!m_counts.count(m_context.database)) {
        setCounted(false);
        Dialogs::error(QStringLiteral("SystemError : 統計 集計 Error "));
        return;
    }
    setCounted(true);
}

void TPrintToukeiForm::CancelButtonClick()
{
    setCounted(false);
}

void TPrintToukeiForm::PrintButtonClick()
{
    if (!m_counts.counted())
        return;
    ToukeiPrint print(m_counts, m_context.mainModule.FacilityName, Clock::today());
    PrintoutPreview::show(print.report(), m_context.appDir + u'/' + ToukeiPrint::TemplateName.toString());
}

void TPrintToukeiForm::choosePath(int month)
{
    const QString name =
        CsvFileDialog::saveName(this, QStringLiteral("CSVファイルの保存場所"), BEdit[size_t(month)]->text());
    if (name.isEmpty())
        return;
    BEdit[size_t(month)]->setText(name);
    setting(month) = name;
}

void TPrintToukeiForm::CSVButtonClick()
{
    bool failed = false;
    for (int month = 0; month < ToukeiCounts::Months; ++month) {
        const QString path = BEdit[size_t(ToukeiCounts::Months - 1 - month)]->text();
        std::vector<UserMessage> told;
        const bool written = ToukeiCsv::write(m_context.database, path, m_counts.monthStart(month),
                                              m_counts.monthEnd(month), Dialogs::asker(), told);
        Dialogs::show(told);
        if (!written) {
            Dialogs::error(CsvFailures[size_t(month)].toString());
            failed = true;
        }
    }
    // The end is announced only when no month failed: after a failure it
    // would read as success.
    if (!failed)
        Dialogs::information(QStringLiteral("ＣＳＶ出力を終了しました。"));
}
