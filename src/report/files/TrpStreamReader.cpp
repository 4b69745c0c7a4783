#include "report/files/TrpStreamReader.h"

#include "base/Sjis.h"

#include <QIODevice>

#include <algorithm>

TrpStreamReader::TrpStreamReader(QIODevice &device, int version) : m_device(&device), m_version(version) {}

TrpStreamReader::TrpStreamReader(QByteArrayView bytes, int version) : m_bytes(bytes), m_version(version) {}

// As a device reads: what is left at most, the position after it.
QByteArrayView TrpStreamReader::takeHeld(qsizetype count)
{
    const qsizetype read = qsizetype(qBound<qint64>(0, m_bytes.size() - m_pos, count));
    const QByteArrayView taken = m_bytes.sliced(m_pos, read);
    m_pos += read;
    return taken;
}

qsizetype TrpStreamReader::readRaw(char *data, qsizetype count)
{
    if (m_device)
        return qsizetype(m_device->read(data, count));
    const QByteArrayView taken = takeHeld(count);
    std::copy_n(taken.data(), taken.size(), data);
    return taken.size();
}

void TrpStreamReader::failRead(qint64 at)
{
    m_error = TrpError{TrpError::Kind::Stream, QStringLiteral("Stream read error at offset %1").arg(at), at};
}

QByteArray TrpStreamReader::readBytes(qsizetype count)
{
    if (!ok() || count <= 0)
        return {};
    const qint64 at = pos();
    // Never more than the stream holds: a broken count may be huge.
    QByteArray bytes = m_device ? m_device->read(count) : takeHeld(count).toByteArray();
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
    const qint64 at = pos();
    if (readRaw(data, count) != count) {
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
    return m_device ? m_device->pos() : m_pos;
}

qint64 TrpStreamReader::size() const
{
    return m_device ? m_device->size() : m_bytes.size();
}

bool TrpStreamReader::seek(qint64 position)
{
    if (!ok())
        return false;
    if (position < 0 || position > size() || (m_device && !m_device->seek(position))) {
        fail(QStringLiteral("Position %1 is outside the stream").arg(position));
        return false;
    }
    m_pos = position;
    return true;
}

void TrpStreamReader::fail(const QString &message, qint64 position)
{
    if (ok())
        m_error = TrpError{TrpError::Kind::Stream, message, position >= 0 ? position : pos()};
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
