#pragma once

#include "platform/UserMessage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

// Every CSV file the system writes: Shift-JIS, fields joined by commas,
// lines ended by CR LF, a quote inside a quoted field doubled so that a
// spreadsheet reads the field back as it was. A character Shift-JIS lacks
// becomes "?" and is counted. Each file chooses which fields it quotes and
// what becomes of a line break inside a value.
class CsvWriter
{
public:
    enum class Quoting {
        EveryField,
        // Only a field holding a comma, a double quote or a line break, so
        // that the columns never shift.
        WhereNeeded,
    };
    enum class LineBreaks {
        // Inside the field's quotes.
        Kept,
        // Each CR and LF becomes a blank, for readers that end a line at
        // every line break.
        Blanked,
    };
    // A run of lines and the text that tells it could not be written.
    struct Part
    {
        std::vector<QStringList> lines;
        QString failure;
    };

    // Asks before an existing file is replaced, with the warning icon and
    // the buttons the file's window shows; false when the user says No.
    [[nodiscard]] static bool confirmOverwrite(const QString &fileName, MessageButtons buttons,
                                               const MessageAsker &ask);
    // A header line and the rows, each with its own failure text.
    [[nodiscard]] static std::vector<Part> headedParts(const QStringList &header, std::vector<QStringList> rows);

    CsvWriter(Quoting quoting, LineBreaks lineBreaks) : m_quoting(quoting), m_lineBreaks(lineBreaks) {}

    // The bytes of one line without its line end; the characters written as
    // "?" are added to *unmapped.
    [[nodiscard]] QByteArray line(const QStringList &values, qsizetype *unmapped = nullptr) const;
    // Writes the parts in turn, each through to the device; the failure
    // text of the part that could not be written, else an empty text.
    [[nodiscard]] QString writeTo(QIODevice &device, const std::vector<Part> &parts,
                                  qsizetype *unmapped = nullptr) const;
    // Writes the file whole or not at all; an empty text, or what failed.
    [[nodiscard]] QString write(const QString &fileName, const std::vector<Part> &parts,
                                qsizetype *unmapped = nullptr) const;

private:
    Quoting m_quoting;
    LineBreaks m_lineBreaks;
};
