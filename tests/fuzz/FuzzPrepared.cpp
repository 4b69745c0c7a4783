// Prepared reports (.rpd), both layouts: every page read is recorded and
// drawn, whatever its objects and metafiles hold.

#include "FuzzTarget.h"

#include "report/pages/TrpEMFPage.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPrinter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstdlib>

void fuzzOne(const QByteArray &input)
{
    TrpPrinter printer({});
    QByteArray bytes = input;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TrpEMFPages pages;
    if (!pages.LoadFromStream(buffer, printer, false) && pages.error().message.isEmpty())
        std::abort(); // a refusal without a reason
    QImage image(80, 110, QImage::Format_RGB32);
    for (int i = 0; i < pages.Count(); ++i) {
        TrpEMFPage &page = pages[i];
        page.Visible = true;
        QPainter painter(&image);
        page.draw(painter, QRectF(0, 0, 80, 110));
    }
}
