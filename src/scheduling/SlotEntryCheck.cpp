#include "scheduling/SlotEntryCheck.h"

#include "scheduling/SlotTime.h"

#include <algorithm>

namespace SlotEntryCheck {

std::optional<TDateTime> startTime(QStringView text)
{
    bool hourOk = false;
    bool minuteOk = false;
    const int hour = text.mid(0, 2).toInt(&hourOk);
    const int minute = text.mid(3, 2).toInt(&minuteOk);
    if (!hourOk || !minuteOk || hour < 8 || hour >= 21 || minute < 0 || minute >= 60)
        return std::nullopt;
    return DateTime::encodeTime(hour, minute);
}

QString minutesError(QStringView text, int &minutes)
{
    if (text.isEmpty())
        return QStringLiteral("分は入力必須項目です。");
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return QStringLiteral("分は数値項目です。");
    if (value < 1)
        return QStringLiteral("分は１分以上です。");
    if (value > MaxMinutes)
        return QString::fromUtf16(TooManyMinutes);
    minutes = value;
    return {};
}

QString endError(TDateTime start, int minutes)
{
    constexpr int LastMinute = 21 * 60;
    if (SlotTime::minuteOfDay(start) + minutes <= LastMinute)
        return {};
    return QStringLiteral("終了時刻が21:00を過ぎています（%1分まで）。")
        .arg(std::max(LastMinute - SlotTime::minuteOfDay(start), 1));
}

} // namespace SlotEntryCheck
