#pragma once

#include "report/pages/TrpPageOutput.h"
#include "report/pdf/TrpPdfObjects.h"
#include "report/pdf/TrpPdfPacker.h"
#include "report/pdf/TrpPdfPageWriter.h"
#include "report/pdf/TrpPdfResources.h"

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>

class TrpDrawList;

// A PDF document of prepared pages, written by the engine itself in memory
// and saved whole: each page on its own paper, its texts as the glyphs
// they were shaped into, in embedded font subsets whose text is searched
// and copied as it was printed.
class TrpPdfFile : public TrpPageOutput
{
public:
    TrpPdfFile();
    ~TrpPdfFile() override;
    TrpPdfFile(const TrpPdfFile &) = delete;
    TrpPdfFile &operator=(const TrpPdfFile &) = delete;

    void setTitle(const QString &title) { m_title = title; }
    void setCreator(const QString &creator) { m_creator = creator; }

    // Adds the page, drawn over its whole sheet, and releases it.
    [[nodiscard]] bool print(TrpEMFPage &page) override;
    // Adds a page of the sheet's size (points) with the records' page
    // mapped onto the whole of it; false, with errorString(), after
    // finish() or for a sheet of no size.
    [[nodiscard]] bool addPage(const TrpDrawList &list, const QSizeF &sheet);
    // Ends the document; false, with errorString(), when it has no page or
    // a font cannot be embedded.
    [[nodiscard]] bool finish() override;

    // The finished document; empty before finish().
    [[nodiscard]] const QByteArray &document() const { return m_document; }
    // Writes the finished document to the file whole or not at all; false,
    // with errorString(), when the file cannot be written.
    [[nodiscard]] bool save(const QString &fileName);
    [[nodiscard]] const QString &errorString() const { return m_error; }

private:
    // Writes the page contents packed so far; with all, every one.
    void takePacked(bool all);

    TrpPdfObjects m_objects;
    TrpPdfResources m_resources;
    TrpPdfPageWriter m_pageWriter;
    int m_pagesObject;
    QList<int> m_pages;
    // Page contents are packed while the pages after them are drawn.
    TrpPdfPacker m_packer;
    QString m_title;
    QString m_creator;
    QByteArray m_document;
    bool m_finished = false;
    QString m_error;
};
