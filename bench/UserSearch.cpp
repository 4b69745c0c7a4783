// The user search over a register of 100,000 users, on SQLite and (when
// TAMSOLEN_PG names a server) on PostgreSQL. Each search runs twice: through
// the dialog, from the button click until the grid holds its first rows and
// has the texts of its visible cells ("Form/...", what the user waits for),
// and as the same query reading every row at once through the database
// layer ("Bare/..."). "Form/.../ToEnd" clicks and then has the grid read
// every page, as when the list is scrolled to its end. "GridPaint" draws a
// filled grid.
#include "BenchDatabase.h"
#include "BenchMain.h"
#include "DemoUsers.h"

#include "core/AppContext.h"
#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "coreui/KanaLineEdit.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbSchema.h"
#include "platform/DialogService.h"
#include "usersui/TUserSearchForm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace {

const int UserCount = benchSize(100000, 1000);

const QString Columns = QStringLiteral(
    "SELECT CureNo, Name, Kana, Sex, Birth, YoubinNo, Address, TelNo, FaxNo, EMail, distinctive, HinorikuUserNo, "
    "RihaType, KubunCode, KubunDate, ROOM_NO, Jiritsu_KBN, Ninchi_KBN, YOUKAIGO_KBN, HP_TAISHO_YMD, NYUSHOBI_YMD, "
    "TAISHOBI_YMD, Disease1, Disease2, Disease3, Disease4, Disease5, Disease6 FROM Person ");

// A register of demo users in a database of its own.
class Register
{
public:
    explicit Register(DbKind kind) : m_database(kind, QStringLiteral("users"))
    {
        QString error;
        if (!DemoUsers::add(m_database.db(), UserCount, error))
            qFatal("fill: %s", qPrintable(error));
        if (kind == DbKind::PostgreSQL)
            m_database.run(QStringLiteral("ANALYZE Person"));
    }

    [[nodiscard]] DbConnection &db() { return m_database.db(); }
    // What the search dialog is created with.
    [[nodiscard]] AppContext &context() { return m_context; }

private:
    BenchDatabase m_database;
    TRegistory m_registory;
    TDBSeting m_dbSeting;
    TMainModule m_module;
    AppContext m_context{m_database.db(), m_registory, m_dbSeting, m_module, Dialogs::service(), {}};
};

struct Search
{
    const char *name;
    // Fills the dialog's input and clicks its button.
    std::function<void(TUserSearchForm &)> click;
    // The dialog's query, bare.
    std::function<DbQuery(DbConnection &)> query;
};

QString prefixSql(const char *column)
{
    return Columns + QStringLiteral("WHERE %1 LIKE :prefix ESCAPE '\\' ORDER BY CureNo").arg(QLatin1String(column));
}

const std::vector<Search> &searches()
{
    static const std::vector<Search> all{
        {"Number",
         [](TUserSearchForm &form) {
             form.RegistCureNo->setText(QString::number(UserCount / 2 + 21));
             form.CureNoButton->click();
         },
         [](DbConnection &db) {
             DbQuery query(db, Columns + QStringLiteral("WHERE CureNo = :cureNo ORDER BY CureNo"));
             query.bind(u"cureNo", UserCount / 2 + 21);
             return query;
         }},
        {"NamePrefix",
         [](TUserSearchForm &form) {
             form.RegistName->setText(QStringLiteral("佐藤"));
             form.UserSearchBtn->click();
         },
         [](DbConnection &db) {
             DbQuery query(db, prefixSql("Name"));
             query.bind(u"prefix", QStringLiteral("佐藤%"));
             return query;
         }},
        {"KanaPrefix",
         [](TUserSearchForm &form) {
             form.RegistKanaName->setText(QStringLiteral("ｻﾄｳ"));
             form.KanaSearchBtn->click();
         },
         [](DbConnection &db) {
             DbQuery query(db, prefixSql("Kana"));
             query.bind(u"prefix", QStringLiteral("ｻﾄｳ%"));
             return query;
         }},
        {"KanaRowSa", [](TUserSearchForm &form) { form.SBtn->click(); },
         [](DbConnection &db) {
             const QString order =
                 db.kind() == DbKind::PostgreSQL ? QStringLiteral("Kana COLLATE \"C\"") : QStringLiteral("Kana");
             DbQuery query(db, Columns +
                                   QStringLiteral("WHERE %1 >= :first AND %1 < :after ORDER BY %1, CureNo").arg(order));
             query.bind(u"first", QStringLiteral("ｻ"));
             query.bind(u"after", QStringLiteral("ﾀ"));
             return query;
         }},
        {"AllDisplay", [](TUserSearchForm &form) { form.AllDisplay->click(); },
         [](DbConnection &db) {
             return DbQuery(db, Columns + QStringLiteral("ORDER BY CureNo"));
         }}};
    return all;
}

// The texts of the cells the grid shows, as it asks for them when drawing.
int formatVisibleCells(const QTableView &grid)
{
    const QAbstractItemModel *model = grid.model();
    const int first = grid.rowAt(0);
    if (first < 0)
        return 0;
    int last = grid.rowAt(grid.viewport()->height() - 1);
    if (last < 0)
        last = model->rowCount() - 1;
    int size = 0;
    for (int row = first; row <= last; ++row) {
        for (int column = 0; column < model->columnCount(); ++column)
            size += int(model->index(row, column).data().toString().size());
    }
    return size;
}

void formSearch(benchmark::State &state, Register &users, const Search &search)
{
    TUserSearchForm form(users.context());
    form.show();
    QCoreApplication::processEvents();
    int rows = 0;
    for (auto _ : state) {
        search.click(form);
        benchmark::DoNotOptimize(formatVisibleCells(*form.DBGrid1));
        rows = form.DBGrid1->model()->rowCount();
    }
    if (rows == 0)
        state.SkipWithError("no rows found");
    state.counters["rows"] = rows;
}

void formToEnd(benchmark::State &state, Register &users, const Search &search)
{
    TUserSearchForm form(users.context());
    form.show();
    QCoreApplication::processEvents();
    QAbstractItemModel *model = form.DBGrid1->model();
    int rows = 0;
    for (auto _ : state) {
        search.click(form);
        while (model->canFetchMore({}))
            model->fetchMore({});
        rows = model->rowCount();
    }
    state.counters["rows"] = rows;
}

// Drawing the filled grid once, whatever the search: the same for every
// search, and left out of the comparisons above.
void gridPaint(benchmark::State &state, Register &users)
{
    TUserSearchForm form(users.context());
    form.show();
    QCoreApplication::processEvents();
    form.AllDisplay->click();
    for (auto _ : state)
        form.DBGrid1->viewport()->repaint();
}

void bareSearch(benchmark::State &state, Register &users, const Search &search)
{
    int rows = 0;
    for (auto _ : state) {
        DbDataSet found;
        if (!found.open(search.query(users.db()))) {
            state.SkipWithError(qPrintable(found.errorText()));
            break;
        }
        rows = found.recordCount();
    }
    state.counters["rows"] = rows;
}

// On a shared machine the fastest repetition is the least disturbed one:
// compare the "_min" lines (e.g. --benchmark_repetitions=10).
double fastest(const std::vector<double> &times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    std::vector<std::unique_ptr<Register>> registers;
    std::vector<std::pair<DbKind, const char *>> kinds{{DbKind::SQLite, "SQLite"}};
    if (!qEnvironmentVariableIsEmpty("TAMSOLEN_PG"))
        kinds.emplace_back(DbKind::PostgreSQL, "PostgreSQL");
    for (const auto &[kind, kindName] : kinds) {
        Register *users = registers.emplace_back(std::make_unique<Register>(kind)).get();
        for (const Search &search : searches()) {
            for (const auto &[way, run] : {std::pair{"Form", &formSearch}, std::pair{"Bare", &bareSearch}}) {
                benchmark::RegisterBenchmark(
                    (std::string(kindName) + "/" + search.name + "/" + way).c_str(),
                    [run, users, &search](benchmark::State &state) { run(state, *users, search); })
                    ->Unit(benchmark::kMillisecond)
                    ->ComputeStatistics("min", fastest);
            }
        }
        for (const Search &search : searches()) {
            if (std::string_view(search.name) != "KanaRowSa" && std::string_view(search.name) != "AllDisplay")
                continue;
            benchmark::RegisterBenchmark(
                (std::string(kindName) + "/" + search.name + "/Form/ToEnd").c_str(),
                [users, &search](benchmark::State &state) { formToEnd(state, *users, search); })
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", fastest);
        }
        benchmark::RegisterBenchmark((std::string(kindName) + "/GridPaint").c_str(),
                                     [users](benchmark::State &state) { gridPaint(state, *users); })
            ->Unit(benchmark::kMillisecond)
            ->ComputeStatistics("min", fastest);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
