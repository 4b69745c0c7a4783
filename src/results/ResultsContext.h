#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class DbConnection;

// What the results logic needs of the data module: the main connection,
// the staff list in list order and the staff member who logged in.
struct ResultsContext
{
    DbConnection *Database = nullptr;
    QList<int> StaffCodes;
    QStringList StaffNames;
    QStringList StaffKigos;
    QString LoginStaffCode;
    QString LoginStaffName;

    [[nodiscard]] DbConnection &db() const { return *Database; }
    // Empty for a code that is not in the list.
    [[nodiscard]] QString staffName(int code) const;
    [[nodiscard]] QString staffKigo(int code) const;
    // The code of the first staff member of that name, -1 when none.
    [[nodiscard]] int staffCodeOfName(const QString &name) const;
};
