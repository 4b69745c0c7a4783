#pragma once

#include "base/DateTime.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// One row of the practice plan's evaluation grid: the five evaluation cells
// (自立, 見守り, 一部介助, 全介助, 行わず), the equipment, the care content,
// the target period and the mark (0 none, 1 "○", 2 "◎").
struct TPracticeGridRow
{
    static constexpr int RowSize = 192;

    std::array<QString, 5> ABC;
    QString Goods;
    QString Kaigo;
    QString Time;
    qint32 Special = 0;

    friend bool operator==(const TPracticeGridRow &, const TPracticeGridRow &) = default;
};

// A practice plan, stored whole as Practice.PracticeData in a fixed layout
// of RecordSize bytes that existing databases hold (Shift-JIS texts, little-
// endian integers and doubles, one-byte Booleans), tagged with
// DataFormatVersion. The header is a snapshot of the user on the plan day.
struct TPractice
{
    static constexpr qsizetype RecordSize = 21480;
    static constexpr qint32 DataFormatVersion = 30;
    static constexpr int Grid1Rows = 13;
    static constexpr int Grid2Rows = 8;
    static constexpr int TeamBoxes = 13;

    TDateTime PractDay = DateTime::None;
    QString UserName;
    qint32 Sex = 0;
    TDateTime Birth = DateTime::None;
    qint32 Old = 0;
    qint32 Kaigodo = -1; // negative: no care level

    QString KenkouMemo;
    QString GapeiMemo;
    QString SeikatsuMemo;
    bool HomeBox = false;
    bool EtcBox = false;
    QString EtcEdit;
    bool TaiinBox = false;
    QString HomeWorkEdit;
    QString SocialEdit;
    QString GoOutEdit;
    QString FreeTimeEdit;
    QString TaiinEdit;
    bool Exercise = false;
    QString ExerciseMemo;
    bool Sense = false;
    QString SenseMemo;
    bool Brain = false;
    QString BrainMemo;
    bool Koushuku = false;
    QString KoushukuMemo;
    bool Arthralgia = false;
    QString ArthralgiaMemo;
    bool Sonota = false;
    QString SonotaMemo;
    qint32 HDSR = 0; // 0: not entered

    std::array<TPracticeGridRow, Grid1Rows> Grid1;
    QString PTOTST0;
    QString Kango0;
    QString Jitchi0;
    std::array<TPracticeGridRow, Grid2Rows> Grid2;
    QString PTOTST1;
    QString Kango1;
    QString Jitchi1;

    QString SelfHope;
    QString FarmilyHope;
    QString LifePoint;
    QString RihaTerget;
    QString SelfDo;
    QString AskFarmily;
    QString DiseseCare;
    QString Variation;
    QString Remark;
    // Staff codes (KaigoStuff.CD), -1 for nobody.
    std::array<qint32, TeamBoxes> TeamBox = filledTeam();

    // Reads a stored record from its first RecordSize bytes; nullopt when
    // fewer are given.
    [[nodiscard]] static std::optional<TPractice> fromBytes(QByteArrayView bytes);
    // The stored form, exactly RecordSize bytes; unused bytes are zero.
    [[nodiscard]] QByteArray toBytes() const;

    friend bool operator==(const TPractice &, const TPractice &) = default;

private:
    static std::array<qint32, TeamBoxes> filledTeam()
    {
        std::array<qint32, TeamBoxes> team{};
        team.fill(-1);
        return team;
    }
};
