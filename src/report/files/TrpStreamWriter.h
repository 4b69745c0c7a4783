#pragma once

#include "report/common/TrpError.h"

#include <QStringList>

class QIODevice;

// Writes the engine's stream encodings in their version-23 form (see
// TrpStreamReader). A text or line longer than 65,535 bytes cannot be
// stored and is an error rather than a cut; a line list of more lines
// stores 65,535 as its count, which readers only test for zero.
class TrpStreamWriter
{
public:
    explicit TrpStreamWriter(QIODevice &device);
    // Appends to the bytes, positions counting from their start: without a
    // device between, each number costs an append and no more.
    explicit TrpStreamWriter(QByteArray &bytes);

    void writeByte(quint8 value);
    void writeWord(quint16 value);
    void writeInt32(qint32 value);
    void writeBytes(const QByteArray &bytes);
    void writeString(QStringView text);
    void writeLines(const QStringList &lines);
    // A length byte and the bytes; a text over 255 bytes is an error.
    void writeShortString(QStringView text);

    [[nodiscard]] qint64 pos() const;
    // Overwrites four bytes written earlier and returns to the end.
    void writeInt32At(qint64 position, qint32 value);
    // Records an error found by the caller, unless one is already set.
    void fail(const QString &message);

    [[nodiscard]] bool ok() const { return !m_error.isSet(); }
    [[nodiscard]] const TrpError &error() const { return m_error; }

private:
    // Numbers are written from the stack: a byte array for each would cost
    // more than writing it.
    void writeRaw(const char *data, qsizetype count);
    bool fits(const QByteArray &bytes, qsizetype limit = 0xFFFF);

    QIODevice *m_device = nullptr;
    QByteArray *m_bytes = nullptr;
    TrpError m_error;
};
