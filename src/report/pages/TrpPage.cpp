#include "report/pages/TrpPage.h"

TrpPage::TrpPage(const TrpPage &other)
    : PaperSize(other.PaperSize), PaperWidth(other.PaperWidth), PaperHeight(other.PaperHeight), Margins(other.Margins),
      Orientation(other.Orientation), PrintToPreviousPage(other.PrintToPreviousPage), UseMargins(other.UseMargins),
      ColumnCount(other.ColumnCount), ColumnGap(other.ColumnGap), PrnInfo(other.PrnInfo)
{
    Objects.reserve(other.Objects.size());
    for (const std::unique_ptr<TrpView> &view : other.Objects)
        Objects.push_back(view->clone());
}

void TrpPage::applyPaper(TrpPrinter &printer)
{
    printer.setPaper(PaperSize, PaperWidth, PaperHeight, Orientation ? TrpPrinter::Landscape : TrpPrinter::Portrait);
    PaperSize = printer.paperSize();
    PaperWidth = printer.paperWidth();
    PaperHeight = printer.paperHeight();
    Orientation = quint8(printer.orientation());
    PrnInfo = printer.metrics();
}

TrpPage &TrpPages::Add()
{
    m_pages.push_back(std::make_unique<TrpPage>());
    return *m_pages.back();
}

void TrpPages::Add(std::unique_ptr<TrpPage> page)
{
    m_pages.push_back(std::move(page));
}
