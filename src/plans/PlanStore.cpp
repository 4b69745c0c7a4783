#include "plans/PlanStore.h"

#include "plans/PlansLog.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "users/PersonLock.h"

Q_LOGGING_CATEGORY(lcPlans, "tamsolen.plans", QtWarningMsg)

namespace {

using Status = PlanStore::Status;

PlanStore::Result failure(Status status, const QString &message, const QString &reason)
{
    qCWarning(lcPlans).noquote() << message << reason;
    return {status, message, 0};
}

// The query of the plans of a user whose registration date falls on a day.
DbQuery sameDayQuery(DbConnection &database, const TPlan &plan)
{
    const TDateTime day = DateTime::dateOf(plan.PlanRegistDay);
    DbQuery query(database, QStringLiteral("SELECT PlanNo FROM RihaPlan WHERE CureNo = :PCureNo "
                                           "AND PlanRegistDay >= :PDayFrom AND PlanRegistDay < :PDayTo "
                                           "ORDER BY PlanNo"));
    query.bind(u"PCureNo", plan.CureNo).bind(u"PDayFrom", DbDate{day}).bind(u"PDayTo", DbDate{day + 1});
    return query;
}

std::vector<int> planNumbers(DbDataSet &rows)
{
    std::vector<int> numbers;
    const DbField planNo = rows.field(u"PlanNo");
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        numbers.push_back(planNo.asInteger());
    return numbers;
}

} // namespace

PlanStore::PlanStore(DbConnection &database) : m_database(database) {}

std::optional<TPlan> PlanStore::load(int planNo, Result &result) const
{
    DbDataSet row;
    DbQuery query(m_database, QStringLiteral("SELECT * FROM RihaPlan WHERE PlanNo = :PPlanNo"));
    query.bind(u"PPlanNo", planNo);
    if (!row.open(query)) {
        result = failure(Status::OpenFailed, QStringLiteral("Plan Table Open Error"), row.errorText());
        return std::nullopt;
    }
    if (row.isEmpty()) {
        result = failure(Status::NotFound, QStringLiteral("治療計画書が見つかりません。"), QString::number(planNo));
        return std::nullopt;
    }
    std::optional<TPlanData> planBody = body(row, result);
    if (!planBody)
        return std::nullopt;
    result = {Status::Ok, QString(), planNo};
    return TPlan::fromRow(row, std::move(*planBody));
}

std::optional<TPlanData> PlanStore::body(const DbDataSet &row, Result &result)
{
    const QByteArray bytes = row.field(u"PlanData").asBytes();
    std::optional<TPlanData> read = TPlanData::fromBytes(bytes);
    if (!read)
        result = failure(
            Status::BadBody, QStringLiteral("治療計画書のデータが壊れています。"),
            QStringLiteral("PlanData of %1 is %2 bytes").arg(row.field(u"PlanNo").asInteger()).arg(bytes.size()));
    return read;
}

std::optional<std::vector<FigureRow>> PlanStore::figures(int planNo) const
{
    DbDataSet rows;
    DbQuery query(m_database, QStringLiteral("SELECT * FROM Figure WHERE ( PlanNo = :PPlanNo ) ORDER BY AutoNo"));
    query.bind(u"PPlanNo", planNo);
    if (!rows.open(query)) {
        qCWarning(lcPlans).noquote() << "Figure:" << rows.errorText();
        return std::nullopt;
    }
    const DbField parts = rows.field(u"Parts");
    const DbField side = rows.field(u"Side");
    const DbField corner = rows.field(u"Corner");
    const DbField x = rows.field(u"X");
    const DbField y = rows.field(u"Y");
    std::vector<FigureRow> figures;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        figures.push_back({parts.asInteger(), side.asInteger(), corner.asInteger(), x.asInteger(), y.asInteger()});
    return figures;
}

std::optional<std::vector<int>> PlanStore::sameDayPlans(const TPlan &plan, Result &result) const
{
    DbDataSet rows;
    if (!rows.open(sameDayQuery(m_database, plan))) {
        result =
            failure(Status::OpenFailed, QStringLiteral("*** System Error : CurePlan Open error "), rows.errorText());
        return std::nullopt;
    }
    result = {};
    return planNumbers(rows);
}

bool PlanStore::deletePlan(int planNo, QString &errorText)
{
    DbQuery plan(m_database, QStringLiteral("DELETE FROM RihaPlan WHERE ( PlanNo = :PPlanNo )"));
    plan.bind(u"PPlanNo", planNo);
    if (!plan.exec()) {
        errorText = plan.errorText();
        return false;
    }
    DbQuery figures(m_database, QStringLiteral("DELETE FROM Figure WHERE ( PlanNo = :PPlanNo )"));
    figures.bind(u"PPlanNo", planNo);
    if (!figures.exec()) {
        errorText = figures.errorText();
        return false;
    }
    return true;
}

bool PlanStore::insertFigures(int planNo, const std::vector<FigureRow> &rows, QString &errorText)
{
    DbDataSet table;
    table.setUpdateTable(QStringLiteral("Figure"), QStringLiteral("AutoNo"));
    if (!table.open(DbQuery(m_database, QStringLiteral("SELECT * FROM Figure WHERE AutoNo = -1")))) {
        errorText = table.errorText();
        return false;
    }
    for (const FigureRow &row : rows) {
        if (!table.append()) {
            errorText = table.errorText();
            return false;
        }
        table.setValue(u"PlanNo", planNo);
        table.setValue(u"Parts", row.Parts);
        table.setValue(u"Side", row.Side);
        table.setValue(u"Corner", row.Corner);
        table.setValue(u"X", row.X);
        table.setValue(u"Y", row.Y);
        if (!table.post()) {
            errorText = table.errorText();
            return false;
        }
    }
    return true;
}

PlanStore::Result PlanStore::save(const TPlan &plan, const std::vector<FigureRow> &rows, const QString &creator,
                                  TDateTime today)
{
    const QString failed = QStringLiteral("登録に失敗しました。");
    DbTransaction transaction(m_database, true);
    if (!transaction.isActive())
        return failure(Status::BeginFailed, QStringLiteral("SystemError : 治療計画の確認に失敗しました。"),
                       m_database.errorText());
    // A save of the same user at another workstation waits here until this
    // one ends, so that the plans of the day read next are all there are.
    QString errorText;
    if (!PersonLock::hold(m_database, plan.CureNo, QStringLiteral("RihaPlan"), errorText))
        return failure(Status::WriteFailed, failed, errorText);
    DbDataSet older;
    if (!older.open(sameDayQuery(m_database, plan)))
        return failure(Status::WriteFailed, failed, older.errorText());
    for (int planNo : planNumbers(older)) {
        if (!deletePlan(planNo, errorText))
            return failure(Status::WriteFailed, failed, errorText);
    }

    DbDataSet row;
    row.setUpdateTable(QStringLiteral("RihaPlan"), QStringLiteral("PlanNo"));
    if (!row.open(DbQuery(m_database, QStringLiteral("SELECT * FROM RihaPlan WHERE PlanNo = -1"))) || !row.append())
        return failure(Status::WriteFailed, failed, row.errorText());
    plan.writeTo(row, creator, today);
    if (!row.post())
        return failure(Status::WriteFailed, failed, row.errorText());
    const int planNo = row.field(u"PlanNo").asInteger();
    if (!insertFigures(planNo, rows, errorText))
        return failure(Status::WriteFailed, failed, errorText);
    if (!transaction.commit())
        return failure(Status::WriteFailed, failed, m_database.errorText());
    return {Status::Ok, savedMessage(plan), planNo};
}

PlanStore::Result PlanStore::remove(int planNo)
{
    DbTransaction transaction(m_database);
    if (!transaction.isActive())
        return failure(Status::BeginFailed,
                       QStringLiteral("SystemError : DB Trans Start error ") +
                           QString::number(m_database.transactionDepth()),
                       m_database.errorText());
    QString errorText;
    if (!deletePlan(planNo, errorText) || !transaction.commit())
        return failure(Status::WriteFailed, QStringLiteral("Plan 削除に失敗しました。"),
                       errorText.isEmpty() ? m_database.errorText() : errorText);
    return {Status::Ok, QString(), planNo};
}

std::optional<TPerson> PlanStore::user(int cureNo, Result &result) const
{
    DbDataSet rows;
    DbQuery query(m_database, QStringLiteral("SELECT * FROM Person WHERE CureNo = :PCureNo ORDER BY CureNo"));
    query.bind(u"PCureNo", cureNo);
    if (!rows.open(query)) {
        result = failure(Status::OpenFailed, QStringLiteral("*** SystemError : 治療番号の確認に失敗しました。"),
                         rows.errorText());
        return std::nullopt;
    }
    if (rows.recordCount() != 1) {
        result = {Status::NotFound, QStringLiteral("治療番号の利用者が見つかりません。"), 0};
        return std::nullopt;
    }
    result = {};
    return TPerson::fromRow(rows);
}

std::optional<std::vector<PlanStore::PlanEntry>> PlanStore::plansOf(int cureNo) const
{
    DbDataSet rows;
    DbQuery query(m_database, QStringLiteral("SELECT PlanNo, PlanRegistDay, PlanEndDay FROM RihaPlan "
                                             "WHERE CureNo = :PCureNo ORDER BY PlanRegistDay DESC, PlanNo DESC"));
    query.bind(u"PCureNo", cureNo);
    if (!rows.open(query)) {
        qCWarning(lcPlans).noquote() << "plans of a user:" << rows.errorText();
        return std::nullopt;
    }
    const DbField planNo = rows.field(u"PlanNo");
    const DbField regist = rows.field(u"PlanRegistDay");
    const DbField end = rows.field(u"PlanEndDay");
    std::vector<PlanEntry> entries;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        entries.push_back({planNo.asInteger(), regist.asDateTime(), end.asDateTime()});
    return entries;
}

QString PlanStore::savedMessage(const TPlan &plan)
{
    return QStringLiteral("利用者番号 = ") + QString::number(plan.CureNo) + u'\n' + QStringLiteral("計画登録日 = ") +
           DateTime::shortDate(plan.PlanRegistDay) + u'\n' + QStringLiteral("で登録しました。");
}
