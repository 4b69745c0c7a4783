#include "PreviewFixtures.h"
#include "building/BuildFixture.h"

#include "reportui/TrpPreviewForm.h"
#include "reportui/TrpPreviewSearchForm.h"
#include "reportui/TrpReportWindows.h"
#include "reportui/TrpTBButton.h"

#include "report/building/TrpBandTypes.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

// A report of a page header and a master data band over a counted data set
// of that many rows, shown through the engine's windows.
class TrpShowReport : public BuildFixture
{
protected:
    void makeReport(int rows)
    {
        report.Title = q("月間予定");
        band(TrpBandTypes::btPageHeader, 0, 40);
        memo(10, 10, QStringLiteral("Sheet [PAGE#]"), 200, 20);
        band(TrpBandTypes::btMasterData, 60, 40, QString::number(rows));
        memo(10, 60, QStringLiteral("Row [LINE#]"), 200, 20);
    }

    // Answers the next preview: lets the test look at it, then closes it
    // with Escape as the user would.
    void queuePreview(std::function<void(TrpPreviewForm &)> look)
    {
        dialogs.queueDialog([look](QDialog *dialog) {
            auto *preview = qobject_cast<TrpPreviewForm *>(dialog);
            EXPECT_TRUE(preview);
            if (!preview)
                return int(QDialog::Rejected);
            look(*preview);
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(preview, &escape);
            return preview->result();
        });
    }

    FakeDialogService dialogs;
    TrpReportWindows windows;
};

} // namespace

TEST_F(TrpShowReport, BuildsUnderTheProgressDialogAndShowsThePreviewModally)
{
    makeReport(60);
    PreviewFixtures::queueProgressLoop(dialogs);
    int shownPages = 0;
    queuePreview([&](TrpPreviewForm &preview) {
        shownPages = report.EMFPages().Count();
        EXPECT_EQ(preview.windowTitle(), q("月間予定 - Preview"));
        EXPECT_EQ(preview.Label1->text(), QStringLiteral("Page 1/%1").arg(shownPages));
        // The user searches a row further down and finds it on its page.
        dialogs.queueDialog([](QDialog *dialog) {
            static_cast<TrpPreviewSearchForm *>(dialog)->Edit1->setText(QStringLiteral("row 45"));
            return int(QDialog::Accepted);
        });
        preview.FindBtn->click();
        EXPECT_TRUE(preview.found());
        EXPECT_GT(preview.currentPage(), 1);
    });
    EXPECT_TRUE(report.ShowReport());
    EXPECT_GT(shownPages, 1);
    EXPECT_EQ(dialogs.dialogCount(), 3);
    EXPECT_EQ(windows.progress().windowTitle(), q("月間予定 - Report preparing"));
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messageTexts().join(u'|').toStdString();
}

TEST_F(TrpShowReport, CancelInTheProgressDialogStopsALongBuild)
{
    makeReport(10000000);
    PreviewFixtures::queueProgressLoop(dialogs, 50);
    int shownPages = -1;
    queuePreview([&](TrpPreviewForm &) { shownPages = report.EMFPages().Count(); });
    EXPECT_FALSE(report.ShowReport());
    // What was built before Cancel is shown.
    EXPECT_GT(shownPages, 0);
    EXPECT_LT(shownPages, 10000000 / 20);
}

TEST_F(TrpShowReport, InputBoxGivesTheTextOrTheDefault)
{
    dialogs.queueDialog([](QDialog *dialog) {
        auto *box = static_cast<QInputDialog *>(dialog);
        EXPECT_EQ(box->labelText(), q("何月ですか"));
        box->setTextValue(QStringLiteral("5"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(windows.input(QStringLiteral("Month"), q("何月ですか"), QStringLiteral("4")), QStringLiteral("5"));
    // Closed otherwise: the default text.
    EXPECT_EQ(windows.input(QStringLiteral("Month"), q("何月ですか"), QStringLiteral("4")), QStringLiteral("4"));
}
