#pragma once

#include "base/DateTime.h"

#include <QString>

class DbRecord;

// One user of the partner system: a row of its table kgkihn1d.
struct PartnerUser
{
    qint32 Sid = 0;
    QString Jname;
    QString Kname; // half-width katakana
    bool female = false;
    TDateTime Birth = DateTime::None;
    QString Mail; // postal code
    QString ChikuCode;
    QString MatiCode;
    QString Add;
    QString Tel;
    QString Fax;

    // PartnerSex: 1 female, 0 male.
    [[nodiscard]] qint32 sex() const { return female ? 1 : 0; }

    [[nodiscard]] static PartnerUser fromRecord(const DbRecord &record);
};
