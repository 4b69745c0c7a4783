#include "report/data/TrpDBDataSet.h"
#include "report/data/TrpDataSource.h"
#include "report/data/TrpUserDataset.h"

#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

namespace {

using Kind = TrpError::Kind;

// Rows in memory, with a current position and the failures a database may show.
class FakeRows : public TrpRowSource
{
public:
    explicit FakeRows(int rows) : m_rows(rows) {}

    int position = 0;
    bool opened = false;
    int opens = 0;
    int closes = 0;
    bool failMoves = false;
    bool failOpen = false;

    bool isOpen() const override { return opened; }
    bool open() override
    {
        if (failOpen)
            return false;
        opened = true;
        ++opens;
        return true;
    }
    void close() override
    {
        opened = false;
        ++closes;
    }
    bool first() override
    {
        if (failMoves)
            return false;
        position = 0;
        return true;
    }
    bool next() override
    {
        if (failMoves)
            return false;
        if (position < m_rows)
            ++position;
        return true;
    }
    bool eof() const override { return position >= m_rows; }
    std::optional<Bookmark> bookmark() const override
    {
        return opened ? std::optional<Bookmark>(position) : std::nullopt;
    }
    bool gotoBookmark(const Bookmark &bookmark) override
    {
        position = bookmark.toInt();
        return true;
    }
    bool sameBookmark(const Bookmark &a, const Bookmark &b) const override { return a == b; }
    std::optional<FieldType> fieldType(const QString &name) const override
    {
        return name == QLatin1String("No") ? std::optional<FieldType>(FieldType::Integer) : std::nullopt;
    }
    std::optional<Variant> fieldValue(const QString &name) const override
    {
        return name == QLatin1String("No") ? std::optional<Variant>(Variant(position)) : std::nullopt;
    }
    QString errorText() const override { return QStringLiteral("disk on fire"); }

private:
    int m_rows;
};

// The engine's walk: Init, First, rows until Eof, Exit.
std::vector<int> walk(TrpDataset &dataset, const std::function<int()> &row, int limit = 1000)
{
    std::vector<int> rows;
    if (!dataset.Init())
        return rows;
    if (!dataset.First())
        return rows;
    while (!dataset.Eof() && int(rows.size()) < limit) {
        rows.push_back(row());
        if (!dataset.Next())
            break;
    }
    dataset.Exit();
    return rows;
}

TEST(TrpUserDataset, CountedWalks)
{
    TrpUserDataset dataset;
    dataset.RangeEnd = reCount;
    dataset.RangeEndCount = 0;
    EXPECT_TRUE(walk(dataset, [&] { return dataset.RecNo; }).empty());
    dataset.RangeEndCount = 15;
    std::vector<int> expected(15);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(walk(dataset, [&] { return dataset.RecNo; }), expected);
    EXPECT_EQ(walk(dataset, [&] { return dataset.RecNo; }), expected) << "a second walk starts over";
}

TEST(TrpUserDataset, EventsDriveTheWalk)
{
    TrpUserDataset dataset;
    std::vector<int> query{10, 20, 30};
    std::size_t cursor = 99;
    QStringList calls;
    dataset.OnFirst = [&](TrpDataset &sender) {
        EXPECT_EQ(&sender, &dataset);
        EXPECT_EQ(sender.RecNo, 0);
        cursor = 0;
        calls.append(QStringLiteral("first"));
    };
    dataset.OnNext = [&](TrpDataset &) {
        ++cursor;
        calls.append(QStringLiteral("next"));
    };
    dataset.OnCheckEOF = [&](TrpDataset &, bool &eof) {
        EXPECT_FALSE(eof) << "nothing counted";
        eof = cursor >= query.size();
    };
    EXPECT_EQ(walk(dataset, [&] { return query[cursor]; }), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(calls, (QStringList{QStringLiteral("first"), QStringLiteral("next"), QStringLiteral("next"),
                                  QStringLiteral("next")}));
}

TEST(TrpUserDataset, CheckEofSeesTheCountedValueAndCanChangeIt)
{
    TrpUserDataset dataset;
    dataset.RangeEnd = reCount;
    dataset.RangeEndCount = 5;
    std::vector<bool> seen;
    dataset.OnCheckEOF = [&](TrpDataset &sender, bool &eof) {
        seen.push_back(eof);
        if (sender.RecNo == 2)
            eof = true;
    };
    EXPECT_EQ(walk(dataset, [&] { return dataset.RecNo; }), (std::vector<int>{0, 1}));
    EXPECT_EQ(seen, (std::vector<bool>{false, false, false}));

    dataset.OnCheckEOF = [](TrpDataset &sender, bool &eof) {
        eof = sender.RecNo >= 7;
    };
    EXPECT_EQ(walk(dataset, [&] { return dataset.RecNo; }).size(), 7u) << "extended beyond the count";
}

TEST(TrpUserDataset, AWalkWithoutAnEndRuleStops)
{
    // Quick rows stop at the row limit (or sooner on a busy machine), slow
    // ones when the walk's time has passed.
    const std::function<int()> quick = [] {
        return 0;
    };
    const std::function<int()> slow = [] {
        QThread::usleep(50);
        return 0;
    };
    for (const TRangeEnd end : {reLast, reCurrent}) {
        TrpUserDataset dataset;
        dataset.setObjectName(QStringLiteral("UserDS"));
        dataset.RangeEnd = end;
        const std::size_t rows = walk(dataset, end == reLast ? quick : slow, 1000000).size();
        EXPECT_LE(rows, std::size_t(TrpUserDataset::UnendingRowLimit));
        if (end == reCurrent) {
            EXPECT_LT(rows, std::size_t(TrpUserDataset::UnendingRowLimit / 10));
        }
        EXPECT_EQ(dataset.error().kind, Kind::Database);
        EXPECT_EQ(dataset.error().message, QStringLiteral("Dataset UserDS has no end"));
        ASSERT_TRUE(dataset.Init()) << "a new walk starts without the error";
        EXPECT_FALSE(dataset.failed());
    }
}

TEST(TrpUserDataset, HandlersReportFailures)
{
    TrpUserDataset dataset;
    dataset.RangeEnd = reCount;
    dataset.RangeEndCount = 10;
    dataset.OnNext = [](TrpDataset &sender) {
        if (sender.RecNo == 3)
            sender.fail({Kind::Database, QStringLiteral("query lost"), -1});
    };
    EXPECT_EQ(walk(dataset, [&] { return dataset.RecNo; }).size(), 3u);
    EXPECT_EQ(dataset.error().message, QStringLiteral("query lost"));
    EXPECT_TRUE(dataset.Eof());
}

class DBDataSetTest : public ::testing::Test
{
protected:
    FakeRows rows{5};
    TrpDBDataSet dataset;

    void SetUp() override
    {
        dataset.setObjectName(QStringLiteral("rpDBDataSet1"));
        dataset.setDataSet(&rows);
    }
    std::vector<int> walked()
    {
        return walk(dataset, [this] { return rows.position; });
    }
};

TEST_F(DBDataSetTest, WalksAllRowsAndOpensTheDataSet)
{
    QStringList events;
    dataset.OnOpen = [&](TrpDataset &) {
        events.append(QStringLiteral("open"));
    };
    dataset.OnClose = [&](TrpDataset &) {
        events.append(QStringLiteral("close"));
    };
    rows.position = 3;
    EXPECT_EQ(walked(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(rows.opens, 1);
    EXPECT_EQ(rows.closes, 0);
    EXPECT_EQ(rows.position, 5) << "rbFirst and reLast leave the data set where the walk ended";
    EXPECT_EQ(events, (QStringList{QStringLiteral("open"), QStringLiteral("close")}));
    EXPECT_EQ(dataset.RecNo, 5);

    dataset.CloseDataSource = true;
    dataset.OpenDataSource = false;
    EXPECT_EQ(walked().size(), 5u);
    EXPECT_EQ(rows.opens, 1);
    EXPECT_EQ(rows.closes, 1);
    EXPECT_FALSE(rows.isOpen());
}

TEST_F(DBDataSetTest, CurrentRowRanges)
{
    rows.opened = true;
    rows.position = 2;
    dataset.RangeBegin = rbCurrent;
    dataset.RangeEnd = reCurrent;
    EXPECT_EQ(walked(), (std::vector<int>{2}));
    EXPECT_EQ(rows.position, 2);

    dataset.RangeEnd = reLast;
    EXPECT_EQ(walked(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(rows.position, 2) << "the data set stands on the row that was current before the report";

    dataset.RangeBegin = rbFirst;
    dataset.RangeEnd = reCurrent;
    EXPECT_EQ(walked(), (std::vector<int>{0, 1, 2})) << "from the first row up to the current one";
    EXPECT_EQ(rows.position, 2);

    dataset.RangeEnd = reCount;
    dataset.RangeEndCount = 2;
    EXPECT_EQ(walked(), (std::vector<int>{0, 1}));
}

TEST_F(DBDataSetTest, DataSetAndDataSourceReplaceEachOther)
{
    FakeRows other(2);
    TrpDataSource source;
    source.setDataSet(&other);
    dataset.setDataSource(&source);
    EXPECT_EQ(dataset.DataSet(), nullptr) << "a data source clears the data set";
    EXPECT_EQ(dataset.rows(), &other);
    EXPECT_EQ(walked().size(), 2u);

    dataset.setDataSource(nullptr);
    dataset.setDataSet(&rows);
    dataset.setDataSource(nullptr);
    EXPECT_EQ(dataset.rows(), &rows) << "no data source leaves the data set";

    dataset.setDataSource(&source);
    EXPECT_EQ(dataset.DataSet(), nullptr);
    source.setDataSet(nullptr);
    EXPECT_FALSE(dataset.Init()) << "a data source without a data set has nothing to walk";
    EXPECT_EQ(dataset.error().message, QStringLiteral("Unable to open dataset rpDBDataSet1"));
}

TEST_F(DBDataSetTest, MissingDataSetIsAnError)
{
    dataset.setDataSet(nullptr);
    EXPECT_FALSE(dataset.Init());
    EXPECT_EQ(dataset.error().kind, Kind::Database);
    EXPECT_EQ(dataset.error().message, QStringLiteral("Unable to open dataset rpDBDataSet1"));
    EXPECT_FALSE(dataset.First());
    EXPECT_FALSE(dataset.Next());
    EXPECT_TRUE(dataset.Eof());
    EXPECT_FALSE(dataset.Exit());
}

TEST_F(DBDataSetTest, RemovedComponentsAreForgotten)
{
    auto gone = std::make_unique<FakeRows>(3);
    dataset.setDataSet(gone.get());
    gone.reset();
    EXPECT_EQ(dataset.DataSet(), nullptr);
    auto source = std::make_unique<TrpDataSource>();
    source->setDataSet(&rows);
    dataset.setDataSource(source.get());
    EXPECT_EQ(dataset.rows(), &rows);
    source.reset();
    EXPECT_EQ(dataset.DataSource(), nullptr);
    EXPECT_EQ(dataset.rows(), nullptr);
}

TEST_F(DBDataSetTest, DataSetFailuresPassThrough)
{
    rows.failOpen = true;
    EXPECT_FALSE(dataset.Init());
    EXPECT_EQ(dataset.error().message, QStringLiteral("disk on fire"));
    rows.failOpen = false;
    rows.failMoves = true;
    ASSERT_TRUE(dataset.Init());
    EXPECT_FALSE(dataset.First());
    EXPECT_EQ(dataset.error().message, QStringLiteral("disk on fire"));
    EXPECT_TRUE(dataset.Eof());
}

} // namespace
