#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <span>

class QPageLayout;
class TrpPlatformPrinter;
class TrpPlatformPrinters;

// The engine's single view of the printing device: the printers (the
// platform's, then "Default printer"), the current printer, its papers, the
// current paper and orientation, and the page metrics in page units that
// pages are laid out against. "Default printer", and every machine without a
// printer, works from the built-in paper table with 5 mm margins, so that
// reports can be prepared and previewed without a printer.
//
// Paper sizes are Windows paper codes (256 = custom) with width and height
// in tenths of a millimetre, as the report files store them.
class TrpPrinter
{
public:
    // Page units per inch: horizontally and vertically differ.
    static constexpr double UnitsPerInchX = 90.99804305283757;
    static constexpr double UnitsPerInchY = 91.6256157635468;

    static constexpr int CustomPaper = 256;
    static constexpr int A4Paper = 9;
    static constexpr int MaxPaperCodes = 256;
    // Papers above 10 m are taken as broken values and replaced by A4.
    static constexpr int MaxPaperLength = 100000;

    // Orientation as stored in files.
    static constexpr int Portrait = 0;
    static constexpr int Landscape = 1;

    struct PaperInfo
    {
        qint32 code;
        const char *name; // Latin-1
        qint32 width;     // tenths of a millimetre
        qint32 height;
    };

    // The twelve metrics of the current paper, in the order files keep them.
    struct PageMetrics
    {
        qint32 printerPageWidth = 0; // the whole paper, printer pixels
        qint32 printerPageHeight = 0;
        qint32 pageWidth = 0; // the whole paper, page units
        qint32 pageHeight = 0;
        qint32 printerOffsetX = 0; // origin of the printable area, printer pixels
        qint32 printerOffsetY = 0;
        qint32 offsetX = 0; // origin of the printable area, page units
        qint32 offsetY = 0;
        qint32 printerPrintableWidth = 0; // printable area, printer pixels
        qint32 printerPrintableHeight = 0;
        qint32 printableWidth = 0; // printable area, page units
        qint32 printableHeight = 0;

        bool operator==(const PageMetrics &) const = default;
    };

    // The process's wrapper over the installed platform printers (see
    // TrpPlatformPrinters); created on first use with the platform's default
    // printer current.
    [[nodiscard]] static TrpPrinter &instance();

    // A wrapper over the given platform printer names, opened through the
    // platform's printers (tests and tools pass none: only "Default
    // printer" can be made current). The last entry is current.
    explicit TrpPrinter(const QStringList &platformPrinters, TrpPlatformPrinters *platform = nullptr);
    ~TrpPrinter();
    TrpPrinter(const TrpPrinter &) = delete;
    TrpPrinter &operator=(const TrpPrinter &) = delete;

    [[nodiscard]] static QString defaultPrinterName();

    // The platform's printer names followed by "Default printer".
    [[nodiscard]] const QStringList &printers() const { return m_printers; }
    [[nodiscard]] bool hasPlatformPrinters() const { return m_defaultIndex > 0; }
    [[nodiscard]] int printerIndex() const { return m_printerIndex; }
    [[nodiscard]] int defaultPrinterIndex() const { return m_defaultIndex; }
    [[nodiscard]] bool isDefaultPrinter() const { return m_printerIndex == m_defaultIndex; }
    [[nodiscard]] QString printerName() const { return m_printers.value(m_printerIndex); }
    // -1 when the name is not in the list; exact comparison.
    [[nodiscard]] int indexOfPrinter(const QString &name) const { return int(m_printers.indexOf(name)); }

    // Makes the printer current and reads its papers, current paper and
    // metrics. False, with the current printer unchanged, for an index out
    // of range or a platform printer that cannot be opened.
    bool setPrinterIndex(int index);

    // The current printer's papers: codes and names in the same order, at
    // most MaxPaperCodes.
    [[nodiscard]] const QList<quint16> &paperCodes() const { return m_paperCodes; }
    [[nodiscard]] const QStringList &paperNames() const { return m_paperNames; }
    // Index of the code in paperCodes(), or -1.
    [[nodiscard]] int paperIndex(int code) const { return int(m_paperCodes.indexOf(quint16(code))); }

    [[nodiscard]] int paperSize() const { return m_paperSize; }
    [[nodiscard]] int paperWidth() const { return m_paperWidth; }
    [[nodiscard]] int paperHeight() const { return m_paperHeight; }
    [[nodiscard]] int orientation() const { return m_orientation; }
    [[nodiscard]] const PageMetrics &metrics() const { return m_metrics; }

    // Changes paper and orientation. Nothing happens when they equal the
    // current ones (for custom paper also width and height). Width and
    // height count only for custom paper or a code the printer lacks; a
    // paper with no size (0 x 0), a negative one or one over MaxPaperLength
    // becomes A4. Afterwards the paper fields hold what the printer took.
    void setPaper(int code, int width, int height, int orientation);

    // Forgets the paper selection, so that the next setPaper() applies.
    void forgetPaper();

    // The platform printer of the current entry, set to the current paper;
    // null while "Default printer" is current.
    [[nodiscard]] TrpPlatformPrinter *printer() const { return m_printer.get(); }
    // The printer that pages go to: the current platform printer, or while
    // "Default printer" is current the platform's default queue (opened on
    // first use and kept, so that its properties hold for the next job);
    // null when the machine has none.
    [[nodiscard]] TrpPlatformPrinter *printTarget();

    // The built-in table: codes 1 to 68 without 48 and 49, then "Custom".
    [[nodiscard]] static std::span<const PaperInfo> paperTable();
    // The row of the code, or null.
    [[nodiscard]] static const PaperInfo *findPaper(int code);

    // Metrics of "Default printer" for a paper of that size (tenths of a
    // millimetre): no device, 5 mm margins.
    [[nodiscard]] static PageMetrics defaultMetrics(int width, int height);
    // Metrics of a real printer: the page layout's full and paint rectangles
    // in printer pixels at the given resolution of each axis.
    [[nodiscard]] static PageMetrics deviceMetrics(const QPageLayout &layout, int dpiX, int dpiY);

private:
    void readDefaultPrinter();
    bool readPlatformPrinter(const QString &name);
    void applyDefaultPaper();
    void applyPlatformPaper();
    void readPlatformPaper();

    TrpPlatformPrinters *m_platform;
    QStringList m_printers;
    int m_defaultIndex = 0;
    int m_printerIndex = 0;

    std::unique_ptr<TrpPlatformPrinter> m_printer;
    std::unique_ptr<TrpPlatformPrinter> m_defaultQueue;

    QStringList m_paperNames;
    QList<quint16> m_paperCodes;

    int m_orientation = Portrait;
    int m_paperSize = A4Paper;
    int m_paperWidth = 2100;
    int m_paperHeight = 2970;
    PageMetrics m_metrics;
};
