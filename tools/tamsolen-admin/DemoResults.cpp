#include "DemoResults.h"

#include "DemoData.h"

#include "base/Clock.h"
#include "core/TMainModule.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "results/CureResultStore.h"
#include "results/ScheduleCopy.h"

#include <algorithm>

namespace {

bool fail(QString &errorText, const QString &reason)
{
    errorText = reason;
    return false;
}

// The staff list and the stamp of the demo login, as the data module holds them.
bool readStaff(DbConnection &db, TMainModule &module, QString &errorText)
{
    DbDataSet rows;
    if (!rows.open(DbQuery(db, QStringLiteral("SELECT CD, StuffName, KIGO FROM KaigoStuff ORDER BY CD"))))
        return fail(errorText, rows.errorText());
    StaffDirectory staff;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        staff.append({rows.field(0).asInteger(), rows.field(1).asString(), rows.field(2).asString()});
    module.setStaff(std::move(staff));
    module.LoginStaffCode = QString::fromUtf16(DemoData::LoginUser);
    module.LoginStaffName = QStringLiteral("山田　太郎");
    return true;
}

// Some sessions were shorter than booked, had a remark or did not happen.
bool adjust(DbConnection &db, QString &errorText)
{
    const char *statements[] = {
        "UPDATE CureResults SET RMinute = RMinute - 10, Comment = '体調不良のため短縮' WHERE ResultNo % 11 = 3",
        "UPDATE CureResults SET Comment = '歩行訓練　良好' WHERE ResultNo % 7 = 2",
        "UPDATE CureResults SET RMinute = 0, Comment = '欠席' WHERE ResultNo % 17 = 5",
    };
    for (const char *sql : statements) {
        DbQuery update(db, QString::fromUtf8(sql));
        if (!update.exec())
            return fail(errorText, update.errorText());
    }
    return true;
}

// Results entered by hand: home visits of a few users on Tuesdays and Fridays.
bool addByHand(DbConnection &db, const TMainModule &module, const std::vector<ScheduleCopy::Booking> &bookings,
               TDateTime from, TDateTime to, QString &errorText)
{
    std::vector<CureResult> rows;
    for (std::size_t i = 0; i < bookings.size() && i < 60; i += 20) {
        const TPerson &person = bookings[i].Person;
        for (TDateTime day = from; day < to; day += 1) {
            const int weekday = DateTime::toDate(day).dayOfWeek();
            if (weekday != Qt::Tuesday && weekday != Qt::Friday)
                continue;
            CureResult row;
            row.takeSnapshot(person);
            row.CureDate = day;
            row.StuffCode = module.staff().codeAt(int(i / 20) % module.StaffCount());
            row.StuffName = module.GetStaffName(row.StuffCode);
            row.StuffKigo = module.GetStaffKigo(row.StuffCode);
            row.RStartTime = DateTime::encodeTime(16, 0);
            row.PStartTime = row.RStartTime;
            row.RMinute = 30;
            row.RihaType = 3;
            row.KubunCode = 1;
            row.deriveFlags();
            row.Comment = QStringLiteral("自宅訪問");
            row.LoginCD = module.LoginStaffCode;
            row.LoginName = module.LoginStaffName;
            row.UpdateDate = day + 0.75;
            rows.push_back(row);
        }
    }
    CureResultStore store(db);
    return store.insert(rows) || fail(errorText, store.errorText());
}

} // namespace

namespace DemoResults {

bool fill(DbConnection &db, QString &errorText)
{
    TMainModule module;
    if (!readStaff(db, module, errorText))
        return false;
    const QDate today = Clock::currentDate();
    const QDate first(today.year(), today.month(), 1);
    const TDateTime from = DateTime::fromDate(first);
    TDateTime last = DateTime::fromDate(today) - 1;
    const ScheduleCopy copy(db, module);
    auto bookings = copy.list(from, std::max(from, last), std::nullopt);
    if (bookings && (last < from || bookings->empty())) {
        // No booked day of the month has passed yet: its first booked day
        // has its results, so that the month's printouts show some on any day.
        bookings = copy.list(from, DateTime::fromDate(first.addMonths(1)) - 1, std::nullopt);
        if (bookings && !bookings->empty()) {
            last = std::min_element(bookings->cbegin(), bookings->cend(), [](const auto &a, const auto &b) {
                       return a.ReserveDay < b.ReserveDay;
                   })->ReserveDay;
            std::erase_if(*bookings, [last](const ScheduleCopy::Booking &b) { return b.ReserveDay != last; });
        }
    }
    if (!bookings)
        return fail(errorText, QStringLiteral("bookings could not be read"));
    if (bookings->empty())
        return true;
    const auto outcome = copy.copy(*bookings, ScheduleCopy::Mode::Skip);
    if (!outcome.error.isEmpty())
        return fail(errorText, outcome.error);
    return adjust(db, errorText) && addByHand(db, module, *bookings, from, last + 1, errorText);
}

} // namespace DemoResults
