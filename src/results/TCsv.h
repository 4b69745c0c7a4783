#pragma once

#include <QByteArray>
#include <QList>

// Splits one line of Shift-JIS bytes into fields. The trail byte of a
// double-byte character is never taken for a separator or a quote.
// Quotes stay in the fields until StripQuotes.
class TCsv
{
public:
    QByteArray Line;
    // Only a one-byte separator or quote ever matches.
    QByteArray Separator = QByteArrayLiteral(",");
    QByteArray Quote = QByteArrayLiteral("\"");
    // Separators inside quotes are text.
    bool QuoteAware = true;
    // A run of separators counts as one.
    bool MergeSeparators = false;
    QList<QByteArray> Fields;

    void Split();
    // Removes one leading, then one trailing quote from every field.
    void StripQuotes();

    // The lead bytes the walk skips with their trail byte.
    [[nodiscard]] static bool isLeadByte(unsigned char byte)
    {
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEF);
    }
};
