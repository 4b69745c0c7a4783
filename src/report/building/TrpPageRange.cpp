#include "report/building/TrpPageRange.h"

#include <QRegularExpression>

#include <vector>

namespace TrpPageRange {

QList<int> parse(const QString &text, int pageCount)
{
    QString compact = text;
    compact.remove(QLatin1Char(' '));
    std::vector<bool> chosen(size_t(std::max(0, pageCount)), compact.isEmpty());
    static const QRegularExpression item(QStringLiteral("^(\\d{0,9})(-(\\d{0,9}))?$"));
    bool valid = true;
    for (const QString &part : compact.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = item.match(part);
        if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(3).isEmpty())) {
            valid = false;
            break;
        }
        const bool range = match.hasCaptured(2);
        const qint64 from = match.captured(1).isEmpty() ? 1 : match.captured(1).toLongLong();
        const qint64 to = range ? (match.captured(3).isEmpty() ? pageCount : match.captured(3).toLongLong()) : from;
        for (qint64 page = std::max<qint64>(from, 1); page <= std::min<qint64>(to, pageCount); ++page)
            chosen[size_t(page - 1)] = true;
    }
    QList<int> pages;
    if (!valid)
        return pages;
    for (size_t i = 0; i < chosen.size(); ++i) {
        if (chosen[i])
            pages.append(int(i));
    }
    return pages;
}

} // namespace TrpPageRange
