#pragma once

#include "core/LoginCheck.h"
#include "core/StaffDirectory.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/UserMessage.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <vector>

class TDBSeting;
class TRegistory;

// The data module: the main and partner database connections, the staff
// list, the facility name and the staff member who logged in. The start-up
// sequence connects it, then runs the login dialog, which checks each
// attempt through LogIn.
class TMainModule : public QObject
{
    Q_OBJECT

public:
    explicit TMainModule(QObject *parent = nullptr);
    ~TMainModule() override;

    // Opens the main connection and the partner's, loads the staff list and
    // the facility name. The error boxes to show are added to told, in their
    // order; false when the program cannot go on.
    [[nodiscard]] bool Connect(const TDBSeting &dbSeting, const TRegistory &registory, std::vector<UserMessage> &told);
    // Reads the login table for the attempts that follow; false, with the
    // error box to show added to told, when it cannot be read.
    [[nodiscard]] bool OpenLogins(std::vector<UserMessage> &told);
    // One login attempt: true, with LoginStaffCode and LoginStaffName set and
    // the login table forgotten, when the texts name a login.
    [[nodiscard]] bool LogIn(const QString &user, const QString &password);

    [[nodiscard]] QString GetStaffName(int code) const;
    [[nodiscard]] QString GetStaffKigo(int code) const;
    [[nodiscard]] int IndexOfStaffCode(int code) const;
    [[nodiscard]] int StaffCodeOfName(const QString &name) const;

    DbConnection RIHADatabase;
    DbConnection HinorikuConnection;
    DbConnection AccessConnection;
    DbDataSet TantouQuery;

    // The staff list read at start-up; the four members after it are its
    // columns under the names the forms know.
    [[nodiscard]] const StaffDirectory &staff() const { return m_staff; }
    // In place of the list read (tests and tools that do not connect).
    void setStaff(StaffDirectory staff) { m_staff = std::move(staff); }
    // Reads the list over a connection of the caller's; false when the
    // table cannot be read.
    [[nodiscard]] bool loadStaff(DbConnection &database);
    [[nodiscard]] int StaffCount() const { return m_staff.count(); }
    [[nodiscard]] QList<int> StaffCodes() const { return m_staff.codes(); }
    [[nodiscard]] QStringList StaffNames() const { return m_staff.names(); }
    [[nodiscard]] QStringList StaffKigos() const { return m_staff.kigos(); }

    QString FacilityName;
    QString LoginStaffCode;
    QString LoginStaffName;

    static constexpr int MaxLoginAttempts = 3;

private:
    [[nodiscard]] bool connectMainDatabase(const TDBSeting &settings, std::vector<UserMessage> &told);
    void connectPartner(const TRegistory &settings, std::vector<UserMessage> &told);
    [[nodiscard]] bool loadStaff();
    void loadFacility();

    LoginCheck m_logins;
    StaffDirectory m_staff;
};

extern TMainModule *MainModule;
