#include "report/building/TrpBandTypes.h"
#include "report/building/TrpReport.h"
#include "report/objects/TrpBandView.h"
#include "report/pages/TrpPage.h"
#include "report/pages/TrpPrinter.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace TrpBandTypes;

// Pages are laid out inside their margins, which lie inside the printable
// area: every object of every template must lie within that width, and
// every band must fit a page beside the page header and footer, or the
// printer cuts what runs over. The report title stands on the first page
// alone, beside only the header and footer printed there.
TEST(TemplatesFit, EveryTemplateLiesInsideItsMargins)
{
    const QDir dir(QStringLiteral(TAMSOLEN_TEMPLATE_DIR));
    const QStringList files = dir.entryList({QStringLiteral("*.rpf")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        TrpPrinter printer{QStringList()};
        QObject owner;
        TrpReport report(&owner);
        report.setPrinter(printer);
        ASSERT_TRUE(report.LoadFromFile(dir.filePath(file)));
        for (const std::unique_ptr<TrpPage> &page : report.Pages()) {
            const TrpPrinter::PageMetrics &m = page->PrnInfo;
            const TrpMargins margins = page->UseMargins ? page->Margins : TrpMargins{};
            const qint32 width = m.printableWidth - margins.Left - margins.Right;
            const qint32 height = m.printableHeight - margins.Top - margins.Bottom;
            qint32 headers = 0;
            qint32 firstHeaders = 0;
            std::vector<const TrpBandView *> bands;
            for (const std::unique_ptr<TrpView> &view : page->Objects) {
                if (const auto *band = dynamic_cast<const TrpBandView *>(view.get())) {
                    if (band->BandType() == btPageHeader || band->BandType() == btPageFooter) {
                        headers += band->Height;
                        if (band->Flags & TrpBandView::bfPrintOnFirstPage)
                            firstHeaders += band->Height;
                    }
                    // A cross band is a column strip across the other bands, not a row.
                    else if (band->BandType() != btOverlay && !isCross(band->BandType()))
                        bands.push_back(band);
                    continue;
                }
                EXPECT_GE(view->Left, 0) << view->Name.toStdString();
                EXPECT_LE(view->Left + view->Width, width) << view->Name.toStdString();
            }
            for (const TrpBandView *band : bands)
                EXPECT_LE((band->BandType() == btReportTitle ? firstHeaders : headers) + band->Height, height)
                    << band->Name.toStdString();
        }
    }
}
