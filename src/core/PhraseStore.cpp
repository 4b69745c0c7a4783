#include "core/PhraseStore.h"

#include "base/Clock.h"
#include "base/Sjis.h"
#include "platform/DbConnection.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

namespace {

DbQuery groupQuery(DbConnection &database, const QString &programName, int code)
{
    DbQuery query(database, QStringLiteral("SELECT * FROM Comment WHERE ProgramName = :program AND CommentCode = :code "
                                           "ORDER BY CommentIDNo"));
    query.bind(u"program", programName).bind(u"code", code);
    return query;
}

} // namespace

PhraseStore::PhraseStore(DbConnection &database) : m_database(database)
{
    CommentTable.setUpdateTable(QStringLiteral("Comment"), QStringLiteral("CommentIDNo"));
}

std::optional<QStringList> PhraseStore::read(const QString &programName, int code) const
{
    DbDataSet rows;
    if (!rows.open(groupQuery(m_database, programName, code)))
        return std::nullopt;
    QStringList phrases;
    phrases.reserve(rows.recordCount());
    const DbField text = rows.field(u"CommentText");
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        phrases.append(text.asString());
    return phrases;
}

bool PhraseStore::open(const QString &programName, int code)
{
    m_programName = programName;
    m_code = code;
    return reopen();
}

bool PhraseStore::reopen()
{
    return CommentTable.open(groupQuery(m_database, m_programName, m_code));
}

PhraseStore::Status PhraseStore::append(const QString &text)
{
    if (Sjis::byteLength(text) > MaxTextBytes)
        return Status::TooLong;
    if (!CommentTable.isOpen() && !reopen())
        return Status::OpenFailed;

    DbTransaction transaction(m_database);
    if (!transaction.isActive())
        return Status::BeginFailed;
    const DbDate now{Clock::now()};
    if (!CommentTable.append())
        return Status::WriteFailed;
    CommentTable.setValue(u"ProgramName", m_programName);
    CommentTable.setValue(u"CommentCode", m_code);
    CommentTable.setValue(u"CommentText", text);
    CommentTable.setValue(u"Creator", 0);
    CommentTable.setValue(u"CreateDate", now);
    CommentTable.setValue(u"Updator", 0);
    CommentTable.setValue(u"UpdateDate", now);
    const bool posted = CommentTable.post();
    if (!posted)
        CommentTable.cancel();
    return finishWrite(transaction, posted);
}

PhraseStore::Status PhraseStore::remove(int commentId)
{
    if (!CommentTable.isOpen() && !reopen())
        return Status::OpenFailed;

    DbTransaction transaction(m_database);
    if (!transaction.isActive())
        return Status::BeginFailed;
    // The row with that key, never merely the current one.
    return finishWrite(transaction, CommentTable.locate(u"CommentIDNo", commentId) && CommentTable.remove());
}

PhraseStore::Status PhraseStore::finishWrite(DbTransaction &transaction, bool written)
{
    if (written && transaction.commit())
        return Status::Ok;
    transaction.rollback();
    // The group is read again so that the list shows what is stored.
    (void)reopen();
    return Status::WriteFailed;
}
