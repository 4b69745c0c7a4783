#include "PreparedCommands.h"
#include "ToolOutput.h"

#include "report/files/TrpTemplateText.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/objects/TrpSubReportView.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPdfFile.h"
#include "report/pages/TrpPrinter.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

using ToolOutput::print;
using ToolOutput::printError;

QString hex(quint32 value)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

QString typeName(const TrpView &view)
{
    switch (view.Typ) {
    case gtMemo:
        return QStringLiteral("Memo");
    case gtPicture:
        return QStringLiteral("Picture");
    case gtBand:
        return QStringLiteral("Band");
    case gtSubReport:
        return QStringLiteral("SubReport");
    case gtLine:
        return QStringLiteral("Line");
    default:
        return QStringLiteral("AddIn ") + TrpTemplateText::quoted(view.ClassName());
    }
}

void dumpObject(const TrpView &view)
{
    print(QStringLiteral("  ") + typeName(view));
    print(QStringLiteral("    Rect %1 %2 %3 %4").arg(view.Left).arg(view.Top).arg(view.Width).arg(view.Height));
    print(QStringLiteral("    Flags %1").arg(view.Flags));
    print(QStringLiteral("    Frame %1 %2 %3 %4")
              .arg(view.FrameTyp)
              .arg(double(view.FrameWidth))
              .arg(hex(view.FrameColor))
              .arg(view.FrameStyle));
    print(QStringLiteral("    FillColor ") + hex(view.FillColor));
    for (const QString &line : view.ExpandedMemo)
        print(QStringLiteral("    Memo ") + TrpTemplateText::quoted(line));
    if (const auto *memo = dynamic_cast<const TrpMemoView *>(&view)) {
        print(QStringLiteral("    Font %1 %2 %3 %4 %5")
                  .arg(TrpTemplateText::quoted(memo->Font.Name))
                  .arg(memo->Font.Size)
                  .arg(memo->Font.Style)
                  .arg(hex(memo->Font.Color))
                  .arg(memo->Font.Charset));
        print(QStringLiteral("    Adjust %1").arg(memo->Adjust));
    } else if (const auto *picture = dynamic_cast<const TrpPictureView *>(&view)) {
        print(QStringLiteral("    Picture %1 %2 bytes").arg(picture->pictureKind()).arg(picture->pictureData().size()));
    } else if (const auto *subReport = dynamic_cast<const TrpSubReportView *>(&view)) {
        print(QStringLiteral("    SubPage %1").arg(subReport->SubPage));
    }
}

// Pages are read for the built-in "Default printer", so that what is
// drawn does not depend on the printers of the machine.
bool loadPages(const QString &fileName, TrpEMFPages &pages, TrpPrinter &printer)
{
    if (pages.LoadFromFile(fileName, printer, true))
        return true;
    printError(QStringLiteral("error: ") + pages.error().message +
               (pages.error().position >= 0 ? QStringLiteral(" (at %1)").arg(pages.error().position) : QString()));
    if (pages.Count() > 0)
        printError(QStringLiteral("the %1 pages before the error follow").arg(pages.Count()));
    return false;
}

bool reportPage(int index, TrpEMFPage &page)
{
    (void)page.drawList();
    if (!page.error().isSet())
        return true;
    printError(QStringLiteral("page %1: %2").arg(index + 1).arg(page.error().message));
    return false;
}

} // namespace

namespace PreparedCommands {

int dump(const QString &fileName)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    bool ok = loadPages(fileName, pages, printer);
    print(QStringLiteral("Printer ") + TrpTemplateText::quoted(pages.printerName()));
    print(QStringLiteral("Pages %1").arg(pages.Count()));
    for (int i = 0; i < pages.Count(); ++i) {
        TrpEMFPage &page = pages[i];
        print(QStringLiteral("Page %1").arg(i + 1));
        print(QStringLiteral("  PaperSize %1").arg(page.PaperSize));
        print(QStringLiteral("  PaperWidth %1").arg(page.PaperWidth));
        print(QStringLiteral("  PaperHeight %1").arg(page.PaperHeight));
        print(QStringLiteral("  Orientation %1").arg(page.Orientation));
        print(QStringLiteral("  UseMargins %1").arg(page.UseMargins ? 1 : 0));
        const TrpPrinter::PageMetrics &m = page.PrnInfo;
        print(QStringLiteral("  PageUnits %1 %2 offset %3 %4 printable %5 %6")
                  .arg(m.pageWidth)
                  .arg(m.pageHeight)
                  .arg(m.offsetX)
                  .arg(m.offsetY)
                  .arg(m.printableWidth)
                  .arg(m.printableHeight));
        print(QStringLiteral("  Stream %1 bytes").arg(page.Stream.size()));
        for (const std::unique_ptr<TrpView> &view : page.objects())
            dumpObject(*view);
        if (page.error().isSet()) {
            print(QStringLiteral("  Error ") + TrpTemplateText::quoted(page.error().message));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

int render(const QString &fileName, const QString &outputName)
{
    TrpPrinter printer({});
    TrpEMFPages pages;
    const bool loaded = loadPages(fileName, pages, printer);
    const int rendered = renderPages(pages, outputName);
    return loaded ? rendered : 1;
}

int renderPages(TrpEMFPages &pages, const QString &outputName)
{
    bool ok = true;
    const QFileInfo output(outputName);

    if (output.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        TrpPdfFile pdf;
        pdf.setCreator(QStringLiteral("rpftool"));
        for (int i = 0; i < pages.Count(); ++i) {
            ok = reportPage(i, pages[i]) && ok;
            if (!pdf.print(pages[i])) {
                printError(QStringLiteral("error: cannot write ") + outputName);
                return 1;
            }
        }
        if (pages.Count() > 0 && (!pdf.finish() || !pdf.save(outputName))) {
            printError(QStringLiteral("error: cannot write ") + outputName);
            return 1;
        }
        return ok ? 0 : 1;
    }

    const QString stem = output.path() + QLatin1Char('/') + output.completeBaseName();
    const QString suffix = output.suffix().isEmpty() ? QStringLiteral("png") : output.suffix();
    for (int i = 0; i < pages.Count(); ++i) {
        TrpEMFPage &page = pages[i];
        ok = reportPage(i, page) && ok;
        QImage image(page.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        page.Visible = true;
        page.draw(painter, QRectF(QPointF(0, 0), page.size()));
        page.Visible = false;
        page.draw(painter, QRectF());
        painter.end();
        const QString name = QStringLiteral("%1-%2.%3").arg(stem).arg(i + 1).arg(suffix);
        if (!image.save(name)) {
            printError(QStringLiteral("error: cannot write ") + name);
            return 1;
        }
        print(name);
    }
    return ok ? 0 : 1;
}

} // namespace PreparedCommands
