#include "ResultRows.h"

#include "core/TMainModule.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "results/CureResultStore.h"

#include <gtest/gtest.h>

namespace ResultRows {

void fillStaff(TMainModule &c)
{
    c.setStaff({{1, QStringLiteral("山田 花子"), QStringLiteral("ヤ")},
                {2, QStringLiteral("鈴木 一郎"), QStringLiteral("ス")}});
    c.LoginStaffCode = QStringLiteral("9");
    c.LoginStaffName = QStringLiteral("記録 係");
}

CureResult make(int cureNo, TDateTime day, const QString &name)
{
    CureResult r;
    r.CureNo = cureNo;
    r.CureDate = day;
    r.StuffCode = 1;
    r.StuffName = QStringLiteral("山田 花子");
    r.StuffKigo = QStringLiteral("ヤ");
    r.PStartTime = r.RStartTime = DateTime::encodeTime(10, 0);
    r.PMinute = r.RMinute = 20;
    r.RihaType = 0;
    r.KubunCode = 8;
    r.deriveFlags();
    r.Name = name;
    r.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ");
    r.Birth = DateTime::encodeDate(1940, 4, 1);
    r.Jiritsu_KBN = 1;
    r.Ninchi_KBN = 2;
    r.YOUKAIGO_KBN = 3;
    r.NYUSHOBI_YMD = DateTime::encodeDate(2020, 4, 1);
    r.LoginCD = QStringLiteral("9");
    r.LoginName = QStringLiteral("記録 係");
    return r;
}

void insert(DbConnection &db, const std::vector<CureResult> &rows)
{
    CureResultStore store(db);
    ASSERT_TRUE(store.insert(rows)) << store.errorText().toStdString();
}

std::vector<CureResult> all(DbConnection &db)
{
    DbDataSet rows;
    std::vector<CureResult> out;
    if (!rows.open(DbQuery(db, QStringLiteral("SELECT * FROM CureResults ORDER BY ResultNo")))) {
        ADD_FAILURE() << rows.errorText().toStdString();
        return out;
    }
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        out.push_back(CureResult::fromRow(rows));
    return out;
}

} // namespace ResultRows
