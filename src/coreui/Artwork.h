#pragma once

#include <QPixmap>

// The program's own pictures, drawn at run time: the six tiles of the main
// window and the splash background.
namespace Artwork {

enum class Tile { UserRegist, Results, Paper, Print, Schedule, System };

[[nodiscard]] QPixmap tile(Tile kind, const QSize &size = QSize(200, 135));
[[nodiscard]] QPixmap splash(const QSize &size = QSize(641, 453));

} // namespace Artwork
