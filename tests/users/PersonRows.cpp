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

TPerson full()
{
    TPerson person = make(QStringLiteral("山田　花子"), QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ"), 4711);
    person.Sex = 1;
    person.YoubinNo = QStringLiteral("123-4567");
    person.Address = QStringLiteral("東京都千代田区1-1 'さくら' 荘");
    person.TelNo = QStringLiteral("03-1234-5678");
    person.FaxNo = QStringLiteral("03-1234-5679");
    person.EMail = QStringLiteral("hanako@example.jp");
    person.distinctive = QStringLiteral("車椅子使用");
    person.RihaType = 2;
    person.KubunCode = 2 | 8;
    person.KubunDate = DateTime::encodeDate(2024, 5, 10) + DateTime::encodeTime(14, 5, 30);
    person.ROOM_NO = QStringLiteral("201号室");
    person.Jiritsu_KBN = 8;
    person.YOUKAIGO_KBN = 6;
    person.HP_TAISHO_YMD = DateTime::encodeDate(2020, 3, 15);
    person.TAISHOBI_YMD = DateTime::encodeDate(2024, 3, 31);
    person.Disease1 = QStringLiteral("脳梗塞");
    person.Disease2 = QStringLiteral("高血圧症");
    person.Disease6 = QString(20, QChar(u'病'));
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
