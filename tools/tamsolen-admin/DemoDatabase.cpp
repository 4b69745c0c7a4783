#include "DemoDatabase.h"

#include "AdminDatabase.h"
#include "DemoData.h"

#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool fail(QString &errorText, const QString &reason)
{
    errorText = reason;
    return false;
}

// Settings must not be pointed at a file the program cannot log in to.
bool check(const QString &file, QString &errorText)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return fail(errorText, QStringLiteral("cannot read %1: %2").arg(file, in.errorString()));
    static const QByteArray header("SQLite format 3", 16); // with its NUL
    if (in.read(header.size()) != header)
        return fail(errorText, QStringLiteral("%1 is not a SQLite database").arg(file));
    in.close();

    DbConnection db;
    if (!db.open(DemoDatabase::connectionString(file)))
        return fail(errorText, db.errorText());
    DbDataSet login;
    if (!login.open(DbQuery(db, QStringLiteral("SELECT PASS_WORD FROM LoginUser WHERE STAFF_CD = ?"))
                        .addBind(QString::fromUtf16(DemoData::LoginUser))))
        return fail(errorText, QStringLiteral("%1 is not a Tamsolen database: %2").arg(file, login.errorText()));
    if (login.isEmpty() || login.field(u"PASS_WORD").asString() != QString::fromUtf16(DemoData::LoginPassword))
        return fail(errorText, QStringLiteral("%1 has no demo login (user name %2, password %3)")
                                   .arg(file, QString::fromUtf16(DemoData::LoginUser),
                                        QString::fromUtf16(DemoData::LoginPassword)));
    return true;
}

} // namespace

namespace DemoDatabase {

QString connectionString(const QString &file)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + file;
}

bool prepare(const QString &file, bool &created, QString &errorText)
{
    created = false;
    if (QFileInfo::exists(file))
        return check(file, errorText);
    if (!AdminDatabase::create(connectionString(file), {}, {}, errorText, DemoData::fill))
        return false;
    created = true;
    return true;
}

} // namespace DemoDatabase
