#include "report/pages/TrpEMFPage.h"

#include "report/drawing/TrpDrawContext.h"
#include "report/drawing/TrpRecordingDevice.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpAddinRegistry.h"
#include "report/objects/TrpView.h"
#include "report/objects/TrpViewFactory.h"
#include "report/pages/TrpPage.h"

#include <QLoggingCategory>
#include <QPainter>

namespace {

Q_LOGGING_CATEGORY(lcPages, "tamsolen.report.pages", QtWarningMsg)

// Versions the object records of a page may have been written in.
constexpr int LastVersion = 23;
// Boxes far off the paper are drawn at this distance at most.
constexpr double CoordinateLimit = 1 << 22;

QRectF boxOf(const TrpView &view)
{
    return QRectF(qBound(-CoordinateLimit, double(view.Left), CoordinateLimit),
                  qBound(-CoordinateLimit, double(view.Top), CoordinateLimit),
                  qBound(0.0, double(view.Width), CoordinateLimit), qBound(0.0, double(view.Height), CoordinateLimit));
}

} // namespace

TrpEMFPage::TrpEMFPage() : Stream(1, char(StreamVersion)) {}

TrpEMFPage::TrpEMFPage(const TrpPage &templatePage) : TrpEMFPage()
{
    PaperSize = quint16(templatePage.PaperSize);
    PaperWidth = templatePage.PaperWidth;
    PaperHeight = templatePage.PaperHeight;
    Orientation = templatePage.Orientation;
    UseMargins = templatePage.UseMargins;
    PrnInfo = templatePage.PrnInfo;
}

TrpEMFPage::~TrpEMFPage() = default;

QSize TrpEMFPage::size() const
{
    return QSize(qMax(1, PrnInfo.pageWidth), qMax(1, PrnInfo.pageHeight));
}

bool TrpEMFPage::addObject(const TrpView &view, TrpError *error)
{
    // Written in place, since picture end positions count from the start
    // of the page's stream; a record that fails is taken back whole.
    const qsizetype before = Stream.size();
    TrpStreamWriter writer(Stream);
    TrpViewFactory::writePrepared(writer, view);
    release();
    if (!writer.ok()) {
        Stream.truncate(before);
        if (error)
            *error = writer.error();
        return false;
    }
    return true;
}

const std::vector<std::unique_ptr<TrpView>> &TrpEMFPage::objects()
{
    if (!m_held)
        readObjects();
    return m_objects;
}

const TrpDrawList &TrpEMFPage::drawList()
{
    if (!m_held)
        readObjects();
    if (!m_recorded)
        record();
    return m_drawList;
}

void TrpEMFPage::release()
{
    m_held = false;
    m_recorded = false;
    m_objects.clear();
    m_unknownBoxes.clear();
    m_drawList = TrpDrawList();
}

void TrpEMFPage::readObjects()
{
    release();
    m_held = true;
    m_error = TrpError{};
    TrpStreamReader reader{QByteArrayView(Stream)};
    if (Stream.isEmpty())
        return;
    const quint8 version = reader.readByte();
    if (version > LastVersion) {
        m_error =
            TrpError{TrpError::Kind::Stream, QStringLiteral("Prepared page of unsupported version %1").arg(version), 0};
        qCWarning(lcPages) << m_error.message;
        return;
    }
    reader.setVersion(version);
    while (reader.ok() && !reader.atEnd()) {
        const qint64 at = reader.pos();
        if (reader.readByte() == gtAddIn) {
            const QString className = reader.readString();
            if (reader.ok() && className.toUpper() != QLatin1String("TRPFRAMEDMEMOVIEW") &&
                !TrpAddinRegistry::global().contains(className)) {
                // The body of a class we do not know has a tail we cannot
                // measure: its box is drawn and the page ends here.
                TrpView unknown;
                unknown.loadFromStream(reader, TrpStreamMode::Prepared);
                if (reader.ok())
                    m_unknownBoxes.push_back(boxOf(unknown));
                m_error = TrpError{TrpError::Kind::Stream, QString(TrpViewFactory::ClassNotFound) + className, at};
                qCWarning(lcPages) << "Prepared page: object at offset" << at << m_error.message;
                return;
            }
        }
        if (!reader.ok() || !reader.seek(at))
            break;
        std::unique_ptr<TrpView> view = TrpViewFactory::readPrepared(reader);
        if (!view)
            break;
        m_objects.push_back(std::move(view));
    }
    if (!reader.ok()) {
        m_error = reader.error();
        qCWarning(lcPages) << "Prepared page:" << m_error.message;
    }
}

void TrpEMFPage::record()
{
    const QSize paper = size();
    TrpRecordingDevice device(paper);
    QPainter painter(&device);
    // The page is drawn in the printable area of its paper.
    painter.translate(PrnInfo.offsetX, PrnInfo.offsetY);
    const TrpDrawContext context;
    for (const std::unique_ptr<TrpView> &view : m_objects)
        view->draw(painter, context);
    if (!m_unknownBoxes.empty()) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        for (const QRectF &box : m_unknownBoxes)
            painter.drawRect(box);
    }
    painter.end();
    m_drawList = device.takeRecords();
    m_recorded = true;
}

void TrpEMFPage::draw(QPainter &painter, const QRectF &paperRect, const QRectF &visible)
{
    if (!Visible) {
        release();
        return;
    }
    drawList().draw(painter, paperRect, visible);
}
