#include "base/Era.h"

namespace Eras {

const QList<Era> &table()
{
    static const QList<Era> eras = {
        {QStringLiteral("明治"), QLatin1Char('M'), QDate(1868, 1, 1), 1867},
        {QStringLiteral("大正"), QLatin1Char('T'), QDate(1912, 7, 30), 1911},
        {QStringLiteral("昭和"), QLatin1Char('S'), QDate(1926, 12, 25), 1925},
        {QStringLiteral("平成"), QLatin1Char('H'), QDate(1989, 1, 8), 1988},
        {QStringLiteral("令和"), QLatin1Char('R'), QDate(2019, 5, 1), 2018},
    };
    return eras;
}

const Era *of(const QDate &date)
{
    const QList<Era> &eras = table();
    for (auto it = eras.crbegin(); it != eras.crend(); ++it) {
        if (date >= it->start)
            return &*it;
    }
    return nullptr;
}

const Era *byLetter(QChar letter)
{
    for (const Era &era : table()) {
        if (era.letter == letter.toUpper())
            return &era;
    }
    return nullptr;
}

const Era *byInitial(QChar initial)
{
    for (const Era &era : table()) {
        if (era.name.front() == initial)
            return &era;
    }
    return nullptr;
}

} // namespace Eras
