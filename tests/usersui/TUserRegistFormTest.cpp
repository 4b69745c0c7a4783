#include "DatabaseFixture.h"
#include "KeyboardUser.h"
#include "PersonRows.h"
#include "TestContext.h"

#include "base/Clock.h"
#include "core/CodeTables.h"
#include "coreui/EraLineEdit.h"
#include "coreui/KanaLineEdit.h"
#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "usersui/TUserRegistForm.h"
#include "usersui/TUserSearchForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const QString Saved = QStringLiteral("登録しました");
const QString CloseQuestion = QStringLiteral("データ保存の確認\n終了して良いですか?");

// Text as an input method commits it.
void commit(QWidget *input, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(input, &event);
}

// Typed into an era-date input key by key, then Enter.
void typeDate(EraLineEdit *input, const QString &keys)
{
    input->setEmpty();
    input->setCursorPosition(0);
    QTest::keyClicks(input, keys);
    QTest::keyClick(input, Qt::Key_Return);
}

// A list entry chosen by a person.
void choose(QComboBox *list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

} // namespace

class TUserRegistFormTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        Clock::setFixed(QDateTime(QDate(2024, 5, 10), QTime(14, 5)));
        m_comments = std::make_unique<TCommentForm>(m_context.context);
        m_context.publish(CommentForm, m_comments.get());
        m_search = std::make_unique<TUserSearchForm>(m_context.context);
        m_context.publish(UserSearchForm, m_search.get());
        m_form = std::make_unique<TUserRegistForm>(m_context.context);
    }
    void TearDown() override
    {
        m_form.reset();
        m_search.reset();
        m_comments.reset();
        Clock::reset();
        DatabaseFixture::TearDown();
    }

    void addPhrase(int code, const QString &text)
    {
        DbQuery insert(db(), QStringLiteral("INSERT INTO Comment (ProgramName, CommentCode, CommentText) "
                                            "VALUES ('UserRegist', ?, ?)"));
        insert.addBind(code).addBind(text);
        ASSERT_TRUE(exec(insert));
    }

    // Opens the user through the search dialog: all users, the user's row, decide.
    void openUser(int cureNo)
    {
        m_dialogs.queueDialog([cureNo](QDialog *dialog) {
            auto *search = static_cast<TUserSearchForm *>(dialog);
            search->AllDisplay->click();
            const QAbstractItemModel *rows = search->DBGrid1->model();
            for (int row = 0; row < rows->rowCount(); ++row) {
                if (rows->index(row, 0).data().toInt() == cureNo) {
                    const QRect cell = search->DBGrid1->visualRect(rows->index(row, 1));
                    QTest::mouseClick(search->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
                }
            }
            search->DecideButton->click();
            return search->result();
        });
        m_form->OpenBtn->click();
    }

    // Fills the inputs a new user needs.
    void typeNewUser()
    {
        m_form->NewBtn->click();
        commit(m_form->RegistName, QStringLiteral("山田　花子"));
        commit(m_form->RegistKanaName, QStringLiteral("やまだ　はなこ"));
        typeDate(m_form->BirthDay, QStringLiteral("S150401"));
        choose(m_form->SexBox, 1);
        choose(m_form->RihaTypeBox, 2);
        typeDate(m_form->NyushoDay, QStringLiteral("R020401"));
    }

    TPerson stored(int cureNo)
    {
        DbDataSet row;
        DbQuery query(db(), QStringLiteral("SELECT * FROM Person WHERE CureNo = ?"));
        query.addBind(cureNo);
        EXPECT_TRUE(row.open(query));
        EXPECT_EQ(row.recordCount(), 1);
        TPerson person = TPerson::fromRow(row);
        person.Funn01 = row.field(u"Funn01").asInteger();
        return person;
    }

    int personCount()
    {
        DbDataSet rows;
        EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT CureNo FROM Person"))));
        return rows.recordCount();
    }

    TestContext m_context{db()};
    FakeDialogService &m_dialogs = m_context.dialogs;
    std::unique_ptr<TCommentForm> m_comments;
    std::unique_ptr<TUserSearchForm> m_search;
    std::unique_ptr<TUserRegistForm> m_form;
};

TEST_P(TUserRegistFormTest, NewUserIsSavedAndReopenedWithEveryInput)
{
    addPhrase(0, QStringLiteral("脳梗塞"));
    addPhrase(1, QStringLiteral("201号室"));
    m_form->show();
    EXPECT_EQ(m_form->EditMode, TUserRegistForm::EditNothing);
    EXPECT_FALSE(m_form->MainPanel->isVisible());
    EXPECT_FALSE(m_form->SaveBtn->isEnabled());
    EXPECT_FALSE(m_form->DeleteMenu->isEnabled());
    const std::pair<QComboBox *, int> counts[] = {
        {m_form->SexBox, 2},        {m_form->RihaTypeBox, 4}, {m_form->JiritsudoBox, 9},    {m_form->NinchidoBox, 8},
        {m_form->YoukaigodoBox, 7}, {m_form->RoomBox, 1},     {m_form->ShikanNameBox[3], 1}};
    for (const auto &[list, count] : counts)
        EXPECT_EQ(list->count(), count) << list->objectName().toStdString();

    // Every input typed or chosen as a person would.
    TPerson expected = PersonRows::full();
    expected.Ninchi_KBN = 0;
    typeNewUser();
    EXPECT_EQ(m_form->EditMode, TUserRegistForm::EditNew);
    // Type 2 offers all four categories and the reference date.
    EXPECT_TRUE(m_form->KobetsuBox->isVisible());
    EXPECT_TRUE(m_form->KijunEdit->isVisible());
    QTest::mouseClick(m_form->NinchiBox, Qt::LeftButton);
    QTest::mouseClick(m_form->KobetsuBox, Qt::LeftButton);
    const std::pair<QLineEdit *, QString> typed[] = {{m_form->distinctive, expected.distinctive},
                                                     {m_form->Address, expected.Address},
                                                     {m_form->ShikanNameBox[1]->lineEdit(), expected.Disease2},
                                                     {m_form->ShikanNameBox[5]->lineEdit(), expected.Disease6}};
    for (const auto &[input, text] : typed)
        commit(input, text);
    m_form->UbinNo->setCursorPosition(0);
    QTest::keyClicks(m_form->UbinNo, QStringLiteral("1234567"));
    QTest::keyClicks(m_form->TelNo, expected.TelNo);
    QTest::keyClicks(m_form->FaxNo, expected.FaxNo);
    QTest::keyClicks(m_form->EMailEdit, expected.EMail);
    QTest::keyClicks(m_form->JupterUserNo, QStringLiteral("4711"));
    choose(m_form->RoomBox, 0);
    choose(m_form->JiritsudoBox, 8);
    choose(m_form->NinchidoBox, 0);
    choose(m_form->YoukaigodoBox, 6);
    typeDate(m_form->TaiinDay, QStringLiteral("R020315"));
    typeDate(m_form->TaishoDay, QStringLiteral("R060331"));
    choose(m_form->ShikanNameBox[0], 0);

    m_form->SaveBtn->click();
    ASSERT_EQ(m_dialogs.messageTexts(), QStringList{Saved});
    const int cureNo = m_form->CureNo->text().toInt();
    ASSERT_GE(cureNo, 1);
    EXPECT_EQ(m_form->EditMode, TUserRegistForm::EditExisting);
    EXPECT_FALSE(m_form->Modified);
    EXPECT_TRUE(m_form->DeleteMenu->isEnabled());
    expected.CureNo = cureNo;
    expected.KubunDate = Clock::now();
    EXPECT_EQ(stored(cureNo), expected);

    // Reopened through the search, every input shows the stored user.
    m_form->NewBtn->click();
    openUser(cureNo);
    EXPECT_EQ(m_form->EditMode, TUserRegistForm::EditExisting);
    const std::pair<QString, QString> shown[] = {{m_form->CureNo->text(), QString::number(cureNo)},
                                                 {m_form->RegistKanaName->text(), expected.Kana},
                                                 {m_form->BirthDay->text(), QStringLiteral("昭和15年04月01日")},
                                                 {m_form->UbinNo->text(), expected.YoubinNo},
                                                 {m_form->JupterUserNo->text(), QStringLiteral("4711")},
                                                 {m_form->KijunEdit->text(), QStringLiteral("令和06年05月10日")},
                                                 {m_form->RoomBox->currentText(), expected.ROOM_NO},
                                                 {m_form->TaiinDay->text(), QStringLiteral("令和02年03月15日")},
                                                 {m_form->TaishoDay->text(), QStringLiteral("令和06年03月31日")},
                                                 {m_form->ShikanNameBox[0]->currentText(), expected.Disease1},
                                                 {m_form->ShikanNameBox[5]->currentText(), expected.Disease6}};
    for (const auto &[text, wanted] : shown)
        EXPECT_EQ(text, wanted);
    EXPECT_EQ(m_form->BirthDatePicker->date(), QDate(1940, 4, 1));
    EXPECT_EQ(m_form->JiritsudoBox->currentIndex(), 8);
    EXPECT_EQ(m_form->NinchidoBox->currentIndex(), 0);
    EXPECT_TRUE(m_form->KobetsuBox->isChecked());
    EXPECT_FALSE(m_form->TankiBox->isChecked());
    EXPECT_FALSE(m_form->Modified);

    // Saved unchanged, the row stays as it was but for the time of saving.
    Clock::setFixed(QDateTime(QDate(2024, 6, 1), QTime(8, 0)));
    m_form->SaveBtn->click();
    expected.KubunDate = Clock::now();
    EXPECT_EQ(stored(cureNo), expected);
    EXPECT_EQ(personCount(), 1);
}

TEST_P(TUserRegistFormTest, FieldCheckShowsItsMessageAndFocusesTheInput)
{
    m_form->show();
    m_form->NewBtn->click();
    commit(m_form->RegistName, QStringLiteral("　 "));
    m_form->SaveBtn->click();
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages()[0].type, MessageType::Information);
    EXPECT_EQ(m_dialogs.messages()[0].text,
              QStringLiteral("氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。"));
    EXPECT_EQ(m_form->focusWidget(), m_form->RegistName);
    EXPECT_TRUE(m_form->SaveBtn->isEnabled());

    m_dialogs.clear();
    typeNewUser();
    typeDate(m_form->TaishoDay, QStringLiteral("R020331"));
    m_form->SaveBtn->click();
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{QStringLiteral("退所(終了)日<入所日:日付エラーです。")});
    EXPECT_EQ(m_form->focusWidget(), m_form->TaishoDay);

    // A partner number that is no number says so.
    m_dialogs.clear();
    typeDate(m_form->TaishoDay, QStringLiteral("R020401"));
    QTest::keyClicks(m_form->JupterUserNo, QStringLiteral("x1"));
    m_form->SaveBtn->click();
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{QStringLiteral("数字エラーです。\n半角数字で入力してください。")});
    EXPECT_EQ(m_form->focusWidget(), m_form->JupterUserNo);
    EXPECT_EQ(personCount(), 0);

    // Enter in an era-date input that does not read.
    m_dialogs.clear();
    m_form->BirthDay->setEmpty();
    QTest::keyClick(m_form->BirthDay, Qt::Key_Return);
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{QStringLiteral("生年月日の日付けが不明です。")});
}

// What is typed right after 新規 or 開く lands in the name.
TEST_P(TUserRegistFormTest, NewAndOpenTakeTypingIntoTheName)
{
    const int cureNo =
        PersonRows::insert(db(), PersonRows::make(QStringLiteral("佐藤 一郎"), QStringLiteral("ｻﾄｳ ｲﾁﾛｳ")));
    m_form->show();
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    QTest::mouseClick(m_form->NewBtn, Qt::LeftButton);
    KeyboardUser::type(m_form.get(), QStringLiteral("abc"));
    EXPECT_EQ(m_form->RegistName->text(), QStringLiteral("abc"));

    // The focus is elsewhere when a user is opened.
    m_form->TelNo->setFocus();
    openUser(cureNo);
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    QTest::keyClick(m_form->windowHandle(), Qt::Key_End);
    KeyboardUser::type(m_form.get(), QStringLiteral("x"));
    EXPECT_EQ(m_form->RegistName->text(), QStringLiteral("佐藤 一郎x"));
}

TEST_P(TUserRegistFormTest, OpeningRunsNoInputHandlersAndKeepsWishes)
{
    TPerson person = PersonRows::make(QStringLiteral("佐藤 一郎"), QStringLiteral("ｻﾄｳ ｲﾁﾛｳ"));
    person.Sex = 0;
    person.RihaType = 3;
    person.KubunCode = KubunTanki | KubunNinchi;
    person.KubunDate = DateTime::encodeDate(2023, 1, 20);
    person.HP_TAISHO_YMD = DateTime::None;
    const int cureNo = PersonRows::insert(db(), person);
    TPerson dated = PersonRows::make(QStringLiteral("日付 有"), QStringLiteral("ﾋﾂﾞｹ ｱﾘ"));
    dated.RihaType = 1;
    dated.KubunCode = KubunShudan;
    dated.HP_TAISHO_YMD = DateTime::encodeDate(2020, 3, 15);
    const int datedNo = PersonRows::insert(db(), dated);
    m_form->show();
    openUser(datedNo);
    EXPECT_EQ(m_form->TaiinDayPicker->date(), QDate(2020, 3, 15));
    openUser(cureNo);

    EXPECT_TRUE(m_form->TankiBox->isChecked());
    EXPECT_TRUE(m_form->NinchiBox->isChecked());
    EXPECT_TRUE(m_form->TankiBox->isVisible());
    EXPECT_FALSE(m_form->ShuudanBox->isVisible());
    EXPECT_EQ(m_form->KijunEdit->text(), QStringLiteral("令和05年01月20日"));
    EXPECT_EQ(m_form->TaiinDay->text(), QStringLiteral("＿＿__年__月__日"));
    EXPECT_EQ(m_form->TaiinDayPicker->date(), QDate(2024, 5, 10));
    EXPECT_FALSE(m_form->Modified);

    // Weekly wishes saved meanwhile at another workstation.
    DbQuery wishes(db(), QStringLiteral("UPDATE Person SET Funn01 = 40 WHERE CureNo = ?"));
    wishes.addBind(cureNo);
    ASSERT_TRUE(exec(wishes));

    m_form->SaveBtn->click();
    ASSERT_EQ(m_dialogs.messageTexts(), QStringList{Saved});
    const TPerson after = stored(cureNo);
    EXPECT_EQ(after.KubunCode, KubunTanki | KubunNinchi);
    EXPECT_EQ(after.HP_TAISHO_YMD, DateTime::None);
    EXPECT_EQ(after.Funn01, 40);

    // A type chosen by a person clears the categories and the reference date.
    choose(m_form->RihaTypeBox, 0);
    EXPECT_FALSE(m_form->TankiBox->isChecked());
    EXPECT_FALSE(m_form->KijunEdit->isVisible());
    EXPECT_EQ(m_form->KijunEdit->text(), QStringLiteral("＿＿__年__月__日"));
    EXPECT_TRUE(m_form->Modified);

    // A date picked writes the input.
    m_form->TaiinDayPicker->setDate(QDate(2024, 2, 3));
    EXPECT_EQ(m_form->TaiinDay->text(), QStringLiteral("令和06年02月03日"));
}

TEST_P(TUserRegistFormTest, AWrongDischargeDateIsEmptiedAndStoredAsNone)
{
    TPerson person = PersonRows::full();
    const int cureNo = PersonRows::insert(db(), person);
    m_form->show();
    openUser(cureNo);
    m_form->TaishoDay->setFocus();
    m_form->TaishoDay->selectAll();
    QTest::keyClick(m_form->TaishoDay, Qt::Key_Delete);
    m_form->SaveBtn->click();
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{Saved});
    EXPECT_EQ(stored(cureNo).TAISHOBI_YMD, DateTime::None);
}

TEST_P(TUserRegistFormTest, StoringUnderAnotherStartDateMakesANewUser)
{
    m_form->show();
    typeNewUser();
    m_form->SaveBtn->click();
    const int first = m_form->CureNo->text().toInt();
    ASSERT_GE(first, 1);

    // Unchanged, the duplicate check refuses it and the save stays disabled.
    m_dialogs.clear();
    m_form->UpdSaveMenu->trigger();
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages()[0].type, MessageType::Warning);
    EXPECT_EQ(m_dialogs.messages()[0].buttons, MessageButtons::Yes);
    EXPECT_EQ(m_dialogs.messages()[0].text, QStringLiteral("すでに登録済みです。\n確認して下さい。"));
    EXPECT_FALSE(m_form->SaveBtn->isEnabled());
    EXPECT_FALSE(m_form->SaveMenu->isEnabled());
    EXPECT_EQ(personCount(), 1);

    openUser(first);
    typeDate(m_form->NyushoDay, QStringLiteral("R030401"));
    m_dialogs.clear();
    m_form->UpdSaveMenu->trigger();
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{Saved});
    const int second = m_form->CureNo->text().toInt();
    EXPECT_GT(second, first);
    EXPECT_EQ(m_form->EditMode, TUserRegistForm::EditExisting);
    EXPECT_EQ(stored(first).NYUSHOBI_YMD, DateTime::encodeDate(2020, 4, 1));
    EXPECT_EQ(stored(second).NYUSHOBI_YMD, DateTime::encodeDate(2021, 4, 1));

    // The next save updates the new user.
    commit(m_form->Address, QStringLiteral("大阪府"));
    m_form->SaveBtn->click();
    EXPECT_EQ(stored(second).Address, QStringLiteral("大阪府"));
    EXPECT_EQ(personCount(), 2);
}

TEST_P(TUserRegistFormTest, UserDeletedElsewhereIsReportedAndNothingStaysOpen)
{
    const int cureNo = PersonRows::insert(db(), PersonRows::make(QStringLiteral("消去"), QStringLiteral("ｼｮｳｷｮ")));
    m_form->show();
    openUser(cureNo);
    DbQuery elsewhere(db(), QStringLiteral("DELETE FROM Person WHERE CureNo = ?"));
    elsewhere.addBind(cureNo);
    ASSERT_TRUE(exec(elsewhere));

    m_form->SaveBtn->click();
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages()[0].type, MessageType::Error);
    EXPECT_EQ(m_dialogs.messages()[0].buttons, MessageButtons::Abort);
    EXPECT_EQ(m_dialogs.messages()[0].text, QStringLiteral("SystemError : 利用者台帳 error "));
    EXPECT_TRUE(m_form->SaveBtn->isEnabled());
    EXPECT_EQ(db().transactionDepth(), 0);
    EXPECT_EQ(personCount(), 0);
}

TEST_P(TUserRegistFormTest, DeleteAsksFirst)
{
    const int keep = PersonRows::insert(db(), PersonRows::make(QStringLiteral("残る"), QStringLiteral("ﾉｺﾙ")));
    const int cureNo = PersonRows::insert(db(), PersonRows::make(QStringLiteral("消す"), QStringLiteral("ｹｽ")));
    m_form->show();
    m_form->NewBtn->click();
    EXPECT_FALSE(m_form->DeleteMenu->isEnabled());
    openUser(cureNo);
    ASSERT_TRUE(m_form->DeleteMenu->isEnabled());

    const QString number = QString::number(cureNo);
    m_dialogs.queueAnswer(MessageAnswer::No);
    m_form->DeleteMenu->trigger();
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(m_dialogs.messages()[0].text, QStringLiteral("治療番号 = ") + number +
                                                QStringLiteral(" の\n全てのデータが削除されます。\n削除しますか？"));
    EXPECT_EQ(personCount(), 2);
    EXPECT_TRUE(m_form->DeleteMenu->isEnabled());

    m_dialogs.clear();
    m_dialogs.queueAnswer(MessageAnswer::Yes);
    m_form->DeleteMenu->trigger();
    ASSERT_EQ(m_dialogs.messages().size(), 2);
    EXPECT_EQ(m_dialogs.messages()[1].text,
              QStringLiteral("治療番号 = ") + number + QStringLiteral("\nを削除しました。"));
    EXPECT_EQ(personCount(), 1);
    EXPECT_EQ(stored(keep).Name, QStringLiteral("残る"));
    EXPECT_FALSE(m_form->MainPanel->isVisible());
    EXPECT_TRUE(m_form->CureNo->text().isEmpty());
    EXPECT_TRUE(m_form->RegistName->text().isEmpty());
    EXPECT_FALSE(m_form->DeleteMenu->isEnabled());
    EXPECT_EQ(db().transactionDepth(), 0);
}

TEST_P(TUserRegistFormTest, CloseAsksOnlyAfterChanges)
{
    m_form->show();
    m_form->CloseBtn->click();
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_TRUE(m_dialogs.messages().isEmpty());

    m_form->show();
    typeNewUser();
    m_dialogs.queueAnswer(MessageAnswer::No);
    m_form->CloseMenu->trigger();
    EXPECT_TRUE(m_form->isVisible());
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_EQ(m_dialogs.messages()[0].type, MessageType::Warning);
    EXPECT_EQ(m_dialogs.messages()[0].buttons, MessageButtons::OkNo);
    EXPECT_EQ(m_dialogs.messages()[0].text, CloseQuestion);

    // Saved: the choices count no more, but what was typed since the inputs
    // were filled still makes closing ask, after every save.
    QTest::mouseClick(m_form->SaveBtn, Qt::LeftButton);
    const int cureNo = m_form->CureNo->text().toInt();
    ASSERT_GE(cureNo, 1);
    EXPECT_FALSE(m_form->Modified);
    for (int save = 0; save < 2; ++save) {
        m_dialogs.clear();
        m_dialogs.queueAnswer(MessageAnswer::No);
        m_form->close();
        EXPECT_EQ(m_dialogs.messageTexts(), QStringList{CloseQuestion});
        EXPECT_TRUE(m_form->isVisible());
        QTest::mouseClick(m_form->SaveBtn, Qt::LeftButton);
    }
    m_dialogs.clear();
    m_form->close();
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{CloseQuestion});
    EXPECT_FALSE(m_form->isVisible());
    const auto closesWithoutAsking = [this] {
        m_dialogs.clear();
        m_form->close();
        return m_dialogs.messages().isEmpty() && !m_form->isVisible();
    };

    // Opened and left as it was.
    m_form->show();
    openUser(cureNo);
    EXPECT_TRUE(closesWithoutAsking());

    // Opened and only a category clicked.
    m_form->show();
    openUser(cureNo);
    QTest::mouseClick(m_form->ShuudanBox, Qt::LeftButton);
    m_dialogs.queueAnswer(MessageAnswer::No);
    m_form->close();
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{CloseQuestion});
    EXPECT_TRUE(m_form->isVisible());
}

TEST_P(TUserRegistFormTest, PhraseListsReloadAfterThePhraseEditor)
{
    addPhrase(0, QStringLiteral("脳梗塞"));
    addPhrase(1, QStringLiteral("201号室"));
    m_form->show();
    m_form->NewBtn->click();
    PhraseComboBox *third = m_form->ShikanNameBox[2];
    commit(third->lineEdit(), QStringLiteral("肺炎"));

    const auto addInEditor = [](int code, const QString &text) {
        return [code, text](QDialog *dialog) {
            auto *editor = static_cast<TCommentForm *>(dialog);
            EXPECT_EQ(editor->ProgramName, QStringLiteral("UserRegist"));
            EXPECT_EQ(editor->CommentCode, code);
            editor->CommentEdit->setText(text);
            editor->AppendButton->click();
            return int(QDialog::Accepted);
        };
    };
    m_dialogs.queueDialog(addInEditor(0, QStringLiteral("骨折")));
    QTest::mouseDClick(third->lineEdit(), Qt::LeftButton);
    for (PhraseComboBox *box : m_form->ShikanNameBox) {
        ASSERT_EQ(box->count(), 2);
        EXPECT_EQ(box->itemText(1), QStringLiteral("骨折"));
    }
    EXPECT_EQ(third->currentText(), QStringLiteral("肺炎"));
    EXPECT_EQ(m_form->RoomBox->count(), 1);

    m_dialogs.queueDialog(addInEditor(1, QStringLiteral("202号室")));
    QTest::mouseDClick(m_form->RoomBox->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(m_form->RoomBox->count(), 2);
    EXPECT_EQ(m_dialogs.dialogCount(), 2);
}

TEST_P(TUserRegistFormTest, EditActionsActOnTheFocusedInput)
{
    m_form->show();
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    m_form->NewBtn->click();
    commit(m_form->Address, QStringLiteral("東京都"));
    m_form->Address->setFocus();
    m_form->Address->selectAll();
    EXPECT_TRUE(m_form->EditCopy->isEnabled());
    EXPECT_TRUE(m_form->EditCut->isEnabled());

    m_form->EditCut->trigger();
    EXPECT_TRUE(m_form->Address->text().isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("東京都"));
    EXPECT_FALSE(m_form->EditCut->isEnabled());
    ASSERT_TRUE(m_form->EditPaste->isEnabled());
    m_form->EditPaste->trigger();
    EXPECT_EQ(m_form->Address->text(), QStringLiteral("東京都"));

    // An era-date input is never pasted into, and cut only as a whole,
    // which empties it.
    typeDate(m_form->TaishoDay, QStringLiteral("R060331"));
    m_form->TaishoDay->setFocus();
    m_form->TaishoDay->setSelection(0, 3);
    EXPECT_TRUE(m_form->EditCopy->isEnabled());
    EXPECT_FALSE(m_form->EditCut->isEnabled());
    EXPECT_FALSE(m_form->EditPaste->isEnabled());
    m_form->TaishoDay->selectAll();
    ASSERT_TRUE(m_form->EditCut->isEnabled());
    m_form->EditCut->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("令和 6年 3月31日"));
    EXPECT_EQ(m_form->TaishoDay->text(), QStringLiteral("＿＿__年__月__日"));
}

TAMSOLEN_DATABASE_TEST_SUITE(TUserRegistFormTest);
