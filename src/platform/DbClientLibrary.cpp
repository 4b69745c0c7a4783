#include "platform/DbClientLibrary.h"

#include "platform/DbLog.h"

#include <QSqlDriver>

#include <dlfcn.h>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace DbClientLibrary {

bool sharedWith(const QSqlDriver &driver, DbKind kind)
{
    const char *symbol = nullptr;
    void *linked = nullptr;
    QString linkedVersion;
    switch (kind) {
    case DbKind::SQLite:
        symbol = "sqlite3_libversion";
        linked = reinterpret_cast<void *>(&sqlite3_libversion);
        linkedVersion = QString::fromLatin1(sqlite3_libversion());
        break;
    case DbKind::PostgreSQL:
        symbol = "PQlibVersion";
        linked = reinterpret_cast<void *>(&PQlibVersion);
        linkedVersion = QString::number(PQlibVersion());
        break;
    case DbKind::Odbc:
        return false;
    }
    // The driver's class lies in its plugin (or in the program, when Qt is
    // linked in): the library that plugin uses is the one found from it.
    Dl_info plugin{};
    if (dladdr(driver.metaObject(), &plugin) == 0 || !plugin.dli_fname) {
        qCWarning(lcDb) << "the file of Qt's SQL driver is unknown; its handles are not used";
        return false;
    }
    void *library = dlopen(plugin.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    void *used = library ? dlsym(library, symbol) : nullptr;
    if (library)
        dlclose(library);
    if (used == linked)
        return true;
    QString usedVersion = QStringLiteral("a copy of its own");
    if (used && kind == DbKind::SQLite)
        usedVersion = QString::fromLatin1(reinterpret_cast<const char *(*)()>(used)());
    else if (used)
        usedVersion = QString::number(reinterpret_cast<int (*)()>(used)());
    qCWarning(lcDb) << "Qt's SQL driver" << plugin.dli_fname << "runs on another client library (" << usedVersion
                    << ") than the program (" << linkedVersion << "): rows are read through the driver";
    return false;
}

} // namespace DbClientLibrary
