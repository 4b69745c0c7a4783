#pragma once

#include <QChar>
#include <QString>

// Key-by-key entry of era dates, era year-months and times into a fixed
// template. The state is the caret position: the caller passes the caret,
// stores the returned text and puts the caret at the returned state. The key
// comes back as the null character, so it is never inserted by itself.
//
// A negative state starts over: -1 gives the empty template, and below -1
// the era machines give today (the time machine the empty template).
// A text that does not have the template's length is taken as the empty
// template.

// "＿＿__年__月__日": M, T, S, H or R (either case) picks the era, then the
// digits of the year, month and day, the caret skipping "年" and "月". The
// last day digit is taken only when the whole date then reads back.
void EraDateKeyPress(int &state, QString &text, QChar &key);
// "＿＿__年__月": as the date without the day; a key that is no era letter
// keeps the caret on the era.
void EraYearMonthKeyPress(int &state, QString &text, QChar &key);
// "__:__": hours 0 to 23 and minutes 0 to 59, the caret skipping ":".
void TimeKeyPress(int &state, QString &text, QChar &key);
