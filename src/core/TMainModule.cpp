#include "core/TMainModule.h"

#include "core/TDBSeting.h"
#include "core/TLoginForm.h"
#include "core/TMainForm.h"
#include "core/TRegistory.h"
#include "platform/DbQuery.h"
#include "platform/DialogService.h"

#include <QDialog>

TMainModule *MainModule = nullptr;

namespace {

const QString SystemExitText = QStringLiteral("System Open Error\nシステムを終了します。");
const QString TableErrorText =
    QStringLiteral("System Error\n他で使用されているか又はシステム設定を確認してください。\nシステムを終了します。");

} // namespace

TMainModule::TMainModule(TMainForm &mainForm, TLoginForm &loginForm, QObject *parent)
    : QObject(parent), m_mainForm(mainForm), m_loginForm(loginForm)
{
    setObjectName(QStringLiteral("MainModule"));
    DataModuleCreate();
}

TMainModule::~TMainModule()
{
    TantouQuery.close();
    RIHADatabase.close();
    HinorikuConnection.close();
    AccessConnection.close();
}

void TMainModule::DataModuleCreate()
{
    if (!connectMainDatabase()) {
        m_mainForm.StartupOK = false;
        return;
    }
    connectPartner();
    if (!loadStaff()) {
        Dialogs::error(TableErrorText, MessageButtons::Yes);
        m_mainForm.StartupOK = false;
        return;
    }
    loadFacility();
    if (!logIn())
        m_mainForm.StartupOK = false;
}

bool TMainModule::connectMainDatabase()
{
    const TDBSeting &settings = *m_mainForm.DBSeting;
    if (!RIHADatabase.open(settings.Connection, settings.ID, settings.GetPassword())) {
        Dialogs::error(QStringLiteral("接続に失敗しました。\nシステムを停止します。"), MessageButtons::Yes);
        return false;
    }
    if (!RIHADatabase.isOpen()) {
        Dialogs::error(SystemExitText, MessageButtons::Yes);
        return false;
    }
    return true;
}

void TMainModule::connectPartner()
{
    const TRegistory &settings = *m_mainForm.Registory;
    switch (settings.ServFlg) {
    case 1:
        if (!HinorikuConnection.isOpen() &&
            !HinorikuConnection.open(settings.Hinoriku, settings.ID, settings.Password)) {
            Dialogs::error(QStringLiteral("System Open Error\nヒノリク接続を終了します。"), MessageButtons::Yes);
            HinorikuConnection.close();
        }
        break;
    case 2:
        // The partner's file database goes on without the link.
        if (!AccessConnection.isOpen() && !AccessConnection.open(settings.MDBConnection)) {
            Dialogs::error(SystemExitText, MessageButtons::Yes);
            AccessConnection.close();
        }
        break;
    default:
        break;
    }
}

bool TMainModule::loadStaff()
{
    StaffCodes.clear();
    StaffNames.clear();
    StaffKigos.clear();
    StaffCount = 0;
    if (!TantouQuery.open(DbQuery(RIHADatabase, QStringLiteral("SELECT * FROM KaigoStuff ORDER BY CD"))))
        return false;
    StaffCount = TantouQuery.recordCount();
    const DbField code = TantouQuery.field(u"CD");
    const DbField name = TantouQuery.field(u"StuffName");
    const DbField kigo = TantouQuery.field(u"KIGO");
    for (TantouQuery.first(); !TantouQuery.eof(); TantouQuery.next()) {
        StaffCodes.append(code.asInteger());
        StaffNames.append(name.asString());
        StaffKigos.append(kigo.asString());
    }
    TantouQuery.first();
    return true;
}

void TMainModule::loadFacility()
{
    FacilityName.clear();
    DbDataSet homeTable;
    if (homeTable.open(
            DbQuery(RIHADatabase, QStringLiteral("SELECT ID, FACILITIES_NAME FROM Facilities ORDER BY ID"))) &&
        !homeTable.isEmpty())
        FacilityName = homeTable.field(u"FACILITIES_NAME").asString();
}

bool TMainModule::logIn()
{
    DbDataSet adminQuery;
    if (!adminQuery.open(
            DbQuery(RIHADatabase, QStringLiteral("SELECT STAFF_CD, PASS_WORD, LoginNAME FROM LoginUser")))) {
        Dialogs::error(TableErrorText, MessageButtons::Yes);
        return false;
    }
    for (int attempt = 0; attempt < MaxLoginAttempts; ++attempt) {
        if (Dialogs::exec(&m_loginForm) != QDialog::Accepted)
            return false;
        // Compared as they are typed: the input never becomes part of a query or filter.
        const QString user = m_loginForm.userName();
        const QString pass = m_loginForm.password();
        adminQuery.setFilter([user, pass](const DbRecord &row) {
            return row.value(u"STAFF_CD").asString() == user && row.value(u"PASS_WORD").asString() == pass;
        });
        adminQuery.setFiltered(true);
        if (adminQuery.recordCount() >= 1) {
            LoginStaffCode = adminQuery.field(u"STAFF_CD").asString();
            LoginStaffName = adminQuery.field(u"LoginNAME").asString();
            return true;
        }
        Dialogs::warning(QStringLiteral("ユーザー名またはパスワードが不明です"), MessageButtons::Yes);
    }
    return false;
}

QString TMainModule::GetStaffName(int code) const
{
    const int index = IndexOfStaffCode(code);
    return index < 0 ? QString() : StaffNames.at(index);
}

QString TMainModule::GetStaffKigo(int code) const
{
    const int index = IndexOfStaffCode(code);
    return index < 0 ? QString() : StaffKigos.at(index);
}

int TMainModule::IndexOfStaffCode(int code) const
{
    return int(StaffCodes.indexOf(code));
}

int TMainModule::StaffCodeOfName(const QString &name) const
{
    const qsizetype index = StaffNames.indexOf(name);
    return index < 0 ? -1 : StaffCodes.at(index);
}
