#include "core/TMainModule.h"

#include "core/TDBSeting.h"
#include "core/TRegistory.h"
#include "platform/DbQuery.h"

#include <QLoggingCategory>

TMainModule *MainModule = nullptr;

Q_LOGGING_CATEGORY(lcMainModule, "tamsolen.core.database", QtWarningMsg)

namespace {

// Every box of the module is an error with the one Yes button.
UserMessage fault(const QString &text)
{
    return {MessageType::Error, text, MessageButtons::Yes};
}

const QString SystemExitText = QStringLiteral("System Open Error\nシステムを終了します。");
const QString TableErrorText =
    QStringLiteral("System Error\n他で使用されているか又はシステム設定を確認してください。\nシステムを終了します。");

} // namespace

TMainModule::TMainModule(QObject *parent) : QObject(parent), m_logins(RIHADatabase)
{
    setObjectName(QStringLiteral("MainModule"));
}

TMainModule::~TMainModule()
{
    TantouQuery.close();
    RIHADatabase.close();
    HinorikuConnection.close();
    AccessConnection.close();
}

bool TMainModule::Connect(const TDBSeting &dbSeting, const TRegistory &registory, std::vector<UserMessage> &told)
{
    if (!connectMainDatabase(dbSeting, told))
        return false;
    connectPartner(registory, told);
    if (!loadStaff()) {
        told.push_back(fault(TableErrorText));
        return false;
    }
    loadFacility();
    return true;
}

bool TMainModule::connectMainDatabase(const TDBSeting &settings, std::vector<UserMessage> &told)
{
    if (!RIHADatabase.open(settings.Connection, settings.ID, settings.GetPassword())) {
        // The box says no more than that; the administrator finds why in the log.
        qCWarning(lcMainModule).noquote() << "cannot connect to the main database:" << RIHADatabase.errorText();
        told.push_back(fault(QStringLiteral("接続に失敗しました。\nシステムを停止します。")));
        return false;
    }
    if (!RIHADatabase.isOpen()) {
        told.push_back(fault(SystemExitText));
        return false;
    }
    return true;
}

void TMainModule::connectPartner(const TRegistory &settings, std::vector<UserMessage> &told)
{
    switch (settings.ServFlg) {
    case 1:
        if (!HinorikuConnection.isOpen() &&
            !HinorikuConnection.open(settings.Hinoriku, settings.ID, settings.Password)) {
            told.push_back(fault(QStringLiteral("System Open Error\nヒノリク接続を終了します。")));
            HinorikuConnection.close();
        }
        break;
    case 2:
        // The partner's file database goes on without the link.
        if (!AccessConnection.isOpen() && !AccessConnection.open(settings.MDBConnection)) {
            told.push_back(fault(SystemExitText));
            AccessConnection.close();
        }
        break;
    default:
        break;
    }
}

bool TMainModule::loadStaff()
{
    return loadStaff(RIHADatabase);
}

bool TMainModule::loadStaff(DbConnection &database)
{
    m_staff = {};
    if (!TantouQuery.open(DbQuery(database, QStringLiteral("SELECT * FROM KaigoStuff ORDER BY CD"))))
        return false;
    const DbField code = TantouQuery.field(u"CD");
    const DbField name = TantouQuery.field(u"StuffName");
    const DbField kigo = TantouQuery.field(u"KIGO");
    // The rows are held whole, not paged: a move cannot fail.
    for (TantouQuery.first(); !TantouQuery.eof(); (void)TantouQuery.next())
        m_staff.append({code.asInteger(), name.asString(), kigo.asString()});
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

bool TMainModule::OpenLogins(std::vector<UserMessage> &told)
{
    if (m_logins.open())
        return true;
    told.push_back(fault(TableErrorText));
    return false;
}

bool TMainModule::LogIn(const QString &user, const QString &password)
{
    const std::optional<LoginStaff> staff = m_logins.check(user, password);
    if (!staff)
        return false;
    LoginStaffCode = staff->code;
    LoginStaffName = staff->name;
    m_logins.close();
    return true;
}

QString TMainModule::GetStaffName(int code) const
{
    return m_staff.nameOf(code);
}

QString TMainModule::GetStaffKigo(int code) const
{
    return m_staff.kigoOf(code);
}

int TMainModule::IndexOfStaffCode(int code) const
{
    return m_staff.indexOfCode(code);
}

int TMainModule::StaffCodeOfName(const QString &name) const
{
    return m_staff.codeOfName(name);
}
