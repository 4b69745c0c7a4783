#include "core/EntryMachines.h"

#include "base/Clock.h"
#include "base/Era.h"
#include "core/EraDate.h"

#include <optional>

namespace {

constexpr QChar Blank = u' ';
constexpr QChar Hole = u'_';

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool inRange(QChar c, char16_t low, char16_t high)
{
    return c.unicode() >= low && c.unicode() <= high;
}

// A tens place (a digit or a blank) and a ones digit read as one number.
std::optional<int> twoDigits(QChar tens, QChar ones)
{
    if (!isDigit(ones))
        return std::nullopt;
    const int unit = ones.unicode() - u'0';
    if (tens == Blank)
        return unit;
    if (isDigit(tens))
        return (tens.unicode() - u'0') * 10 + unit;
    return std::nullopt;
}

// Both era machines share the steps up to the month; the date goes on with
// the day.
void eraKeyPress(bool withDay, int &state, QString &text, QChar key)
{
    const QStringView empty = withDay ? EraDateTemplate : EraYearMonthTemplate;
    if (state < -1) {
        text = withDay ? FormatEraDate(Clock::now()) : FormatEraYearMonth(Clock::now());
        state = 0;
        return;
    }
    if (state == -1) {
        text = empty.toString();
        state = 0;
        return;
    }
    if (text.size() != empty.size())
        text = empty.toString();

    switch (state) {
    case 0:
    case 1:
        if (const Era *era = Eras::byLetter(key)) {
            text.replace(0, 2, era->name);
            state = 2;
        } else {
            state = withDay ? 2 : 0;
        }
        return;
    case 2:
        if (key == u'0' || key == Blank) {
            text[2] = Blank;
            state = 3;
        } else if (inRange(key, u'1', u'9')) {
            text[2] = key;
            state = 3;
        }
        return;
    case 3:
        if (!isDigit(key))
            return;
        if (const std::optional<int> year = twoDigits(text[2], key); !year) {
            text[2] = Hole;
            text[3] = Hole;
            state = 2;
        } else if (*year >= 1) {
            text[3] = key;
            state = 5;
        } else {
            text[3] = Hole;
        }
        return;
    case 4:
        state = 5;
        return;
    case 5:
        if (key == u'0' || key == Blank) {
            text[5] = Blank;
            state = 6;
        } else if (key == u'1') {
            text[5] = key;
            state = 6;
        }
        return;
    case 6:
        if (!isDigit(key))
            return;
        if (const std::optional<int> month = twoDigits(text[5], key); !month) {
            text[5] = Hole;
            text[6] = Hole;
            state = 5;
        } else if (*month >= 1 && *month <= 12) {
            text[6] = key;
            state = 8;
        } else {
            text[6] = Hole;
        }
        return;
    case 7:
        state = 8;
        return;
    default:
        break;
    }
    if (!withDay)
        return;

    switch (state) {
    case 8:
        if (key == u'0' || key == Blank) {
            text[8] = Blank;
            state = 9;
        } else if (inRange(key, u'1', u'3')) {
            text[8] = key;
            state = 9;
        } else {
            text[8] = Hole;
        }
        return;
    case 9:
        if (!isDigit(key))
            return;
        if (const std::optional<int> day = twoDigits(text[8], key); !day) {
            text[8] = Hole;
            text[9] = Hole;
            state = 8;
        } else {
            // The day is taken only when the month has it: 31 in a 30-day
            // month, or 29 February of a common year, leaves the place open.
            QString candidate = text;
            candidate[9] = key;
            if (*day >= 1 && ParseEraDate(candidate)) {
                text = candidate;
                state = 11;
            } else {
                text[9] = Hole;
            }
        }
        return;
    default:
        return;
    }
}

} // namespace

void EraDateKeyPress(int &state, QString &text, QChar &key)
{
    eraKeyPress(true, state, text, key);
    key = QChar();
}

void EraYearMonthKeyPress(int &state, QString &text, QChar &key)
{
    eraKeyPress(false, state, text, key);
    key = QChar();
}

void TimeKeyPress(int &state, QString &text, QChar &key)
{
    const QChar typed = key;
    key = QChar();
    if (state < 0) {
        text = TimeTemplate.toString();
        state = 0;
        return;
    }
    if (text.size() != TimeTemplate.size())
        text = TimeTemplate.toString();

    switch (state) {
    case 0:
        if (typed == u'0' || typed == Blank) {
            text[0] = Blank;
            state = 1;
        } else if (inRange(typed, u'1', u'2')) {
            text[0] = typed;
            state = 1;
        }
        return;
    case 1:
        if (inRange(typed, u'0', text[0] == u'2' ? u'3' : u'9')) {
            text[1] = typed;
            state = 3;
        }
        return;
    case 2:
        text[2] = u':';
        state = 3;
        return;
    case 3:
        if (typed == u'0' || typed == Blank) {
            text[3] = Blank;
            state = 4;
        } else if (inRange(typed, u'1', u'5')) {
            text[3] = typed;
            state = 4;
        }
        return;
    case 4:
        if (isDigit(typed)) {
            text[4] = typed;
            state = 5;
        }
        return;
    default:
        return;
    }
}
