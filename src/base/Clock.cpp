#include "base/Clock.h"

#include <optional>

namespace {
std::optional<QDateTime> &fixedMoment()
{
    static std::optional<QDateTime> moment;
    return moment;
}
} // namespace

namespace Clock {

QDateTime currentDateTime()
{
    return fixedMoment() ? *fixedMoment() : QDateTime::currentDateTime();
}

QDate currentDate()
{
    return currentDateTime().date();
}

TDateTime now()
{
    return DateTime::fromDateTime(currentDateTime());
}

TDateTime today()
{
    return DateTime::fromDate(currentDate());
}

void setFixed(const QDateTime &moment)
{
    fixedMoment() = moment;
}

void reset()
{
    fixedMoment().reset();
}

} // namespace Clock
