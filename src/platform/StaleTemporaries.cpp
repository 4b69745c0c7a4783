#include "platform/StaleTemporaries.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

namespace StaleTemporaries {

int remove(const QString &folder, const QString &targetPattern)
{
    const QRegularExpression ours(QRegularExpression::anchoredPattern(
        QStringLiteral("(?:%1)\\.(?=[a-z]*[A-Z])[A-Za-z]{6}(?:-journal)?").arg(targetPattern)));
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        if (entry.ownerId() == geteuid() && ours.match(entry.fileName()).hasMatch() && QFile::remove(entry.filePath()))
            ++removed;
    }
    return removed;
}

} // namespace StaleTemporaries
