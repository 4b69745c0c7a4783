// Reading 100,000 rows of 10 columns (4 integers, a double, 3 texts, 2 dates)
// from SQLite: through the database layer (DbDataSet, every value read through
// a DbField) beside the same query through the SQLite C API.
// Goal: Layer within 1.3 times RawCApi. RawCApiToQString shows what making
// the texts into QString alone costs a Qt program.
#include "BenchMain.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <sqlite3.h>

namespace {

const int RowCount = benchSize(100000, 1000);

const char *const Select = "SELECT ID, Num1, Num2, Num3, Amount, Name, Kana, Note, Day, Stamp FROM Big ORDER BY ID";

// The database file, filled once per run.
class BigTable
{
public:
    BigTable()
    {
        m_path = m_folder.filePath(QStringLiteral("bench.sqlite"));
        DbConnection db;
        if (!db.open(QStringLiteral("Provider=SQLite;Data Source=") + m_path, {}, {}, DbConnection::OpenMode::Create))
            qFatal("open: %s", qPrintable(db.errorText()));
        DbQuery create(db, QStringLiteral("CREATE TABLE Big (ID INTEGER PRIMARY KEY AUTOINCREMENT, Num1 INTEGER, "
                                          "Num2 INTEGER, Num3 INTEGER, Amount DOUBLE, Name VARCHAR(30), "
                                          "Kana VARCHAR(30), Note VARCHAR(100), Day TIMESTAMP, Stamp TIMESTAMP)"));
        DbQuery fill(
            db, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < :count) "
                               "INSERT INTO Big (Num1, Num2, Num3, Amount, Name, Kana, Note, Day, Stamp) "
                               "SELECT i, i % 7, i * 3, i * 0.25, '山田 太郎' || i, 'ﾔﾏﾀﾞ ﾀﾛｳ' || i, "
                               "'リハビリ記録 memo ' || i, "
                               "strftime('%Y-%m-%d 00:00:00.000', '2024-01-01', '+' || (i % 365) || ' days'), "
                               "strftime('%Y-%m-%d %H:%M:%f', '2024-01-01', '+' || (i % 86400) || ' seconds') FROM n"));
        fill.bind(u"count", RowCount);
        if (!create.exec() || !fill.exec())
            qFatal("fill: %s %s", qPrintable(create.errorText()), qPrintable(fill.errorText()));
    }

    [[nodiscard]] const QString &path() const { return m_path; }

private:
    QTemporaryDir m_folder;
    QString m_path;
};

const BigTable &bigTable()
{
    static const BigTable table;
    return table;
}

void RawCApi(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(bigTable().path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, Select, -1, &statement, nullptr);
        qint64 sum = 0;
        int rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < 4; ++c)
                sum += sqlite3_column_int64(statement, c);
            sum += qint64(sqlite3_column_double(statement, 4));
            for (int c = 5; c < 10; ++c) {
                const unsigned char *text = sqlite3_column_text(statement, c);
                sum += sqlite3_column_bytes(statement, c) + text[0];
            }
        }
        sqlite3_finalize(statement);
        if (rows != RowCount)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * RowCount);
}

// The same, with the texts made into QString as a Qt program needs them.
void RawCApiToQString(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(bigTable().path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, Select, -1, &statement, nullptr);
        qint64 sum = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < 4; ++c)
                sum += sqlite3_column_int64(statement, c);
            sum += qint64(sqlite3_column_double(statement, 4));
            for (int c = 5; c < 10; ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
                sum += QString::fromUtf8(text, sqlite3_column_bytes(statement, c)).size();
            }
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void Layer(benchmark::State &state)
{
    DbConnection db;
    if (!db.open(QStringLiteral("Provider=SQLite;Data Source=") + bigTable().path()))
        state.SkipWithError("open failed");
    for (auto _ : state) {
        DbDataSet rows;
        if (!rows.open(DbQuery(db, QString::fromLatin1(Select)))) {
            state.SkipWithError("query failed");
            break;
        }
        const DbField id = rows.field(u"ID");
        const DbField num1 = rows.field(u"Num1");
        const DbField num2 = rows.field(u"Num2");
        const DbField num3 = rows.field(u"Num3");
        const DbField amount = rows.field(u"Amount");
        const DbField name = rows.field(u"Name");
        const DbField kana = rows.field(u"Kana");
        const DbField note = rows.field(u"Note");
        const DbField day = rows.field(u"Day");
        const DbField stamp = rows.field(u"Stamp");
        qint64 sum = 0;
        double days = 0;
        int walked = 0;
        // The rows are held whole, not paged: a move cannot fail.
        for (; !rows.eof(); (void)rows.next()) {
            sum += id.asInteger() + num1.asInteger() + num2.asInteger() + num3.asInteger();
            sum += qint64(amount.asDouble());
            sum += name.asString().size() + kana.asString().size() + note.asString().size();
            days += day.asDateTime() + stamp.asDateTime();
            ++walked;
        }
        if (walked != RowCount)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(days);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

// On a shared machine the fastest repetition is the least disturbed one:
// compare the "_min" lines (e.g. --benchmark_repetitions=10
// --benchmark_enable_random_interleaving=true).
double fastest(const std::vector<double> &times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(RawCApi)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(RawCApiToQString)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(Layer)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

int main(int argc, char **argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
