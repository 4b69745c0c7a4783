#include "report/pages/TrpPdfFile.h"

#include "report/pages/TrpEMFPage.h"
#include "report/pages/TrpPagePrinter.h"

#include <QDateTime>
#include <QPageLayout>
#include <QSaveFile>

#include <cmath>

TrpPdfFile::TrpPdfFile() : m_resources(m_objects), m_pageWriter(m_resources), m_pagesObject(m_objects.reserve()) {}

TrpPdfFile::~TrpPdfFile() = default;

bool TrpPdfFile::print(TrpEMFPage &page)
{
    const bool added = addPage(page.drawList(), TrpPagePrinter::pageLayout(page).fullRect(QPageLayout::Point).size());
    page.Visible = false;
    page.release();
    return added;
}

bool TrpPdfFile::addPage(const TrpDrawList &list, const QSizeF &sheet)
{
    if (m_finished) {
        m_error = QStringLiteral("The document is finished and takes no more pages");
        return false;
    }
    if (!(sheet.width() > 0 && sheet.height() > 0 && std::isfinite(sheet.width()) && std::isfinite(sheet.height()))) {
        m_error = QStringLiteral("The page has no size a PDF page can have");
        return false;
    }
    const QSizeF size = list.pageSize();
    // The page's extent is mapped onto the whole sheet, upside down: PDF
    // counts up from the bottom.
    const qreal scaleX = size.width() > 0 ? sheet.width() / size.width() : 0;
    const qreal scaleY = size.height() > 0 ? sheet.height() / size.height() : 0;
    QByteArray content;
    if (!list.isEmpty() && scaleX > 0 && scaleY > 0)
        content = m_pageWriter.content(list, QTransform(scaleX, 0, 0, -scaleY, 0, sheet.height()));

    takePacked(false);
    const int contents = m_objects.reserve();
    m_packer.pack(contents, std::move(content));
    const int object = m_objects.reserve();
    m_objects.add(object, "<</Type/Page/Parent " + QByteArray::number(m_pagesObject) + " 0 R/MediaBox[0 0 " +
                              TrpPdfObjects::number(sheet.width()) + ' ' + TrpPdfObjects::number(sheet.height()) +
                              "]/Resources " + QByteArray::number(m_resources.object()) + " 0 R/Contents " +
                              QByteArray::number(contents) + " 0 R>>");
    m_pages.append(object);
    return true;
}

bool TrpPdfFile::finish()
{
    if (m_finished)
        return !m_document.isEmpty();
    m_finished = true;
    takePacked(true);
    if (m_pages.isEmpty()) {
        m_error = QStringLiteral("The document has no page");
        return false;
    }
    if (!m_resources.finish(&m_error))
        return false;
    QByteArray kids;
    for (const int page : std::as_const(m_pages))
        kids += QByteArray::number(page) + " 0 R ";
    m_objects.add(m_pagesObject, "<</Type/Pages/Kids[" + kids + "]/Count " + QByteArray::number(m_pages.size()) + ">>");
    const int catalog = m_objects.reserve();
    m_objects.add(catalog, "<</Type/Catalog/Pages " + QByteArray::number(m_pagesObject) + " 0 R>>");
    const int info = m_objects.reserve();
    const QString now = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss"));
    QByteArray entries = "<</CreationDate (D:" + now.toLatin1() + "Z)";
    if (!m_title.isEmpty())
        entries += "/Title " + TrpPdfObjects::textString(m_title);
    if (!m_creator.isEmpty())
        entries += "/Creator " + TrpPdfObjects::textString(m_creator);
    m_objects.add(info, entries + ">>");
    if (!m_objects.finish(catalog, info, &m_document)) {
        m_error = QStringLiteral("The document is incomplete");
        return false;
    }
    m_error.clear();
    return true;
}

void TrpPdfFile::takePacked(bool all)
{
    for (const TrpPdfPacker::Packed &packed : m_packer.take(all))
        m_objects.addStream(packed.first, {}, packed.second);
}

bool TrpPdfFile::save(const QString &fileName)
{
    if (m_document.isEmpty()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("The document is not finished");
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_document) < 0 || !file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_error.clear();
    return true;
}
