// The results of a month for 300 users, on SQLite and (when TAMSOLEN_PG
// names a server) on PostgreSQL: filling the month sheet from 6,000
// results (through the window, and the bare query and grouping), importing
// a CSV file of 7,000 lines in one transaction, and copying a month of
// 6,000 bookings into results.
#include "BenchDatabase.h"
#include "BenchFacilities.h"
#include "DemoUsers.h"

#include "core/AppContext.h"
#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "platform/DialogService.h"
#include "results/ResultSheet.h"
#include "results/ResultsCsv.h"
#include "results/ScheduleCopy.h"
#include "resultsui/TResultSheetForm.h"

#include <QApplication>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int UserCount = 300;
constexpr int ResultsPerUser = 20;
constexpr int ImportLines = 7000;
const TDateTime Month = DateTime::encodeDate(2024, 4, 1);
const TDateTime NextMonth = DateTime::encodeDate(2024, 5, 1);

// A database with the demo users, a month of their results and bookings.
class Facility
{
public:
    explicit Facility(DbKind kind) : m_database(kind, QStringLiteral("results"))
    {
        QString error;
        if (!DemoUsers::add(db(), UserCount, error))
            qFatal("fill: %s", qPrintable(error));
        BenchFacilities::addStaff(m_module);
        m_module.LoginStaffName = QStringLiteral("山田　太郎");
        addBookings();
        m_bookings = ScheduleCopy(db(), m_module).list(Month, NextMonth - 1, std::nullopt).value();
        if (!ScheduleCopy(db(), m_module).copy(m_bookings, ScheduleCopy::Mode::Skip).error.isEmpty())
            qFatal("results");
        writeImportFile();
        if (kind == DbKind::PostgreSQL)
            run(QStringLiteral("ANALYZE"));
    }

    [[nodiscard]] AppContext &context() { return m_context; }
    [[nodiscard]] const QString &importFile() const { return m_importFile; }
    [[nodiscard]] const std::vector<ScheduleCopy::Booking> &bookings() const { return m_bookings; }
    // Removes what a timed run wrote after the month's results.
    void removeResultsAfter(int resultNo)
    {
        DbQuery remove(db(), QStringLiteral("DELETE FROM CureResults WHERE ResultNo > ?"));
        remove.addBind(resultNo);
        if (!remove.exec())
            qFatal("remove: %s", qPrintable(remove.errorText()));
    }
    [[nodiscard]] int lastResultNo()
    {
        DbDataSet rows;
        if (!rows.open(DbQuery(db(), QStringLiteral("SELECT MAX(ResultNo) FROM CureResults"))))
            qFatal("max");
        return rows.field(0).asInteger();
    }
    void removeResultsOfMonth() { run(QStringLiteral("DELETE FROM CureResults")); }

private:
    [[nodiscard]] DbConnection &db() { return m_database.db(); }
    void run(const QString &sql) { m_database.run(sql); }
    // Twenty sessions for every user over the month: one slot per staff
    // member and quarter hour, one user each.
    void addBookings()
    {
        DbTransaction transaction(db());
        DbQuery slot(db(), QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, "
                                          "Capacity) VALUES (?, ?, ?, 20, 1)"));
        int slotCount = 0;
        for (int session = 0; session < UserCount * ResultsPerUser; ++session) {
            const int day = session % 30;
            const int staff = 1 + session % 3;
            const int quarter = session / 90;
            slot.clearBindings();
            slot.addBind(DbDate{Month + day})
                .addBind(staff)
                .addBind(DbDate{DateTime::encodeTime(8 + quarter / 4, (quarter % 4) * 15)});
            if (!slot.exec())
                qFatal("slot: %s", qPrintable(slot.errorText()));
            ++slotCount;
        }
        run(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo) SELECT t.ReserveNo, p.CureNo FROM TimeTable t "
                           "JOIN Person p ON p.CureNo = 1 + (t.ReserveNo - 1) % %1")
                .arg(UserCount));
        if (!transaction.commit() || slotCount != UserCount * ResultsPerUser)
            qFatal("bookings");
    }
    void writeImportFile()
    {
        DbDataSet rows;
        if (!rows.open(DbQuery(db(), QStringLiteral("SELECT * FROM CureResults ORDER BY ResultNo"))))
            qFatal("rows");
        const CsvWriter csv = ResultsCsv::writer();
        QByteArray bytes = csv.line(ResultsCsv::headerNames()) + "\r\n";
        int lines = 0;
        while (lines < ImportLines) {
            // The rows are held whole, not paged: a move cannot fail.
            for (rows.first(); !rows.eof() && lines < ImportLines; (void)rows.next(), ++lines)
                bytes += csv.line(ResultsCsv::exportValues(CureResult::fromRow(rows))) + "\r\n";
        }
        m_importFile = m_folder.filePath(QStringLiteral("import.csv"));
        QFile file(m_importFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("import file");
    }

    BenchDatabase m_database;
    QTemporaryDir m_folder;
    QString m_importFile;
    TRegistory m_registory;
    TDBSeting m_dbSeting;
    TMainModule m_module;
    AppContext m_context{m_database.db(), m_registory, m_dbSeting, m_module, Dialogs::service(), {}};
    std::vector<ScheduleCopy::Booking> m_bookings;
};

void sheetForm(benchmark::State &state, Facility &facility)
{
    TResultSheetForm sheet(facility.context());
    for (auto _ : state) {
        sheet.SetMonthHeader(Month, NextMonth);
        if (sheet.StrGrid->rowCount() != UserCount)
            state.SkipWithError("rows");
    }
}

void sheetBare(benchmark::State &state, Facility &facility)
{
    const ResultSheet sheet(facility.context().database);
    for (auto _ : state) {
        const auto users = sheet.load(Month, NextMonth);
        if (!users || users->size() != UserCount)
            state.SkipWithError("rows");
    }
}

void importCsv(benchmark::State &state, Facility &facility)
{
    const int before = facility.lastResultNo();
    const ResultsCsv csv(facility.context());
    for (auto _ : state) {
        // The file repeats stored results each round: import them again.
        if (!csv.importFile(facility.importFile(), [](const UserMessage &) { return MessageAnswer::Yes; }).ok)
            state.SkipWithError("import");
        state.PauseTiming();
        facility.removeResultsAfter(before);
        state.ResumeTiming();
    }
}

void copyMonth(benchmark::State &state, Facility &facility)
{
    const ScheduleCopy copy(facility.context());
    for (auto _ : state) {
        state.PauseTiming();
        facility.removeResultsOfMonth();
        state.ResumeTiming();
        if (copy.copy(facility.bookings(), ScheduleCopy::Mode::Skip).appended != UserCount * ResultsPerUser)
            state.SkipWithError("copy");
    }
}

// The import asks whether to go on when its lines equal results already
// stored, as the benchmark's file does: the user goes on.
class GoOn : public DialogService
{
public:
    MessageAnswer message(MessageType, const QString &, MessageButtons buttons, const QString &) override
    {
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoDefaultNo ? MessageAnswer::Yes
                                                                                             : MessageAnswer::Ok;
    }
    int execDialog(QDialog *) override { return 0; }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    GoOn goOn;
    Dialogs::install(&goOn);

    std::vector<std::unique_ptr<Facility>> facilities;
    using Run = BenchFacilities::Run<Facility>;
    const std::pair<const char *, Run> runs[] = {
        {"Sheet/Form", sheetForm}, {"Sheet/Bare", sheetBare}, {"Import7000", importCsv}, {"CopyMonth", copyMonth}};
    BenchFacilities::registerRuns<Facility>(facilities, runs);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
