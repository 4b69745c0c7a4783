#include "DatabaseFixture.h"
#include "PersonRows.h"

#include "platform/DbDataSet.h"
#include "platform/DbPagedQuery.h"
#include "users/UserGridModel.h"

#include <QSignalSpy>

#include <gmock/gmock.h>

namespace {

class DataSetGridModelTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (int i = 1; i <= 10; ++i)
            ASSERT_EQ(PersonRows::insert(
                          db(), PersonRows::make(QStringLiteral("利用者%1").arg(i), QStringLiteral("ﾘﾖｳｼｬ%1").arg(i))),
                      i);
    }

    // Every user by number, read two rows first.
    [[nodiscard]] bool openPaged()
    {
        DbPagedQuery query(db(), QStringLiteral("SELECT CureNo, Name, Kana FROM Person"));
        query.addKey(QStringLiteral("CureNo")).setFirstPageSize(2);
        const bool opened = m_rows.open(query);
        m_model.reload();
        return opened;
    }

    [[nodiscard]] std::vector<int> shownNumbers() const
    {
        std::vector<int> numbers;
        for (int row = 0; row < m_model.rowCount(); ++row)
            numbers.push_back(m_model.index(row, 0).data().toInt());
        return numbers;
    }

    DbDataSet m_rows;
    UserGridModel m_model{m_rows};
};

} // namespace

TEST_P(DataSetGridModelTest, TheGridReadsPagesAsItAsksForRows)
{
    ASSERT_TRUE(openPaged());
    EXPECT_THAT(shownNumbers(), ::testing::ElementsAre(1, 2));
    QSignalSpy inserted(&m_model, &QAbstractItemModel::rowsInserted);
    ASSERT_TRUE(m_model.canFetchMore({}));
    m_model.fetchMore({});
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 2);
    EXPECT_EQ(inserted[0][2].toInt(), 5); // a page of four
    EXPECT_EQ(m_model.index(5, 1).data().toString(), QStringLiteral("利用者6"));

    // Rows the data set read as it moved are shown before another page is read.
    ASSERT_TRUE(m_rows.setPosition(8));
    EXPECT_EQ(m_model.rowCount(), 6);
    m_model.fetchMore({});
    EXPECT_EQ(m_model.rowCount(), 10);
    EXPECT_FALSE(m_model.canFetchMore({}));
    EXPECT_EQ(shownNumbers(), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

    // Closed: nothing shown, nothing to read.
    m_rows.close();
    m_model.reload();
    EXPECT_EQ(m_model.rowCount(), 0);
    EXPECT_FALSE(m_model.canFetchMore({}));
}

TEST_P(DataSetGridModelTest, APageThatCannotBeReadIsReportedOnce)
{
    ASSERT_TRUE(openPaged());
    QSignalSpy failed(&m_model, &DataSetGridModel::readFailed);
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Person")));
    m_model.fetchMore({});
    EXPECT_EQ(failed.size(), 1);
    EXPECT_EQ(m_model.rowCount(), 2); // the rows read stay
    EXPECT_FALSE(m_model.canFetchMore({}));
    m_model.fetchMore({});
    EXPECT_EQ(failed.size(), 1);
}

TAMSOLEN_DATABASE_TEST_SUITE(DataSetGridModelTest);
