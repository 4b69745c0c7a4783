#include "ListCsvFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

UserMessage failed(const QString &text)
{
    return {MessageType::Error, text, MessageButtons::Yes};
}

// True when nothing failed; else the failure's box is told.
bool written(const QString &failure, std::vector<UserMessage> &told)
{
    if (!failure.isEmpty())
        told.push_back(failed(failure));
    return failure.isEmpty();
}

} // namespace

std::optional<QString> ListCsvFile::target(const QString &path, std::vector<UserMessage> &told)
{
    if (path == u"未設定") {
        told.push_back(failed(QStringLiteral("ディレクトリが未設定です。")));
        return std::nullopt;
    }
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    if (!QFileInfo(folder).isDir()) {
        if (folder.isEmpty()) {
            told.push_back(failed(QStringLiteral("ディレクトリが見つかりません。")));
            return std::nullopt;
        }
        if (QFileInfo::exists(folder)) {
            told.push_back(failed(QStringLiteral("ディレクトリの作成でシステムエラーが発生しました。")));
            return std::nullopt;
        }
        if (!QDir().mkpath(folder)) {
            told.push_back(failed(QStringLiteral("ディレクトリの作成に失敗しました。")));
            return std::nullopt;
        }
    }
    if (name.isEmpty()) {
        told.push_back(failed(QStringLiteral("ファイル名が見つかりません。")));
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

bool ListCsvFile::writeTo(QIODevice &device, const Content &content, std::vector<UserMessage> &told)
{
    return written(CsvWriter(content.quoting, CsvWriter::LineBreaks::Kept).writeTo(device, content.parts), told);
}

bool ListCsvFile::write(const QString &fileName, const Content &content, std::vector<UserMessage> &told)
{
    return written(CsvWriter(content.quoting, CsvWriter::LineBreaks::Kept).write(fileName, content.parts), told);
}

bool ListCsvFile::write(const QString &fileName, const QStringList &header, const std::vector<QStringList> &rows,
                        std::vector<UserMessage> &told)
{
    return write(fileName, content(header, rows), told);
}
