#include "DatabaseFixture.h"
#include "KeyboardUser.h"
#include "TestContext.h"

#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "coreui/TTextForm.h"
#include "platform/DbQuery.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

class TCommentFormTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_form = std::make_unique<TCommentForm>(m_context.context);
        m_context.publish(CommentForm, m_form.get());
    }
    void TearDown() override
    {
        m_form.reset();
        DatabaseFixture::TearDown();
    }

    void addPhrase(const QString &program, int code, const QString &text)
    {
        DbQuery insert(db(), QStringLiteral("INSERT INTO Comment (ProgramName, CommentCode, CommentText, Creator, "
                                            "Updator) VALUES (?, ?, ?, 0, 0)"));
        insert.addBind(program).addBind(code).addBind(text);
        ASSERT_TRUE(exec(insert));
    }

    void showGroup(const QString &program, int code)
    {
        m_form->ProgramName = program;
        m_form->CommentCode = code;
        m_form->show();
    }

    void clickRow(int row)
    {
        QTableWidget *grid = m_form->CommentGrid;
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    [[nodiscard]] QStringList gridTexts() const
    {
        QStringList texts;
        for (int row = 0; row < m_form->CommentGrid->rowCount(); ++row)
            texts.append(m_form->CommentGrid->item(row, 0)->text());
        return texts;
    }

    TestContext m_context{db()};
    FakeDialogService &m_dialogs = m_context.dialogs;
    std::unique_ptr<TCommentForm> m_form;
};

TEST_P(TCommentFormTest, DeleteRemovesExactlyTheClickedPhraseOnce)
{
    for (const char16_t *text : {u"101号室", u"102号室", u"103号室", u"104号室"})
        addPhrase(QStringLiteral("UserRegist"), 1, QString::fromUtf16(text));
    addPhrase(QStringLiteral("UserRegist"), 0, QStringLiteral("脳梗塞"));
    showGroup(QStringLiteral("UserRegist"), 1);
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("コメント"));
    EXPECT_EQ(gridTexts(), QStringList({QStringLiteral("101号室"), QStringLiteral("102号室"), QStringLiteral("103号室"),
                                        QStringLiteral("104号室")}));
    EXPECT_FALSE(m_form->DeleteButton->isEnabled());
    EXPECT_EQ(m_form->SelectedID, -1);

    clickRow(2);
    EXPECT_TRUE(m_form->DeleteButton->isEnabled());
    EXPECT_EQ(m_form->CommentEdit->text(), QStringLiteral("103号室"));
    EXPECT_GE(m_form->SelectedID, 0);

    // The grid's current row is moved away; the clicked phrase still goes.
    m_form->CommentGrid->setCurrentCell(0, 0);
    QTest::mouseClick(m_form->DeleteButton, Qt::LeftButton);
    EXPECT_EQ(gridTexts(),
              QStringList({QStringLiteral("101号室"), QStringLiteral("102号室"), QStringLiteral("104号室")}));
    EXPECT_FALSE(m_form->DeleteButton->isEnabled());
    EXPECT_EQ(m_form->SelectedID, -1);
    // Pressing again deletes no neighbour.
    m_form->DeleteButton->setEnabled(true);
    QTest::mouseClick(m_form->DeleteButton, Qt::LeftButton);
    EXPECT_EQ(m_form->GetComments(QStringLiteral("UserRegist"), 1).size(), 3);
    EXPECT_EQ(m_form->GetComments(QStringLiteral("UserRegist"), 0), QStringList{QStringLiteral("脳梗塞")});
    EXPECT_TRUE(m_dialogs.messages().isEmpty());

    // A click below the rows chooses nothing.
    clickRow(0);
    EXPECT_TRUE(m_form->DeleteButton->isEnabled());
    QTest::mouseClick(m_form->CommentGrid->viewport(), Qt::LeftButton, {},
                      QPoint(10, m_form->CommentGrid->viewport()->height() - 4));
    EXPECT_FALSE(m_form->DeleteButton->isEnabled());
    EXPECT_EQ(m_form->SelectedID, -1);

    // Each showing starts without a choice.
    clickRow(0);
    m_form->hide();
    m_form->show();
    EXPECT_FALSE(m_form->DeleteButton->isEnabled());
    EXPECT_TRUE(m_form->CommentEdit->text().isEmpty());
}

TEST_P(TCommentFormTest, AppendShowsThePhraseAndRefusesOverlongTexts)
{
    showGroup(QStringLiteral("Schd"), 0);
    EXPECT_EQ(m_form->CommentGrid->rowCount(), 0);

    m_form->CommentEdit->setText(QString(128, QChar(u'全')));
    QTest::mouseClick(m_form->AppendButton, Qt::LeftButton);
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages()[0].type, MessageType::Information);
    EXPECT_EQ(m_dialogs.messages()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(m_dialogs.messages()[0].text,
              QStringLiteral("入力文字数がオーバーしています。\n半角254文字・全角127文字以内で入力してください。"));
    EXPECT_EQ(m_form->CommentGrid->rowCount(), 0);

    m_form->CommentEdit->setText(QString(127, QChar(u'全')));
    QTest::mouseClick(m_form->AppendButton, Qt::LeftButton);
    EXPECT_EQ(gridTexts(), QStringList{QString(127, QChar(u'全'))});
    EXPECT_EQ(m_form->CommentEdit->text(), QString(127, QChar(u'全')));
    EXPECT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(db().transactionDepth(), 0);
}

TEST_P(TCommentFormTest, DatabaseErrorsAreReported)
{
    addPhrase(QStringLiteral("ResultEdit"), 0, QStringLiteral("良好"));
    showGroup(QStringLiteral("ResultEdit"), 0);
    clickRow(0);
    ASSERT_TRUE(exec(QStringLiteral("DROP TABLE Comment")));

    QTest::mouseClick(m_form->DeleteButton, Qt::LeftButton);
    QTest::mouseClick(m_form->AppendButton, Qt::LeftButton);
    EXPECT_TRUE(m_form->GetComments(QStringLiteral("ResultEdit"), 0).isEmpty());
    m_form->hide();
    m_form->show();
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList({QStringLiteral("System Error : コメント削除終了エラーです。"),
                                                     QStringLiteral("System Error : コメント追加エラーです。"),
                                                     QStringLiteral("System Error : コメント取り込みエラーです。"),
                                                     QStringLiteral("System Error : コメントエラーです。")}));
    EXPECT_EQ(db().transactionDepth(), 0);
    EXPECT_EQ(m_form->CommentGrid->rowCount(), 0);
}

// Whatever had the focus when the list last closed, typing goes into the
// phrase box as soon as it shows again.
TEST_P(TCommentFormTest, EachShowingTakesTypingIntoThePhraseBox)
{
    addPhrase(QStringLiteral("Schd"), 0, QStringLiteral("送迎あり"));
    m_form->ProgramName = QStringLiteral("Schd");
    for (int round = 1; round <= 2; ++round) {
        m_dialogs.queueDialog(FakeDialogService::execAndPress(QStringLiteral("CloseButton"), [this](QDialog *list) {
            KeyboardUser::type(list, QStringLiteral("abc"));
            EXPECT_EQ(m_form->CommentEdit->text(), QStringLiteral("abc"));
            // The focus is left in the grid, and 戻る then takes it.
            clickRow(0);
            m_form->CommentGrid->setFocus();
        }));
        EXPECT_EQ(Dialogs::exec(m_form.get()), int(QDialog::Accepted)) << round;
    }

    TTextForm text;
    text.ProgramName = QStringLiteral("Schd");
    for (int round = 1; round <= 2; ++round) {
        m_dialogs.queueDialog(FakeDialogService::execAndPress(QStringLiteral("CancelButton"), [&text](QDialog *box) {
            KeyboardUser::type(box, QStringLiteral("xy"));
            EXPECT_EQ(text.TextBox->currentText(), QStringLiteral("xy"));
            text.OkButton->setFocus();
        }));
        Dialogs::exec(&text);
    }
}

TEST_P(TCommentFormTest, TextFormOffersTheGroupAndReloadsAfterEditing)
{
    addPhrase(QStringLiteral("UserAttend"), 0, QStringLiteral("送迎あり"));
    TTextForm text;
    text.ProgramName = QStringLiteral("UserAttend");
    text.show();
    EXPECT_EQ(text.windowTitle(), QStringLiteral("記入"));
    ASSERT_EQ(text.TextBox->count(), 1);
    EXPECT_EQ(text.TextBox->currentIndex(), -1);
    EXPECT_TRUE(text.TextBox->currentText().isEmpty());

    QTest::keyClicks(text.TextBox->lineEdit(), QStringLiteral("abc"));
    m_dialogs.queueDialog([](QDialog *dialog) {
        auto *editor = static_cast<TCommentForm *>(dialog);
        EXPECT_EQ(editor->ProgramName, QStringLiteral("UserAttend"));
        editor->CommentEdit->setText(QStringLiteral("家族同伴"));
        editor->AppendButton->click();
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(text.TextBox->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(m_dialogs.dialogCount(), 1);
    ASSERT_EQ(text.TextBox->count(), 2);
    EXPECT_EQ(text.TextBox->itemText(1), QStringLiteral("家族同伴"));
    EXPECT_EQ(text.TextBox->currentText(), QStringLiteral("abc"));
    EXPECT_EQ(text.Phrases.size(), 2);
}

TAMSOLEN_DATABASE_TEST_SUITE(TCommentFormTest);
