#include "PreviewFixtures.h"

#include "report/building/TrpReport.h"

#include "reportui/TrpPreviewForm.h"
#include "reportui/TrpPreviewSearchForm.h"
#include "reportui/TrpTBButton.h"
#include "reportui/TrpTBSeparator.h"

#include "FakeDialogService.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using PreviewFixtures::addPage;

namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

void press(QWidget &widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(&widget, &event);
}

// A preview of pages made by the test, shown at a known size with the zoom
// of the run reset to 100 %.
struct Preview
{
    explicit Preview(int pageCount, QSize size = QSize(900, 700), double zoom = 1.0, QList<QStringList> texts = {})
    {
        TrpPreviewForm::LastZoom = zoom;
        TrpPreviewForm::LastZoomMode = TrpPreviewLayout::FixedZoom;
        report.setPrinter(printer);
        for (int i = 0; i < pageCount; ++i)
            texts.append({QStringLiteral("Page %1").arg(i + 1)});
        for (const QStringList &page : texts)
            addPage(report.EMFPages(), printer, page);
        form = std::make_unique<TrpPreviewForm>(report);
        form->resize(size);
        form->show();
        QCoreApplication::processEvents();
    }

    TrpPrinter printer{{}};
    TrpReport report;
    std::unique_ptr<TrpPreviewForm> form;
};

// Answers the next search dialog with the text and options.
void queueSearch(FakeDialogService &dialogs, const QString &text, bool exact, bool fromCurrent)
{
    dialogs.queueDialog([=](QDialog *dialog) {
        auto *search = static_cast<TrpPreviewSearchForm *>(dialog);
        search->Edit1->setText(text);
        search->CB1->setChecked(exact);
        (fromCurrent ? search->RB2 : search->RB1)->setChecked(true);
        return int(QDialog::Accepted);
    });
}

} // namespace

TEST(TrpPreviewForm, PagingKeysAndButtonsStopAtBothEnds)
{
    Preview preview(4);
    TrpPreviewForm &form = *preview.form;
    EXPECT_FALSE(form.PrintBtn->isEnabled()); // no printer of the machine
    const auto key = [&](int k) {
        return [&form, k] {
            press(form, k, Qt::ControlModifier);
        };
    };
    const struct
    {
        std::function<void()> act;
        int page;
    } steps[] = {{key(Qt::Key_PageUp), 1},
                 {[&] { form.PgUp->click(); }, 1},
                 {[&] { form.PgDown->click(); }, 2},
                 {key(Qt::Key_PageDown), 3},
                 {key(Qt::Key_End), 4},
                 {[&] { form.PgDown->click(); }, 4},
                 {key(Qt::Key_PageDown), 4},
                 {key(Qt::Key_PageUp), 3},
                 {key(Qt::Key_Home), 1}};
    for (const auto &step : steps) {
        step.act();
        EXPECT_EQ(form.Label1->text(), QStringLiteral("Page %1/4").arg(step.page));
        // The current page's top stands just below the view's top.
        EXPECT_EQ(form.VScrollBar->value(), form.pageLayout().verticalPositionOf(step.page - 1));
    }
    press(form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(TrpPreviewForm, ZoomMenuSetsTheModeAndTheNextPreviewKeepsIt)
{
    Preview first(3);
    QAction *twoPages = first.form->ProcMenu->actions().last();
    twoPages->trigger();
    EXPECT_EQ(first.form->pageLayout().pagesPerRow(), 2);
    EXPECT_TRUE(twoPages->isChecked());
    first.form->PgDownClick();
    first.form->PgDownClick();
    first.form->ZoomMenuClick(50);
    EXPECT_EQ(first.form->ZoomBtn->text(), QStringLiteral("50%"));
    // A new zoom keeps the current page.
    EXPECT_EQ(first.form->currentPage(), 3);
    EXPECT_FALSE(twoPages->isChecked());

    // The next preview of the run opens at the zoom left by the last one,
    TrpPreviewForm second(first.report);
    EXPECT_DOUBLE_EQ(second.zoom(), 0.5);
    for (QAction *action : second.ProcMenu->actions())
        EXPECT_EQ(action->isChecked(), action->text() == QStringLiteral("50%")) << action->text().toStdString();
    // unless the report asks for a zoom of its own.
    first.report.InitialZoom = pzOnePage;
    EXPECT_EQ(TrpPreviewForm(first.report).zoomMode(), TrpPreviewLayout::WholePage);
    // A broken stored zoom is brought between 10 % and 1000 %.
    EXPECT_DOUBLE_EQ(Preview(1, QSize(900, 700), 0.0).form->zoom(), TrpPreviewLayout::MinFactor);
}

// The report's InitialZoom opens the preview in its mode, pzDefault in the
// run's; its PreviewButtons decide the buttons shown, and the separator
// before the help button shows with the find or the help button.
TEST(TrpPreviewForm, TheReportChoosesTheZoomAndTheButtons)
{
    Preview run(2);
    run.form->ZoomMenuClick(75);
    const std::pair<TrpPreviewZoom, const char *> zooms[] = {
        {pzDefault, "75%"}, {pzPageWidth, "頁の幅"}, {pzOnePage, "全ての頁"}, {pzTwoPages, "２頁"}};
    for (const auto &[zoom, entry] : zooms) {
        run.report.InitialZoom = zoom;
        TrpPreviewForm form(run.report);
        for (QAction *action : form.ProcMenu->actions())
            EXPECT_EQ(action->isChecked(), action->text() == u8(entry)) << action->text().toStdString();
    }

    const std::pair<TrpPreviewButtons, bool> sets[] = {
        {{pbPrint, pbExit}, false}, {{pbFind}, true}, {{pbHelp, pbZoom}, true}, {{}, false}};
    for (const auto &[buttons, separator] : sets) {
        run.report.InitialZoom = pzDefault;
        run.report.PreviewButtons = buttons;
        TrpPreviewForm form(run.report);
        form.show();
        const std::pair<QWidget *, TrpPreviewButton> shown[] = {
            {form.ZoomBtn, pbZoom}, {form.LoadBtn, pbLoad}, {form.SaveBtn, pbSave}, {form.PrintBtn, pbPrint},
            {form.FindBtn, pbFind}, {form.HelpBtn, pbHelp}, {form.ExitBtn, pbExit}};
        for (const auto &[button, flag] : shown)
            EXPECT_EQ(button->isVisible(), buttons.testFlag(flag)) << button->objectName().toStdString();
        EXPECT_EQ(form.HelpSeparator->isVisible(), separator);
    }
}

TEST(TrpPreviewForm, SearchesTextAcrossPagesWithF3)
{
    Preview preview(0, QSize(900, 600), 1.0,
                    {{u8("山田 Apple"), u8("none"), u8("APPLE pie")}, {u8("nothing")}, {u8("none"), u8("apple")}});
    TrpPreviewForm &form = *preview.form;
    FakeDialogService dialogs;
    const auto search = [&](const char *text, bool exact, bool fromCurrent) {
        return [&dialogs, &form, text, exact, fromCurrent] {
            queueSearch(dialogs, u8(text), exact, fromCurrent);
            form.FindBtn->click();
        };
    };
    const auto f3 = [&form] {
        press(form, Qt::Key_F3);
    };
    const auto to = [&form](int page) {
        press(form, Qt::Key_Home, Qt::ControlModifier);
        for (int i = 1; i < page; ++i)
            form.PgDownClick();
    };
    // Memos stand at 40, 80, 120 on their pages, which start 18 units into
    // the paper (A4's printable area); a match is found at its run's top.
    const struct
    {
        const char *what;
        std::function<void()> act;
        int page;
        int top;
    } steps[] = {
        {"case ignored", search("apple", false, false), 1, 40},
        {"F3 on the same page", f3, 1, 120},
        {"F3 across pages", f3, 3, 80},
        {"F3 after the last match: nothing moves", f3, 3, 80},
        {"exact from the current page", [&] { to(1), search("APPLE", true, true)(); }, 1, 120},
        {"exact, no further match", f3, 1, 120},
        {"a search on another page restarts on the current one", [&] { search("none", true, false)(), to(3), f3(); }, 3,
         40},
        {"no match: nothing changes", search("存在しない", false, false), 3, 40},
    };
    for (const auto &step : steps) {
        step.act();
        EXPECT_EQ(form.currentPage(), step.page) << step.what;
        EXPECT_NEAR(form.foundPoint().y(), step.top + 18, 5) << step.what;
    }
    // The match stands 10 pixels below the view's top.
    EXPECT_EQ(form.VScrollBar->value(),
              qMin(form.VScrollBar->maximum(), qRound(form.foundPoint().y()) + form.pageLayout().rect(2).top() - 10));
}

TEST(TrpPreviewForm, SavesAndLoadsPreparedReports)
{
    QTemporaryDir dir;
    Preview preview(2);
    FakeDialogService dialogs;
    // The extension becomes ".rpd" whatever was typed.
    dialogs.queueFileName(dir.filePath(QStringLiteral("monthly.txt")));
    press(*preview.form, Qt::Key_S, Qt::ControlModifier);

    Preview other(5);
    other.form->PgDownClick();
    dialogs.queueFileName(dir.filePath(QStringLiteral("monthly.rpd")));
    other.form->LoadBtn->click();
    EXPECT_EQ(other.form->Label1->text(), QStringLiteral("Page 1/2"));
    EXPECT_EQ(other.report.EMFPages()[1].drawList().texts(), QStringList{QStringLiteral("Page 2")});
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // A file that cannot be read is reported in an "Error" box.
    dialogs.queueFileName(dir.filePath(QStringLiteral("missing.rpd")));
    press(*other.form, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Error"));
}

TEST(TrpPreviewForm, AsksOnceBeforeSavingOverAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("monthly.rpd"));
    Preview preview(2);
    FakeDialogService dialogs;
    dialogs.queueFileName(dir.filePath(QStringLiteral("monthly")));
    press(*preview.form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    const QByteArray saved = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_FALSE(saved.isEmpty());

    // The name typed lacks the extension that the file gets: the question
    // is about the file that would be written.
    Preview other(3);
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        dialogs.clear();
        dialogs.queueAnswer(answer);
        dialogs.queueFileName(dir.filePath(QStringLiteral("monthly")));
        press(*other.form, Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_EQ(dialogs.messages()[0].type, MessageType::Confirmation);
        EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("同じ名前のファイルが既に有ります。\n上書きしますか？"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll() == saved, answer == MessageAnswer::No);
    }
}

TEST(TrpPreviewForm, PaintsOnlyThePagesInsideTheView)
{
    // At 100 % in a short view the second page starts below the view, well
    // within 2000 pixels: it is not drawn, and the first page is.
    Preview preview(3, QSize(900, 400));
    preview.form->grab();
    EXPECT_TRUE(preview.report.EMFPages()[0].Visible);
    EXPECT_FALSE(preview.report.EMFPages()[1].isHeld());
    preview.form->PgDownClick();
    preview.form->grab();
    EXPECT_FALSE(preview.report.EMFPages()[0].isHeld());
    EXPECT_TRUE(preview.report.EMFPages()[1].Visible);
}

// A click of the help pointer shows the control's tip after the button
// is released, and it stays until the next click or key.
TEST(TrpPreviewForm, HelpShowsTheClickedControlsTipUntilTheNextClickOrKey)
{
    FakeDialogService dialogs;
    Preview preview(1);
    TrpPreviewForm &form = *preview.form;
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QWindow *window = form.windowHandle();
    const auto centre = [&form](QWidget *control) {
        return control->mapTo(&form, control->rect().center());
    };
    const auto shownHelp = [] {
        QWidget *popup = QApplication::activePopupWidget();
        return popup && popup->isVisible() && QByteArrayView(popup->metaObject()->className()) == "QWhatsThat";
    };

    QTest::mouseClick(window, Qt::LeftButton, {}, centre(form.HelpBtn));
    EXPECT_TRUE(form.HelpBtn->Down());
    QTest::mouseClick(window, Qt::LeftButton, {}, centre(form.FindBtn));
    EXPECT_FALSE(form.HelpBtn->Down());
    EXPECT_TRUE(shownHelp());
    // The click asked for help, not for a search.
    EXPECT_EQ(dialogs.dialogCount(), 0);
    QTest::qWait(50);
    EXPECT_TRUE(shownHelp());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
    EXPECT_FALSE(shownHelp());

    // Help on the next-page button; a click elsewhere ends it.
    QTest::mouseClick(window, Qt::LeftButton, {}, centre(form.HelpBtn));
    QTest::mouseClick(window, Qt::LeftButton, {}, centre(form.PgDown));
    ASSERT_TRUE(shownHelp());
    QWidget *help = QApplication::activePopupWidget();
    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, QPoint(help->width() + 20, help->height() + 20));
    EXPECT_FALSE(shownHelp());
    EXPECT_EQ(dialogs.dialogCount(), 0);
}
