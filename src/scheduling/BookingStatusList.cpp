#include "scheduling/BookingStatusList.h"

#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

#include <QLoggingCategory>

#include <algorithm>
#include <array>

namespace {

Q_LOGGING_CATEGORY(lcBookingList, "tamsolen.scheduling.bookinglist", QtWarningMsg)

struct Column
{
    QStringView title;
    int width;
};
constexpr std::array<Column, BookingStatusList::ColumnCount> Columns{{{u"利用者番号", 65},
                                                                      {u"氏　　名", 84},
                                                                      {u"性別", 34},
                                                                      {u"生年月日", 114},
                                                                      {u"入所(開始)日", 114},
                                                                      {u"退所(終了)日", 114},
                                                                      {u"リハビリ形態", 76},
                                                                      {u"区分", 63},
                                                                      {u"コメント", 150},
                                                                      {u"受付日", 114}}};

bool run(DbQuery &query)
{
    if (query.exec())
        return true;
    qCWarning(lcBookingList).noquote() << query.errorText();
    return false;
}

} // namespace

BookingStatusList::BookingStatusList(DbConnection &database) : m_database(database) {}

bool BookingStatusList::load(int reserveNo)
{
    m_reserveNo = reserveNo;
    m_rows.clear();
    DbQuery query(m_database,
                  QStringLiteral("SELECT Schedule.ScheduleNo, Person.CureNo, Person.Name, Person.Sex, Person.Birth, "
                                 "Person.NYUSHOBI_YMD, Person.TAISHOBI_YMD, Person.RihaType, Person.KubunCode, "
                                 "Schedule.Comment, Schedule.CreateDate FROM Schedule INNER JOIN Person "
                                 "ON Schedule.CureNo = Person.CureNo WHERE Schedule.WorkingNo = :no "
                                 "ORDER BY Schedule.ScheduleNo"));
    query.bind(u"no", reserveNo);
    DbDataSet rows;
    if (!rows.open(query)) {
        qCWarning(lcBookingList).noquote() << rows.errorText();
        return false;
    }
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        m_rows.push_back({rows.field(u"ScheduleNo").asInteger(), rows.field(u"CureNo").asInteger(),
                          rows.field(u"Name").asString(), rows.field(u"Sex").asInteger(),
                          rows.field(u"Birth").asDateTime(), rows.field(u"NYUSHOBI_YMD").asDateTime(),
                          rows.field(u"TAISHOBI_YMD").asDateTime(), rows.field(u"RihaType").asInteger(),
                          rows.field(u"KubunCode").asInteger(), rows.field(u"Comment").asString(),
                          rows.field(u"CreateDate").asDateTime()});
    }
    return true;
}

bool BookingStatusList::cancel(int scheduleNo)
{
    DbQuery remove(m_database, QStringLiteral("DELETE FROM Schedule WHERE ScheduleNo = :no"));
    remove.bind(u"no", scheduleNo);
    return run(remove) && load(m_reserveNo);
}

BookingStatusList::CancelAll BookingStatusList::cancelAll()
{
    const CancelAll result = [this] {
        DbTransaction transaction(m_database, true);
        // The slot's lock is the one a booking takes before it counts.
        DbQuery lock(m_database,
                     QStringLiteral("SELECT ReserveNo FROM TimeTable WHERE ReserveNo = :no") + m_database.lockRowsClause());
        DbQuery stored(m_database, QStringLiteral("SELECT ScheduleNo FROM Schedule WHERE WorkingNo = :no "
                                                  "ORDER BY ScheduleNo"));
        lock.bind(u"no", m_reserveNo);
        stored.bind(u"no", m_reserveNo);
        DbDataSet locked;
        DbDataSet storedRows;
        if (!transaction.isActive() || !locked.open(lock) || !storedRows.open(stored)) {
            qCWarning(lcBookingList).noquote() << locked.errorText() << storedRows.errorText();
            return CancelAll::Failed;
        }
        std::vector<int> listed;
        for (const Row &row : m_rows)
            listed.push_back(row.ScheduleNo);
        std::sort(listed.begin(), listed.end());
        std::vector<int> kept;
        // The rows are held whole, not paged: a move cannot fail.
        for (storedRows.first(); !storedRows.eof(); (void)storedRows.next())
            kept.push_back(storedRows.field(u"ScheduleNo").asInteger());
        if (kept != listed)
            return CancelAll::Changed;
        DbQuery remove(m_database, QStringLiteral("DELETE FROM Schedule WHERE WorkingNo = :no"));
        remove.bind(u"no", m_reserveNo);
        if (!run(remove) || !transaction.commit())
            return CancelAll::Failed;
        return CancelAll::Ok;
    }();
    if (!load(m_reserveNo))
        return CancelAll::Failed;
    return result;
}

BookingStatusList::CommentWrite BookingStatusList::writeComment(int scheduleNo, const QString &text)
{
    const QString comment = Text::leftCharacters(text, CommentLimit);
    DbTransaction transaction(m_database);
    DbQuery update(m_database, QStringLiteral("UPDATE Schedule SET Comment = :comment WHERE ScheduleNo = :no"));
    update.bind(u"comment", comment).bind(u"no", scheduleNo);
    if (!transaction.isActive() || !run(update))
        return CommentWrite::Failed;
    if (update.rowsAffected() != 1)
        return CommentWrite::Missing;
    if (!transaction.commit())
        return CommentWrite::Failed;
    for (Row &row : m_rows)
        if (row.ScheduleNo == scheduleNo)
            row.Comment = comment;
    return CommentWrite::Ok;
}

QString BookingStatusList::cellText(const Row &row, int column)
{
    switch (column) {
    case 0:
        return Text::zeroPadded(row.CureNo, 8);
    case 1:
        return row.Name;
    case 2:
        return row.Sex == 0 ? QStringLiteral("男性") : QStringLiteral("女性");
    case 3:
        return FormatEraDate(row.Birth);
    case 4:
        return FormatEraDate(row.Nyusho);
    case 5:
        return row.Taisho == DateTime::None ? QString() : FormatEraDate(row.Taisho);
    case 6:
        return CodeName(RihaTypeNames, row.RihaType);
    case 7: {
        TKubun kubun;
        kubun.SetCode(row.KubunCode);
        return kubun.ShortText();
    }
    case CommentColumn:
        return row.Comment;
    case 9:
        return FormatEraDate(row.CreateDate);
    default:
        return {};
    }
}

QString BookingStatusList::columnTitle(int column)
{
    return column >= 0 && column < ColumnCount ? Columns[std::size_t(column)].title.toString() : QString();
}

int BookingStatusList::columnWidth(int column)
{
    return column >= 0 && column < ColumnCount ? Columns[std::size_t(column)].width : 0;
}
