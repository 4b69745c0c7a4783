#include "plans/PlanRules.h"

#include "base/Sjis.h"

namespace PlanRules {

QString limitMessage(LimitText wording, int limitBytes)
{
    const QString head = wording == LimitText::Input ? QStringLiteral("入力文字数がオーバーしています。")
                                                     : QStringLiteral("行の文字数がオーバーしています。");
    return head + QStringLiteral("\n半角%1文字・全角%2文字以内で入力してください。").arg(limitBytes).arg(limitBytes / 2);
}

std::optional<QString> checkLength(const QString &text, int limitBytes, LimitText wording)
{
    if (Sjis::byteLength(text) <= limitBytes)
        return std::nullopt;
    return limitMessage(wording, limitBytes);
}

TDateTime defaultEndDate(TDateTime registDay)
{
    return DateTime::fromDate(DateTime::toDate(registDay).addMonths(3).addDays(-1));
}

int circleLeft(std::span<const int> lefts, int degree)
{
    if (degree < 0 || degree >= int(lefts.size()))
        return -1;
    return lefts[size_t(degree)];
}

} // namespace PlanRules
