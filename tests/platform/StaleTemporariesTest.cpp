#include "platform/StaleTemporaries.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {

// An empty lock file, as a writer killed between creating and filling it
// leaves, last written ageMs ago.
QString emptyLock(const QTemporaryDir &dir, qint64 ageMs)
{
    const QString name = dir.filePath(QStringLiteral("target.lock"));
    QFile file(name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    EXPECT_TRUE(file.setFileTime(QDateTime::currentDateTime().addMSecs(-ageMs), QFileDevice::FileModificationTime));
    return name;
}

} // namespace

TEST(StaleTemporaries, AnEmptyLockOfAKilledWriterIsBrokenAtOnce)
{
    QTemporaryDir dir;
    QLockFile lock(emptyLock(dir, 5000));
    ASSERT_TRUE(StaleTemporaries::lock(lock, 0));
    qint64 pid = 0;
    QString host;
    QString application;
    EXPECT_TRUE(lock.getLockInfo(&pid, &host, &application));
}

TEST(StaleTemporaries, ALockThatMayStillBeFilledOrIsHeldIsKept)
{
    QTemporaryDir dir;
    {
        // Just created: its writer may be about to write its process id.
        QLockFile lock(emptyLock(dir, 0));
        EXPECT_FALSE(StaleTemporaries::lock(lock, 50));
    }
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("target.lock"))));

    QLockFile holder(dir.filePath(QStringLiteral("target.lock")));
    ASSERT_TRUE(holder.tryLock(0));
    QLockFile other(holder.fileName());
    EXPECT_FALSE(StaleTemporaries::lock(other, 50));
    // Emptied and aged, but its holder still runs and holds it.
    emptyLock(dir, 5000);
    EXPECT_FALSE(StaleTemporaries::lock(other, 50));
    holder.unlock();
    EXPECT_TRUE(StaleTemporaries::lock(other, 0));
}

// Whatever its random letters, every temporary a writer makes is found
// again, and nothing else is.
TEST(StaleTemporaries, EveryTemporaryOfATargetIsRecognised)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("x.sqlite"));
    constexpr int Made = 200;
    for (int i = 0; i < Made; ++i) {
        QTemporaryFile temporary(StaleTemporaries::nameTemplate(target));
        temporary.setAutoRemove(false);
        ASSERT_TRUE(temporary.open());
        // Named on the disk only when the name is asked for.
        ASSERT_TRUE(QFileInfo::exists(temporary.fileName()));
    }
    for (const char *other : {"x.sqlite", "x.sqlite.backup", "y.sqlite.new.abcdef", "x.sqlite.new.abcdefg"}) {
        QFile file(dir.filePath(QString::fromUtf8(other)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(StaleTemporaries::remove(dir.path(), QStringLiteral("x\\.sqlite")), Made);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
}
