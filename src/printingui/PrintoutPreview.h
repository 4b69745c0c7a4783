#pragma once

class TrpReport;

// The end of every printout of the print menu: the preview when the
// template loaded, else the engine's own error, in its "Error" box.
namespace PrintoutPreview {

// False when nothing was shown or the report failed.
bool show(TrpReport &report, bool loaded);

} // namespace PrintoutPreview
