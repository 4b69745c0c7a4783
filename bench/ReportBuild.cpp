// Building reports: a list of rows written to PDF (the user list and the
// monthly lists have this shape), and a multiple report of per-user records
// of 31 day lines (the results record printout).

#include "BenchMain.h"
#include "report/building/TrpBandTypes.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpDBDataSet.h"
#include "report/data/TrpTableRowSource.h"
#include "report/data/TrpUserDataset.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpPage.h"
#include "report/pages/TrpPdfFile.h"
#include "report/pages/TrpPrinter.h"

#include "base/DateTime.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace TrpBandTypes;

namespace {

TrpPrinter &printer()
{
    static TrpPrinter instance{QStringList()};
    return instance;
}

TrpPage &a4(TrpReport &report)
{
    TrpPage &page = report.Pages().Add();
    page.UseMargins = true;
    page.Margins = {40, 40, 40, 40};
    page.applyPaper(printer());
    return page;
}

void addBand(TrpPage &page, int type, int top, int height, const QString &source = {})
{
    auto band = std::make_unique<TrpBandView>();
    band->FrameTyp = quint16(type);
    band->Top = top;
    band->Height = height;
    band->FormatStr = source;
    page.Objects.push_back(std::move(band));
}

void addMemo(TrpPage &page, int left, int top, int width, const QString &text, bool frame = false)
{
    auto memo = std::make_unique<TrpMemoView>();
    memo->Left = left;
    memo->Top = top;
    memo->Width = width;
    memo->Height = 16;
    memo->Flags = 0;
    memo->FrameTyp = frame ? TrpView::frAll : 0;
    memo->Memo = QStringList{text};
    page.Objects.push_back(std::move(memo));
}

// The list: title and date, column titles, five columns per row, the page
// number below and the sum and count at the end.
void makeList(TrpReport &report)
{
    TrpPage &page = a4(report);
    addBand(page, btPageHeader, 40, 40);
    addMemo(page, 40, 40, 400, QStringLiteral("利用者一覧表"));
    addMemo(page, 500, 40, 200, QStringLiteral("[DATE #Dyyyy/mm/dd]"));
    addBand(page, btColumnHeader, 90, 20);
    const char16_t *titles[] = {u"番号", u"氏名", u"フリガナ", u"生年月日", u"金額"};
    for (int i = 0; i < 5; ++i)
        addMemo(page, 40 + i * 140, 92, 138, QString::fromUtf16(titles[i]), true);
    addBand(page, btMasterData, 120, 18, QStringLiteral("Users"));
    const char *fields[] = {"[No]", "[Name]", "[Kana]", "[Birth #Dyyyy/mm/dd]", "[Amount #N0.2]"};
    for (int i = 0; i < 5; ++i)
        addMemo(page, 40 + i * 140, 121, 138, QString::fromLatin1(fields[i]), true);
    addBand(page, btPageFooter, 160, 20);
    addMemo(page, 350, 162, 100, QStringLiteral("- [PAGE#] -"));
    addBand(page, btReportSummary, 190, 20);
    addMemo(page, 40, 192, 600, QStringLiteral("合計 [SUM([Amount]) #N0.2]  件数 [COUNT(1)]"));
}

struct ListData
{
    explicit ListData(int rows)
    {
        for (int i = 0; i < rows; ++i)
            table.addRow({Variant(i + 1), Variant(QStringLiteral("山田 太郎%1").arg(i)),
                          Variant(QStringLiteral("ヤマダ タロウ%1").arg(i)),
                          Variant::dateTime(DateTime::encodeDate(1930 + i % 60, 1 + i % 12, 1 + i % 28)),
                          Variant(1000.5 + i)});
        users.setObjectName(QStringLiteral("Users"));
        users.setDataSet(&table);
    }

    QObject form;
    TrpTableRowSource table{{QStringLiteral("No"), QStringLiteral("Name"), QStringLiteral("Kana"),
                             QStringLiteral("Birth"), QStringLiteral("Amount")}};
    TrpDBDataSet users{&form};
};

qint64 peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
    }
    return 0;
}

void ListToPdf(benchmark::State &state)
{
    ListData data(int(state.range(0)));
    TrpReport report(&data.form);
    report.setPrinter(printer());
    makeList(report);
    qint64 bytes = 0;
    for (auto _ : state) {
        report.PrepareReport();
        TrpPdfFile pdf;
        for (int i = 0; i < report.EMFPages().Count(); ++i)
            (void)pdf.print(report.EMFPages()[i]);
        if (!pdf.finish())
            state.SkipWithError(pdf.errorString().toStdString().c_str());
        bytes = pdf.document().size();
    }
    if (report.hasError())
        state.SkipWithError(report.ErrorText().toStdString().c_str());
    state.counters["pages"] = report.EMFPages().Count();
    state.counters["pdf_kB"] = double(bytes / 1024);
    state.counters["peak_MB"] = double(peakMegabytes());
}
BENCHMARK(ListToPdf)->ArgsProduct({benchSizes({1000, 10000})})->Unit(benchmark::kMillisecond);

// The same list built only, to tell building from writing the PDF.
void ListBuild(benchmark::State &state)
{
    ListData data(int(state.range(0)));
    TrpReport report(&data.form);
    report.setPrinter(printer());
    makeList(report);
    for (auto _ : state)
        report.PrepareReport();
    state.counters["pages"] = report.EMFPages().Count();
}
BENCHMARK(ListBuild)->ArgsProduct({benchSizes({1000, 10000})})->Unit(benchmark::kMillisecond);

// One record per user: a heading, 31 day lines of ten answered fields and a
// total line, built once per user of a counted master data set.
void ResultRecords(benchmark::State &state)
{
    QObject form;
    TrpUserDataset users(&form);
    users.RangeEnd = reCount;
    users.RangeEndCount = 200;
    TrpUserDataset days(&form);
    days.setObjectName(QStringLiteral("Days"));
    days.RangeEnd = reCount;
    days.RangeEndCount = 31;
    TrpReport report(&form);
    report.setPrinter(printer());
    report.ReportType = rtMultiple;
    report.Dataset = &users;
    TrpPage &page = a4(report);
    addBand(page, btReportTitle, 40, 60);
    addMemo(page, 40, 40, 400, QStringLiteral("リハビリ実績記録書 [UserName]"));
    addMemo(page, 40, 60, 400, QStringLiteral("[Month]"));
    addBand(page, btMasterData, 110, 18, QStringLiteral("Days"));
    for (int i = 0; i < 10; ++i)
        addMemo(page, 40 + i * 70, 111, 68, QStringLiteral("[Day%1]").arg(i), true);
    addBand(page, btReportSummary, 140, 20);
    addMemo(page, 40, 142, 300, QStringLiteral("[Total]"));
    report.OnGetValue = [&](const QString &name, Variant &value) {
        if (name.startsWith(QLatin1String("Day")))
            value = Variant(QStringLiteral("%1-%2").arg(days.RecNo + 1).arg(name.mid(3)));
        else if (name == QLatin1String("UserName"))
            value = Variant(QStringLiteral("利用者%1").arg(users.RecNo));
        else if (name == QLatin1String("Month"))
            value = Variant(QStringLiteral("2024年5月"));
        else if (name == QLatin1String("Total"))
            value = Variant(31);
    };
    for (auto _ : state)
        report.PrepareReport();
    if (report.hasError())
        state.SkipWithError(report.ErrorText().toStdString().c_str());
    state.counters["pages"] = report.EMFPages().Count();
}
BENCHMARK(ResultRecords)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv);
}
