#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The small pieces the forms are built of, placed where their Parts put them.
namespace FormParts {

// A named button; Enter in an input never presses it.
QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);
// A caption beside an input, right-aligned unless said otherwise.
QLabel *addLabel(QWidget *parent, const QString &caption, const QRect &geometry,
                 Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);

// Widens a value box so that a text as wide as longest shows whole in it.
void fitWidth(QLabel *label, const QString &longest);
// The widest date in era form ("ggee年mm月dd日") in the label's font.
[[nodiscard]] QString widestEraDate(const QLabel *label);

} // namespace FormParts
