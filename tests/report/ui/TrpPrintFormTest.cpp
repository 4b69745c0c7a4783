#include "FakePlatformPrinters.h"
#include "PreviewFixtures.h"

#include "report/building/TrpReport.h"

#include "reportui/TrpPreviewForm.h"
#include "reportui/TrpPrintForm.h"
#include "reportui/TrpReportWindows.h"
#include "reportui/TrpTBButton.h"

#include "FakeDialogService.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

using PreviewFixtures::addPage;

TEST(TrpPrintForm, ReadsBackThePagesAndCopiesChosen)
{
    TrpPrinter printer{{}};
    TrpPrintForm form(printer);
    EXPECT_EQ(form.pageText(3), QString());
    form.RB2->setChecked(true);
    EXPECT_EQ(form.pageText(3), QStringLiteral("3"));
    form.show();
    form.E2->setFocus();
    QCoreApplication::processEvents();
    // Going into the range field chooses the range.
    EXPECT_TRUE(form.RB3->isChecked());
    form.E2->setText(QStringLiteral("1,3-5"));
    EXPECT_EQ(form.pageText(3), QStringLiteral("1,3-5"));

    // Copies are never below 1, whatever the buttons and the field do.
    QString shown;
    for (QToolButton *button : {form.CopyDownBtn, form.CopyUpBtn, form.CopyUpBtn, form.CopyDownBtn, form.CopyDownBtn})
        button->click(), shown += form.E1->text();
    EXPECT_EQ(shown, QStringLiteral("12321"));
    for (const char *text : {"", "0", "-3"}) {
        form.E1->setText(QLatin1String(text));
        EXPECT_EQ(form.copies(), 1) << text;
    }
}

TEST(TrpPrintForm, ChoosesThePrinterAtOnceAndRestoresItOnCancel)
{
    FakePrinters platform;
    TrpPrinter printer(platform.printerNames(), &platform);
    ASSERT_TRUE(printer.isDefaultPrinter());
    {
        TrpPrintForm form(printer);
        EXPECT_EQ(form.CB1->currentText(), QStringLiteral("Default printer"));
        form.show();
        emit form.CB1->activated(0);
        EXPECT_EQ(printer.printerName(), QStringLiteral("Office"));
        form.CancelBtn->click();
        EXPECT_TRUE(printer.isDefaultPrinter());
    }
    {
        // A printer that cannot be opened is not taken.
        FakeDialogService dialogs;
        TrpPrintForm form(printer);
        form.show();
        emit form.CB1->activated(1);
        EXPECT_TRUE(printer.isDefaultPrinter());
        EXPECT_EQ(form.CB1->currentIndex(), 2);
        EXPECT_EQ(dialogs.messageTexts(), QStringList{QStringLiteral("Printer selected is not valid")});
        emit form.CB1->activated(0);
        form.OkBtn->click();
        EXPECT_EQ(printer.printerName(), QStringLiteral("Office"));
    }
}

TEST(TrpPrintForm, PropertiesOpenThePlatformDialogOfThePrinter)
{
    FakePrinters platform;
    TrpPrinter printer(platform.printerNames(), &platform);
    FakeDialogService dialogs;
    TrpPrintForm form(printer);
    // "Default printer" prints on the platform's default queue, whose
    // properties the button opens.
    EXPECT_TRUE(form.PropButton->isEnabled());
    bool pageSetup = false;
    dialogs.queueDialog([&](QDialog *dialog) {
        pageSetup = qobject_cast<QPageSetupDialog *>(dialog) != nullptr;
        return int(QDialog::Rejected);
    });
    form.PropButton->click();
    EXPECT_TRUE(pageSetup);
    EXPECT_EQ(form.CB1->currentIndex(), printer.printerIndex());
}

namespace {

// A preview of three pages whose "Default printer" prints on the fake
// platform's default queue.
struct PrintingPreview
{
    PrintingPreview()
    {
        report.setPrinter(printer);
        report.Title = QStringLiteral("Plan");
        for (int i = 0; i < 3; ++i)
            addPage(report.EMFPages(), printer, {QStringLiteral("Page %1").arg(i + 1)});
        form = std::make_unique<TrpPreviewForm>(report);
        form->show();
    }

    // Answers the next print dialog with the page text and copies.
    void queuePrint(const QString &range, int copies)
    {
        dialogs.queueDialog([=](QDialog *dialog) {
            auto *print = static_cast<TrpPrintForm *>(dialog);
            print->RB3->setChecked(true);
            print->E2->setText(range);
            print->E1->setText(QString::number(copies));
            return int(QDialog::Accepted);
        });
        PreviewFixtures::queueProgressLoop(dialogs);
    }

    [[nodiscard]] FakePrinter &queue() const { return *platform.opened; }

    FakeDialogService dialogs;
    FakePrinters platform;
    TrpPrinter printer{platform.printerNames(), &platform};
    TrpReportWindows windows;
    TrpReport report;
    std::unique_ptr<TrpPreviewForm> form;
};

} // namespace

TEST(TrpPrintJob, PrintsTheChosenPagesAndCopiesOnTheDefaultQueue)
{
    PrintingPreview preview;
    ASSERT_TRUE(preview.form->PrintBtn->isEnabled());
    preview.queuePrint(QStringLiteral("2-3"), 2);
    preview.form->PrintBtn->click();
    EXPECT_TRUE(preview.dialogs.messages().isEmpty()) << preview.dialogs.messageTexts().join(u'|').toStdString();
    ASSERT_TRUE(preview.platform.opened);
    EXPECT_EQ(preview.queue().printedPages(), 4);
    EXPECT_EQ(preview.queue().submits, 1);
    EXPECT_EQ(preview.queue().jobName, QStringLiteral("Quernlight: Plan"));
    EXPECT_TRUE(preview.printer.isDefaultPrinter());
}

TEST(TrpPrintJob, APrinterThatRefusesTheJobIsReported)
{
    PrintingPreview preview;
    ASSERT_TRUE(preview.printer.printTarget());
    preview.queue().refusesJobs = true;
    preview.queuePrint(QStringLiteral("1"), 1);
    preview.form->PrintBtn->click();
    EXPECT_EQ(preview.queue().submits, 1);
    ASSERT_EQ(preview.dialogs.messages().size(), 1);
    EXPECT_EQ(preview.dialogs.messages()[0].type, MessageType::Error);
    EXPECT_EQ(preview.dialogs.messages()[0].text, QStringLiteral("Printing failed"));
}

TEST(TrpPrintJob, APageTextNamingNoPageSendsNoJob)
{
    PrintingPreview preview;
    preview.queuePrint(QStringLiteral("7-9"), 1);
    preview.form->PrintBtn->click();
    ASSERT_EQ(preview.dialogs.messages().size(), 1);
    EXPECT_EQ(preview.dialogs.messages()[0].type, MessageType::Error);
    EXPECT_EQ(preview.dialogs.messages()[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(!preview.platform.opened || preview.queue().printed().isEmpty());
}

TEST(TrpPrintJob, CancelInTheProgressDialogDropsTheJob)
{
    PrintingPreview preview;
    preview.dialogs.queueDialog([](QDialog *dialog) {
        static_cast<TrpPrintForm *>(dialog)->E1->setText(QStringLiteral("50"));
        return int(QDialog::Accepted);
    });
    PreviewFixtures::queueProgressLoop(preview.dialogs, 0);
    preview.form->PrintBtn->click();
    ASSERT_TRUE(preview.platform.opened);
    // The job stops after the copies of the first page and is dropped.
    EXPECT_TRUE(preview.queue().aborted);
    EXPECT_EQ(preview.queue().submits, 0);
    EXPECT_EQ(preview.queue().printedPages(), 50);
    EXPECT_TRUE(preview.dialogs.messages().isEmpty()) << preview.dialogs.messageTexts().join(u'|').toStdString();
}
