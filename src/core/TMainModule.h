#pragma once

#include "core/LoginCheck.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"

#include <QList>
#include <QObject>
#include <QStringList>

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
    // the facility name. A failure has shown its error box and returns false.
    [[nodiscard]] bool Connect(const TDBSeting &dbSeting, const TRegistory &registory);
    // Reads the login table for the attempts that follow; a failure has shown
    // its error box and returns false.
    [[nodiscard]] bool OpenLogins();
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

    int StaffCount = 0;
    QList<int> StaffCodes;
    QStringList StaffNames;
    QStringList StaffKigos;
    QString FacilityName;
    QString LoginStaffCode;
    QString LoginStaffName;

    static constexpr int MaxLoginAttempts = 3;

private:
    [[nodiscard]] bool connectMainDatabase(const TDBSeting &settings);
    void connectPartner(const TRegistory &settings);
    [[nodiscard]] bool loadStaff();
    void loadFacility();

    LoginCheck m_logins;
};

extern TMainModule *MainModule;
