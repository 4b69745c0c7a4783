// The printouts of the print menu over 300 users, on SQLite and (when
// TAMSOLEN_PG names a server) on PostgreSQL: the three-month statistics
// counted from 20,000 results and built to a PDF file, and the results
// records of 100 users (100 pages) built to a PDF file.
#include "BenchDatabase.h"
#include "BenchFacilities.h"
#include "DemoUsers.h"

#include "core/AppContext.h"
#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "plans/TPlanData.h"
#include "platform/DbDate.h"
#include "platform/DbTransaction.h"
#include "platform/DialogService.h"
#include "printing/PersonResultPrint.h"
#include "printing/ToukeiPrint.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPdfFile.h"
#include "results/CureResultStore.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int UserCount = 300;
constexpr int ResultCount = 20000;
constexpr int RecordCount = 100;
const TDateTime February = DateTime::encodeDate(2024, 2, 1);
const TDateTime April = DateTime::encodeDate(2024, 4, 1);

// A database with the demo users, three months of their results and a
// plan for each of the first hundred.
class Facility
{
public:
    explicit Facility(DbKind kind) : m_database(kind, QStringLiteral("printouts"))
    {
        QString error;
        if (!DemoUsers::add(db(), UserCount, error))
            qFatal("users: %s", qPrintable(error));
        BenchFacilities::addStaff(m_module);
        m_module.FacilityName = QStringLiteral("ひだまり苑");
        addResults();
        addPlans();
        if (kind == DbKind::PostgreSQL)
            m_database.run(QStringLiteral("ANALYZE"));
    }

    [[nodiscard]] DbConnection &db() { return m_database.db(); }
    [[nodiscard]] AppContext &context() { return m_context; }
    [[nodiscard]] const std::vector<int> &recordUsers() const { return m_recordUsers; }
    [[nodiscard]] QString pdfFile() const { return m_folder.filePath(QStringLiteral("printout.pdf")); }

private:
    // Over the 91 days of February to April, every form and category.
    void addResults()
    {
        std::vector<CureResult> rows;
        for (int i = 0; i < ResultCount; ++i) {
            CureResult r;
            r.CureNo = 1 + i % UserCount;
            r.CureDate = February + (i * 91) / ResultCount;
            r.StuffCode = 1 + i % 3;
            r.StuffName = m_module.staff().nameAt(i % 3);
            r.StuffKigo = m_module.staff().kigoAt(i % 3);
            r.RStartTime = r.PStartTime = DateTime::encodeTime(9 + (i / 7) % 8, 0);
            r.RMinute = r.PMinute = 20;
            r.RihaType = (i / 3) % 4;
            r.KubunCode = 1 << (i % 4);
            r.deriveFlags();
            r.Name = QStringLiteral("利用者");
            r.LoginName = QStringLiteral("山田　太郎");
            rows.push_back(r);
        }
        // One commit: on SQLite each one waits for the disk.
        DbTransaction transaction(db());
        if (!CureResultStore(db()).insert(rows) || !transaction.commit())
            qFatal("results");
    }
    void addPlans()
    {
        DbTransaction transaction(db());
        DbQuery insert(db(), QStringLiteral("INSERT INTO RihaPlan (CureNo, PlanRegistDay, PlanEndDay, PlanData) "
                                            "VALUES (?, ?, ?, ?)"));
        TPlanData data;
        data.Program[0] = QStringLiteral("平行棒内歩行訓練");
        for (int cureNo = 1; cureNo <= RecordCount; ++cureNo) {
            insert.clearBindings();
            insert.addBind(cureNo).addBind(DbDate{April - 30}).addBind(DbDate{April + 150}).addBind(data.toBytes());
            if (!insert.exec())
                qFatal("plan: %s", qPrintable(insert.errorText()));
            m_recordUsers.push_back(cureNo);
        }
        if (!transaction.commit())
            qFatal("plans");
    }

    BenchDatabase m_database;
    QTemporaryDir m_folder;
    TRegistory m_registory;
    TDBSeting m_dbSeting;
    TMainModule m_module;
    AppContext m_context{db(),     m_registory,        m_dbSeting,
                         m_module, Dialogs::service(), QStringLiteral(TAMSOLEN_TEMPLATE_DIR)};
    std::vector<int> m_recordUsers;
};

// Loads the printout's template as the print forms do, builds the
// report's pages and writes them to the PDF file.
bool writePdf(TrpReport &report, QStringView templateName, const QString &fileName)
{
    if (!report.LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") + templateName.toString()) ||
        !report.PrepareReport() || report.hasError())
        return false;
    TrpPdfFile pdf;
    for (int i = 0; i < report.EMFPages().Count(); ++i) {
        if (!pdf.print(report.EMFPages()[i]))
            return false;
    }
    return pdf.finish() && pdf.save(fileName);
}

void toukeiCount(benchmark::State &state, Facility &facility)
{
    for (auto _ : state) {
        ToukeiCounts counts(April);
        if (!counts.count(facility.db()) || counts.at(0, 2, ToukeiCounts::Rows) == 0)
            state.SkipWithError("count");
    }
}

void toukeiPdf(benchmark::State &state, Facility &facility)
{
    for (auto _ : state) {
        ToukeiCounts counts(April);
        if (!counts.count(facility.db())) {
            state.SkipWithError("count");
            break;
        }
        ToukeiPrint print(std::move(counts), facility.context().mainModule.FacilityName, April);
        if (!writePdf(print.report(), ToukeiPrint::TemplateName, facility.pdfFile()))
            state.SkipWithError("statistics");
    }
}

void recordsPdf(benchmark::State &state, Facility &facility)
{
    for (auto _ : state) {
        PersonResultPrint print(facility.context(), April, facility.recordUsers());
        if (!writePdf(print.report(), PersonResultPrint::TemplateName, facility.pdfFile()) ||
            print.report().EMFPages().Count() != RecordCount)
            state.SkipWithError("records");
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    std::vector<std::unique_ptr<Facility>> facilities;
    const std::pair<const char *, BenchFacilities::Run<Facility>> runs[] = {
        {"Toukei/Count126", toukeiCount}, {"Toukei/Pdf", toukeiPdf}, {"Records100/Pdf", recordsPdf}};
    BenchFacilities::registerRuns<Facility>(facilities, runs);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
