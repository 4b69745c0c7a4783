#include "report/building/TrpBand.h"

#include "report/data/TrpDataset.h"
#include "report/objects/TrpBandView.h"

TrpBand::TrpBand(TrpBandView &bandView) : view(bandView), type(bandView.BandType()) {}

TrpBand::~TrpBand() = default;

const QString &TrpBand::name() const
{
    return view.Name;
}
