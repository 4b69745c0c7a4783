#include "report/building/TrpFunctionLibrary.h"

#include <cmath>

TrpFunctionLibrary::TrpFunctionLibrary(QStringList names) : List(std::move(names))
{
    std::sort(List.begin(), List.end());
}

TrpFunctionLibrary::~TrpFunctionLibrary() = default;

bool TrpFunctionLibrary::OnFunction(TrpReport &report, const QString &name, const Variant &p1, const Variant &p2,
                                    const Variant &p3, QString &val)
{
    const auto it = std::lower_bound(List.cbegin(), List.cend(), name);
    if (it == List.cend() || *it != name)
        return false;
    DoFunction(report, int(it - List.cbegin()), p1, p2, p3, val);
    return true;
}

QString TrpFunctionLibrary::numberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    const double magnitude = std::fabs(value);
    const int whole = magnitude >= 1 ? int(std::floor(std::log10(magnitude))) + 1 : 0;
    QString text = QString::number(value, 'f', std::max(0, 15 - whole));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString TrpFunctionLibrary::quotedText(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}
