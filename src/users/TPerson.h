#pragma once

#include "base/DateTime.h"

#include <QString>
#include <QtGlobal>

class DbDataSet;

// One user: the in-memory copy of a row of Person. The search hands it to
// its callers; the register editor fills it from its inputs and writes it.
// Dates are TDateTime values, 0 meaning "none".
struct TPerson
{
    qint32 CureNo = 0;
    QString Name;
    QString Kana; // half-width katakana, family and given name separated by one blank
    qint32 Sex = 0;
    TDateTime Birth = DateTime::None;
    QString YoubinNo;
    QString Address;
    QString TelNo;
    QString FaxNo;
    QString EMail;
    QString distinctive;
    qint32 HinorikuUserNo = 0; // 0 when the user has no partner-system number
    qint32 RihaType = 0;
    qint32 KubunCode = 0;
    TDateTime KubunDate = DateTime::None;
    QString ROOM_NO;
    qint32 Jiritsu_KBN = -1;
    qint32 Ninchi_KBN = -1;
    qint32 YOUKAIGO_KBN = -1;
    TDateTime HP_TAISHO_YMD = DateTime::None;
    TDateTime NYUSHOBI_YMD = DateTime::None;
    TDateTime TAISHOBI_YMD = DateTime::None;
    // At most DiseaseBytes bytes of Shift-JIS each (see cutDisease).
    QString Disease1;
    QString Disease2;
    QString Disease3;
    QString Disease4;
    QString Disease5;
    QString Disease6;
    // The weekly booking wishes, Monday to Sunday: start time and minutes.
    TDateTime Reserve01 = DateTime::None;
    TDateTime Reserve02 = DateTime::None;
    TDateTime Reserve03 = DateTime::None;
    TDateTime Reserve04 = DateTime::None;
    TDateTime Reserve05 = DateTime::None;
    TDateTime Reserve06 = DateTime::None;
    TDateTime Reserve07 = DateTime::None;
    qint32 Funn01 = 0;
    qint32 Funn02 = 0;
    qint32 Funn03 = 0;
    qint32 Funn04 = 0;
    qint32 Funn05 = 0;
    qint32 Funn06 = 0;
    qint32 Funn07 = 0;

    static constexpr int DiseaseBytes = 50;

    // What writeTo does with the wish columns.
    enum class Wishes {
        Write,     // write Reserve01..Funn07 from the record (a new user)
        KeepStored // leave the row's stored wishes as they are (an existing user)
    };

    // The user of the data set's current row: every field from CureNo to
    // Disease6 from its column (the disease names cut to DiseaseBytes); the
    // wishes stay 0 whatever the row holds, so a user handed over by the
    // search carries none.
    [[nodiscard]] static TPerson fromRow(const DbDataSet &row);

    // Writes the record into the row being appended or edited, every column
    // from Name to Disease6 and then, as asked, the wishes. CureNo is never
    // written: the database assigns it on insert.
    void writeTo(DbDataSet &row, Wishes wishes) const;

    // A disease name as the record keeps it: at most DiseaseBytes bytes of
    // Shift-JIS, never ending in half a double-byte character.
    [[nodiscard]] static QString cutDisease(QStringView text);

    friend bool operator==(const TPerson &, const TPerson &) = default;
};
