#pragma once

#include "base/DateTime.h"
#include "plans/FigureRow.h"
#include "plans/TPlan.h"
#include "users/TPerson.h"

#include <QString>

#include <optional>
#include <vector>

class DbConnection;
class DbDataSet;

// The treatment plans on the main database: reading a plan with its figure
// rows, saving one in place of the plans of the same user and day, deleting
// one, and the lookups of the pickers. Failures carry the message to show.
class PlanStore
{
public:
    enum class Status {
        Ok,
        OpenFailed,  // a query could not be run; nothing was written
        NotFound,    // no such user or plan
        BadBody,     // the stored body is not PlanDataSize bytes
        BeginFailed, // no transaction could be begun; nothing was written
        WriteFailed  // rolled back: the stored plans are as they were
    };

    struct Result
    {
        Status status = Status::Ok;
        QString message;
        int planNo = 0;
    };

    // A line of a user's plan list.
    struct PlanEntry
    {
        int PlanNo = 0;
        TDateTime PlanRegistDay = DateTime::None;
        TDateTime PlanEndDay = DateTime::None;
    };

    explicit PlanStore(DbConnection &database);

    // The plan with that key.
    [[nodiscard]] std::optional<TPlan> load(int planNo, Result &result) const;
    // The body stored in the row's PlanData, read by the one rule of every
    // reader: fewer than TPlanData::PlanDataSize bytes are refused (BadBody).
    [[nodiscard]] static std::optional<TPlanData> body(const DbDataSet &row, Result &result);
    // Its marks and overlays in AutoNo order; nullopt when unreadable.
    [[nodiscard]] std::optional<std::vector<FigureRow>> figures(int planNo) const;
    // The keys of the stored plans of the user on the plan's registration
    // day; nullopt (message in result) when they cannot be read. Asked
    // before saving, outside any transaction.
    [[nodiscard]] std::optional<std::vector<int>> sameDayPlans(const TPlan &plan, Result &result) const;

    // In one write transaction, which a save of the same user at another
    // workstation waits for: deletes the plans of the same user and day with
    // their figure rows (one stored since sameDayPlans was asked included),
    // stores the plan stamped with the creator and today, then its figure
    // rows in their order. The result carries the new PlanNo, or on failure
    // the rollback's message.
    [[nodiscard]] Result save(const TPlan &plan, const std::vector<FigureRow> &rows, const QString &creator,
                              TDateTime today);
    // Deletes the plan and its figure rows in one transaction.
    [[nodiscard]] Result remove(int planNo);

    // The user for a new plan: exactly one Person row is required.
    [[nodiscard]] std::optional<TPerson> user(int cureNo, Result &result) const;
    // A user's plans, newest registration day first.
    [[nodiscard]] std::optional<std::vector<PlanEntry>> plansOf(int cureNo) const;

    // "利用者番号 = 12\n計画登録日 = 2024/04/01\nで登録しました。"
    [[nodiscard]] static QString savedMessage(const TPlan &plan);

private:
    [[nodiscard]] bool deletePlan(int planNo, QString &errorText);
    [[nodiscard]] bool insertFigures(int planNo, const std::vector<FigureRow> &rows, QString &errorText);

    DbConnection &m_database;
};
