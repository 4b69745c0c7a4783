#include "DatabaseFixture.h"
#include "KeyboardUser.h"
#include "PersonRows.h"
#include "TestContext.h"

#include "base/Era.h"
#include "coreui/KanaLineEdit.h"
#include "platform/DbQuery.h"
#include "users/UserGridModel.h"
#include "usersui/TUserSearchForm.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gmock/gmock.h>

#include <memory>
#include <numeric>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class TUserSearchFormTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const std::tuple<const char16_t *, const char16_t *, int> users[] = {{u"山田 太郎", u"ﾔﾏﾀﾞ ﾀﾛｳ", 1234},
                                                                             {u"山本 花子", u"ﾔﾏﾓﾄ ﾊﾅｺ", 0},
                                                                             {u"佐藤 一郎", u"ｻﾄｳ ｲﾁﾛｳ", 12},
                                                                             {u"渡辺 正", u"ﾜﾀﾅﾍﾞ ﾀﾀﾞｼ", 0}};
        for (const auto &[name, kana, partner] : users)
            ASSERT_GT(
                PersonRows::insert(db(), PersonRows::make(QString::fromUtf16(name), QString::fromUtf16(kana), partner)),
                0);
        m_form = std::make_unique<TUserSearchForm>(m_context.context);
    }

    template <typename T> T *widget(const char *name)
    {
        T *found = m_form->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QPushButton *button(const char *name) { return widget<QPushButton>(name); }
    QLineEdit *input(const char *name) { return widget<QLineEdit>(name); }
    QTableView *grid() { return widget<QTableView>("DBGrid1"); }

    // Runs the dialog modally, driven by the handler; its result.
    int run(const std::function<void()> &steps)
    {
        m_dialogs.queueDialog([steps](QDialog *dialog) {
            steps();
            return dialog->isVisible() ? int(QDialog::Rejected) : dialog->result();
        });
        return Dialogs::exec(m_form.get());
    }

    // The user numbers the grid shows, in order.
    std::vector<int> gridNumbers()
    {
        std::vector<int> numbers;
        const QAbstractItemModel *model = grid()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            numbers.push_back(model->index(row, 0).data().toInt());
        return numbers;
    }

    void clickRow(int row)
    {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 1));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    void clickTitle(int column)
    {
        QHeaderView *titles = grid()->horizontalHeader();
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          QPoint(titles->sectionViewportPosition(column) + 10, titles->height() / 2));
    }

    static void releaseEnter(QWidget *target)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
    }

    // A conversion through the input method: the kana typed, then the
    // converted text committed.
    static void convert(QWidget *target, const QString &kana, const QString &converted)
    {
        QInputMethodEvent preedit(kana, {});
        QCoreApplication::sendEvent(target, &preedit);
        QInputMethodEvent commit;
        commit.setCommitString(converted);
        QCoreApplication::sendEvent(target, &commit);
    }

    TestContext m_context{db()};
    FakeDialogService &m_dialogs = m_context.dialogs;
    std::unique_ptr<TUserSearchForm> m_form;
};

} // namespace

TEST_P(TUserSearchFormTest, NumberInputsTakeNoInputMethod)
{
    EXPECT_FALSE(m_form->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(input("RegistCureNo")->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(input("RegistHinoriku")->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_NE(widget<KanaLineEdit>("RegistKanaName"), nullptr);
    EXPECT_EQ(grid()->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_P(TUserSearchFormTest, DatesFitTheirColumnsAndTextsShareOneBaseline)
{
    const QFontMetrics metrics(grid()->font());
    for (const int column : {4, 6}) {
        for (const Era &era : Eras::table()) {
            const QString widest =
                UserGridModel::cellText(column, DbDate{DateTime::encodeDate(era.start.year() + 1, 12, 28)});
            EXPECT_GE(grid()->columnWidth(column), metrics.horizontalAdvance(widest) + 4) << widest.toStdString();
        }
    }

    // Digits and kanji drawn in cells of the same row end on the same line.
    run([&] {
        button("AllDisplay")->click();
        const QImage image = grid()->viewport()->grab().toImage();
        const auto inkBottom = [&](int column) {
            const QRect cell = grid()->visualRect(grid()->model()->index(0, column));
            int bottom = -1;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left() + 1; x < cell.right(); ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        bottom = y;
            return bottom;
        };
        const int number = inkBottom(0);
        ASSERT_GT(number, 0);
        EXPECT_NEAR(inkBottom(1), number, 1);
        EXPECT_NEAR(inkBottom(2), number, 1);
    });
}

TEST_P(TUserSearchFormTest, FoundUserIsHandedOverOnDecide)
{
    // The row holds wishes and a disease name longer than 50 bytes.
    DbQuery update(db(), QStringLiteral("UPDATE Person SET Funn01 = 30, Disease1 = :disease WHERE CureNo = 2"));
    update.bind(u"disease", QString(26, u'病'));
    ASSERT_TRUE(exec(update));

    bool disabledAfterSearch = false;
    const int result = run([&] {
        input("RegistName")->setText(QStringLiteral("山"));
        button("UserSearchBtn")->click();
        EXPECT_THAT(gridNumbers(), ElementsAre(1, 2));
        disabledAfterSearch = !button("DecideButton")->isEnabled();
        clickRow(1);
        EXPECT_EQ(input("RegistCureNo")->text(), QStringLiteral("2"));
        EXPECT_EQ(input("RegistName")->text(), QStringLiteral("山本 花子"));
        EXPECT_EQ(input("RegistKanaName")->text(), QStringLiteral("ﾔﾏﾓﾄ ﾊﾅｺ"));
        EXPECT_EQ(input("RegistHinoriku")->text(), QString()); // partner number 0
        button("DecideButton")->click();
    });
    EXPECT_TRUE(disabledAfterSearch);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_form->Person.CureNo, 2);
    EXPECT_EQ(m_form->Person.Name, QStringLiteral("山本 花子"));
    EXPECT_EQ(m_form->Person.Funn01, 0);
    EXPECT_EQ(m_form->Person.Disease1, QString(25, u'病'));
    EXPECT_DOUBLE_EQ(m_form->Person.NYUSHOBI_YMD, DateTime::encodeDate(2020, 4, 1));
    EXPECT_FALSE(m_form->search().UserSearchQuery.isOpen()); // closed with the dialog
}

TEST_P(TUserSearchFormTest, ClickRowFillsThePartnerNumberAndReturnCancels)
{
    const int result = run([&] {
        button("HinorikuBtn")->click(); // empty: refused
        input("RegistHinoriku")->setText(QStringLiteral("12"));
        button("HinorikuBtn")->click();
        EXPECT_THAT(gridNumbers(), ElementsAre(1, 3));
        clickRow(0);
        EXPECT_EQ(input("RegistHinoriku")->text(), QStringLiteral("1234"));
        EXPECT_TRUE(button("DecideButton")->isEnabled());
        button("ReturnBtn")->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(m_form->Person.CureNo, 0);
    EXPECT_THAT(m_dialogs.messageTexts(),
                ElementsAre(QStringLiteral("入力が必要です。\n半角10文字以内で入力してください。")));
}

TEST_P(TUserSearchFormTest, RefusedInputsShowTheirMessageAndKeepTheFocus)
{
    run([&] {
        button("AllDisplay")->click();
        EXPECT_EQ(gridNumbers().size(), 4u);
        input("RegistName")->setText(QStringLiteral("山田太郎山田太郎山田太")); // 22 bytes
        button("UserSearchBtn")->click();
        EXPECT_EQ(m_form->focusWidget(), input("RegistName"));
        EXPECT_EQ(gridNumbers().size(), 4u); // nothing searched

        input("RegistKanaName")->clear();
        button("KanaSearchBtn")->click();
        EXPECT_EQ(m_form->focusWidget(), input("RegistKanaName"));
    });
    ASSERT_EQ(m_dialogs.messages().size(), 2);
    EXPECT_EQ(m_dialogs.messages()[0].type, MessageType::Information);
    EXPECT_EQ(m_dialogs.messages()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(m_dialogs.messages()[0].text,
              QStringLiteral("氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。"));
    EXPECT_EQ(m_dialogs.messages()[1].text,
              QStringLiteral("カナの入力が必要です。\n半角20文字以内で入力してください。"));
}

TEST_P(TUserSearchFormTest, EnterInTheNumberSearchesAndTextThatIsNoNumberFindsNoOne)
{
    run([&] {
        QLineEdit *number = input("RegistCureNo");
        number->setText(QStringLiteral("3"));
        releaseEnter(number);
        EXPECT_THAT(gridNumbers(), ElementsAre(3));
        clickRow(0);
        EXPECT_TRUE(button("DecideButton")->isEnabled());

        number->setText(QStringLiteral("3 OR 1=1"));
        releaseEnter(number);
        EXPECT_THAT(gridNumbers(), IsEmpty());
        EXPECT_FALSE(button("DecideButton")->isEnabled());
        // A click on an empty list chooses no one.
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_FALSE(button("DecideButton")->isEnabled());
    });
    EXPECT_THAT(m_dialogs.messageTexts(), IsEmpty());

    // The release of the Enter that closed a message box searches nothing.
    run([&] {
        QLineEdit *number = input("RegistCureNo");
        number->setText(QStringLiteral("3"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(number, &release);
        EXPECT_THAT(gridNumbers(), IsEmpty());
    });
}

TEST_P(TUserSearchFormTest, KanaRowsAndClear)
{
    run([&] {
        button("WBtn")->click();
        EXPECT_THAT(gridNumbers(), ElementsAre(4));
        button("YBtn")->click();
        EXPECT_THAT(gridNumbers(), ElementsAre(1, 2));
        clickRow(0);
        EXPECT_TRUE(button("DecideButton")->isEnabled());
        button("ClearBtn")->click();
        EXPECT_THAT(gridNumbers(), IsEmpty());
        EXPECT_FALSE(button("DecideButton")->isEnabled());
        for (const char *name : {"RegistCureNo", "RegistName", "RegistKanaName", "RegistHinoriku"})
            EXPECT_TRUE(input(name)->text().isEmpty()) << name;
    });
}

// Each showing, and クリア, start a search typed into the number at once.
TEST_P(TUserSearchFormTest, ShowingAndClearTakeTypingIntoTheNumber)
{
    for (int round = 1; round <= 2; ++round) {
        m_dialogs.queueDialog(FakeDialogService::execAndPress(QStringLiteral("DecideButton"), [this](QDialog *dialog) {
            KeyboardUser::type(dialog, QStringLiteral("3"));
            EXPECT_EQ(input("RegistCureNo")->text(), QStringLiteral("3"));
            QTest::mouseClick(button("ClearBtn"), Qt::LeftButton);
            KeyboardUser::type(dialog, QStringLiteral("1"));
            EXPECT_EQ(input("RegistCureNo")->text(), QStringLiteral("1"));
            QTest::keyClick(input("RegistCureNo"), Qt::Key_Return);
            clickRow(0);
            grid()->setFocus();
            if (!button("DecideButton")->isEnabled())
                dialog->reject();
        }));
        EXPECT_EQ(Dialogs::exec(m_form.get()), int(QDialog::Accepted)) << round;
    }
}

TEST_P(TUserSearchFormTest, TitleClicksSortAndRememberTheirDirection)
{
    run([&] {
        button("KBtn")->click(); // no one: the sort lists everyone all the same
        clickTitle(0);
        EXPECT_THAT(gridNumbers(), ElementsAre(4, 3, 2, 1));
        EXPECT_FALSE(button("DecideButton")->isEnabled());
        clickTitle(2);
        EXPECT_THAT(gridNumbers(), ElementsAre(4, 2, 1, 3));
    });
    EXPECT_TRUE(m_form->search().SortDescending[0]);
    EXPECT_TRUE(m_form->search().SortDescending[2]);

    // Shown again: the inputs are cleared, the directions are not.
    int chosen = 0;
    const int result = run([&] {
        EXPECT_THAT(gridNumbers(), IsEmpty());
        clickTitle(0);
        EXPECT_THAT(gridNumbers(), ElementsAre(1, 2, 3, 4));
        clickRow(2);
        // The chosen user stays chosen through a sort.
        clickTitle(1);
        EXPECT_TRUE(button("DecideButton")->isEnabled());
        chosen = grid()->currentIndex().siblingAtColumn(0).data().toInt();
        button("DecideButton")->click();
    });
    EXPECT_EQ(chosen, 3);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_form->Person.CureNo, 3);
    EXPECT_FALSE(m_form->search().SortDescending[0]);
    EXPECT_THAT(m_dialogs.messageTexts(), IsEmpty());
}

TEST_P(TUserSearchFormTest, EveryFailingSearchAndSortShowsTheDatabaseError)
{
    // Each search after a first row was chosen: the failure also takes the
    // choice away.
    const std::pair<const char *, const char *> searches[] = {{"RegistCureNo", "CureNoButton"},
                                                              {"RegistName", "UserSearchBtn"},
                                                              {"RegistKanaName", "KanaSearchBtn"},
                                                              {"RegistHinoriku", "HinorikuBtn"},
                                                              {nullptr, "ABtn"},
                                                              {nullptr, "AllDisplay"},
                                                              {nullptr, nullptr}};
    run([&] {
        button("AllDisplay")->click();
        clickRow(0);
        ASSERT_TRUE(button("DecideButton")->isEnabled());
        ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Person")));
        for (const auto &[typed, search] : searches) {
            if (typed)
                input(typed)->setText(QStringLiteral("1"));
            if (search)
                button(search)->click();
            else
                clickTitle(3);
            EXPECT_THAT(gridNumbers(), IsEmpty()) << (search ? search : "sort");
            EXPECT_FALSE(button("DecideButton")->isEnabled());
        }
    });
    ASSERT_EQ(m_dialogs.messages().size(), 7);
    for (const auto &message : m_dialogs.messages()) {
        EXPECT_EQ(message.type, MessageType::Error);
        EXPECT_EQ(message.buttons, MessageButtons::Abort);
        EXPECT_EQ(message.text, QStringLiteral("SystemError : DB Queryerror "));
    }
}

TEST_P(TUserSearchFormTest, KanaFromTheNameReadingAndTypedKana)
{
    run([&] {
        QLineEdit *name = input("RegistName");
        QLineEdit *kana = input("RegistKanaName");
        convert(name, QStringLiteral("やまもと"), QStringLiteral("山本"));
        releaseEnter(name);
        EXPECT_EQ(kana->text(), QStringLiteral("ﾔﾏﾓﾄ "));
        convert(name, QStringLiteral("はなこ"), QStringLiteral("花子"));
        releaseEnter(name);
        EXPECT_EQ(kana->text(), QStringLiteral("ﾔﾏﾓﾄ ﾊﾅｺ "));
        QFocusEvent leave(QEvent::FocusOut);
        QCoreApplication::sendEvent(name, &leave);
        EXPECT_EQ(kana->text(), QStringLiteral("ﾔﾏﾓﾄ ﾊﾅｺ"));
        button("KanaSearchBtn")->click();
        EXPECT_THAT(gridNumbers(), ElementsAre(2));

        // Kana committed by the input method in full width is stored half-width.
        kana->clear();
        kana->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("さとう　"));
        QCoreApplication::sendEvent(kana, &commit);
        EXPECT_EQ(kana->text(), QStringLiteral("ｻﾄｳ "));
        button("KanaSearchBtn")->click();
        EXPECT_THAT(gridNumbers(), ElementsAre(3));
    });
}

TEST_P(TUserSearchFormTest, ALongListIsReadAsItIsScrolledAndPicksFromAnyPage)
{
    ASSERT_TRUE(exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
                                    "INSERT INTO Person (Name, Kana) SELECT '佐藤' || i, 'ｻﾄｳ ' || (i % 7) FROM n")));
    const auto scrollToEnd = [&] {
        for (int press = 0; press < 10 && grid()->model()->canFetchMore({}); ++press) {
            QTest::keyClick(grid(), Qt::Key_End, Qt::ControlModifier);
            QCoreApplication::processEvents();
        }
        QTest::keyClick(grid(), Qt::Key_End, Qt::ControlModifier);
    };
    const int result = run([&] {
        button("AllDisplay")->click();
        QCoreApplication::processEvents();
        EXPECT_LT(grid()->model()->rowCount(), 404);
        scrollToEnd();
        std::vector<int> all(404);
        std::iota(all.begin(), all.end(), 1);
        EXPECT_EQ(gridNumbers(), all);

        // The kana row: a user far down the list is chosen (the last one
        // is ｻﾄｳ ｲﾁﾛｳ).
        button("SBtn")->click();
        scrollToEnd();
        ASSERT_EQ(grid()->model()->rowCount(), 401);
        EXPECT_EQ(grid()->model()->index(400, 0).data().toInt(), 3);
        clickRow(399);
        EXPECT_EQ(input("RegistCureNo")->text(), QStringLiteral("402"));
        EXPECT_EQ(input("RegistName")->text(), QStringLiteral("佐藤398"));
        button("DecideButton")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_form->Person.CureNo, 402);
    EXPECT_EQ(m_form->Person.Kana, QStringLiteral("ｻﾄｳ 6"));
    EXPECT_THAT(m_dialogs.messageTexts(), IsEmpty());
}

TEST_P(TUserSearchFormTest, APageThatCannotBeReadShowsTheDatabaseErrorOnceAndKeepsTheRows)
{
    ASSERT_TRUE(exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
                                    "INSERT INTO Person (Name, Kana) SELECT '佐藤' || i, 'ｻﾄｳ' FROM n")));
    run([&] {
        button("AllDisplay")->click();
        QCoreApplication::processEvents();
        const int shown = grid()->model()->rowCount();
        ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Person")));
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(grid(), Qt::Key_End, Qt::ControlModifier);
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(grid()->model()->rowCount(), shown);
        clickRow(shown - 1);
        EXPECT_TRUE(button("DecideButton")->isEnabled());
    });
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages()[0].type, MessageType::Error);
    EXPECT_EQ(m_dialogs.messages()[0].text, QStringLiteral("SystemError : DB Queryerror "));
}

TEST_P(TUserSearchFormTest, DestroyedWhileShowingRows)
{
    m_form->show();
    button("AllDisplay")->click();
    ASSERT_EQ(gridNumbers().size(), 4u);
    m_form.reset();
}

TAMSOLEN_DATABASE_TEST_SUITE(TUserSearchFormTest);
