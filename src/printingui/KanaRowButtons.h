#pragma once

#include "users/UserSearch.h"

#include <QPoint>
#include <QSize>

#include <array>
#include <functional>

class QPushButton;
class QWidget;

// The ten kana-row buttons ア to ワ (ABtn to WBtn) of the printing lists,
// side by side from the origin, each telling the row it picks.
namespace KanaRowButtons {

using Picked = std::function<void(UserSearch::KanaRow row)>;

std::array<QPushButton *, 10> add(QWidget *parent, QPoint origin, QSize size, int step, const Picked &picked);

} // namespace KanaRowButtons
