#include "ToolCsv.h"

#include <QFile>

namespace ToolCsv {

bool parse(const QString &text, QList<QStringList> &records, QString &error)
{
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    int quoteLine = 0;
    auto endRecord = [&] {
        if (fieldStarted || !record.isEmpty() || !field.isEmpty()) {
            record.append(field);
            records.append(record);
        }
        record.clear();
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            quoteLine = line;
            fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
            fieldStarted = true;
        } else if (c == QLatin1Char('\n')) {
            endRecord();
            ++line;
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (quoted) {
        error = QStringLiteral("line %1: quote not closed").arg(quoteLine);
        return false;
    }
    endRecord();
    return true;
}

bool read(const QString &fileName, QStringList &fields, QList<QStringList> &rows, QString &error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString());
        return false;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> records;
    if (!parse(text, records, error)) {
        error = fileName + QStringLiteral(": ") + error;
        return false;
    }
    if (records.isEmpty()) {
        error = fileName + QStringLiteral(": no field names");
        return false;
    }
    fields = records.takeFirst();
    rows = std::move(records);
    return true;
}

} // namespace ToolCsv
