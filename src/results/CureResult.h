#pragma once

#include "base/DateTime.h"
#include "results/ResultTypeFlags.h"

#include <QString>
#include <QtGlobal>

class DbDataSet;
class DbField;
class DbValue;
struct TPerson;

// One row of CureResults in memory. Dates are TDateTime values, 0 "none";
// times of day stand on the base date.
struct CureResult
{
    qint32 ResultNo = 0;
    TDateTime CureDate = DateTime::None;
    qint32 ReserveNo = -1; // -1: entered by hand or imported
    qint32 CureNo = 0;
    qint32 StuffCode = -1;
    QString StuffName;
    QString StuffKigo;
    TDateTime PStartTime = DateTime::None;
    qint32 PMinute = 0;
    TDateTime RStartTime = DateTime::None;
    qint32 RMinute = 0;
    QString Comment;
    qint32 RihaType = 0;
    qint32 KubunCode = 0;
    ResultTypeFlags::Values Flags{};
    TDateTime KubunDate = DateTime::None;
    QString Name;
    QString Kana;
    qint32 Sex = 0;
    TDateTime Birth = DateTime::None;
    QString ROOM_NO;
    qint32 Jiritsu_KBN = -1;
    qint32 Ninchi_KBN = -1;
    qint32 YOUKAIGO_KBN = -1;
    TDateTime HP_TAISHO_YMD = DateTime::None;
    TDateTime NYUSHOBI_YMD = DateTime::None;
    TDateTime TAISHOBI_YMD = DateTime::None;
    QString LoginCD;
    QString LoginName;
    TDateTime UpdateDate = DateTime::None;

    // Characters the Comment column holds.
    static constexpr int CommentLimit = 255;

    // The columns that a write sets, in this order (ResultNo is the
    // database's; the fourteen flags follow KubunCode).
    static constexpr int WrittenColumnCount = 28 + ResultTypeFlags::Count;
    [[nodiscard]] static QStringView writtenColumn(int i);
    // The value of the written column i.
    [[nodiscard]] DbValue writtenValue(int i) const;

    // Sets the fourteen flags from RihaType and KubunCode.
    void deriveFlags() { Flags = ResultTypeFlags::derive(RihaType, KubunCode); }
    // Copies the register columns of the user (and the user number).
    void takeSnapshot(const TPerson &person);

    // The order of lists and printouts: by day (whatever the time of day
    // of CureDate), then by actual start time, then by key.
    [[nodiscard]] static bool dayOrder(TDateTime dateA, TDateTime startA, int keyA, TDateTime dateB,
                                       TDateTime startB, int keyB);
    [[nodiscard]] static bool dayOrder(const CureResult &a, const CureResult &b)
    {
        return dayOrder(a.CureDate, a.RStartTime, a.ResultNo, b.CureDate, b.RStartTime, b.ResultNo);
    }

    // The row the data set stands on (every column of CureResults).
    [[nodiscard]] static CureResult fromRow(const DbDataSet &rows);
    friend bool operator==(const CureResult &, const CureResult &) = default;
};
