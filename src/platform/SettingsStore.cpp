#include "platform/SettingsStore.h"

#include "platform/RegFile.h"
#include "platform/StaleTemporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcSettings, "tamsolen.platform.settings", QtWarningMsg)

constexpr QStringView Root = u"HKEY_CURRENT_USER";

// The settings hold the enciphered database password: only the user reads them.
constexpr QFile::Permissions FolderPermissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions FilePermissions = QFile::ReadOwner | QFile::WriteOwner;
// Long enough for another program's save of a few kilobytes.
constexpr int LockTimeoutMs = 10000;

QString sectionKey(const QString &path)
{
    return path.isEmpty() ? Root.toString() : Root.toString() + u'\\' + path;
}

// "Software\Orvanta\Tamsolen5" -> "Software-Orvanta-Tamsolen5.reg"
QString fileNameFor(const QString &path)
{
    QString name = path.isEmpty() ? Root.toString() : path;
    name.replace(u'\\', u'-');
    name.replace(u'/', u'_');
    return name + QStringLiteral(".reg");
}

struct LoadedFile
{
    QString fileName;
    RegFile file;
};

enum class ReadResult { Read, Unreadable, NotRegistry };

ReadResult readFile(const QString &fileName, RegFile &file, QString *errorText)
{
    QFile in(fileName);
    if (!in.open(QIODevice::ReadOnly)) {
        *errorText = QStringLiteral("cannot read %1: %2").arg(fileName, in.errorString());
        return ReadResult::Unreadable;
    }
    QList<RegFile::Problem> problems;
    std::optional<RegFile> parsed = RegFile::parse(in.readAll(), &problems);
    if (!parsed) {
        *errorText = QStringLiteral("%1 is not a registry file").arg(fileName);
        return ReadResult::NotRegistry;
    }
    for (const RegFile::Problem &problem : problems)
        qCWarning(lcSettings).noquote()
            << QStringLiteral("%1:%2: %3, line skipped").arg(fileName).arg(problem.line).arg(problem.message);
    file = std::move(*parsed);
    return ReadResult::Read;
}

// The *.reg files of the folder that can be read, in name order.
QList<LoadedFile> readFolder(const QString &folder)
{
    QList<LoadedFile> files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.reg")}, QDir::Files, QDir::Name)) {
        LoadedFile loaded{dir.filePath(name), {}};
        QString errorText;
        if (readFile(loaded.fileName, loaded.file, &errorText) == ReadResult::Read)
            files.append(std::move(loaded));
        else
            qCWarning(lcSettings).noquote() << errorText;
    }
    return files;
}

} // namespace

SettingsStore::SettingsStore() : SettingsStore(defaultFolder()) {}

SettingsStore::SettingsStore(QString folder) : m_folder(std::move(folder)) {}

QString SettingsStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tamsolen");
}

std::optional<SettingsKey> SettingsStore::openKey(QStringView path) const
{
    const QString normalized = SettingsKey::normalizedPath(path);
    const QString key = sectionKey(normalized);
    const QList<LoadedFile> files = readFolder(m_folder);
    for (auto file = files.crbegin(); file != files.crend(); ++file) {
        if (const RegFile::Section *section = file->file.find(key))
            return SettingsKey(normalized, section->values);
    }
    return std::nullopt;
}

SettingsKey SettingsStore::createKey(QStringView path) const
{
    return openKey(path).value_or(SettingsKey(path));
}

bool SettingsStore::save(const SettingsKey &key, QString *errorText)
{
    QString error;
    const auto fail = [&](const QString &text) {
        if (errorText)
            *errorText = text;
        return false;
    };
    if (!makeFolder(&error))
        return fail(error);
    // Every save holds the lock, so a temporary file found under it was left
    // by a save that was killed.
    QLockFile lock(QDir(m_folder).filePath(QStringLiteral(".lock")));
    if (!StaleTemporaries::lock(lock, LockTimeoutMs))
        return fail(QStringLiteral("the settings in %1 are being saved by another program").arg(m_folder));
    StaleTemporaries::remove(m_folder, QStringLiteral(".+\\.reg"));

    const QString sectionName = sectionKey(key.path());
    QList<LoadedFile> files = readFolder(m_folder);
    LoadedFile *target = nullptr;
    for (LoadedFile &file : files) {
        if (file.file.find(sectionName))
            target = &file;
    }
    LoadedFile created;
    if (!target) {
        created.fileName = QDir(m_folder).filePath(fileNameFor(key.path()));
        // A file of that name that holds other keys gets this one added; one
        // that cannot be read is left alone rather than overwritten.
        if (QFile::exists(created.fileName) && readFile(created.fileName, created.file, &error) != ReadResult::Read)
            return fail(error);
        created.file.sections.append({sectionName, {}});
        target = &created;
    }
    target->file.find(sectionName)->values = key.values();
    return writeFile(target->fileName, target->file.toBytes(), errorText);
}

bool SettingsStore::makeFolder(QString *errorText) const
{
    if (QFileInfo(m_folder).isDir()) {
        if (!QFile::setPermissions(m_folder, FolderPermissions)) {
            // Someone else's folder: the files in it are still the user's alone.
            qCWarning(lcSettings).noquote() << QStringLiteral("cannot make %1 private to its owner").arg(m_folder);
        }
        return true;
    }
    // Another program saving its first settings may make the folder first.
    if (QDir().mkpath(QFileInfo(m_folder).absolutePath()) &&
        (QDir().mkdir(m_folder, FolderPermissions) || QFileInfo(m_folder).isDir()))
        return true;
    *errorText = QStringLiteral("cannot create the folder %1").arg(m_folder);
    return false;
}

bool SettingsStore::writeFile(const QString &fileName, const QByteArray &bytes, QString *errorText)
{
    const auto fail = [&](const QString &reason) {
        if (errorText)
            *errorText = QStringLiteral("cannot write %1: %2").arg(fileName, reason);
        return false;
    };
    // Named so that a save killed before the rename leaves a temporary that
    // the next save recognises; created private (600).
    QTemporaryFile out(StaleTemporaries::nameTemplate(fileName));
    if (!out.open() || !out.setPermissions(FilePermissions))
        return fail(out.errorString());
    // A short write (disk full, size limit) is not an error to QFile; left
    // unchecked it would put a cut file in place.
    if (out.write(bytes) != bytes.size() || !out.flush())
        return fail(out.errorString());
    if (::fsync(out.handle()) != 0 ||
        std::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(fileName).constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    out.setAutoRemove(false);
    return true;
}
