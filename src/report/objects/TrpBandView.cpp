#include "report/objects/TrpBandView.h"

TrpBandView::TrpBandView()
{
    Typ = gtBand;
    Flags = bfPrintOnFirstPage | bfPrintOnLastPage;
    Format = 0;
}

std::unique_ptr<TrpView> TrpBandView::clone() const
{
    return std::unique_ptr<TrpView>(new TrpBandView(*this));
}

QString TrpBandView::ClassName() const
{
    return QStringLiteral("TrpBandView");
}

QString TrpBandView::BaseName() const
{
    return QStringLiteral("Band");
}
