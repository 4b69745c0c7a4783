#include "plans/PracticeStore.h"

#include "plans/PlansLog.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "users/PersonLock.h"

namespace {

using Status = PracticeStore::Status;

const QString SaveFailed = QStringLiteral("System DB Error:実施計画の保存に失敗しました。");

PracticeStore::Result failure(Status status, const QString &message, const QString &reason)
{
    qCWarning(lcPlans).noquote() << message << reason;
    return {status, message, 0};
}

// The rows of a user on a plan day, whatever time of day a row holds.
DbQuery dayQuery(DbConnection &database, const QString &head, int cureNo, TDateTime day)
{
    const TDateTime from = DateTime::dateOf(day);
    DbQuery query(database, head + QStringLiteral(" WHERE CureNo = :PCureNo AND PrcticeDay >= :PDayFrom "
                                                  "AND PrcticeDay < :PDayTo"));
    query.bind(u"PCureNo", cureNo).bind(u"PDayFrom", DbDate{from}).bind(u"PDayTo", DbDate{from + 1});
    return query;
}

QString depthText(DbConnection &database)
{
    return QString::number(database.transactionDepth());
}

} // namespace

PracticeStore::PracticeStore(DbConnection &database) : m_database(database) {}

std::optional<TPractice> PracticeStore::readRecord(const DbDataSet &row, QString &message)
{
    // Another format version and a short record read as the same error.
    std::optional<TPractice> record;
    if (row.field(u"DataFormatVersion").asInteger() == TPractice::DataFormatVersion)
        record = TPractice::fromBytes(row.field(u"PracticeData").asBytes());
    if (!record)
        message = QStringLiteral("System DB Read Error:実施計画");
    return record;
}

std::optional<PracticeStore::StoredPractice> PracticeStore::load(int practNo, Result &result) const
{
    DbDataSet row;
    DbQuery query(m_database, QStringLiteral("SELECT * FROM Practice WHERE PractNo = :PPractNo"));
    query.bind(u"PPractNo", practNo);
    if (!row.open(query)) {
        result = failure(Status::OpenFailed, QStringLiteral("System DB Open Error:実施計画"), row.errorText());
        return std::nullopt;
    }
    if (row.isEmpty()) {
        result = failure(Status::NotFound, QStringLiteral("System DB Read Error:実施計画のデータが見つかりません。"),
                         QString::number(practNo));
        return std::nullopt;
    }
    QString message;
    std::optional<TPractice> record = readRecord(row, message);
    if (!record) {
        result = failure(Status::BadBody, message,
                         QStringLiteral("PractNo %1: version %2, %3 bytes")
                             .arg(practNo)
                             .arg(row.field(u"DataFormatVersion").asInteger())
                             .arg(row.field(u"PracticeData").asBytes().size()));
        return std::nullopt;
    }
    result = {Status::Ok, QString(), practNo};
    return StoredPractice{practNo, row.field(u"CureNo").asInteger(), std::move(*record)};
}

std::optional<bool> PracticeStore::exists(int cureNo, TDateTime day, Result &result) const
{
    DbDataSet rows;
    if (!rows.open(dayQuery(m_database, QStringLiteral("SELECT PractNo FROM Practice"), cureNo, day))) {
        result = failure(Status::OpenFailed, SaveFailed, rows.errorText());
        return std::nullopt;
    }
    result = {};
    return !rows.isEmpty();
}

PracticeStore::Result PracticeStore::save(int cureNo, const TPractice &record)
{
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive())
        return failure(Status::BeginFailed,
                       QStringLiteral("SystemError : DB Trans Start error ") + depthText(m_database),
                       m_database.errorText());
    // Another save of the user waits here, so that the row of the day read
    // next is the one to replace, and none is added beside it.
    QString errorText;
    if (!PersonLock::hold(m_database, cureNo, QStringLiteral("Practice"), errorText))
        return failure(Status::WriteFailed, SaveFailed, errorText);
    DbDataSet rows;
    rows.setUpdateTable(QStringLiteral("Practice"), QStringLiteral("PractNo"));
    if (!rows.open(dayQuery(m_database, QStringLiteral("SELECT * FROM Practice"), cureNo, record.PractDay)))
        return failure(Status::WriteFailed, SaveFailed, rows.errorText());
    // One row per user and day: a second row, should one exist, goes.
    while (rows.recordCount() > 1) {
        (void)rows.last(); // held whole, not paged: cannot fail
        if (!rows.remove())
            return failure(Status::WriteFailed, SaveFailed, rows.errorText());
    }
    rows.first();
    if (!(rows.isEmpty() ? rows.append() : rows.edit()))
        return failure(Status::WriteFailed, SaveFailed, rows.errorText());
    rows.setValue(u"CureNo", cureNo);
    rows.setValue(u"PrcticeDay", DbDate{DateTime::dateOf(record.PractDay)});
    rows.setValue(u"DataFormatVersion", TPractice::DataFormatVersion);
    rows.setValue(u"PracticeData", record.toBytes());
    if (!rows.post())
        return failure(Status::WriteFailed, SaveFailed, rows.errorText());
    const int practNo = rows.field(u"PractNo").asInteger();
    if (!transaction.commit())
        return failure(Status::WriteFailed, SaveFailed, m_database.errorText());
    return {Status::Ok, QStringLiteral("実施計画を保存しました。"), practNo};
}

PracticeStore::Result PracticeStore::remove(int cureNo, TDateTime day)
{
    DbTransaction transaction(m_database);
    if (!transaction.isActive())
        return failure(Status::BeginFailed,
                       QStringLiteral("SystemError : DB Trans Start error ") + depthText(m_database),
                       m_database.errorText());
    DbQuery erase = dayQuery(m_database, QStringLiteral("DELETE FROM Practice"), cureNo, day);
    if (!erase.exec())
        return failure(Status::WriteFailed, QStringLiteral("System DB Error:実施計画の消去に失敗しました。"),
                       erase.errorText());
    if (erase.rowsAffected() == 0)
        return failure(Status::NotFound,
                       QStringLiteral("SystemError : DB Delete Record error ") + depthText(m_database),
                       QStringLiteral("no row"));
    if (!transaction.commit())
        return failure(Status::WriteFailed, QStringLiteral("System DB Error:実施計画の消去に失敗しました。"),
                       m_database.errorText());
    return {Status::Ok, QString(), 0};
}

std::optional<std::vector<PracticeStore::PracticeEntry>> PracticeStore::plansOf(int cureNo) const
{
    DbDataSet rows;
    DbQuery query(m_database, QStringLiteral("SELECT PractNo, CureNo, PrcticeDay FROM Practice "
                                             "WHERE CureNo = :PCureNo ORDER BY PrcticeDay DESC, PractNo DESC"));
    query.bind(u"PCureNo", cureNo);
    if (!rows.open(query)) {
        qCWarning(lcPlans).noquote() << "practice plans of a user:" << rows.errorText();
        return std::nullopt;
    }
    const DbField practNo = rows.field(u"PractNo");
    const DbField day = rows.field(u"PrcticeDay");
    std::vector<PracticeEntry> entries;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        entries.push_back({practNo.asInteger(), day.asDateTime()});
    return entries;
}
