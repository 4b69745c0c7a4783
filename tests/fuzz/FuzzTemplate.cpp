// Templates (.rpf) and their text form: what loads must draw, save and
// dump; the text form must compile or fail with its line.

#include "FuzzTarget.h"

#include "report/drawing/TrpDrawContext.h"
#include "report/files/TrpTemplate.h"
#include "report/files/TrpTemplateText.h"
#include "report/objects/TrpView.h"
#include "report/pages/TrpPrinter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstdlib>

void fuzzOne(const QByteArray &input)
{
    TrpPrinter printer({});
    QBuffer buffer;
    buffer.setData(input);
    buffer.open(QIODevice::ReadOnly);
    TrpTemplate report;
    TrpError error;
    if (report.loadFromStream(buffer, printer, error) == TrpTemplate::LoadStatus::Loaded) {
        QImage image(48, 48, QImage::Format_ARGB32);
        QPainter painter(&image);
        TrpDrawContext context;
        context.ScaleX = 0.1;
        context.ScaleY = 0.1;
        for (const auto &page : report.Pages)
            for (const auto &view : page->Objects)
                view->draw(painter, context);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        (void)report.saveToStream(out, printer.printerName(), error);
        (void)TrpTemplateText::write(report);
    } else if (!error.isSet()) {
        std::abort(); // a refusal without a reason
    }
    TrpTemplate compiled;
    if (!TrpTemplateText::read(QString::fromUtf8(input), compiled, error) && error.position < 0)
        std::abort();
}
