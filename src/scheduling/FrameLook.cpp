#include "scheduling/FrameLook.h"

#include "core/TKubun.h"
#include "scheduling/SlotTime.h"

#include <algorithm>
#include <array>

namespace FrameLook {

QRect FramePosition(const TIMETABLE_ITEM &item)
{
    // A stored slot outside the board's hours (older data, or written
    // elsewhere) still stands on the board, tall enough to be clicked.
    const int rawTop = (SlotTime::minuteOfDay(item.StartTime) - FirstHour * 60) * 2;
    const int top = std::clamp(rawTop, 0, BoardHeight - MinLabelHeight);
    const int end = std::clamp(rawTop + item.Fnn * 2, top + MinLabelHeight, BoardHeight);
    return QRect(1, top, ColumnWidth - 2, end - top - 1);
}

unsigned FrameColour(int capacity)
{
    if (capacity < 1)
        return 0xFF00FF;
    return capacity == 1 ? 0x00FF00 : 0xFFFF00;
}

QString MakeFrameCaption(const TIMETABLE_ITEM &item, const QString &name, int kubunCode, int rihaType)
{
    static constexpr std::array<QStringView, 4> typeWords{u"入所 ", u"短期 ", u"通所 ", u"訪問 "};
    const int start = SlotTime::minuteOfDay(item.StartTime);
    const QString time =
        QStringLiteral("%1.%2").arg(start / 60, 2, 10, QLatin1Char('0')).arg(start % 60, 2, 10, QLatin1Char('0'));
    QString third = rihaType >= 0 && rihaType < 4 ? typeWords[std::size_t(rihaType)].toString() : QString();
    if (kubunCode >= 0) {
        TKubun kubun;
        kubun.SetCode(kubunCode);
        third += kubun.ShortText();
    }
    return time + QStringLiteral(" -> ") + QString::number(item.Fnn) + QStringLiteral("分\n") + name +
           QLatin1Char('\n') + third;
}

unsigned DayColour(TDateTime day, unsigned weekdayColour)
{
    switch (DateTime::toDate(day).dayOfWeek()) {
    case Qt::Saturday:
        return SaturdayColour;
    case Qt::Sunday:
        return SundayColour;
    default:
        return weekdayColour;
    }
}

} // namespace FrameLook
