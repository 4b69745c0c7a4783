#include "BookingRows.h"

#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"

#include <gtest/gtest.h>

namespace BookingRows {

int addSlot(DbConnection &db, TDateTime day, int staffCode, TDateTime start, int minutes, int capacity)
{
    DbDataSet slot;
    slot.setUpdateTable(QStringLiteral("TimeTable"), QStringLiteral("ReserveNo"));
    if (!slot.open(DbQuery(db, QStringLiteral("SELECT * FROM TimeTable WHERE ReserveNo = 0"))) || !slot.append()) {
        ADD_FAILURE() << slot.errorText().toStdString();
        return 0;
    }
    slot.setValue(u"ReserveDay", DbDate{day});
    slot.setValue(u"StuffCode", staffCode);
    slot.setValue(u"StartTime", DbDate{start});
    slot.setValue(u"WorkingMin", minutes);
    slot.setValue(u"Capacity", capacity);
    if (!slot.post()) {
        ADD_FAILURE() << slot.errorText().toStdString();
        return 0;
    }
    return slot.field(u"ReserveNo").asInteger();
}

bool book(DbConnection &db, int reserveNo, int cureNo)
{
    DbQuery insert(db, QStringLiteral("INSERT INTO Schedule (WorkingNo, CureNo, Comment) VALUES (?, ?, ?)"));
    insert.addBind(reserveNo).addBind(cureNo).addBind(QStringLiteral("予約"));
    if (!insert.exec()) {
        ADD_FAILURE() << insert.errorText().toStdString();
        return false;
    }
    return true;
}

} // namespace BookingRows
