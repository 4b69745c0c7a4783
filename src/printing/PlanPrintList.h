#pragma once

#include "base/DateTime.h"
#include "platform/DbDataSet.h"
#include "users/KanaRowList.h"

#include <QString>

#include <vector>

class DbConnection;

// The plans a printing form lists for the user to pick from: the latest
// ones (dated after the first day of the month three months back) or all,
// in reading order, narrowed by the first kana of the reading. The rows
// come from a join of Person with a plan table.
class PlanPrintList : public KanaRowList
{
public:
    // The statement without WHERE and ORDER BY, the plan-day column that the
    // latest list cuts at, and the ORDER BY terms after the reading.
    struct Statement
    {
        QString select;
        QString dayColumn;
        QString orderAfterKana;
    };

    PlanPrintList(DbConnection &database, Statement statement);

    // The first day of the month three months before today; the latest list
    // holds the plans dated after it, not on it.
    [[nodiscard]] static TDateTime latestCutOff(TDateTime today);

    // Replace the rows (filter off); false when they could not be read, the
    // list then being closed.
    bool openLatest(TDateTime today);
    bool openAll();
    void close() { Rows.close(); }
    // The text a grid column shows of a field's value: the user number in eight digits, the treatment plan's day
    // in the short era form, the practice plan's day as its date text, the
    // names of the form and the categories, other fields as they are.
    [[nodiscard]] static QString cellText(QStringView field, const DbValue &value);
    // The integer field of the shown rows at the positions, in list order
    // whatever the order of the positions.
    [[nodiscard]] std::vector<int> keysAt(std::vector<int> positions, QStringView field) const;

    DbDataSet Rows;

private:
    bool open(const QString &where, TDateTime from);

    DbConnection &m_database;
    Statement m_statement;
};
