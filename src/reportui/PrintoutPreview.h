#pragma once

class QString;
class TrpReport;

// The end of every printout: the one place a printing window loads its
// template into a report set up before, then the preview, or one error box
// with the engine's reason when the template does not load, the same from
// every window.
namespace PrintoutPreview {

// False when nothing was shown or the report failed.
bool show(TrpReport &report, const QString &templateFile);

} // namespace PrintoutPreview
