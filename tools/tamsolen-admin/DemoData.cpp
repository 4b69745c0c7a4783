#include "DemoData.h"

#include "AdminDatabase.h"
#include "DemoPhrases.h"
#include "DemoPlans.h"
#include "DemoResults.h"
#include "DemoSchedule.h"
#include "DemoUsers.h"

#include "platform/DbConnection.h"
#include "platform/DbTransaction.h"

#include <vector>

namespace {

using Step = bool (*)(DbConnection &connection, QString &errorText);

bool fillStaff(DbConnection &connection, QString &errorText)
{
    struct Staff
    {
        int code;
        const char16_t *name;
        const char16_t *mark;
    };
    static constexpr Staff staff[] = {
        {1, u"山田　太郎", u"山田"}, {2, u"佐藤　花子", u"佐藤"}, {3, u"鈴木　一郎", u"鈴木"},
        {4, u"高橋　美咲", u"高橋"}, {5, u"田中　健太", u"田中"}, {6, u"伊藤　由美", u"伊藤"},
    };
    for (const Staff &s : staff) {
        if (!AdminDatabase::addStaff(connection, s.code, QString::fromUtf16(s.name), QString::fromUtf16(s.mark),
                                     errorText))
            return false;
    }
    return true;
}

bool fillLogins(DbConnection &connection, QString &errorText)
{
    return AdminDatabase::addLogin(connection, QString::fromUtf16(DemoData::LoginUser),
                                   QString::fromUtf16(DemoData::LoginPassword), QStringLiteral("山田　太郎"),
                                   errorText);
}

bool fillFacility(DbConnection &connection, QString &errorText)
{
    return AdminDatabase::setFacility(connection, QStringLiteral("介護老人保健施設　さくらの里"), errorText);
}

// In the order the tables refer to each other.
const std::vector<Step> &steps()
{
    static const std::vector<Step> all = {fillStaff,       fillLogins,      fillFacility,       DemoUsers::fill,
                                          addDemoPhrases,  DemoPlans::fill, DemoSchedule::fill, DemoResults::fill};
    return all;
}

} // namespace

namespace DemoData {

bool fill(DbConnection &connection, QString &errorText)
{
    DbTransaction transaction(connection);
    if (!transaction.isActive()) {
        errorText = connection.errorText();
        return false;
    }
    for (Step step : steps()) {
        if (!step(connection, errorText))
            return false;
    }
    if (!transaction.commit()) {
        errorText = connection.errorText();
        return false;
    }
    return true;
}

} // namespace DemoData
