#pragma once

#include "results/CureResult.h"

#include <QString>

#include <span>

class DbConnection;

// Writes CureResults rows. Values reach the database as data only: bound
// parameters, or the rows of a bulk insert.
class CureResultStore
{
public:
    explicit CureResultStore(DbConnection &database) : m_db(database) {}

    // Inserts the rows; false with the reason in errorText. The caller's transaction decides what stays.
    [[nodiscard]] bool insert(std::span<const CureResult> rows);
    // Rewrites every written column of the row but Comment (a remark typed
    // after a copy survives the next copy).
    [[nodiscard]] bool overwriteKeepingComment(int resultNo, const CureResult &row);

    [[nodiscard]] const QString &errorText() const { return m_errorText; }

private:
    DbConnection &m_db;
    QString m_errorText;
};
