#include "DatabaseFixture.h"
#include "TestContext.h"

#include "base/Clock.h"
#include "coreui/EraLineEdit.h"
#include "coreui/PhraseComboBox.h"
#include "coreui/TStringsForm.h"
#include "platform/DbQuery.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "report/objects/TrpView.h"
#include "report/pages/TrpPrinter.h"
#include "reportui/TemplatePrintout.h"
#include "schedulingui/TAttendScheduleForm.h"
#include "schedulingui/TDayAttendForm.h"
#include "schedulingui/TOpenCureDialog.h"
#include "schedulingui/TUserAttendForm.h"
#include "schedulingui/TUserSheetForm.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {

class BookingListsTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped())
            return;
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        m_test = std::make_unique<TestContext>(db());
        m_test->mainModule.setStaff({{11, QStringLiteral("青木　花子")}, {12, QStringLiteral("伊藤　健")}});
        m_test->mainModule.FacilityName = QStringLiteral("さくらの里");
        const QString overriding = sqlFor(QString(), QStringLiteral("OVERRIDING SYSTEM VALUE "));
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO KaigoStuff (CD, StuffName) VALUES (11, '青木　花子')")));
        for (const QString &values : {QStringLiteral("(7, '佐藤　一郎', 2, 9, '2026-11-01 00:00:00.000')"),
                                      QStringLiteral("(8, '鈴木　花', 0, 1, '2026-12-03 00:00:00.000')")})
            ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Person (CureNo, Name, RihaType, KubunCode, NYUSHOBI_YMD) ") +
                             overriding + QStringLiteral("VALUES ") + values));
        // Staff 11: the 3rd twice (user 7, user 8), the 20th; staff 12 (no
        // KaigoStuff row): the 3rd; next month's 1st.
        addBooking(3, 11, 9, 7);
        addBooking(3, 11, 10, 8);
        addBooking(20, 11, 9, 7);
        addBooking(3, 12, 14, 7);
        addBooking(31 + 1, 11, 9, 7);
    }
    void TearDown() override
    {
        m_test.reset();
        Clock::reset();
        DatabaseFixture::TearDown();
    }
    void addBooking(int day, int staff, int hour, int cureNo)
    {
        const QString date = DateTime::format(u"yyyy-mm-dd", DateTime::encodeDate(2026, 12, 1) + day - 1);
        ASSERT_TRUE(
            exec(QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, Capacity) "
                                "VALUES ('%1 00:00:00.000', %2, '1899-12-30 %3:00:00.000', 30, 2)")
                     .arg(date)
                     .arg(staff)
                     .arg(hour, 2, 10, QLatin1Char('0'))));
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment, CreateDate) SELECT "
                                        "MAX(ReserveNo), %1, '', '2026-12-01 00:00:00.000' FROM TimeTable")
                             .arg(cureNo)));
    }
    // Every text of every page of the shown list's printout.
    static std::vector<QStringList> pages(const BookingListPrint &print)
    {
        TrpPrinter printer{QStringList()};
        QObject owner;
        TrpReport report(&owner);
        report.setPrinter(printer);
        TrpUserDataset dataset(&owner);
        TemplatePrintout::bind(report, dataset, print.rowCount(),
                               [&print](const QString &name, int row) { return print.value(name, row); });
        EXPECT_TRUE(report.LoadFromFile(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/") +
                                        BookingListPrint::templateName(print.kind()).toString()));
        EXPECT_TRUE(report.PrepareReport());
        EXPECT_FALSE(report.hasError()) << report.ErrorText().toStdString();
        std::vector<QStringList> result;
        for (int i = 0; i < report.EMFPages().Count(); ++i) {
            QStringList texts;
            for (const std::unique_ptr<TrpView> &view : report.EMFPages()[i].objects())
                texts.append(view->ExpandedMemo.join(QLatin1Char('\n')));
            result.push_back(texts);
        }
        return result;
    }
    static QStringList column(const QTableWidget *grid, int c)
    {
        QStringList texts;
        for (int r = 0; r < grid->rowCount(); ++r)
            texts << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        return texts;
    }

    std::unique_ptr<TestContext> m_test;
};

// The staff list: the month, then days; the printed header is what the
// list showed even after the controls moved on; printing is off while the
// list is closed.
TEST_P(BookingListsTest, StaffListFiltersAndPrints)
{
    TAttendScheduleForm form(m_test->context);
    form.show();
    EXPECT_FALSE(form.PrintButton->isEnabled());
    form.DisplayButton->click();
    EXPECT_EQ(form.CountLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(column(form.DBGrid1, 3), (QStringLiteral("佐藤　一郎|鈴木　花|佐藤　一郎").split(u'|')));
    EXPECT_EQ(column(form.DBGrid1, 6), (QStringLiteral("短期集中  個別  |短期集中  |短期集中  個別  ").split(u'|')));
    ASSERT_TRUE(form.PrintButton->isEnabled());
    const BookingListPrint print = *form.shownList();
    form.TantouBox->setCurrentIndex(1);
    emit form.TantouBox->activated(1);
    EXPECT_FALSE(form.PrintButton->isEnabled());
    const auto printed = pages(print);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_TRUE(printed[0].contains(QStringLiteral("青木　花子")));
    EXPECT_TRUE(printed[0].contains(QStringLiteral("令和 08年12月 1日～31日")));
    EXPECT_TRUE(printed[0].contains(QStringLiteral("1 / 1")));
    EXPECT_EQ(printed[0].count(QStringLiteral("佐藤　一郎")), 2);
    EXPECT_TRUE(printed[0].contains(QStringLiteral("令和08年11月01日")));

    form.TantouBox->setCurrentIndex(0);
    form.DaysButton->setChecked(true);
    form.FromEdit->setValue(20);
    form.ToEdit->setValue(5);
    form.DisplayButton->click();
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("作業日の指定に誤りがあります。")});
    form.FromEdit->setValue(4);
    form.ToEdit->setValue(31);
    form.DisplayButton->click();
    EXPECT_EQ(form.CountLabel->text(), QStringLiteral("1"));
    EXPECT_EQ(form.shownList()->value(QStringLiteral("YYMMDD"), 0)->toText(),
              QStringLiteral("令和 08年12月 4日～31日"));
}

// A booking whose staff member is gone lists with an empty name; the memo
// is limited to 512 bytes; a long list runs over pages numbered "n / N".
TEST_P(BookingListsTest, UserListAndItsPrintout)
{
    for (int day = 4; day <= 30; ++day) {
        addBooking(day, 11, 15, 7);
        addBooking(day, 11, 16, 7);
    }
    TUserAttendForm form(m_test->context);
    form.show();
    EXPECT_FALSE(form.DisplayButton->isEnabled());
    form.setUser(7, QStringLiteral("佐藤　一郎"), QStringLiteral("ｻﾄｳ ｲﾁﾛｳ"), DateTime::encodeDate(1940, 5, 1), 0);
    form.DisplayButton->click();
    ASSERT_EQ(form.CountLabel->text(), QStringLiteral("57"));
    EXPECT_EQ(form.DBGrid1->item(1, 4)->text(), QString()); // staff 12 is not in KaigoStuff
    EXPECT_EQ(form.DBGrid1->item(0, 4)->text(), QStringLiteral("青木　花子"));
    form.Memo->setPlainText(QString(256, QChar(u'あ')));
    const auto printed = pages(*form.shownList());
    ASSERT_GE(printed.size(), 2u);
    EXPECT_TRUE(printed[0].contains(QStringLiteral("1 / %1").arg(printed.size())));
    EXPECT_TRUE(printed[0].contains(QStringLiteral("令和 08年12月")));
    EXPECT_TRUE(printed[0].contains(QStringLiteral("ｻﾄｳ ｲﾁﾛｳ")));
    form.Memo->setPlainText(QString(256, QChar(u'あ')) + QLatin1Char('a'));
    form.PrintButton->click();
    EXPECT_EQ(m_test->dialogs.messageTexts(), QStringList{QStringLiteral("連絡事項の文字数が許容数を超えました。")});
}

// The user list's header holds the longest user whole: no box covers a
// caption, an arrow or another box, and no text is cut.
TEST_P(BookingListsTest, UserHeaderBoxesHoldTheirTextsApart)
{
    TUserAttendForm form(m_test->context);
    form.show();
    form.setUser(99999999, QString(10, QChar(u'長')), QString(20, QChar(u'ｶ')), DateTime::encodeDate(1988, 12, 28), 2);
    QCoreApplication::processEvents();
    const QList<QWidget *> boxes = form.FilterPanel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    ASSERT_GE(boxes.size(), 14);
    for (QWidget *box : boxes) {
        if (auto *label = qobject_cast<QLabel *>(box)) {
            const int room = label->contentsRect().width();
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room) << label->text().toStdString();
        }
        for (QWidget *other : boxes)
            EXPECT_TRUE(box == other || !box->geometry().intersects(other->geometry()))
                << box->objectName().toStdString() << " " << other->objectName().toStdString();
    }
}

// A double click on the contact memo offers the phrases of "UserAttend" and
// puts the chosen ones on the clipboard.
TEST_P(BookingListsTest, ContactMemoOffersPhrases)
{
    TUserAttendForm form(m_test->context);
    TStringsForm picker;
    m_test->publish(StringsForm, &picker);
    form.show();
    m_test->dialogs.queueDialog([](QDialog *dialog) {
        auto *strings = static_cast<TStringsForm *>(dialog);
        EXPECT_EQ(strings->ProgramName, QStringLiteral("UserAttend"));
        EXPECT_EQ(strings->CommentCode, 0);
        strings->TextBox[0]->setEditText(QStringLiteral("送迎あり"));
        strings->TextBox[2]->setEditText(QStringLiteral("午前のみ"));
        QTest::mouseClick(strings->CopyBtn, Qt::LeftButton);
        return strings->result();
    });
    QTest::mouseDClick(form.Memo->viewport(), Qt::LeftButton);
    EXPECT_EQ(m_test->dialogs.dialogCount(), 1);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("送迎あり\r\n午前のみ"));
}

TEST_P(BookingListsTest, DayListStepsAndShowsEmptyDays)
{
    TDayAttendForm form(m_test->context);
    form.show(); // the 7th: nothing booked
    EXPECT_EQ(form.CountLabel->text(), QStringLiteral("0"));
    EXPECT_FALSE(form.PrintButton->isEnabled());
    for (int i = 0; i < 4; ++i)
        form.HizukeLeft->click();
    EXPECT_EQ(form.WeekLabel->text(), QStringLiteral("木曜日"));
    EXPECT_EQ(column(form.DBGrid1, 1), (QStringLiteral("佐藤　一郎|鈴木　花").split(u'|')));
    const auto printed = pages(*form.shownList());
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_TRUE(printed[0].contains(QStringLiteral("木曜日")));
    EXPECT_TRUE(printed[0].contains(QStringLiteral("令和 08年12月03日")));
}

// Marks by type and counts; an empty month empties the table.
TEST_P(BookingListsTest, SummaryMarksAndEmptyMonths)
{
    TUserSheetForm form(m_test->context);
    form.show();
    // The month typed as era letter, year and month; then 全て and 開く.
    const auto open = [this, &form](const QString &keys) {
        m_test->dialogs.queueDialog([keys](QDialog *dialog) {
            auto *open = static_cast<TOpenCureDialog *>(dialog);
            QTest::keyClicks(open->DateEdit, keys);
            QTest::keyClick(open->RihaTypeBox, Qt::Key_End);
            QTest::mouseClick(open->findChild<QPushButton *>(QStringLiteral("OpenButton")), Qt::LeftButton);
            return open->result();
        });
        form.OpenButton->click();
    };
    open(QStringLiteral("R0812"));
    ASSERT_EQ(form.StrGrid->rowCount(), 2);
    EXPECT_EQ(form.StrGrid->item(0, 0)->text(), QStringLiteral("00000007"));
    EXPECT_EQ(form.StrGrid->item(0, 2 + 2)->text(), QStringLiteral("△"));
    EXPECT_EQ(form.StrGrid->item(0, 33)->text(), QStringLiteral("3")); // two on the 3rd, the 20th
    EXPECT_EQ(form.StrGrid->item(1, 2 + 2)->text(), QStringLiteral("○"));
    EXPECT_EQ(form.StrGrid->item(1, 2), nullptr);
    EXPECT_EQ(form.WeekLabels[5]->text(), QStringLiteral("日"));
    open(QStringLiteral("R0901")); // the booking of the 1st of next month
    ASSERT_EQ(form.StrGrid->rowCount(), 2);
    EXPECT_EQ(form.StrGrid->item(0, 2)->text(), QStringLiteral("△"));
    EXPECT_EQ(form.StrGrid->item(0, 33)->text(), QStringLiteral("1"));
    open(QStringLiteral("R0902"));
    EXPECT_EQ(form.DayLabels[27]->text(), QStringLiteral("28"));
    EXPECT_EQ(form.DayLabels[28]->text(), QString());
    EXPECT_EQ(form.WeekLabels[28]->text(), QString());
    open(QStringLiteral("R0810"));
    EXPECT_EQ(form.StrGrid->rowCount(), 0);
}

TAMSOLEN_DATABASE_TEST_SUITE(BookingListsTest);

} // namespace
