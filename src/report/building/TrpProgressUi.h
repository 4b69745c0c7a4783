#pragma once

#include <QString>

#include <functional>

// The progress dialog shown while a report is built or printed. It runs the
// work inside its modal loop; the work updates the label and, between pages,
// lets the dialog process its events so that Cancel can be pressed.
class TrpProgressUi
{
public:
    virtual ~TrpProgressUi() = default;

    // Shows the dialog with the caption and label and runs the work; false
    // when the user cancelled.
    [[nodiscard]] virtual bool run(const QString &caption, const QString &label, const std::function<void()> &work) = 0;
    [[nodiscard]] virtual bool isShowing() const = 0;
    virtual void setLabel(const QString &label) = 0;
    // Processes pending events; true when Cancel was pressed.
    [[nodiscard]] virtual bool cancelRequested() = 0;
};
