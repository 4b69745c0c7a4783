#include "report/pages/TrpEMFPages.h"

#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpPictureView.h"
#include "report/objects/TrpViewFactory.h"
#include "report/pages/TrpPrinter.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

#include <limits>

namespace {

constexpr quint8 Plain = 0;
// First bytes of compressed files; 2 to 254 start a file of the older layout.
constexpr quint8 Compressed = 1;
constexpr quint8 CompressedToo = 255;

// The page stream of an older file's page: one picture object holding the
// page's metafile, over the area the metafile was drawn for: the whole paper,
// or without margins the printable area, where page coordinates start.
QByteArray metafilePageStream(const QByteArray &metafile, const TrpEMFPage &page)
{
    const TrpPrinter::PageMetrics &m = page.PrnInfo;
    TrpPictureView picture;
    picture.Flags = TrpPictureView::pfStretch;
    picture.Left = page.UseMargins ? -m.offsetX : 0;
    picture.Top = page.UseMargins ? -m.offsetY : 0;
    picture.Width = page.UseMargins ? m.pageWidth : m.printableWidth;
    picture.Height = page.UseMargins ? m.pageHeight : m.printableHeight;
    picture.setPicture(TrpPictureView::pkMetafile, metafile);

    QByteArray stream;
    QBuffer buffer(&stream);
    buffer.open(QIODevice::WriteOnly);
    TrpStreamWriter writer(buffer);
    writer.writeByte(TrpEMFPage::StreamVersion);
    TrpViewFactory::writePrepared(writer, picture);
    return stream;
}

} // namespace

TrpEMFPages::TrpEMFPages() = default;

TrpEMFPages::~TrpEMFPages() = default;

TrpEMFPage &TrpEMFPages::Add(const TrpPage &templatePage, int index)
{
    auto page = std::make_unique<TrpEMFPage>(templatePage);
    TrpEMFPage &added = *page;
    if (index < 0 || index >= Count())
        m_pages.push_back(std::move(page));
    else
        m_pages.insert(m_pages.begin() + index, std::move(page));
    return added;
}

void TrpEMFPages::Delete(int index)
{
    if (index >= 0 && index < Count())
        m_pages.erase(m_pages.begin() + index);
}

void TrpEMFPages::Clear()
{
    m_pages.clear();
}

bool TrpEMFPages::SaveToStream(QIODevice &device, const QString &printerName)
{
    m_error = TrpError{};
    TrpStreamWriter writer(device);
    writer.writeByte(Plain);
    writer.writeString(printerName);
    writer.writeInt32(Count());
    for (const std::unique_ptr<TrpEMFPage> &page : m_pages) {
        const qint64 start = writer.pos();
        writer.writeInt32(0);
        writer.writeWord(page->PaperSize);
        writer.writeInt32(page->PaperWidth);
        writer.writeInt32(page->PaperHeight);
        writer.writeByte(page->Orientation);
        writer.writeByte(page->UseMargins ? 1 : 0);
        writer.writeBytes(page->Stream);
        const qint64 next = writer.pos();
        if (next > std::numeric_limits<qint32>::max()) {
            writer.fail(QStringLiteral("Prepared report ends past the 2 GB a file can address"));
            break;
        }
        writer.writeInt32At(start, qint32(next));
        if (!writer.ok())
            break;
    }
    m_error = writer.error();
    return writer.ok();
}

bool TrpEMFPages::SaveToFile(const QString &fileName, const QString &printerName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = TrpError{TrpError::Kind::Stream,
                           QStringLiteral("Cannot create %1: %2").arg(fileName, file.errorString()), -1};
        return false;
    }
    if (!SaveToStream(file, printerName))
        return false;
    if (!file.commit()) {
        m_error = TrpError{TrpError::Kind::Stream,
                           QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()), -1};
        return false;
    }
    return true;
}

bool TrpEMFPages::LoadFromFile(const QString &fileName, TrpPrinter &printer, bool useDefaultPrinter)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Clear();
        m_error = TrpError{TrpError::Kind::Stream,
                           QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()), -1};
        return false;
    }
    return LoadFromStream(file, printer, useDefaultPrinter);
}

bool TrpEMFPages::LoadFromStream(QIODevice &device, TrpPrinter &printer, bool useDefaultPrinter)
{
    Clear();
    m_error = TrpError{};
    m_printerName.clear();
    const qint64 start = device.pos();
    const qint64 end = device.size();
    TrpStreamReader reader(device);
    const quint8 first = reader.readByte();
    if (!reader.ok()) {
        m_error = reader.error();
        return false;
    }
    if (first == Compressed || first == CompressedToo)
        return fail(reader, QStringLiteral("Compressed prepared reports cannot be read"));
    if (first != Plain) {
        if (!reader.seek(start)) {
            m_error = reader.error();
            return false;
        }
        return loadOlder(reader, end, printer, useDefaultPrinter);
    }
    return loadCurrent(reader, end, printer, useDefaultPrinter);
}

bool TrpEMFPages::fail(TrpStreamReader &reader, const QString &message)
{
    reader.fail(message);
    m_error = reader.error();
    return false;
}

std::unique_ptr<TrpEMFPage> TrpEMFPages::readPageHead(TrpStreamReader &reader, qint64 end, int index, qint64 &next)
{
    const qint64 start = reader.pos();
    next = reader.readInt32();
    auto page = std::make_unique<TrpEMFPage>();
    page->PaperSize = reader.readWord();
    page->PaperWidth = reader.readInt32();
    page->PaperHeight = reader.readInt32();
    page->Orientation = reader.readByte();
    page->UseMargins = reader.readByte() != 0;
    if (!reader.ok())
        return nullptr;
    if (next < reader.pos() || next > end) {
        reader.fail(QStringLiteral("Page %1 at offset %2: its end %3 lies outside %4 to %5")
                        .arg(index + 1)
                        .arg(start)
                        .arg(next)
                        .arg(reader.pos())
                        .arg(end));
        return nullptr;
    }
    return page;
}

bool TrpEMFPages::loadCurrent(TrpStreamReader &reader, qint64 end, TrpPrinter &printer, bool useDefaultPrinter)
{
    m_printerName = reader.readString();
    return loadPages(reader, end, printer, !useDefaultPrinter, PageBody::Objects);
}

bool TrpEMFPages::loadOlder(TrpStreamReader &reader, qint64 end, TrpPrinter &printer, bool useDefaultPrinter)
{
    // Texts before version 23: a run of bytes with 13 between lines and 0
    // at the end.
    reader.setVersion(22);
    const QStringList head = reader.readLines();
    m_printerName = head.value(0);
    return loadPages(reader, end, printer, !useDefaultPrinter && !head.isEmpty(), PageBody::Metafile);
}

bool TrpEMFPages::loadPages(TrpStreamReader &reader, qint64 end, TrpPrinter &printer, bool choosePrinter, PageBody body)
{
    const qint32 count = reader.readInt32();
    if (!reader.ok()) {
        m_error = reader.error();
        return false;
    }
    if (choosePrinter) {
        const int index = printer.indexOfPrinter(m_printerName);
        if (index >= 0)
            printer.setPrinterIndex(index);
    }
    if (count < 0)
        return fail(reader, QStringLiteral("Invalid page count %1").arg(count));
    for (int i = 0; i < count; ++i) {
        qint64 next = 0;
        std::unique_ptr<TrpEMFPage> page = readPageHead(reader, end, i, next);
        if (!page)
            break;
        QByteArray bytes = reader.readBytes(next - reader.pos());
        if (!reader.ok())
            break;
        printer.setPaper(page->PaperSize, page->PaperWidth, page->PaperHeight, page->Orientation);
        page->PrnInfo = printer.metrics();
        page->Stream = body == PageBody::Metafile ? metafilePageStream(bytes, *page) : std::move(bytes);
        m_pages.push_back(std::move(page));
    }
    m_error = reader.error();
    return reader.ok();
}
