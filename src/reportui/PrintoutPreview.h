#pragma once

class TrpReport;

// The end of every printout: the preview when the template loaded, else
// one error box with the engine's reason, the same from every window.
namespace PrintoutPreview {

// False when nothing was shown or the report failed.
bool show(TrpReport &report, bool loaded);

} // namespace PrintoutPreview
