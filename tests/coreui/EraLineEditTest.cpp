#include "coreui/EraLineEdit.h"
#include "base/Clock.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <tuple>

#include <gtest/gtest.h>

namespace {

class EraLineEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setFixed(QDateTime(QDate(2019, 5, 7), QTime(10, 0)));
        m_edit.setObjectName(QStringLiteral("DateEdit"));
        m_edit.show();
        m_edit.activateWindow();
        m_edit.setFocus();
    }
    void TearDown() override { Clock::reset(); }

    EraLineEdit m_edit;
};

} // namespace

TEST_F(EraLineEditTest, TypedKeysGoThroughTheMachine)
{
    EXPECT_EQ(m_edit.mode(), EraLineEdit::Mode::Date);
    EXPECT_FALSE(m_edit.testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(m_edit.text(), QStringLiteral("＿＿__年__月__日"));
    EXPECT_FALSE(m_edit.value());

    QTest::keyClicks(&m_edit, QStringLiteral("H200501"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("平成20年 5月 1日"));
    EXPECT_EQ(m_edit.cursorPosition(), 11);
    EXPECT_EQ(m_edit.value(), DateTime::encodeDate(2008, 5, 1));
    EXPECT_TRUE(m_edit.isModified());

    // Backspace and Delete only move the caret back; the day is retyped.
    QTest::keyClick(&m_edit, Qt::Key_Backspace);
    QTest::keyClick(&m_edit, Qt::Key_Delete);
    QTest::keyClick(&m_edit, Qt::Key_Backspace);
    EXPECT_EQ(m_edit.cursorPosition(), 8);
    EXPECT_EQ(m_edit.text(), QStringLiteral("平成20年 5月 1日"));
    QTest::keyClicks(&m_edit, QStringLiteral("31"));
    EXPECT_EQ(m_edit.value(), DateTime::encodeDate(2008, 5, 31));

    // The caret keys place the caret; the era is typed over.
    QTest::keyClick(&m_edit, Qt::Key_Home);
    QTest::keyClick(&m_edit, Qt::Key_R);
    EXPECT_EQ(m_edit.text(), QStringLiteral("令和20年 5月31日"));
    EXPECT_EQ(m_edit.cursorPosition(), 2);
}

TEST_F(EraLineEditTest, NothingEditsTheTemplateBehindTheMachine)
{
    m_edit.setValue(DateTime::encodeDate(2019, 5, 1));
    EXPECT_EQ(m_edit.text(), QStringLiteral("令和01年05月01日"));
    EXPECT_FALSE(m_edit.isModified());
    QApplication::clipboard()->setText(QStringLiteral("xyz"));
    QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&m_edit, Qt::Key_K, Qt::ControlModifier);
    // Cut or Delete on part of the text change nothing.
    m_edit.setSelection(2, 3);
    QTest::keyClick(&m_edit, Qt::Key_X, Qt::ControlModifier);
    m_edit.setSelection(2, 3);
    QTest::keyClick(&m_edit, Qt::Key_Delete);
    EXPECT_EQ(m_edit.text(), QStringLiteral("令和01年05月01日"));
    EXPECT_FALSE(m_edit.isModified());

    // Enter reaches the form.
    QSignalSpy returned(&m_edit, &QLineEdit::returnPressed);
    QTest::keyClick(&m_edit, Qt::Key_Return);
    EXPECT_EQ(returned.count(), 1);
    EXPECT_EQ(m_edit.text(), QStringLiteral("令和01年05月01日"));
}

TEST_F(EraLineEditTest, YearMonthAndTimeModes)
{
    m_edit.setMode(EraLineEdit::Mode::YearMonth);
    EXPECT_EQ(m_edit.text(), QStringLiteral("＿＿__年__月"));
    m_edit.setToday();
    EXPECT_EQ(m_edit.text(), QStringLiteral("令和01年05月"));
    EXPECT_EQ(m_edit.cursorPosition(), 0);
    EXPECT_EQ(m_edit.value(), DateTime::encodeDate(2019, 5, 1));
    QTest::keyClicks(&m_edit, QStringLiteral("h3104"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("平成31年 4月"));
    EXPECT_EQ(m_edit.value(), DateTime::encodeDate(2019, 4, 1));
    m_edit.setEmpty();
    EXPECT_FALSE(m_edit.value());

    m_edit.setMode(EraLineEdit::Mode::Time);
    EXPECT_EQ(m_edit.text(), QStringLiteral("__:__"));
    EXPECT_FALSE(m_edit.value());
    QTest::keyClicks(&m_edit, QStringLiteral("0830"));
    EXPECT_EQ(m_edit.text(), QStringLiteral(" 8:30"));
    EXPECT_EQ(m_edit.value(), DateTime::encodeTime(8, 30));
    m_edit.setValue(DateTime::encodeDate(1899, 12, 30) + DateTime::encodeTime(20, 59));
    EXPECT_EQ(m_edit.text(), QStringLiteral("20:59"));
    EXPECT_EQ(m_edit.value(), DateTime::encodeTime(20, 59));
}

TEST_F(EraLineEditTest, DeleteOrCutOnTheWholeTextEmptiesTheTemplate)
{
    for (const bool cut : {false, true}) {
        m_edit.setValue(DateTime::encodeDate(2019, 5, 1));
        QApplication::clipboard()->setText(QStringLiteral("xyz"));
        QTest::keyClick(&m_edit, Qt::Key_A, Qt::ControlModifier);
        if (cut)
            QTest::keyClick(&m_edit, Qt::Key_X, Qt::ControlModifier);
        else
            QTest::keyClick(&m_edit, Qt::Key_Delete);
        EXPECT_EQ(m_edit.text(), QStringLiteral("＿＿__年__月__日"));
        EXPECT_TRUE(m_edit.isModified());
        EXPECT_FALSE(m_edit.value());
        EXPECT_EQ(QApplication::clipboard()->text(), cut ? QStringLiteral("令和01年05月01日") : QStringLiteral("xyz"));
    }
}

TEST_F(EraLineEditTest, AClickPutsTheCaretAtTheStartOfTheGroupClicked)
{
    // Each character place clicked, and the group start it goes to.
    const std::tuple<EraLineEdit::Mode, int, int> cases[] = {
        {EraLineEdit::Mode::Date, 1, 0},      {EraLineEdit::Mode::Date, 3, 2}, {EraLineEdit::Mode::Date, 4, 2},
        {EraLineEdit::Mode::Date, 6, 5},      {EraLineEdit::Mode::Date, 9, 8}, {EraLineEdit::Mode::Date, 10, 8},
        {EraLineEdit::Mode::YearMonth, 7, 5}, {EraLineEdit::Mode::Time, 1, 0}, {EraLineEdit::Mode::Time, 4, 3}};
    for (const auto &[mode, place, start] : cases) {
        m_edit.setMode(mode);
        m_edit.setValue(DateTime::encodeDate(2019, 5, 1) + DateTime::encodeTime(9, 30));
        const QFontMetrics metrics(m_edit.font());
        const QString text = m_edit.text();
        // The middle of the character at the place, within the text's margins.
        m_edit.setCursorPosition(place);
        const int left = m_edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        const int x = left + metrics.horizontalAdvance(text.at(place)) / 2;
        QTest::mouseClick(&m_edit, Qt::LeftButton, {}, QPoint(x, m_edit.height() / 2));
        EXPECT_EQ(m_edit.cursorPosition(), start) << place;
    }
    // Typing then goes on from there: the month of the date is retyped.
    m_edit.setMode(EraLineEdit::Mode::Date);
    m_edit.setValue(DateTime::encodeDate(2019, 5, 1));
    m_edit.setCursorPosition(6);
    const int x = m_edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    QTest::mouseClick(&m_edit, Qt::LeftButton, {}, QPoint(x + 2, m_edit.height() / 2));
    QTest::keyClicks(&m_edit, QStringLiteral("12"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("令和01年12月01日"));
}
