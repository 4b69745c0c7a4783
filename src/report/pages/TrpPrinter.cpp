#include "report/pages/TrpPrinter.h"

#include "report/pages/TrpPlatformPrinter.h"
#include "report/pages/TrpPlatformPrinters.h"

#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>

#include <array>
#include <cmath>

namespace {

// Windows paper codes with their published names and sizes; 48 and 49 are
// reserved codes and have no row.
constexpr std::array<TrpPrinter::PaperInfo, 67> Papers = {{
    {1, "Letter, 8 1/2 x 11\"", 2159, 2794},
    {2, "Letter small, 8 1/2 x 11\"", 2159, 2794},
    {3, "Tabloid, 11 x 17\"", 2794, 4318},
    {4, "Ledger, 17 x 11\"", 4318, 2794},
    {5, "Legal, 8 1/2 x 14\"", 2159, 3556},
    {6, "Statement, 5 1/2 x 8 1/2\"", 1397, 2159},
    {7, "Executive, 7 1/4 x 10 1/2\"", 1842, 2667},
    {8, "A3 297 x 420 mm", 2970, 4200},
    {9, "A4 210 x 297 mm", 2100, 2970},
    {10, "A4 small sheet, 210 x 297 mm", 2100, 2970},
    {11, "A5 148 x 210 mm", 1480, 2100},
    {12, "B4 (JIS) 257 x 364 mm", 2570, 3640},
    {13, "B5 (JIS) 182 x 257 mm", 1820, 2570},
    {14, "Folio, 8 1/2 x 13\"", 2159, 3302},
    {15, "Quarto 215 x 275 mm", 2150, 2750},
    {16, "10 x 14\"", 2540, 3556},
    {17, "11 x 17\"", 2794, 4318},
    {18, "Note, 8 1/2 x 11\"", 2159, 2794},
    {19, "Envelope #9, 3 7/8 x 8 7/8\"", 984, 2254},
    {20, "Envelope #10, 4 1/8 x 9 1/2\"", 1048, 2413},
    {21, "Envelope #11, 4 1/2 x 10 3/8\"", 1143, 2635},
    {22, "Envelope #12, 4 3/4 x 11\"", 1206, 2794},
    {23, "Envelope #14, 5 x 11 1/2\"", 1270, 2921},
    {24, "C size sheet, 17 x 22\"", 4318, 5588},
    {25, "D size sheet, 22 x 34\"", 5588, 8636},
    {26, "E size sheet, 34 x 44\"", 8636, 11176},
    {27, "Envelope DL 110 x 220 mm", 1100, 2200},
    {28, "Envelope C5 162 x 229 mm", 1620, 2290},
    {29, "Envelope C3 324 x 458 mm", 3240, 4580},
    {30, "Envelope C4 229 x 324 mm", 2290, 3240},
    {31, "Envelope C6 114 x 162 mm", 1140, 1620},
    {32, "Envelope C65 114 x 229 mm", 1140, 2290},
    {33, "Envelope B4 250 x 353 mm", 2500, 3530},
    {34, "Envelope B5 176 x 250 mm", 1760, 2500},
    {35, "Envelope B6 176 x 125 mm", 1760, 1250},
    {36, "Envelope 110 x 230 mm", 1100, 2300},
    {37, "Envelope Monarch, 3 7/8 x 7 1/2\"", 984, 1905},
    {38, "6 3/4 Envelope, 3 5/8 x 6 1/2\"", 921, 1651},
    {39, "US Std Fanfold, 14 7/8 x 11\"", 3778, 2794},
    {40, "German Std Fanfold, 8 1/2 x 12\"", 2159, 3048},
    {41, "German Legal Fanfold, 8 1/2 x 13\"", 2159, 3302},
    {42, "B4 (ISO) 250 x 353 mm", 2500, 3530},
    {43, "Japanese Postcard 100 x 148 mm", 1000, 1480},
    {44, "9 x 11\"", 2286, 2794},
    {45, "10 x 11\"", 2540, 2794},
    {46, "15 x 11\"", 3810, 2794},
    {47, "Envelope Invite 220 x 220 mm", 2200, 2200},
    {50, "Letter Extra, 9 1/2 x 12\"", 2413, 3048},
    {51, "Legal Extra, 9 1/2 x 15\"", 2413, 3810},
    {52, "Tabloid Extra, 11.69 x 18\"", 2969, 4572},
    {53, "A4 Extra, 9.27 x 12.69\"", 2355, 3223},
    {54, "Letter Transverse, 8 1/2 x 11\"", 2159, 2794},
    {55, "A4 Transverse 210 x 297 mm", 2100, 2970},
    {56, "Letter Extra Transverse, 9 1/2 x 12\"", 2413, 3048},
    {57, "SuperA/A4 227 x 356 mm", 2270, 3560},
    {58, "SuperB/A3 305 x 487 mm", 3050, 4870},
    {59, "Letter Plus, 8 1/2 x 12.69\"", 2159, 3223},
    {60, "A4 Plus 210 x 330 mm", 2100, 3300},
    {61, "A5 Transverse 148 x 210 mm", 1480, 2100},
    {62, "B5 (JIS) Transverse 182 x 257 mm", 1820, 2570},
    {63, "A3 Extra 322 x 445 mm", 3220, 4450},
    {64, "A5 Extra 174 x 235 mm", 1740, 2350},
    {65, "B5 (ISO) Extra 201 x 276 mm", 2010, 2760},
    {66, "A2 420 x 594 mm", 4200, 5940},
    {67, "A3 Transverse 297 x 420 mm", 2970, 4200},
    {68, "A3 Extra Transverse 322 x 445 mm", 3220, 4450},
    {TrpPrinter::CustomPaper, "Custom", 0, 0},
}};

// Rounds halves to even, as the metrics always were; the result is clamped
// to the 32-bit range the files keep.
qint32 roundToInt(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= double(INT32_MIN)))
        return INT32_MIN;
    if (rounded > double(INT32_MAX))
        return INT32_MAX;
    return qint32(rounded);
}

bool usableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= TrpPrinter::MaxPaperLength && height <= TrpPrinter::MaxPaperLength;
}

QPageSize pageSizeOf(int code, int width, int height)
{
    if (code != TrpPrinter::CustomPaper) {
        const QPageSize::PageSizeId id = QPageSize::id(code);
        if (id != QPageSize::Custom)
            return QPageSize(id);
    }
    return QPageSize(QSizeF(qMin(width, height) / 10.0, qMax(width, height) / 10.0), QPageSize::Millimeter);
}

} // namespace

TrpPrinter &TrpPrinter::instance()
{
    static TrpPlatformPrinters *const platform = TrpPlatformPrinters::installed();
    static TrpPrinter printer(platform ? platform->printerNames() : QStringList(), platform);
    static const bool platformDefaultChosen = [] {
        if (!platform)
            return false;
        const int index = printer.indexOfPrinter(platform->defaultPrinterName());
        return index >= 0 && index != printer.defaultPrinterIndex() && printer.setPrinterIndex(index);
    }();
    Q_UNUSED(platformDefaultChosen);
    return printer;
}

TrpPrinter::TrpPrinter(const QStringList &platformPrinters, TrpPlatformPrinters *platform)
    : m_platform(platform), m_printers(platformPrinters)
{
    m_printers.removeAll(defaultPrinterName());
    m_printers.append(defaultPrinterName());
    m_defaultIndex = int(m_printers.size()) - 1;
    m_printerIndex = m_defaultIndex;
    readDefaultPrinter();
}

TrpPrinter::~TrpPrinter() = default;

QString TrpPrinter::defaultPrinterName()
{
    return QStringLiteral("Default printer");
}

TrpPlatformPrinter *TrpPrinter::printTarget()
{
    if (m_printer)
        return m_printer.get();
    if (!m_defaultQueue && m_platform) {
        const QString name = m_platform->defaultPrinterName();
        if (!name.isEmpty())
            m_defaultQueue = m_platform->open(name);
    }
    return m_defaultQueue.get();
}

bool TrpPrinter::setPrinterIndex(int index)
{
    if (index < 0 || index >= m_printers.size())
        return false;
    if (index == m_defaultIndex) {
        m_printer.reset();
        m_printerIndex = index;
        readDefaultPrinter();
        return true;
    }
    if (!readPlatformPrinter(m_printers[index]))
        return false;
    m_printerIndex = index;
    return true;
}

void TrpPrinter::readDefaultPrinter()
{
    m_paperCodes.clear();
    m_paperNames.clear();
    for (const PaperInfo &paper : Papers) {
        m_paperCodes.append(quint16(paper.code));
        m_paperNames.append(QString::fromLatin1(paper.name));
    }
    applyDefaultPaper();
}

bool TrpPrinter::readPlatformPrinter(const QString &name)
{
    std::unique_ptr<TrpPlatformPrinter> printer = m_platform ? m_platform->open(name) : nullptr;
    if (!printer)
        return false;
    m_printer = std::move(printer);

    m_paperCodes.clear();
    m_paperNames.clear();
    for (const QPageSize &size : m_printer->pageSizes()) {
        if (m_paperCodes.size() == MaxPaperCodes)
            break;
        // Sizes without a Windows code count as custom paper.
        const int code = size.windowsId();
        m_paperCodes.append(quint16(code > 0 ? code : CustomPaper));
        m_paperNames.append(size.name());
    }
    readPlatformPaper();
    return true;
}

void TrpPrinter::setPaper(int code, int width, int height, int orientation)
{
    orientation = orientation == Landscape ? Landscape : Portrait;
    if (code == m_paperSize && orientation == m_orientation &&
        (code != CustomPaper || (width == m_paperWidth && height == m_paperHeight)))
        return;
    m_paperSize = code;
    m_paperWidth = width;
    m_paperHeight = height;
    m_orientation = orientation;
    if (m_printer)
        applyPlatformPaper();
    else
        applyDefaultPaper();
}

void TrpPrinter::forgetPaper()
{
    m_paperSize = -1;
}

void TrpPrinter::applyDefaultPaper()
{
    if (m_paperSize != CustomPaper) {
        if (const PaperInfo *paper = findPaper(m_paperSize)) {
            m_paperWidth = paper->width;
            m_paperHeight = paper->height;
            if (m_orientation == Landscape)
                std::swap(m_paperWidth, m_paperHeight);
        }
    }
    if (!usableSize(m_paperWidth, m_paperHeight)) {
        m_paperSize = A4Paper;
        m_paperWidth = m_orientation == Landscape ? 2970 : 2100;
        m_paperHeight = m_orientation == Landscape ? 2100 : 2970;
    }
    m_metrics = defaultMetrics(m_paperWidth, m_paperHeight);
}

void TrpPrinter::applyPlatformPaper()
{
    int width = m_paperWidth;
    int height = m_paperHeight;
    int code = m_paperSize;
    if ((code == CustomPaper || QPageSize::id(code) == QPageSize::Custom) && !usableSize(width, height)) {
        code = A4Paper;
        width = 2100;
        height = 2970;
    }
    m_printer->setPaper(pageSizeOf(code, width, height),
                        m_orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    readPlatformPaper();
}

void TrpPrinter::readPlatformPaper()
{
    const QPageLayout layout = m_printer->pageLayout();
    const int code = layout.pageSize().windowsId();
    m_paperSize = code > 0 ? code : CustomPaper;
    m_orientation = layout.orientation() == QPageLayout::Landscape ? Landscape : Portrait;
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    m_paperWidth = roundToInt(full.width() * 10);
    m_paperHeight = roundToInt(full.height() * 10);
    const int resolution = m_printer->resolution();
    m_metrics = deviceMetrics(layout, resolution, resolution);
}

std::span<const TrpPrinter::PaperInfo> TrpPrinter::paperTable()
{
    return Papers;
}

const TrpPrinter::PaperInfo *TrpPrinter::findPaper(int code)
{
    for (const PaperInfo &paper : Papers) {
        if (paper.code == code)
            return &paper;
    }
    return nullptr;
}

TrpPrinter::PageMetrics TrpPrinter::defaultMetrics(int width, int height)
{
    if (!usableSize(width, height)) {
        width = 2100;
        height = 2970;
    }
    PageMetrics m;
    m.pageWidth = roundToInt(width * UnitsPerInchX / 254);
    m.pageHeight = roundToInt(height * UnitsPerInchY / 254);
    m.offsetX = roundToInt(50 * UnitsPerInchX / 254);
    m.offsetY = roundToInt(50 * UnitsPerInchY / 254);
    m.printableWidth = m.pageWidth - 2 * m.offsetX;
    m.printableHeight = m.pageHeight - 2 * m.offsetY;
    // Without a device a printer pixel is a page unit.
    m.printerPageWidth = m.pageWidth;
    m.printerPageHeight = m.pageHeight;
    m.printerOffsetX = m.offsetX;
    m.printerOffsetY = m.offsetY;
    m.printerPrintableWidth = m.printableWidth;
    m.printerPrintableHeight = m.printableHeight;
    return m;
}

TrpPrinter::PageMetrics TrpPrinter::deviceMetrics(const QPageLayout &layout, int dpiX, int dpiY)
{
    PageMetrics m;
    if (dpiX <= 0 || dpiY <= 0)
        return m;
    // Millimetres: the layout rounds other units more coarsely.
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    const double perMmX = dpiX / 25.4;
    const double perMmY = dpiY / 25.4;
    m.printerPageWidth = roundToInt(full.width() * perMmX);
    m.printerPageHeight = roundToInt(full.height() * perMmY);
    m.printerOffsetX = roundToInt(paint.left() * perMmX);
    m.printerOffsetY = roundToInt(paint.top() * perMmY);
    m.printerPrintableWidth = roundToInt(paint.width() * perMmX);
    m.printerPrintableHeight = roundToInt(paint.height() * perMmY);

    const double kx = UnitsPerInchX / dpiX;
    const double ky = UnitsPerInchY / dpiY;
    m.pageWidth = roundToInt(m.printerPageWidth * kx);
    m.pageHeight = roundToInt(m.printerPageHeight * ky);
    m.offsetX = roundToInt(m.printerOffsetX * kx);
    m.offsetY = roundToInt(m.printerOffsetY * ky);
    m.printableWidth = roundToInt(m.printerPrintableWidth * kx);
    m.printableHeight = roundToInt(m.printerPrintableHeight * ky);
    return m;
}
