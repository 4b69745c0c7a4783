#pragma once

#include <QByteArray>
#include <QList>

// The objects of a PDF document, written one after the other into memory,
// and the cross-reference table that ends the document. Object numbers are
// handed out first and their objects written later, in any order.
class TrpPdfObjects
{
public:
    TrpPdfObjects();

    // A new object number; its object must be written before finish().
    [[nodiscard]] int reserve();
    // Writes the object: its body is a whole PDF object ("<< ... >>", an array, a number).
    void add(int number, const QByteArray &body);
    // Writes a stream object: the dictionary's entries (without the angle
    // brackets, /Length and /Filter) and its data, Flate-compressed.
    void addStream(int number, const QByteArray &entries, const QByteArray &data);

    // A stream's data as written, packed apart from the document (packing
    // needs nothing of it, so it may run on another thread).
    struct Stream
    {
        QByteArray data;
        bool deflated = false;
    };
    // The data Flate-compressed; as it is when it cannot be.
    [[nodiscard]] static Stream packed(const QByteArray &data);
    void addStream(int number, const QByteArray &entries, const Stream &stream);
    // The whole document with the catalogue and information dictionary
    // given; false (and an empty document) when an object was reserved but
    // never written.
    [[nodiscard]] bool finish(int catalog, int info, QByteArray *document);

    // Bytes written so far.
    [[nodiscard]] qsizetype size() const { return m_data.size(); }

    // A PDF string literal of UTF-16 text: "<FEFF...>".
    [[nodiscard]] static QByteArray textString(const QString &text);
    // A number as PDF writes it: at most four decimals, no exponent, no
    // trailing zeros.
    [[nodiscard]] static QByteArray number(double value);
    static void appendNumber(QByteArray &out, double value);
    // The same into the buffer (at least NumberLength chars); its length.
    static constexpr int NumberLength = 32;
    static int formatNumber(char *buffer, double value);

private:
    QByteArray m_data;
    QList<qsizetype> m_offsets; // by object number - 1; -1 while not written
};
