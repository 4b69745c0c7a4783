#pragma once

#include "report/common/TrpError.h"

#include <QByteArray>
#include <QStringList>

class QIODevice;

// Reads the engine's stream encodings shared by template and prepared-report
// files: little-endian integers, texts and line lists. From version 23 on a
// text is a 16-bit length, the bytes and a byte 0, and a line list a 16-bit
// count (only tested for zero) followed by each line as a 16-bit length, the
// bytes and a separator (13, or 0 after the last line). Earlier versions
// end a text with a byte 0 and a line list with a byte 0 after lines ended
// by 13. Texts are Shift-JIS in the stream.
//
// The first read that fails (the stream ends) sets error() with its byte
// offset; every read after it gives zero or empty.
class TrpStreamReader
{
public:
    static constexpr int CountedVersion = 23;

    explicit TrpStreamReader(QIODevice &device, int version = CountedVersion);
    // Reads bytes held in memory, which must outlive the reader: without a
    // device between, each number costs a copy of its bytes and no more.
    explicit TrpStreamReader(QByteArrayView bytes, int version = CountedVersion);

    [[nodiscard]] int version() const { return m_version; }
    void setVersion(int version) { m_version = version; }

    quint8 readByte();
    quint16 readWord();
    qint32 readInt32();
    QByteArray readBytes(qsizetype count);
    QString readString();
    QStringList readLines();
    // A length byte and that many bytes (the values block of templates).
    QString readShortString();

    [[nodiscard]] qint64 pos() const;
    [[nodiscard]] qint64 size() const;
    [[nodiscard]] bool atEnd() const { return pos() >= size(); }
    // Moves to an absolute position inside the stream; a position outside
    // it is a format error.
    bool seek(qint64 position);
    // Records a format error found by the caller at the position given (the
    // current one by default), unless an error is already set.
    void fail(const QString &message, qint64 position = -1);

    [[nodiscard]] bool ok() const { return !m_error.isSet(); }
    [[nodiscard]] const TrpError &error() const { return m_error; }

private:
    QByteArray readTerminated();
    // Reads exactly count bytes into data; false, with the error set (and
    // data zeroed), when the stream ends first.
    bool readInto(char *data, qsizetype count);
    void failRead(qint64 at);

    // Reads up to count bytes into data; the number read.
    qsizetype readRaw(char *data, qsizetype count);
    QByteArrayView takeHeld(qsizetype count);

    QIODevice *m_device = nullptr;
    // Without a device: the bytes and the position in them.
    QByteArrayView m_bytes;
    qint64 m_pos = 0;
    int m_version;
    TrpError m_error;
};
