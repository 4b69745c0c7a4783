#include "PreviewFixtures.h"

#include "report/building/TrpReport.h"

#include "reportui/TrpPreviewForm.h"
#include "reportui/TrpPreviewSearchForm.h"
#include "reportui/TrpPreviewView.h"
#include "reportui/TrpTBButton.h"

#include "FakeDialogService.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolTip>

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
    explicit Preview(int pageCount, QSize size = QSize(900, 700))
    {
        TrpPreviewForm::LastZoom = 1.0;
        TrpPreviewForm::LastZoomMode = TrpPreviewLayout::FixedZoom;
        report.setPrinter(printer);
        for (int i = 0; i < pageCount; ++i)
            addPage(report.EMFPages(), printer, {QStringLiteral("Page %1").arg(i + 1)});
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

TEST(TrpPreviewForm, ShowsEveryControlUnderItsName)
{
    Preview preview(3);
    const char *names[] = {"ZoomBtn",    "LoadBtn",    "SaveBtn", "PrintBtn", "FindBtn", "HelpBtn", "ExitBtn",
                           "VScrollBar", "HScrollBar", "PgUp",    "PgDown",   "Label1",  "ProcMenu"};
    for (const char *name : names)
        EXPECT_TRUE(preview.form->findChild<QWidget *>(QLatin1String(name))) << name;
    EXPECT_EQ(preview.form->windowTitle(), u8("プレビュー"));
    EXPECT_EQ(preview.form->Label1->text(), QStringLiteral("Page 1/3"));
    EXPECT_EQ(preview.form->ZoomBtn->text(), QStringLiteral("100%"));
    EXPECT_EQ(preview.form->FindBtn->toolTip(), u8("テキスト検索"));
    // Without a printer of the machine there is nothing to print on.
    EXPECT_FALSE(preview.form->PrintBtn->isEnabled());
    QStringList entries;
    for (QAction *action : preview.form->ProcMenu->actions()) {
        if (!action->isSeparator())
            entries.append(action->text());
    }
    EXPECT_EQ(entries, QStringList({u8("200%"), u8("150%"), u8("100%"), u8("75%"), u8("50%"), u8("25%"), u8("10%"),
                                    u8("頁の幅"), u8("全ての頁"), u8("２頁")}));
}

TEST(TrpPreviewForm, PagingKeysAndButtonsStopAtBothEnds)
{
    Preview preview(4);
    TrpPreviewForm &form = *preview.form;
    struct Step
    {
        const char *what;
        std::function<void()> act;
        int page;
    };
    const Step steps[] = {
        {"Ctrl+PageUp on page 1", [&] { press(form, Qt::Key_PageUp, Qt::ControlModifier); }, 1},
        {"PgUp button on page 1", [&] { form.PgUp->click(); }, 1},
        {"PgDown button", [&] { form.PgDown->click(); }, 2},
        {"Ctrl+PageDown", [&] { press(form, Qt::Key_PageDown, Qt::ControlModifier); }, 3},
        {"Ctrl+End", [&] { press(form, Qt::Key_End, Qt::ControlModifier); }, 4},
        {"PgDown button on the last page", [&] { form.PgDown->click(); }, 4},
        {"Ctrl+PageDown on the last page", [&] { press(form, Qt::Key_PageDown, Qt::ControlModifier); }, 4},
        {"Ctrl+PageUp", [&] { press(form, Qt::Key_PageUp, Qt::ControlModifier); }, 3},
        {"Ctrl+Home", [&] { press(form, Qt::Key_Home, Qt::ControlModifier); }, 1},
    };
    for (const Step &step : steps) {
        step.act();
        EXPECT_EQ(form.currentPage(), step.page) << step.what;
        EXPECT_EQ(form.Label1->text(), QStringLiteral("Page %1/4").arg(step.page)) << step.what;
        // The current page's top stands just below the view's top, unless
        // the bar cannot go that far.
        EXPECT_EQ(form.VScrollBar->value(), form.pageLayout().verticalPositionOf(step.page - 1)) << step.what;
    }
}

TEST(TrpPreviewForm, ScrollingKeysWheelAndHandMoveTheBars)
{
    Preview preview(3, QSize(500, 500));
    TrpPreviewForm &form = *preview.form;
    const int step = form.VScrollBar->singleStep();
    press(form, Qt::Key_Down);
    EXPECT_EQ(form.VScrollBar->value(), step);
    press(form, Qt::Key_Right);
    EXPECT_EQ(form.HScrollBar->value(), form.HScrollBar->singleStep());
    EXPECT_TRUE(form.HScrollBar->hasFocus());
    press(form, Qt::Key_PageDown);
    EXPECT_EQ(form.VScrollBar->value(), step + form.VScrollBar->pageStep());
    EXPECT_EQ(form.currentPage(), 1);
    // Home without Ctrl does nothing.
    press(form, Qt::Key_Home);
    EXPECT_EQ(form.VScrollBar->value(), step + form.VScrollBar->pageStep());

    emit form.PaintBox->wheelTurned(2);
    EXPECT_EQ(form.VScrollBar->value(), 3 * step + form.VScrollBar->pageStep());
    emit form.PaintBox->handScrolled(QPoint(-5, 1100));
    EXPECT_EQ(form.HScrollBar->value(), form.HScrollBar->singleStep() - 5);
    // Scrolling onto the second page makes it current.
    EXPECT_EQ(form.currentPage(), 2);
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Page 2/3"));
}

TEST(TrpPreviewForm, ZoomMenuSetsTheModeAndTheNextPreviewKeepsIt)
{
    {
        Preview first(3, QSize(900, 700));
        QAction *twoPages = first.form->ProcMenu->actions().last();
        twoPages->trigger();
        EXPECT_EQ(first.form->zoomMode(), TrpPreviewLayout::TwoPages);
        EXPECT_EQ(first.form->pageLayout().pagesPerRow(), 2);
        EXPECT_TRUE(twoPages->isChecked());
        first.form->ZoomMenuClick(50);
        EXPECT_DOUBLE_EQ(first.form->zoom(), 0.5);
        EXPECT_EQ(first.form->ZoomBtn->text(), QStringLiteral("50%"));
        EXPECT_FALSE(twoPages->isChecked());
    }
    // Preview resets the zoom of the run; set it as the first one left it.
    TrpPrinter printer{{}};
    TrpReport report;
    report.setPrinter(printer);
    addPage(report.EMFPages(), printer, {QStringLiteral("x")});
    TrpPreviewForm::LastZoom = 0.5;
    TrpPreviewForm::LastZoomMode = TrpPreviewLayout::FixedZoom;
    TrpPreviewForm second(report);
    second.resize(900, 700);
    second.show();
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(second.zoom(), 0.5);
    for (QAction *action : second.ProcMenu->actions())
        EXPECT_EQ(action->isChecked(), action->text() == QStringLiteral("50%")) << action->text().toStdString();

    second.ZoomMenuClick(TrpPreviewLayout::WholePage);
    EXPECT_EQ(TrpPreviewForm::LastZoomMode, TrpPreviewLayout::WholePage);
    EXPECT_EQ(second.pageLayout().pagesPerRow(), 1);
    // A broken stored zoom is brought between 10 % and 1000 %.
    TrpPreviewForm::LastZoom = 0;
    TrpPreviewForm::LastZoomMode = TrpPreviewLayout::FixedZoom;
    TrpPreviewForm third(report);
    EXPECT_DOUBLE_EQ(third.zoom(), TrpPreviewLayout::MinFactor);
}

TEST(TrpPreviewForm, SearchesTextAcrossPagesWithF3)
{
    TrpPreviewForm::LastZoom = 1.0;
    TrpPreviewForm::LastZoomMode = TrpPreviewLayout::FixedZoom;
    TrpPrinter printer{{}};
    TrpReport report;
    report.setPrinter(printer);
    addPage(report.EMFPages(), printer, {u8("山田 Apple"), u8("none"), u8("APPLE pie")});
    addPage(report.EMFPages(), printer, {u8("nothing here")});
    addPage(report.EMFPages(), printer, {u8("none"), u8("apple")});
    TrpPreviewForm form(report);
    form.resize(900, 600);
    form.show();
    FakeDialogService dialogs;

    // Without 広範囲 the case does not count: three matches in turn.
    queueSearch(dialogs, QStringLiteral("apple"), false, false);
    form.FindBtn->click();
    EXPECT_EQ(form.currentPage(), 1);
    EXPECT_NEAR(form.foundPoint().y(), 40, 5);
    press(form, Qt::Key_F3);
    EXPECT_EQ(form.currentPage(), 1);
    EXPECT_NEAR(form.foundPoint().y(), 120, 5);
    press(form, Qt::Key_F3);
    EXPECT_EQ(form.currentPage(), 3);
    EXPECT_NEAR(form.foundPoint().y(), 80, 5);
    // The match stands 10 pixels below the view's top.
    EXPECT_EQ(form.VScrollBar->value(),
              qMin(form.VScrollBar->maximum(), qRound(form.foundPoint().y()) + form.pageLayout().rect(2).top() - 10));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Page 3/3"));
    // After the last match nothing moves.
    const int bar = form.VScrollBar->value();
    EXPECT_FALSE(form.FindNext());
    EXPECT_EQ(form.currentPage(), 3);
    EXPECT_EQ(form.VScrollBar->value(), bar);

    // With 広範囲 the comparison is exact; from the current page.
    form.PgUpClick();
    form.PgUpClick();
    queueSearch(dialogs, QStringLiteral("APPLE"), true, true);
    form.FindBtn->click();
    EXPECT_EQ(form.currentPage(), 1);
    EXPECT_NEAR(form.foundPoint().y(), 120, 5);
    EXPECT_FALSE(form.FindNext());

    // A search that stood on another page starts again on the current one.
    queueSearch(dialogs, QStringLiteral("none"), true, false);
    form.FindBtn->click();
    EXPECT_EQ(form.currentPage(), 1);
    form.PgDownClick();
    form.PgDownClick();
    EXPECT_TRUE(form.FindNext());
    EXPECT_EQ(form.currentPage(), 3);
    EXPECT_NEAR(form.foundPoint().y(), 40, 5);

    // No match: nothing changes.
    queueSearch(dialogs, u8("存在しない"), false, false);
    form.FindBtn->click();
    EXPECT_EQ(form.currentPage(), 3);
    EXPECT_NEAR(form.foundPoint().y(), 40, 5);
}

TEST(TrpPreviewForm, SavesAndLoadsPreparedReports)
{
    QTemporaryDir dir;
    Preview preview(2);
    FakeDialogService dialogs;
    // The extension becomes ".rpd" whatever was typed.
    dialogs.queueFileName(dir.filePath(QStringLiteral("monthly.txt")));
    press(*preview.form, Qt::Key_S, Qt::ControlModifier);
    const QString saved = dir.filePath(QStringLiteral("monthly.rpd"));
    ASSERT_TRUE(QFile::exists(saved));

    Preview other(5);
    other.form->PgDownClick();
    dialogs.queueFileName(saved);
    other.form->LoadBtn->click();
    EXPECT_EQ(other.report.EMFPages().Count(), 2);
    EXPECT_EQ(other.form->currentPage(), 1);
    EXPECT_EQ(other.form->Label1->text(), QStringLiteral("Page 1/2"));
    EXPECT_EQ(other.report.EMFPages()[1].drawList().texts(), QStringList{QStringLiteral("Page 2")});
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // A file that cannot be read is reported in an "Error" box.
    dialogs.queueFileName(dir.filePath(QStringLiteral("missing.rpd")));
    press(*other.form, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(other.form->Label1->text(), QStringLiteral("Page 0/0"));
}

TEST(TrpPreviewForm, PaintsOnlyThePagesInsideTheView)
{
    // At 100 % in a short view the second page starts below the view, well
    // within 2000 pixels: it is not drawn, and the first page is.
    Preview preview(3, QSize(900, 400));
    preview.form->grab();
    EXPECT_TRUE(preview.report.EMFPages()[0].Visible);
    EXPECT_FALSE(preview.report.EMFPages()[1].Visible);
    EXPECT_FALSE(preview.report.EMFPages()[1].isHeld());
    preview.form->PgDownClick();
    preview.form->grab();
    EXPECT_FALSE(preview.report.EMFPages()[0].Visible);
    EXPECT_FALSE(preview.report.EMFPages()[0].isHeld());
    EXPECT_TRUE(preview.report.EMFPages()[1].Visible);
}

TEST(TrpPreviewForm, HelpModeShowsTheToolTipOfTheClickedControl)
{
    Preview preview(1);
    TrpPreviewForm &form = *preview.form;
    form.HelpBtn->click();
    EXPECT_TRUE(form.HelpBtn->Down());
    const QPoint at = form.FindBtn->mapTo(&form, form.FindBtn->rect().center());
    QMouseEvent click(QEvent::MouseButtonPress, at, form.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &click);
    EXPECT_FALSE(form.HelpBtn->Down());
    EXPECT_EQ(QToolTip::text(), u8("テキスト検索"));
}

TEST(TrpPreviewForm, EscapeClosesWithOk)
{
    Preview preview(1);
    press(*preview.form, Qt::Key_Escape);
    EXPECT_FALSE(preview.form->isVisible());
    EXPECT_EQ(preview.form->result(), QDialog::Accepted);
}
