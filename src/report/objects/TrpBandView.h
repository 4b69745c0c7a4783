#pragma once

#include "report/objects/TrpView.h"

// A band strip of a template. Its band type is the low byte of FrameTyp,
// its data source (data bands) or condition (group headers) is FormatStr.
// Bands draw only in a designer.
class TrpBandView : public TrpView
{
public:
    // Band options in Flags.
    enum BandFlags : quint16 {
        bfStretched = 1,
        bfStartNewPage = 2,
        bfPrintIfDetailEmpty = 4,
        bfAllowSplit = 8,
        bfPrintOnFirstPage = 16,
        bfPrintOnLastPage = 32,
        bfReprintOnNewPage = 64,
    };

    TrpBandView();

    [[nodiscard]] std::unique_ptr<TrpView> clone() const override;
    [[nodiscard]] QString ClassName() const override;
    [[nodiscard]] QString BaseName() const override;

    [[nodiscard]] int BandType() const { return FrameTyp & 0xFF; }

private:
    TrpBandView(const TrpBandView &) = default;
};
