#include "report/files/TrpTextFieldWriter.h"

#include "report/files/TrpTemplateText.h"

void TrpTextFieldWriter::text(const char *key, const QString &value)
{
    field(key, TrpTemplateText::quoted(value));
}

void TrpTextFieldWriter::lines(const char *key, const QStringList &values)
{
    for (const QString &value : values)
        text(key, value);
}

QString TrpTextFieldWriter::hex32(quint32 value)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}
