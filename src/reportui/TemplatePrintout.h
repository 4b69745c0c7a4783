#pragma once

#include "base/Variant.h"

#include <QString>

#include <functional>
#include <optional>

class TrpReport;
class TrpUserDataset;

// A printout from a template file whose data rows are counted: the band of
// rpUserDataset1 runs once per row and every variable is answered by a
// function of its name and the 1-based row.
namespace TemplatePrintout {

using Values = std::function<std::optional<Variant>(const QString &name, int row)>;

// Loads the template into the report and walks rpUserDataset1 over the
// rows; false when the template does not load.
[[nodiscard]] bool setUp(TrpReport &report, TrpUserDataset &dataset, const QString &templateFile, int rows,
                         Values values);
// Builds the printout and shows its preview (PrintoutPreview).
bool show(const QString &templateFile, int rows, Values values);

} // namespace TemplatePrintout
