#include "core/EraDate.h"

#include "base/Era.h"
#include "base/Sjis.h"

#include <QDate>

namespace {

// A field of blanks followed by at least one digit, as the date fields are
// left by the entry machines; anything else ("5_", "__", "  ") is no number.
std::optional<int> fieldNumber(QByteArrayView field)
{
    qsizetype pos = 0;
    while (pos < field.size() && field[pos] == ' ')
        ++pos;
    if (pos == field.size())
        return std::nullopt;
    int value = 0;
    for (; pos < field.size(); ++pos) {
        const char c = field[pos];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

QString FormatEraDate(TDateTime date)
{
    return DateTime::format(EraDateFormat, date);
}

QString FormatEraYearMonth(TDateTime date)
{
    return DateTime::format(EraYearMonthFormat, date);
}

QString FormatEraShortDate(TDateTime date)
{
    if (date == DateTime::None)
        return {};
    const Era *era = Eras::of(DateTime::toDate(date));
    if (!era)
        return {};
    return era->letter + DateTime::format(u"ee.mm.dd", date);
}

std::optional<TDateTime> ParseEraDate(QStringView text)
{
    // The fields sit at fixed byte places of the Shift-JIS text: era name
    // 1-4, year 5-6, month 9-10, day 13-14.
    if (text.isEmpty())
        return std::nullopt;
    const Era *era = Eras::byInitial(text.front());
    const QByteArray bytes = Sjis::encode(text);
    if (!era || bytes.size() < 14)
        return std::nullopt;
    const QByteArrayView view(bytes);
    const std::optional<int> year = fieldNumber(view.sliced(4, 2));
    const std::optional<int> month = fieldNumber(view.sliced(8, 2));
    const std::optional<int> day = fieldNumber(view.sliced(12, 2));
    if (!year || !month || !day)
        return std::nullopt;
    const QDate date(era->baseYear + *year, *month, *day);
    if (!date.isValid())
        return std::nullopt;
    return DateTime::fromDate(date);
}
