#pragma once

#include <QString>

class QImage;
class TrpReport;
class TrpUserDataset;
class CurePlanPrint;

// The printed treatment plan ("CurePlan.rpf"): one plan with the painted
// body figure in the frame headed "[Picture]".
namespace CurePlanPrintout {

inline constexpr char16_t TemplateName[] = u"CurePlan.rpf";

// Loads the template and answers its variables and frames from the plan;
// false when the template does not load.
[[nodiscard]] bool setUp(TrpReport &report, TrpUserDataset &dataset, const QString &templateFile,
                         const CurePlanPrint &plan, const QImage &figure);
// Builds the printout and shows its preview; a template that does not load
// is told in an error box.
bool show(const QString &appDir, const CurePlanPrint &plan, const QImage &figure);

} // namespace CurePlanPrintout
