#pragma once

#include <QList>
#include <QString>

#include <optional>

class DbConnection;

// The staff member a login names.
struct LoginStaff
{
    QString code;
    QString name;
};

// Checks a user name and password against the login table. The rows are read
// once; the typed texts are compared as they are and never become part of a
// query.
class LoginCheck
{
public:
    explicit LoginCheck(DbConnection &database);

    // Reads the login table; false when it cannot be read.
    [[nodiscard]] bool open();
    // Forgets the rows read.
    void close();
    // The first row with exactly this user name and password.
    [[nodiscard]] std::optional<LoginStaff> check(const QString &user, const QString &password) const;

private:
    struct Row
    {
        QString code;
        QString password;
        QString name;
    };

    DbConnection &m_database;
    QList<Row> m_rows;
};
