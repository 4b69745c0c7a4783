#pragma once

#include <Qt>

// Line styles as templates and metafiles store them: 0 solid, 1 dash, 2 dot,
// 3 dash-dot, 4 dash-dot-dot. Metafile pens also have 5, no line; object
// frames use 5 for the double line they draw themselves. Any other code is
// a solid line.
namespace TrpPenStyle {

enum class Codes { Frame, Metafile };

[[nodiscard]] Qt::PenStyle toQt(quint32 code, Codes codes);

} // namespace TrpPenStyle
