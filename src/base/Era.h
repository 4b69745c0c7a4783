#pragma once

#include <QDate>
#include <QString>

// The Japanese eras that dates are shown in. The table ends with the current
// era; a date before the first era has none.
struct Era
{
    QString name; // "平成"
    QChar letter; // "H", the letter of the short form
    QDate start;  // first day of the era
    int baseYear; // Gregorian year of era year 0 (1988 for 平成)
};

namespace Eras {

[[nodiscard]] const QList<Era> &table();
// The era that the date lies in, or nullptr before the first era.
[[nodiscard]] const Era *of(const QDate &date);
// The era of the short-form letter ("H" for 平成, either case), or nullptr.
[[nodiscard]] const Era *byLetter(QChar letter);
// The era whose name begins with the character ("平" for 平成), or nullptr.
[[nodiscard]] const Era *byInitial(QChar initial);

} // namespace Eras
