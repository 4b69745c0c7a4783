#pragma once

#include "reportui/TrpProgressForm.h"

#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPage.h"
#include "report/pages/TrpPrinter.h"

#include "FakeDialogService.h"

#include <QEventLoop>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

// Prepared pages with texts for the preview and print tests, and the
// progress dialog driven as the user sees it.
namespace PreviewFixtures {

// Appends an A4 page of the printer with one framed memo per text, each
// 40 units below the one before.
inline void addPage(TrpEMFPages &pages, TrpPrinter &printer, const QStringList &texts,
                    int orientation = TrpPrinter::Portrait)
{
    TrpPage page;
    page.PaperSize = TrpPrinter::A4Paper;
    page.Orientation = quint8(orientation);
    page.UseMargins = true;
    page.applyPaper(printer);
    TrpEMFPage &prepared = pages.Add(page);
    int top = 40;
    for (const QString &text : texts) {
        TrpMemoView memo;
        memo.Left = 40;
        memo.Top = top;
        memo.Width = 400;
        memo.Height = 30;
        memo.ExpandedMemo = QStringList{text};
        prepared.addObject(memo);
        top += 40;
    }
}

// Runs the modal loop of a progress dialog until it closes, as the user
// would see it, pressing Cancel when asked to.
inline void queueProgressLoop(FakeDialogService &dialogs, int cancelAfterMs = -1)
{
    dialogs.queueDialog([cancelAfterMs](QDialog *dialog) {
        auto *progress = static_cast<TrpProgressForm *>(dialog);
        if (cancelAfterMs >= 0)
            QTimer::singleShot(cancelAfterMs, progress->Button1, &QPushButton::click);
        QEventLoop loop;
        QObject::connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec();
        return dialog->result();
    });
}

} // namespace PreviewFixtures
