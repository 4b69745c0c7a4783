#include "ListCsvFile.h"

#include "base/Sjis.h"
#include "platform/DialogService.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

void fail(const QString &text)
{
    Dialogs::error(text, MessageButtons::Yes);
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

bool ListCsvFile::confirmOverwrite(const QString &fileName)
{
    if (!QFileInfo::exists(fileName))
        return true;
    return Dialogs::message(MessageType::Confirmation,
                            QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？"),
                            MessageButtons::OkNo) == MessageAnswer::Ok;
}

ListCsvFile::Content ListCsvFile::content(const QStringList &header, std::vector<QStringList> rows, Quoting quoting)
{
    return {{{{header}, QStringLiteral("タイトルの書き出しができません。")},
             {std::move(rows), QStringLiteral("書き出しでエラーが発生しました。")}},
            quoting};
}

QByteArray ListCsvFile::line(const QStringList &values, Quoting quoting)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            bytes.append(',');
        QString value = values[i];
        const bool quoted = quoting == Quoting::EveryField || value.contains(u',') || value.contains(u'"') ||
                            value.contains(u'\r') || value.contains(u'\n');
        if (!quoted) {
            bytes.append(Sjis::encode(value));
            continue;
        }
        value.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        bytes.append('"').append(Sjis::encode(value)).append('"');
    }
    return bytes;
}

bool ListCsvFile::writeTo(QIODevice &device, const Content &content)
{
    auto *file = qobject_cast<QFileDevice *>(&device);
    for (const Part &part : content.parts) {
        QByteArray bytes;
        for (const QStringList &row : part.lines)
            bytes.append(line(row, content.quoting)).append("\r\n");
        if (device.write(bytes) != bytes.size() || (file && !file->flush())) {
            fail(part.failure);
            return false;
        }
    }
    return true;
}

bool ListCsvFile::write(const QString &fileName, const Content &content)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("CSVファイル名をオープンできません。"));
        return false;
    }
    if (!writeTo(file, content)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        fail(QStringLiteral("書き出しでエラーが発生しました。"));
        return false;
    }
    return true;
}

bool ListCsvFile::write(const QString &fileName, const QStringList &header, const std::vector<QStringList> &rows)
{
    return write(fileName, content(header, rows));
}
