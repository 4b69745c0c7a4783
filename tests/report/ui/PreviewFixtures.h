#pragma once

#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPage.h"
#include "report/pages/TrpPrinter.h"

#include <QStringList>

// Prepared pages with texts for the preview and print tests.
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

} // namespace PreviewFixtures
