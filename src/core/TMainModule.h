#pragma once

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"

#include <QList>
#include <QObject>
#include <QStringList>

class TLoginForm;
class TMainForm;

// The data module: the main and partner database connections, the staff
// list, the facility name and the staff member who logged in. Creating it
// connects and runs the login; any failure clears MainForm's StartupOK.
class TMainModule : public QObject
{
    Q_OBJECT

public:
    TMainModule(TMainForm &mainForm, TLoginForm &loginForm, QObject *parent = nullptr);
    ~TMainModule() override;

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
    void DataModuleCreate();
    [[nodiscard]] bool connectMainDatabase();
    void connectPartner();
    [[nodiscard]] bool loadStaff();
    void loadFacility();
    [[nodiscard]] bool logIn();

    TMainForm &m_mainForm;
    TLoginForm &m_loginForm;
};

extern TMainModule *MainModule;
