#pragma once

#include "base/DateTime.h"

#include <QLineEdit>

#include <optional>

// A line edit whose text is a fixed template filled key by key through an
// entry machine: an era date, an era year-month or a time of day. The input
// method is off; Backspace and Delete move the caret left, since the
// template is overwritten and never shortened, but Delete or cut on the whole
// text empties the template. A click puts the caret at the start of the
// group clicked (era, year, month, day; hours, minutes). Enter, Tab and the
// caret keys behave as in any line edit.
class EraLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum class Mode { Date, YearMonth, Time };

    explicit EraLineEdit(QWidget *parent = nullptr);
    explicit EraLineEdit(Mode mode, QWidget *parent = nullptr);

    [[nodiscard]] Mode mode() const { return m_mode; }
    // Switches the entry machine and shows its empty template.
    void setMode(Mode mode);

    // The empty template of the mode.
    void setEmpty();
    // Today in the mode's form (the empty template for a time).
    void setToday();
    // The value in the mode's form: "平成20年05月01日", "平成20年05月", "09:30".
    void setValue(TDateTime value);
    // The text read back: the date, the first day of the year-month, or the
    // time of day; nullopt while the text does not read.
    [[nodiscard]] std::optional<TDateTime> value() const;

    // The whole text is selected: it can be cut.
    [[nodiscard]] bool wholeSelected() const;
    // Copies the whole selected text to the clipboard and empties the
    // template, a change by the user; nothing happens without a whole selection.
    void cutWhole();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Empties the template as the user's change.
    void clearByUser();
    // The first position of the group that holds the position.
    [[nodiscard]] int groupStart(int position) const;

    // Runs the mode's machine from the given state and shows its result;
    // true when the text changed.
    bool runMachine(int state, QChar key);

    Mode m_mode = Mode::Date;
};
