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

QByteArray ListCsvFile::line(const QStringList &values)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            bytes.append(',');
        QString value = values[i];
        value.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        bytes.append('"').append(Sjis::encode(value)).append('"');
    }
    return bytes;
}

bool ListCsvFile::write(const QString &fileName, const QStringList &header, const std::vector<QStringList> &rows)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("CSVファイル名をオープンできません。"));
        return false;
    }
    const QByteArray title = line(header) + "\r\n";
    if (file.write(title) != title.size()) {
        file.cancelWriting();
        fail(QStringLiteral("タイトルの書き出しができません。"));
        return false;
    }
    QByteArray body;
    for (const QStringList &row : rows)
        body.append(line(row)).append("\r\n");
    if (file.write(body) != body.size() || !file.commit()) {
        file.cancelWriting();
        fail(QStringLiteral("書き出しでエラーが発生しました。"));
        return false;
    }
    return true;
}
