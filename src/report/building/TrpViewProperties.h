#pragma once

#include "base/Variant.h"

#include <QString>

#include <optional>

class TrpView;

// The properties of report objects that scripts read and write by name
// (compared without regard to case): Left, Top, Width, Height, Flags,
// Visible, FrameTyp, FrameWidth, FrameColor, FillColor, Text, FontName,
// FontSize, FontStyle, FontColor, Adjust. Colours and font styles are
// numbers, Text is the lines joined by CR LF, Visible 0 or non-zero. The
// font properties and Adjust belong to memos.
namespace TrpViewProperties {

[[nodiscard]] bool isProperty(const QString &name);
// nullopt when the object has no such property.
[[nodiscard]] std::optional<Variant> read(const TrpView &view, const QString &name);
// False when the object has no such property or the value is no number
// where one is needed.
[[nodiscard]] bool write(TrpView &view, const QString &name, const Variant &value);

} // namespace TrpViewProperties
