#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The fourteen "True"/"False" columns of CureResults that classify a result
// by form of rehabilitation (RihaType 0..3) and category (KubunCode bits
// 1/2/4/8). The statistics count rows by these columns alone.
class ResultTypeFlags
{
public:
    static constexpr int Count = 14;
    using Values = std::array<bool, Count>;

    // In table order: also the order of Kubun01..Kubun14 and of the day line.
    static constexpr std::array<QStringView, Count> Columns{
        u"NyushoTanki",      u"NyushoNinchi",       u"NyushoShudan", u"NyushoKobetsu", u"TankiNyushoTanki",
        u"TankiNyushoNinchi", u"TankiNyushoShudan", u"TankiNyushoKobetsu", u"TsushoTanki", u"TsushoNinchi",
        u"TsushoShudan",     u"TsushoKobetsu",      u"HoumonTanki",  u"HoumonNinchi"};

    static constexpr QStringView TrueText = u"True";
    static constexpr QStringView FalseText = u"False";

    // SetResultTypeFlags: the flags of a row of that form and category set.
    // Home visits have only the first two categories; a form outside 0..3
    // sets nothing.
    [[nodiscard]] static Values derive(int rihaType, int kubunCode);
    // The category set a row's ticks give for its own form: the ticks of
    // that form's columns as bits 1/2/4/8; -1 for a form outside 0..3.
    [[nodiscard]] static int kubunCodeOfTicks(int rihaType, const Values &ticks);
    // The ticks of the row's own form only: a changed form must not leave
    // ticks of the old one behind to be counted twice.
    [[nodiscard]] static Values keepOwnType(int rihaType, const Values &ticks);
    // The columns of a form (first column, number of columns); {0, 0} for
    // a form outside 0..3.
    [[nodiscard]] static std::pair<int, int> columnsOfType(int rihaType);

    [[nodiscard]] static QString text(bool value);
    // A stored value reads as ticked when its trim is "True".
    [[nodiscard]] static bool isTrue(QStringView stored);
};
