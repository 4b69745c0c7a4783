#include "coreui/EraLineEdit.h"

#include "base/Sjis.h"
#include "core/EntryMachines.h"
#include "core/EraDate.h"

#include <QKeyEvent>
#include <QTime>

#include <algorithm>
#include <span>

namespace {

// Hours and minutes of a time text, each of which may begin with a blank.
std::optional<int> timeField(QStringView field)
{
    const QStringView digits = field.startsWith(u' ') ? field.sliced(1) : field;
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return digits.toInt();
}

} // namespace

EraLineEdit::EraLineEdit(QWidget *parent) : EraLineEdit(Mode::Date, parent) {}

EraLineEdit::EraLineEdit(Mode mode, QWidget *parent) : QLineEdit(parent), m_mode(mode)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // The text changes only through the machine: no paste from a menu, no drop.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setEmpty();
}

void EraLineEdit::setMode(Mode mode)
{
    m_mode = mode;
    setEmpty();
}

void EraLineEdit::setEmpty()
{
    runMachine(-1, QChar());
    setModified(false);
}

void EraLineEdit::setToday()
{
    runMachine(-2, QChar());
    setModified(false);
}

void EraLineEdit::setValue(TDateTime value)
{
    switch (m_mode) {
    case Mode::Date:
        setText(FormatEraDate(value));
        break;
    case Mode::YearMonth:
        setText(FormatEraYearMonth(value));
        break;
    case Mode::Time:
        setText(DateTime::format(u"hh:nn", value));
        break;
    }
    setCursorPosition(0);
}

std::optional<TDateTime> EraLineEdit::value() const
{
    switch (m_mode) {
    case Mode::Date:
        return ParseEraDate(text());
    case Mode::YearMonth:
        // The era, year and month take the first 12 bytes; the day is the 1st.
        return ParseEraDate(Sjis::cut(text(), 12) + QStringLiteral("01"));
    case Mode::Time: {
        const QString t = text();
        if (t.size() != 5 || t[2] != u':')
            return std::nullopt;
        const std::optional<int> hour = timeField(QStringView(t).first(2));
        const std::optional<int> minute = timeField(QStringView(t).sliced(3));
        if (!hour || !minute || !QTime::isValid(*hour, *minute, 0))
            return std::nullopt;
        return DateTime::encodeTime(*hour, *minute);
    }
    }
    return std::nullopt;
}

bool EraLineEdit::wholeSelected() const
{
    return hasSelectedText() && selectedText() == text();
}

void EraLineEdit::cutWhole()
{
    if (!wholeSelected())
        return;
    copy();
    clearByUser();
}

void EraLineEdit::clearByUser()
{
    setEmpty();
    setModified(true);
}

int EraLineEdit::groupStart(int position) const
{
    static constexpr int dateStarts[] = {8, 5, 2, 0};
    static constexpr int timeStarts[] = {3, 0};
    const std::span<const int> starts = m_mode == Mode::Time   ? std::span<const int>(timeStarts)
                                        : m_mode == Mode::Date ? std::span<const int>(dateStarts)
                                                               : std::span<const int>(dateStarts).subspan(1);
    for (const int start : starts) {
        if (position >= start)
            return start;
    }
    return 0;
}

void EraLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    // Typing goes on from the start of the group clicked, as the entry machine expects.
    if (!hasSelectedText())
        setCursorPosition(groupStart(cursorPosition()));
}

void EraLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (wholeSelected() && (event->key() == Qt::Key_Delete || event->matches(QKeySequence::Cut))) {
        if (event->key() == Qt::Key_Delete)
            clearByUser();
        else
            cutWhole();
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete: {
        QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, event->modifiers());
        QLineEdit::keyPressEvent(&left);
        event->accept();
        return;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
                           std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
    if (!printable) {
        // Every other editing key of a line edit (paste, cut, undo, the
        // deleting shortcuts) would change the template behind the machine.
        event->ignore();
        return;
    }
    for (const QChar key : typed) {
        if (runMachine(hasSelectedText() ? selectionStart() : cursorPosition(), key))
            setModified(true);
    }
    event->accept();
}

bool EraLineEdit::runMachine(int state, QChar key)
{
    QString edited = text();
    switch (m_mode) {
    case Mode::Date:
        EraDateKeyPress(state, edited, key);
        break;
    case Mode::YearMonth:
        EraYearMonthKeyPress(state, edited, key);
        break;
    case Mode::Time:
        TimeKeyPress(state, edited, key);
        break;
    }
    const bool changed = edited != text();
    if (changed)
        setText(edited);
    setCursorPosition(qMin(state, int(edited.size())));
    return changed;
}
