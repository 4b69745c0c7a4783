#include "report/files/TrpTemplate.h"

#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpSubReportView.h"
#include "report/objects/TrpViewFactory.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QSet>

namespace {

enum Tag : quint8 { TagPage = 255, TagValues = 254, TagDataManager = 253 };

// Smallest stored value: kind, index and three empty short texts.
constexpr qint64 MinValueBytes = 8;
// The block of version 22 and older page records that later ones dropped.
constexpr int OldPageBlock = 6;

void writeBool(TrpStreamWriter &writer, bool value)
{
    writer.writeWord(value ? 0xFFFF : 0);
}

} // namespace

// One reading pass over a template stream.
class TrpTemplate::Reader
{
public:
    Reader(TrpTemplate &target, QIODevice &device, TrpPrinter &printer)
        : m_target(target), m_reader(device), m_printer(printer)
    {}

    LoadStatus read(TrpError &error)
    {
        const qint64 start = m_reader.pos();
        const quint8 version = m_reader.readByte();
        if (!m_reader.ok())
            return failed(error);
        if (version < OldestVersion) {
            m_reader.setVersion(OldestVersion);
            m_reader.seek(start);
        } else if (version >= FirstUnsupportedVersion) {
            error = TrpError{TrpError::Kind::Stream, unsupportedMessage(), start};
            return LoadStatus::Unsupported;
        } else {
            m_reader.setVersion(version);
        }

        m_target.Pages.Clear();
        m_target.UseDefaultPrinter = m_reader.readWord() != 0;
        m_target.TwoPass = m_reader.readWord() != 0;
        m_target.PrinterName = m_reader.readString();
        if (!m_reader.ok())
            return failed(error);
        if (!m_target.UseDefaultPrinter) {
            const int index = m_printer.indexOfPrinter(m_target.PrinterName);
            if (index >= 0)
                m_printer.setPrinterIndex(index);
        }

        while (m_reader.ok() && !m_reader.atEnd()) {
            const qint64 at = m_reader.pos();
            const quint8 tag = m_reader.readByte();
            if (tag == TagPage) {
                readPage();
            } else if (tag == TagValues) {
                readValues();
            } else if (tag == TagDataManager) {
                break;
            } else if (tag <= gtAddIn) {
                // Types 5 to 9 are refused by the factory.
                m_reader.seek(at);
                readObject();
            } else {
                // Any other tag stops reading with an empty message.
                error = TrpError{TrpError::Kind::Stream, QString(), at};
                return LoadStatus::Failed;
            }
        }
        if (m_reader.ok())
            checkSubReports();
        return m_reader.ok() ? LoadStatus::Loaded : failed(error);
    }

private:
    LoadStatus failed(TrpError &error)
    {
        error = m_reader.error();
        return LoadStatus::Failed;
    }

    void readPage()
    {
        auto page = std::make_unique<TrpPage>();
        page->PaperSize = m_reader.readInt32();
        page->PaperWidth = m_reader.readInt32();
        page->PaperHeight = m_reader.readInt32();
        page->Margins.Left = m_reader.readInt32();
        page->Margins.Top = m_reader.readInt32();
        page->Margins.Right = m_reader.readInt32();
        page->Margins.Bottom = m_reader.readInt32();
        page->Orientation = m_reader.readByte();
        if (m_reader.version() < CurrentVersion)
            m_reader.readBytes(OldPageBlock);
        page->PrintToPreviousPage = m_reader.readWord() != 0;
        page->UseMargins = m_reader.readWord() != 0;
        page->ColumnCount = m_reader.readInt32();
        page->ColumnGap = m_reader.readInt32();
        if (!m_reader.ok())
            return;
        if (m_target.Pages.Count() >= MaxPages) {
            m_reader.fail(QStringLiteral("More than %1 pages").arg(MaxPages));
            return;
        }
        page->applyPaper(m_printer);
        m_target.Pages.Add(std::move(page));
    }

    void readObject()
    {
        int skip = 0;
        std::unique_ptr<TrpView> view = TrpViewFactory::readHead(m_reader, skip);
        if (!view)
            return;
        const qint64 at = m_reader.pos();
        const quint8 pageIndex = m_reader.readByte();
        if (!m_reader.ok())
            return;
        if (pageIndex >= m_target.Pages.Count()) {
            m_reader.fail(QStringLiteral("Object at offset %1 names page %2, which is not read").arg(at).arg(pageIndex),
                          at);
            return;
        }
        view->loadFromStream(m_reader, TrpStreamMode::Template);
        m_reader.readBytes(skip);
        if (!m_reader.ok())
            return;
        if (m_reader.version() < CurrentVersion)
            view->Name = uniqueName(view->BaseName());
        m_target.Pages[pageIndex].Objects.push_back(std::move(view));
    }

    // Older files hold no names: each object gets its class's base name
    // and the first number no object of the template has.
    QString uniqueName(const QString &base)
    {
        if (m_names.isEmpty()) {
            for (const auto &page : m_target.Pages)
                for (const auto &view : page->Objects)
                    m_names.insert(view->Name.toCaseFolded());
        }
        int &next = m_nextNumber[base];
        QString name;
        do {
            name = base + QString::number(++next);
        } while (m_names.contains(name.toCaseFolded()));
        m_names.insert(name.toCaseFolded());
        return name;
    }

    void readValues()
    {
        m_target.Values.Clear();
        const qint32 count = m_reader.readInt32();
        if (!m_reader.ok())
            return;
        const qint64 left = m_reader.size() - m_reader.pos();
        if (count < 0 || count > left / MinValueBytes) {
            m_reader.fail(QStringLiteral("Value count %1 does not fit the %2 bytes left").arg(count).arg(left));
            return;
        }
        for (qint32 i = 0; i < count && m_reader.ok(); ++i) {
            TrpValue value;
            value.Typ = m_reader.readByte();
            value.SpecialIndex = m_reader.readInt32();
            value.DataSetName = m_reader.readShortString();
            value.FieldName = m_reader.readShortString();
            value.Name = m_reader.readShortString();
            if (m_reader.ok())
                m_target.Values.Add(std::move(value));
        }
        m_target.Variables = m_reader.readLines();
    }

    void checkSubReports()
    {
        for (const auto &page : m_target.Pages) {
            for (const auto &view : page->Objects) {
                const auto *sub = dynamic_cast<const TrpSubReportView *>(view.get());
                if (sub && (sub->SubPage < 0 || sub->SubPage >= m_target.Pages.Count())) {
                    m_reader.fail(QStringLiteral("Subreport %1 prints page %2 of %3")
                                      .arg(sub->Name)
                                      .arg(sub->SubPage)
                                      .arg(m_target.Pages.Count()));
                    return;
                }
            }
        }
    }

    TrpTemplate &m_target;
    TrpStreamReader m_reader;
    TrpPrinter &m_printer;
    QSet<QString> m_names;
    QHash<QString, int> m_nextNumber;
};

TrpTemplate::LoadStatus TrpTemplate::loadFromStream(QIODevice &device, TrpPrinter &printer, TrpError &error)
{
    Reader reader(*this, device, printer);
    return reader.read(error);
}

TrpTemplate::LoadStatus TrpTemplate::loadFromFile(const QString &fileName, TrpPrinter &printer, TrpError &error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = TrpError{TrpError::Kind::Stream,
                         QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString())};
        return LoadStatus::Failed;
    }
    // Templates are small; reading them from memory spares a system call
    // per field.
    QBuffer buffer;
    buffer.setData(file.readAll());
    buffer.open(QIODevice::ReadOnly);
    return loadFromStream(buffer, printer, error);
}

bool TrpTemplate::saveToStream(QIODevice &device, const QString &printerName, TrpError &error) const
{
    TrpStreamWriter writer(device);
    writer.writeByte(CurrentVersion);
    writeBool(writer, UseDefaultPrinter);
    writeBool(writer, TwoPass);
    writer.writeString(printerName);
    if (Pages.Count() > MaxPages)
        writer.fail(QStringLiteral("A template holds at most %1 pages").arg(MaxPages));
    for (const auto &page : Pages) {
        writer.writeByte(TagPage);
        writer.writeInt32(page->PaperSize);
        writer.writeInt32(page->PaperWidth);
        writer.writeInt32(page->PaperHeight);
        writer.writeInt32(page->Margins.Left);
        writer.writeInt32(page->Margins.Top);
        writer.writeInt32(page->Margins.Right);
        writer.writeInt32(page->Margins.Bottom);
        writer.writeByte(page->Orientation);
        writeBool(writer, page->PrintToPreviousPage);
        writeBool(writer, page->UseMargins);
        writer.writeInt32(page->ColumnCount);
        writer.writeInt32(page->ColumnGap);
    }
    for (int i = 0; i < Pages.Count() && writer.ok(); ++i) {
        for (const auto &view : Pages[i].Objects) {
            TrpViewFactory::writeHead(writer, *view);
            writer.writeByte(quint8(i));
            view->saveToStream(writer, TrpStreamMode::Template);
        }
    }
    writer.writeByte(TagValues);
    writer.writeInt32(Values.Count());
    for (const TrpValue &value : Values.items()) {
        writer.writeByte(value.Typ);
        writer.writeInt32(value.SpecialIndex);
        writer.writeShortString(value.DataSetName);
        writer.writeShortString(value.FieldName);
        writer.writeShortString(value.Name);
    }
    writer.writeLines(Variables);
    if (!writer.ok()) {
        error = writer.error();
        return false;
    }
    return true;
}

bool TrpTemplate::saveToFile(const QString &fileName, const QString &printerName, TrpError &error) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!saveToStream(buffer, printerName, error))
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = TrpError{TrpError::Kind::Stream,
                         QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString())};
        return false;
    }
    return true;
}

bool TrpTemplate::writeReportForm(QIODevice &device, bool storeInDfm, const QString &printerName, TrpError &error) const
{
    QByteArray bytes;
    if (storeInDfm) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!saveToStream(buffer, printerName, error))
            return false;
    }
    TrpStreamWriter writer(device);
    writer.writeInt32(CurrentVersion);
    if (storeInDfm) {
        writer.writeInt32(qint32(bytes.size()));
        writer.writeBytes(bytes);
    }
    if (!writer.ok()) {
        error = writer.error();
        return false;
    }
    return true;
}

TrpTemplate::LoadStatus TrpTemplate::readReportForm(QIODevice &device, bool storeInDfm, TrpPrinter &printer,
                                                    TrpError &error)
{
    TrpStreamReader reader(device);
    reader.readInt32();
    if (storeInDfm) {
        const qint32 count = reader.readInt32();
        if (reader.ok() && (count < 0 || count > reader.size() - reader.pos()))
            reader.fail(QStringLiteral("Template of %1 bytes past the end of the property").arg(count));
        const QByteArray bytes = reader.readBytes(count);
        if (reader.ok()) {
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            return loadFromStream(buffer, printer, error);
        }
    }
    if (!reader.ok()) {
        error = reader.error();
        return LoadStatus::Failed;
    }
    return LoadStatus::Loaded;
}
