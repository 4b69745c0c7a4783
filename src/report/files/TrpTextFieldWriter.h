#pragma once

#include <QString>
#include <QStringList>

// Writes a template's text form line by line: section lines as they stand,
// field lines indented under them as the keyword and its value.
class TrpTextFieldWriter
{
public:
    void line(const QString &text) { m_out += text + QLatin1Char('\n'); }
    void field(const char *key, const QString &value)
    {
        line(QStringLiteral("  ") + QLatin1String(key) + QLatin1Char(' ') + value);
    }
    void number(const char *key, qint64 value) { field(key, QString::number(value)); }
    void text(const char *key, const QString &value);
    // One line for each of the texts.
    void lines(const char *key, const QStringList &values);
    void hex(const char *key, quint32 value) { field(key, hex32(value)); }
    void real(const char *key, float value) { field(key, QString::number(double(value), 'g', 9)); }

    [[nodiscard]] const QString &result() const { return m_out; }

    // Colours and formats: 0x and eight upper-case digits.
    [[nodiscard]] static QString hex32(quint32 value);

private:
    QString m_out;
};
