#include "core/CsvWriter.h"

#include "base/Sjis.h"

#include <QFileInfo>
#include <QSaveFile>

bool CsvWriter::confirmOverwrite(const QString &fileName, MessageButtons buttons, const MessageAsker &ask)
{
    if (!QFileInfo::exists(fileName))
        return true;
    const MessageAnswer answer =
        ask({MessageType::Warning, QStringLiteral("同じ名前のCSVファイルが既に有ります。\n上書きしますか？"), buttons});
    return answer == MessageAnswer::Yes || answer == MessageAnswer::Ok;
}

std::vector<CsvWriter::Part> CsvWriter::headedParts(const QStringList &header, std::vector<QStringList> rows)
{
    return {{{header}, QStringLiteral("タイトルの書き出しができません。")},
            {std::move(rows), QStringLiteral("書き出しでエラーが発生しました。")}};
}

QByteArray CsvWriter::line(const QStringList &values, qsizetype *unmapped) const
{
    QByteArray bytes;
    qsizetype lost = 0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            bytes.append(',');
        QString value = values[i];
        if (m_lineBreaks == LineBreaks::Blanked)
            value.replace(u'\r', u' ').replace(u'\n', u' ');
        const bool quoted = m_quoting == Quoting::EveryField || value.contains(u',') || value.contains(u'"') ||
                            value.contains(u'\r') || value.contains(u'\n');
        if (quoted)
            value.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        qsizetype missing = 0;
        const QByteArray encoded = Sjis::encode(value, &missing);
        lost += missing;
        if (quoted)
            bytes.append('"').append(encoded).append('"');
        else
            bytes.append(encoded);
    }
    if (unmapped)
        *unmapped += lost;
    return bytes;
}

QString CsvWriter::writeTo(QIODevice &device, const std::vector<Part> &parts, qsizetype *unmapped) const
{
    auto *file = qobject_cast<QFileDevice *>(&device);
    for (const Part &part : parts) {
        QByteArray bytes;
        for (const QStringList &values : part.lines)
            bytes.append(line(values, unmapped)).append("\r\n");
        if (device.write(bytes) != bytes.size() || (file && !file->flush()))
            return part.failure;
    }
    return {};
}

QString CsvWriter::write(const QString &fileName, const std::vector<Part> &parts, qsizetype *unmapped) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("CSVファイル名をオープンできません。");
    if (QString failure = writeTo(file, parts, unmapped); !failure.isEmpty()) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return QStringLiteral("書き出しでエラーが発生しました。");
    return {};
}
