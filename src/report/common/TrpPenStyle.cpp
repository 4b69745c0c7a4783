#include "report/common/TrpPenStyle.h"

Qt::PenStyle TrpPenStyle::toQt(quint32 code, Codes codes)
{
    switch (code) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return codes == Codes::Metafile ? Qt::NoPen : Qt::SolidLine;
    default:
        return Qt::SolidLine;
    }
}
