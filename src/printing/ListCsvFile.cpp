#include "ListCsvFile.h"

#include "platform/DialogService.h"

#include <QDir>
#include <QFileInfo>

namespace {

void fail(const QString &text)
{
    Dialogs::error(text, MessageButtons::Yes);
}

// True when nothing failed; else the failure's box was shown.
bool told(const QString &failure)
{
    if (!failure.isEmpty())
        fail(failure);
    return failure.isEmpty();
}

} // namespace

std::optional<QString> ListCsvFile::target(const QString &path)
{
    if (path == u"未設定") {
        fail(QStringLiteral("ディレクトリが未設定です。"));
        return std::nullopt;
    }
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    if (!QFileInfo(folder).isDir()) {
        if (folder.isEmpty()) {
            fail(QStringLiteral("ディレクトリが見つかりません。"));
            return std::nullopt;
        }
        if (QFileInfo::exists(folder)) {
            fail(QStringLiteral("ディレクトリの作成でシステムエラーが発生しました。"));
            return std::nullopt;
        }
        if (!QDir().mkpath(folder)) {
            fail(QStringLiteral("ディレクトリの作成に失敗しました。"));
            return std::nullopt;
        }
    }
    if (name.isEmpty()) {
        fail(QStringLiteral("ファイル名が見つかりません。"));
        return std::nullopt;
    }
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot <= 0 ? name : name.left(dot);
    return QDir(folder).filePath(base + QStringLiteral(".csv"));
}

ListCsvFile::Content ListCsvFile::content(const QStringList &header, std::vector<QStringList> rows, Quoting quoting)
{
    return {CsvWriter::headedParts(header, std::move(rows)), quoting};
}

bool ListCsvFile::writeTo(QIODevice &device, const Content &content)
{
    return told(CsvWriter(content.quoting, CsvWriter::LineBreaks::Kept).writeTo(device, content.parts));
}

bool ListCsvFile::write(const QString &fileName, const Content &content)
{
    return told(CsvWriter(content.quoting, CsvWriter::LineBreaks::Kept).write(fileName, content.parts));
}

bool ListCsvFile::write(const QString &fileName, const QStringList &header, const std::vector<QStringList> &rows)
{
    return write(fileName, content(header, rows));
}
