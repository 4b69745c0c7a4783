#include "report/files/TrpStreamReader.h"

#include "base/Sjis.h"

#include <QIODevice>

#include <algorithm>

TrpStreamReader::TrpStreamReader(QIODevice &device, int version) : m_device(device), m_version(version) {}

void TrpStreamReader::failRead(qint64 at)
{
    m_error = TrpError{TrpError::Kind::Stream, QStringLiteral("Stream read error at offset %1").arg(at), at};
}

QByteArray TrpStreamReader::readBytes(qsizetype count)
{
    if (!ok() || count <= 0)
        return {};
    const qint64 at = m_device.pos();
    QByteArray bytes = m_device.read(count);
    if (bytes.size() != count) {
        failRead(at);
        return {};
    }
    return bytes;
}

// The numbers are read without a byte array of their own: a page holds
// thousands of them.
bool TrpStreamReader::readInto(char *data, qsizetype count)
{
    std::fill_n(data, count, 0);
    if (!ok())
        return false;
    const qint64 at = m_device.pos();
    if (m_device.read(data, count) != count) {
        std::fill_n(data, count, 0);
        failRead(at);
        return false;
    }
    return true;
}

quint8 TrpStreamReader::readByte()
{
    char byte[1];
    readInto(byte, 1);
    return quint8(byte[0]);
}

quint16 TrpStreamReader::readWord()
{
    char bytes[2];
    readInto(bytes, 2);
    return quint16(quint8(bytes[0]) | (quint8(bytes[1]) << 8));
}

qint32 TrpStreamReader::readInt32()
{
    char bytes[4];
    readInto(bytes, 4);
    const quint32 value = quint32(quint8(bytes[0])) | (quint32(quint8(bytes[1])) << 8) |
                          (quint32(quint8(bytes[2])) << 16) | (quint32(quint8(bytes[3])) << 24);
    return qint32(value);
}

QString TrpStreamReader::readShortString()
{
    const quint8 length = readByte();
    const QByteArray bytes = readBytes(length);
    return ok() ? Sjis::decode(bytes) : QString();
}

qint64 TrpStreamReader::pos() const
{
    return m_device.pos();
}

qint64 TrpStreamReader::size() const
{
    return m_device.size();
}

bool TrpStreamReader::seek(qint64 position)
{
    if (!ok())
        return false;
    if (position < 0 || position > m_device.size() || !m_device.seek(position)) {
        fail(QStringLiteral("Position %1 is outside the stream").arg(position));
        return false;
    }
    return true;
}

void TrpStreamReader::fail(const QString &message, qint64 position)
{
    if (ok())
        m_error = TrpError{TrpError::Kind::Stream, message, position >= 0 ? position : m_device.pos()};
}

QByteArray TrpStreamReader::readTerminated()
{
    QByteArray bytes;
    for (;;) {
        const quint8 byte = readByte();
        if (!ok() || byte == 0)
            return bytes;
        bytes.append(char(byte));
    }
}

QString TrpStreamReader::readString()
{
    if (m_version < CountedVersion) {
        const QByteArray bytes = readTerminated();
        return ok() ? Sjis::decode(bytes) : QString();
    }
    const quint16 length = readWord();
    const QByteArray bytes = readBytes(length);
    readByte();
    return ok() ? Sjis::decode(bytes) : QString();
}

QStringList TrpStreamReader::readLines()
{
    QStringList lines;
    if (m_version < CountedVersion) {
        QByteArray line;
        for (;;) {
            const quint8 byte = readByte();
            if (!ok())
                return {};
            if (byte == 13) {
                lines.append(Sjis::decode(line));
                line.clear();
            } else if (byte == 0) {
                if (!line.isEmpty())
                    lines.append(Sjis::decode(line));
                return lines;
            } else {
                line.append(char(byte));
            }
        }
    }
    if (readWord() == 0) {
        readByte();
        return {};
    }
    for (;;) {
        const quint16 length = readWord();
        const QByteArray bytes = readBytes(length);
        const quint8 separator = readByte();
        if (!ok())
            return {};
        lines.append(Sjis::decode(bytes));
        if (separator == 0)
            return lines;
    }
}
