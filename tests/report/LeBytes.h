#pragma once

#include "base/Sjis.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstring>
#include <initializer_list>

// Little-endian bytes of a file or a stream built by hand, with the texts
// and line lists of the engine's formats in Shift-JIS.
class LeBytes
{
public:
    LeBytes &byte(int v)
    {
        m_data.append(char(v));
        return *this;
    }
    LeBytes &word(int v) { return byte(v & 0xFF).byte((v >> 8) & 0xFF); }
    LeBytes &int32(qint64 v) { return word(int(v & 0xFFFF)).word(int((v >> 16) & 0xFFFF)); }
    LeBytes &int32s(std::initializer_list<qint64> values)
    {
        for (const qint64 v : values)
            int32(v);
        return *this;
    }
    LeBytes &real(float v)
    {
        quint32 bits;
        std::memcpy(&bits, &v, sizeof bits);
        return int32(bits);
    }
    LeBytes &raw(const QByteArray &bytes)
    {
        m_data.append(bytes);
        return *this;
    }
    // A counted text (version 23).
    LeBytes &text(const QString &text)
    {
        const QByteArray bytes = Sjis::encode(text);
        return word(int(bytes.size())).raw(bytes).byte(0);
    }
    LeBytes &text(const char *utf8) { return text(QString::fromUtf8(utf8)); }
    // A zero-terminated text (versions before 23).
    LeBytes &textz(const char *utf8) { return raw(Sjis::encode(QString::fromUtf8(utf8))).byte(0); }
    // A line list (version 23).
    LeBytes &lines(const QStringList &lines)
    {
        if (lines.isEmpty())
            return word(0).byte(0);
        word(int(lines.size()));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QByteArray bytes = Sjis::encode(lines[i]);
            word(int(bytes.size())).raw(bytes).byte(i + 1 < lines.size() ? 13 : 0);
        }
        return *this;
    }
    LeBytes &setInt32At(qsizetype at, qint64 v)
    {
        for (int i = 0; i < 4; ++i)
            m_data[at + i] = char((v >> (8 * i)) & 0xFF);
        return *this;
    }
    [[nodiscard]] const QByteArray &data() const { return m_data; }
    [[nodiscard]] qsizetype size() const { return m_data.size(); }

private:
    QByteArray m_data;
};
