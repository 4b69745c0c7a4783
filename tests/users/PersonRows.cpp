#include "PersonRows.h"

#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <gtest/gtest.h>

namespace PersonRows {

TPerson make(const QString &name, const QString &kana, int hinorikuUserNo)
{
    TPerson person;
    person.Name = name;
    person.Kana = kana;
    person.Birth = DateTime::encodeDate(1940, 4, 1);
    person.HinorikuUserNo = hinorikuUserNo;
    person.NYUSHOBI_YMD = DateTime::encodeDate(2020, 4, 1);
    return person;
}

int insert(DbConnection &db, const TPerson &person)
{
    DbDataSet rows;
    rows.setUpdateTable(QStringLiteral("Person"), QStringLiteral("CureNo"));
    if (!rows.open(DbQuery(db, QStringLiteral("SELECT * FROM Person WHERE CureNo = 0")))) {
        ADD_FAILURE() << rows.errorText().toStdString();
        return 0;
    }
    if (!rows.append()) {
        ADD_FAILURE() << rows.errorText().toStdString();
        return 0;
    }
    person.writeTo(rows, TPerson::Wishes::Write);
    if (!rows.post()) {
        ADD_FAILURE() << rows.errorText().toStdString();
        return 0;
    }
    return rows.field(u"CureNo").asInteger();
}

} // namespace PersonRows
