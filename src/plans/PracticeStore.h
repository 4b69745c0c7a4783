#pragma once

#include "base/DateTime.h"
#include "plans/PlanStore.h"
#include "plans/TPractice.h"

#include <optional>
#include <vector>

class DbConnection;
class DbDataSet;

// The practice plans on the main database: at most one row of Practice per
// user and plan day. Reading refuses any format but DataFormatVersion;
// saving and deleting run in one transaction each and roll back on every
// failure. Failures carry the message to show.
class PracticeStore
{
public:
    using Status = PlanStore::Status;
    using Result = PlanStore::Result;

    // A stored plan and the user it belongs to.
    struct StoredPractice
    {
        qint32 PractNo = 0;
        qint32 CureNo = 0;
        TPractice Record;
    };

    // A line of a user's plan list.
    struct PracticeEntry
    {
        qint32 PractNo = 0;
        TDateTime PrcticeDay = DateTime::None;
    };

    explicit PracticeStore(DbConnection &database);

    // The record of the data set's current row: nullopt with the message
    // when its DataFormatVersion is not 30 or its blob is short.
    [[nodiscard]] static std::optional<TPractice> readRecord(const DbDataSet &row, QString &message);

    [[nodiscard]] std::optional<StoredPractice> load(int practNo, Result &result) const;
    // Whether the user has a stored plan on that day; nullopt (message in
    // result) when it cannot be read. Asked before saving, outside any
    // transaction.
    [[nodiscard]] std::optional<bool> exists(int cureNo, TDateTime day, Result &result) const;
    // In one write transaction, which a save of the same user at another
    // workstation waits for: replaces the user's plan of the record's day
    // (one stored since exists was asked included), or adds it.
    // result.planNo is the row's PractNo.
    [[nodiscard]] Result save(int cureNo, const TPractice &record);
    // In one transaction: deletes the user's plan of that day; NotFound when
    // there is none.
    [[nodiscard]] Result remove(int cureNo, TDateTime day);
    // A user's plans, newest plan day first; nullopt when unreadable.
    [[nodiscard]] std::optional<std::vector<PracticeEntry>> plansOf(int cureNo) const;

private:
    DbConnection &m_database;
};
