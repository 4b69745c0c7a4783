#include "platform/StaleTemporaries.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QThread>

#include <unistd.h>

namespace {

// A live writer fills its lock file within microseconds of creating it.
constexpr qint64 UnfilledLockMs = 1000;
constexpr int LongestPauseMs = 100;

// A lock file without a holder's process id, old enough that no live writer
// is still about to write it.
bool abandoned(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false;
    const QFileInfo file(lock.fileName());
    return file.exists() && file.lastModified().msecsTo(QDateTime::currentDateTime()) > UnfilledLockMs;
}

} // namespace

namespace StaleTemporaries {

QString nameTemplate(const QString &target)
{
    return target + QStringLiteral(".new.XXXXXX");
}

int remove(const QString &folder, const QString &targetPattern)
{
    const QRegularExpression ours(QRegularExpression::anchoredPattern(
        QStringLiteral("(?:%1)\\.new\\.[A-Za-z0-9]{6}(?:-journal)?").arg(targetPattern)));
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        if (entry.ownerId() == geteuid() && ours.match(entry.fileName()).hasMatch() && QFile::remove(entry.filePath()))
            ++removed;
    }
    return removed;
}

bool lock(QLockFile &lock, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (int pauseMs = 1;; pauseMs = qMin(pauseMs * 2, LongestPauseMs)) {
        if (lock.tryLock(0))
            return true;
        if (lock.error() != QLockFile::LockFailedError)
            return false;
        // removeStaleLockFile() refuses a lock file that a live writer holds.
        if (abandoned(lock) && lock.removeStaleLockFile())
            continue;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(ulong(pauseMs));
    }
}

} // namespace StaleTemporaries
