#include "PersonRows.h"
#include "PhraseBoxUser.h"
#include "ResultsFixture.h"

#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "resultsui/TResultsEditForm.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

constexpr int RemarkColumn = 18;

class RemarkPhraseListTest : public ResultsFixture
{
protected:
    void SetUp() override
    {
        ResultsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const int cureNo =
            PersonRows::insert(db(), PersonRows::make(QStringLiteral("山田 太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ")));
        ResultRows::insert(db(), {ResultRows::make(cureNo, DateTime::encodeDate(2024, 4, 2))});
        m_phrases = std::make_unique<TCommentForm>(m_app->context);
        m_app->publish(CommentForm, m_phrases.get());
        m_form = std::make_unique<TResultsEditForm>(m_app->context);
        m_form->CureNo = cureNo;
        m_form->FromDate = DateTime::encodeDate(2024, 4, 1);
        m_form->ToDate = DateTime::encodeDate(2024, 5, 1);
    }
    void TearDown() override
    {
        m_form.reset();
        m_phrases.reset();
        ResultsFixture::TearDown();
    }

    // The remark box the grid shows now (a closed one may wait for deletion).
    [[nodiscard]] PhraseComboBox *remarkBox() const
    {
        for (PhraseComboBox *box : m_form->DBGrid1->findChildren<PhraseComboBox *>(QStringLiteral("ResultCommentBox")))
            if (box->isVisible())
                return box;
        return nullptr;
    }

    std::unique_ptr<TCommentForm> m_phrases;
    std::unique_ptr<TResultsEditForm> m_form;
};

// As the booking comment: the grid closes the 備考 box while the phrase list
// runs in its own modal loop; after 戻る the cell is edited again with the
// phrases as they are now, and the phrase picked there is stored.
TEST_P(RemarkPhraseListTest, PhraseListReturnsToTheCellThreeTimes)
{
    m_form->show();
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    QTableView *grid = m_form->DBGrid1;
    grid->scrollTo(grid->model()->index(0, RemarkColumn));
    for (int round = 1; round <= 3; ++round) {
        const QString phrase = QStringLiteral("歩行訓練%1回目").arg(round);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                           grid->visualRect(grid->model()->index(0, RemarkColumn)).center());
        PhraseComboBox *box = remarkBox();
        ASSERT_NE(box, nullptr) << round;
        PhraseBoxUser::addPhraseInList(m_app->dialogs, m_form.get(), box, phrase);
        EXPECT_EQ(m_app->dialogs.dialogCount(), round);
        EXPECT_EQ(m_phrases->ProgramName, QStringLiteral("ResultEdit"));

        box = remarkBox();
        ASSERT_NE(box, nullptr) << round;
        ASSERT_EQ(box->count(), round);
        EXPECT_EQ(box->itemText(round - 1), phrase);
        PhraseBoxUser::pick(box, round - 1);
        EXPECT_EQ(ResultRows::all(db())[0].Comment, phrase);
        EXPECT_EQ(grid->model()->index(0, RemarkColumn).data().toString(), phrase);
    }
    m_form->hide();
}

TAMSOLEN_DATABASE_TEST_SUITE(RemarkPhraseListTest);

} // namespace
