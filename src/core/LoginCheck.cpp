#include "core/LoginCheck.h"

#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

LoginCheck::LoginCheck(DbConnection &database) : m_database(database) {}

bool LoginCheck::open()
{
    m_rows.clear();
    DbDataSet rows;
    if (!rows.open(DbQuery(m_database, QStringLiteral("SELECT STAFF_CD, PASS_WORD, LoginNAME FROM LoginUser"))))
        return false;
    const DbField code = rows.field(u"STAFF_CD");
    const DbField password = rows.field(u"PASS_WORD");
    const DbField name = rows.field(u"LoginNAME");
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        m_rows.append({code.asString(), password.asString(), name.asString()});
    return true;
}

void LoginCheck::close()
{
    m_rows.clear();
}

std::optional<LoginStaff> LoginCheck::check(const QString &user, const QString &password) const
{
    for (const Row &row : m_rows) {
        if (row.code == user && row.password == password)
            return LoginStaff{row.code, row.name};
    }
    return std::nullopt;
}
