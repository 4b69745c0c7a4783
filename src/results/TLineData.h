#pragma once

#include "base/DateTime.h"
#include "results/ResultTypeFlags.h"

#include <QString>

#include <array>
#include <span>

struct CureResult;

// One printed day of a user's month.
struct TLineData
{
    bool COLOR = false; // a Sunday
    QString DayWeek;
    TDateTime Start = DateTime::None;
    int Count = 0;
    qint64 Funn = 0;
    QString RsType;
    QString Tann0, Ninn0, Group0, Kobetsu0;
    QString Tann1, Ninn1, Group1, Kobetsu1;
    QString Tann2, Ninn2, Group2, Kobetsu2;
    QString Tann3, Ninn3;
    QString Comment;
    QString Login;

    // The staff-mark fields in flag order, with their report names.
    static constexpr std::array<QString TLineData::*, ResultTypeFlags::Count> MarkFields{
        &TLineData::Tann0, &TLineData::Ninn0, &TLineData::Group0, &TLineData::Kobetsu0, &TLineData::Tann1,
        &TLineData::Ninn1, &TLineData::Group1, &TLineData::Kobetsu1, &TLineData::Tann2, &TLineData::Ninn2,
        &TLineData::Group2, &TLineData::Kobetsu2, &TLineData::Tann3, &TLineData::Ninn3};
    static constexpr std::array<QStringView, ResultTypeFlags::Count> MarkNames{
        u"Tann0", u"Ninn0", u"Group0", u"Kobetsu0", u"Tann1", u"Ninn1", u"Group1",
        u"Kobetsu1", u"Tann2", u"Ninn2", u"Group2", u"Kobetsu2", u"Tann3", u"Ninn3"};

    // The day from its results in their order (the first one fills the
    // texts); a day without results keeps only its caption and Sunday flag.
    [[nodiscard]] static TLineData build(bool sunday, const QString &caption, std::span<const CureResult> day);
};
