#include "report/files/TrpStreamWriter.h"

#include "base/Sjis.h"

#include <QIODevice>
#include <QtEndian>

TrpStreamWriter::TrpStreamWriter(QIODevice &device) : m_device(&device) {}

TrpStreamWriter::TrpStreamWriter(QByteArray &bytes) : m_bytes(&bytes) {}

void TrpStreamWriter::writeBytes(const QByteArray &bytes)
{
    writeRaw(bytes.constData(), bytes.size());
}

void TrpStreamWriter::writeRaw(const char *data, qsizetype count)
{
    if (!ok() || count <= 0)
        return;
    if (m_bytes) {
        m_bytes->append(data, count);
        return;
    }
    const qint64 at = m_device->pos();
    if (m_device->write(data, count) != count)
        m_error = TrpError{TrpError::Kind::Stream, QStringLiteral("Stream write error at offset %1").arg(at), at};
}

void TrpStreamWriter::writeByte(quint8 value)
{
    const char byte = char(value);
    writeRaw(&byte, 1);
}

void TrpStreamWriter::writeWord(quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    writeRaw(bytes, 2);
}

void TrpStreamWriter::writeInt32(qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    writeRaw(bytes, 4);
}

bool TrpStreamWriter::fits(const QByteArray &bytes, qsizetype limit)
{
    if (bytes.size() <= limit)
        return true;
    if (ok()) {
        m_error = TrpError{TrpError::Kind::Stream,
                           QStringLiteral("Text of %1 bytes is too long to store").arg(bytes.size()), pos()};
    }
    return false;
}

void TrpStreamWriter::writeString(QStringView text)
{
    const QByteArray bytes = Sjis::encode(text);
    if (!fits(bytes))
        return;
    writeWord(quint16(bytes.size()));
    writeBytes(bytes);
    writeByte(0);
}

void TrpStreamWriter::writeLines(const QStringList &lines)
{
    if (lines.isEmpty()) {
        writeWord(0);
        writeByte(0);
        return;
    }
    writeWord(quint16(qMin<qsizetype>(lines.size(), 0xFFFF)));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray bytes = Sjis::encode(lines[i]);
        if (!fits(bytes))
            return;
        writeWord(quint16(bytes.size()));
        writeBytes(bytes);
        writeByte(i + 1 < lines.size() ? 13 : 0);
    }
}

void TrpStreamWriter::writeShortString(QStringView text)
{
    const QByteArray bytes = Sjis::encode(text);
    if (!fits(bytes, 0xFF))
        return;
    writeByte(quint8(bytes.size()));
    writeBytes(bytes);
}

qint64 TrpStreamWriter::pos() const
{
    return m_bytes ? m_bytes->size() : m_device->pos();
}

void TrpStreamWriter::writeInt32At(qint64 position, qint32 value)
{
    if (!ok())
        return;
    if (m_bytes) {
        if (position < 0 || position > m_bytes->size() - 4) {
            fail(QStringLiteral("Stream seek error at offset %1").arg(position));
            return;
        }
        qToLittleEndian(value, m_bytes->data() + position);
        return;
    }
    const qint64 end = m_device->pos();
    if (!m_device->seek(position)) {
        fail(QStringLiteral("Stream seek error at offset %1").arg(position));
        return;
    }
    writeInt32(value);
    if (!m_device->seek(end))
        fail(QStringLiteral("Stream seek error at offset %1").arg(end));
}

void TrpStreamWriter::fail(const QString &message)
{
    if (ok())
        m_error = TrpError{TrpError::Kind::Stream, message, pos()};
}
