#include "PartnerDatabase.h"

#include "platform/DbConnection.h"
#include "platform/DbQuery.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDatabase>

namespace {

struct Row
{
    int sid;
    const char16_t *jname;
    const char16_t *kname;
    bool female;
    TDateTime birth;
    const char16_t *add;
};

bool fill(DbConnection &db, const QString &addColumn, QString &reason)
{
    DbQuery table(db, QStringLiteral("CREATE TABLE kgkihn1d (Sid INTEGER, Jname VARCHAR(40), Kname VARCHAR(20), "
                                     "Sex BOOLEAN, Birth TIMESTAMP, Mail VARCHAR(8), ChikuCode VARCHAR(6), "
                                     "MatiCode VARCHAR(4), %1 VARCHAR(60), Tel VARCHAR(15), Fax VARCHAR(15))")
                          .arg(addColumn));
    if (!table.exec()) {
        reason = table.errorText();
        return false;
    }
    const Row rows[] = {
        {101, u"山田　花子", u"ﾔﾏﾀﾞ ﾊﾅｺ", true, DateTime::encodeDate(1940, 5, 6), u"東京都港区芝1-2-3"},
        {7, u"佐藤　一郎", u"ｻﾄｳ ｲﾁﾛｳ", false, DateTime::encodeDate(1935, 12, 1), u"大阪市北区"},
        {55, u"100%_さん", u"ｱｲｳ", false, DateTime::None, u"札幌市"},
        {2300, u"加藤　次郎", u"ｶﾄｳ ｼﾞﾛｳ", false, DateTime::encodeDate(1950, 1, 31), u"名古屋市"},
    };
    for (const Row &row : rows) {
        DbQuery insert(db, QStringLiteral("INSERT INTO kgkihn1d VALUES (?, ?, ?, ?, ?, '105-0014', '13', '0103', ?, "
                                          "'03-1234-5678', '03-1234-5679')"));
        insert.addBind(row.sid).addBind(QString::fromUtf16(row.jname)).addBind(QString::fromUtf16(row.kname));
        insert.addBind(row.female);
        insert.addBind(row.birth == DateTime::None ? DbValue() : DbValue(DbDate{row.birth}));
        insert.addBind(QString::fromUtf16(row.add));
        if (!insert.exec()) {
            reason = insert.errorText();
            return false;
        }
    }
    return true;
}

} // namespace

PartnerDatabase::~PartnerDatabase()
{
    if (m_schema.isEmpty())
        return;
    DbConnection db;
    if (db.open(m_source, m_user)) {
        DbQuery drop(db, QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
        (void)drop.exec();
    }
}

bool PartnerDatabase::create(Kind kind, QString &skipReason)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))) {
        skipReason = QStringLiteral("Qt's ODBC driver is not installed (libqt6sql6-odbc)");
        return false;
    }
    DbConnection db;
    if (kind == Kind::SqliteOdbc) {
        m_folder = std::make_unique<QTemporaryDir>();
        const QString file = m_folder->filePath(QStringLiteral("partner.sqlite"));
        m_source = QStringLiteral("Provider=SQLite;Data Source=") + file;
        m_connectionString = QStringLiteral("Provider=ODBC;Driver=SQLite3;Database=") + file;
        if (!db.open(m_source, {}, {}, DbConnection::OpenMode::Create) ||
            !fill(db, QStringLiteral("\"Add\""), skipReason))
            return false;
    } else {
        const std::optional<DbConnectionString> server = DbConnectionString::parse(qEnvironmentVariable("TAMSOLEN_PG"));
        if (!server) {
            skipReason = QStringLiteral("PostgreSQL: TAMSOLEN_PG is not set");
            return false;
        }
        m_user = QStringLiteral("postgres");
        m_schema = QStringLiteral("partner_%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        m_source = server->text();
        if (!db.open(m_source, m_user)) {
            skipReason = db.errorText();
            m_schema.clear();
            return false;
        }
        DbQuery schema(db, QStringLiteral("CREATE SCHEMA %1; SET search_path TO %1").arg(m_schema));
        if (!schema.exec() || !fill(db, QStringLiteral("Add"), skipReason))
            return false;
        m_connectionString = QStringLiteral("Provider=ODBC;Driver={PostgreSQL Unicode};Server=%1;Port=%2;Database=%3;"
                                            "ConnSettings={SET search_path TO %4}")
                                 .arg(server->host)
                                 .arg(server->port > 0 ? server->port : 5432)
                                 .arg(server->database, m_schema);
    }
    DbConnection odbc;
    if (!odbc.open(m_connectionString, m_user)) {
        skipReason = QStringLiteral("the ODBC driver does not load: ") + odbc.errorText();
        return false;
    }
    return true;
}
