#include "ToolValue.h"

#include "base/NumberFormat.h"

namespace ToolValue {

Variant parse(const QString &text)
{
    if (text.size() >= 2 && text.startsWith(QLatin1Char('\'')) && text.endsWith(QLatin1Char('\'')))
        return Variant(text.mid(1, text.size() - 2));
    if (const std::optional<qint64> integer = NumberFormat::textToInteger(text))
        return Variant(*integer);
    if (const std::optional<double> number = NumberFormat::textToFloat(text))
        return Variant(*number);
    return Variant(text);
}

} // namespace ToolValue
