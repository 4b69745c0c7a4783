#pragma once

#include <QBuffer>
#include <QPdfWriter>
#include <QString>

// A PDF document written in memory and saved whole, its text searchable
// and copied as it was printed (see TrpPdfUnicode).
class TrpPdfFile
{
public:
    TrpPdfFile();
    TrpPdfFile(const TrpPdfFile &) = delete;
    TrpPdfFile &operator=(const TrpPdfFile &) = delete;

    // The device to paint the pages on (see TrpPagePrinter).
    [[nodiscard]] QPdfWriter &writer() { return m_writer; }
    // The finished document, once its painter has ended.
    [[nodiscard]] QByteArray document() const;
    // Writes the document to the file whole or not at all; false, with
    // errorString(), when the file cannot be written.
    [[nodiscard]] bool save(const QString &fileName);
    [[nodiscard]] const QString &errorString() const { return m_error; }

private:
    QBuffer m_buffer;
    QPdfWriter m_writer;
    QString m_error;
};
