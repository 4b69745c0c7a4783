#include "results/ResultsEntry.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "results/CureResultStore.h"
#include "scheduling/SlotEntryCheck.h"

#include <QTime>

#include <map>

namespace {

const QString RegisterFailed = QStringLiteral("*** System Error 結果の登録に失敗しました。");

} // namespace

QString ResultsEntry::loadPerson(int cureNo)
{
    DbDataSet person;
    DbQuery query(m_context.database, QStringLiteral("SELECT * FROM Person WHERE CureNo = :PCureNo"));
    query.bind(u"PCureNo", cureNo);
    if (!person.open(query))
        return QStringLiteral("SystemError : 利用者の抽出 error ");
    if (person.isEmpty())
        return QStringLiteral("利用者の登録データが見つかりません。");
    m_person = TPerson::fromRow(person);
    return {};
}

bool ResultsEntry::loadMonth(TDateTime from, TDateTime to)
{
    m_from = from;
    m_to = to;
    DbQuery query(m_context.database, QStringLiteral("SELECT * FROM CureResults WHERE CureDate >= :PFromDate AND "
                                                     "CureDate < :PToDate AND CureNo = :PCureNo "
                                                     "ORDER BY CureDate, RStartTime, ResultNo"));
    query.bind(u"PFromDate", DbDate{from}).bind(u"PToDate", DbDate{to}).bind(u"PCureNo", m_person.CureNo);
    return m_rows.open(query);
}

QString ResultsEntry::addDay(std::optional<TDateTime> day)
{
    const TDateTime now = Clock::now();
    CureResult row;
    row.takeSnapshot(m_person);
    row.CureDate = DateTime::dateOf(day.value_or(now));
    row.ReserveNo = -1;
    row.StuffCode = -1;
    row.PStartTime = row.RStartTime = DateTime::timeOf(now);
    row.RihaType = m_person.RihaType;
    row.KubunCode = m_person.KubunCode;
    row.deriveFlags();
    row.LoginCD = m_context.mainModule.LoginStaffCode;
    row.LoginName = m_context.mainModule.LoginStaffName;
    row.UpdateDate = now;
    DbTransaction transaction(m_context.database);
    if (!transaction.isActive())
        return QStringLiteral("System Error サーバーの登録開始に失敗しました。");
    CureResultStore store(m_context.database);
    if (!store.insert({&row, 1}) || !transaction.commit())
        return RegisterFailed;
    if (!loadMonth(m_from, m_to))
        return QStringLiteral("スケジュールの表示に失敗しました。");
    return {};
}

std::optional<bool> ResultsEntry::listedRowsStored(bool wholeMonth)
{
    DbConnection &database = m_context.database;
    DbQuery query(database, QStringLiteral("SELECT * FROM CureResults WHERE CureDate >= :PFromDate AND "
                                           "CureDate < :PToDate AND CureNo = :PCureNo ORDER BY ResultNo") +
                                database.lockRowsClause());
    query.bind(u"PFromDate", DbDate{m_from}).bind(u"PToDate", DbDate{m_to}).bind(u"PCureNo", m_person.CureNo);
    DbDataSet stored;
    if (!stored.open(query))
        return std::nullopt;
    std::map<int, CureResult> byKey;
    // The rows are held whole, not paged: a move cannot fail.
    for (stored.first(); !stored.eof(); (void)stored.next()) {
        CureResult row = CureResult::fromRow(stored);
        byKey.emplace(row.ResultNo, std::move(row));
    }
    if (wholeMonth && int(byKey.size()) != m_rows.size())
        return false;
    for (const CureResult &listed : m_rows.rows()) {
        const auto found = byKey.find(listed.ResultNo);
        if (found == byKey.end() || found->second.RihaType != listed.RihaType || found->second.Flags != listed.Flags)
            return false;
    }
    return true;
}

ResultsEntry::Write ResultsEntry::writeIfListed(bool wholeMonth, const std::function<bool()> &write)
{
    const Write written = [&] {
        DbTransaction transaction(m_context.database, true);
        const std::optional<bool> same = transaction.isActive() ? listedRowsStored(wholeMonth) : std::nullopt;
        if (!same)
            return Write::Failed;
        if (!*same)
            return Write::Changed;
        return write() && transaction.commit() ? Write::Ok : Write::Failed;
    }();
    // The rows in memory may hold what was rolled back.
    if (written != Write::Ok)
        (void)loadMonth(m_from, m_to);
    return written;
}

ResultsEntry::Write ResultsEntry::deleteAll()
{
    const Write written = writeIfListed(true, [this] {
        // By key: a row added meanwhile and not yet seen stays.
        for (const CureResult &row : m_rows.rows()) {
            DbQuery remove(m_context.database, QStringLiteral("DELETE FROM CureResults WHERE ResultNo = :PResultNo"));
            remove.bind(u"PResultNo", row.ResultNo);
            if (!remove.exec())
                return false;
        }
        return true;
    });
    if (written == Write::Ok)
        m_rows.close();
    return written;
}

bool ResultsEntry::setStart(int row, const QString &text, QString &message)
{
    const QTime time = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm"));
    if (!time.isValid()) {
        message = QStringLiteral("開始時刻エラーです。（00:00～23:59）");
        return false;
    }
    return m_rows.setStart(row, DateTime::fromTime(time));
}

bool ResultsEntry::setMinutes(int row, const QString &text, QString &message)
{
    bool number = false;
    const int typed = text.trimmed().toInt(&number);
    if (number && typed < 0) {
        message = QStringLiteral("負の値です。");
        return false;
    }
    // 0 is a session booked but not given; the slot dialogs take the rest.
    int minutes = 0;
    if (!number || typed > 0) {
        message = SlotEntryCheck::minutesError(text.trimmed(), minutes);
        if (!message.isEmpty())
            return false;
    }
    return m_rows.write(row, {{u"RMinute", minutes}});
}

bool ResultsEntry::setRihaType(int row, int rihaType)
{
    return m_rows.write(row, {{u"RihaType", rihaType}});
}

bool ResultsEntry::setFlag(int row, int flag, bool ticked)
{
    return m_rows.write(row, {{ResultTypeFlags::Columns[size_t(flag)], ResultTypeFlags::text(ticked)}});
}

bool ResultsEntry::setStaff(int row, int staffCode)
{
    return m_rows.write(row, {{u"StuffCode", staffCode},
                              {u"StuffName", m_context.mainModule.GetStaffName(staffCode)},
                              {u"StuffKigo", m_context.mainModule.GetStaffKigo(staffCode)}});
}

ResultsEntry::Write ResultsEntry::save()
{
    return writeIfListed(false, [this] { return writeKubunCodes(); });
}

bool ResultsEntry::writeKubunCodes()
{
    for (int i = 0; i < m_rows.size(); ++i) {
        const CureResult &row = m_rows.at(i);
        const ResultTypeFlags::Values kept = ResultTypeFlags::keepOwnType(row.RihaType, row.Flags);
        std::vector<ResultRowsEditor::Change> changes{
            {u"KubunCode", ResultTypeFlags::kubunCodeOfTicks(row.RihaType, row.Flags)}};
        for (int f = 0; f < ResultTypeFlags::Count; ++f)
            changes.emplace_back(ResultTypeFlags::Columns[size_t(f)], ResultTypeFlags::text(kept[size_t(f)]));
        if (!m_rows.write(i, changes))
            return false;
    }
    return true;
}
