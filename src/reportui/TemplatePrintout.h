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

// Walks rpUserDataset1 of the report over the rows and answers its
// variables; the template is loaded by whoever builds it.
void bind(TrpReport &report, TrpUserDataset &dataset, int rows, Values values);
// Builds the printout and shows its preview (PrintoutPreview).
bool show(const QString &templateFile, int rows, Values values);

} // namespace TemplatePrintout
