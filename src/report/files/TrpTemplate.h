#pragma once

#include "report/common/TrpError.h"
#include "report/pages/TrpPage.h"
#include "report/expr/TrpValues.h"

#include <QStringList>

class QIODevice;
class TrpPrinter;

// A report template as its .rpf file holds it: the printer choice, the
// pages with their objects, the named values and the variable list.
//
// Reading accepts version 21 (files without a version byte), 22 and 23;
// writing always writes version 23. A file that breaks its layout stops
// reading with an error and keeps the pages and objects read before the
// fault.
class TrpTemplate
{
public:
    static constexpr int OldestVersion = 21;
    static constexpr int CurrentVersion = 23;
    static constexpr int FirstUnsupportedVersion = 24;
    // Objects name their page in one byte.
    static constexpr int MaxPages = 256;

    enum class LoadStatus {
        Loaded,
        // Version 24 or later: nothing was read or changed.
        Unsupported,
        // The stream broke off or broke the layout; see the error.
        Failed,
    };

    // The text the report shows for a version it does not read.
    [[nodiscard]] static QString unsupportedMessage() { return QStringLiteral("Unsupported RPF format"); }

    bool UseDefaultPrinter = false;
    bool TwoPass = false;
    // The printer the template names (when it was read).
    QString PrinterName;
    TrpPages Pages;
    TrpValues Values;
    QStringList Variables;

    // Reads from the device's current position to its end. Unless the
    // template uses the default printer, the printer it names becomes
    // current when the wrapper lists it; every page sets the printer to its
    // paper and takes back what the printer chose.
    [[nodiscard]] LoadStatus loadFromStream(QIODevice &device, TrpPrinter &printer, TrpError &error);
    [[nodiscard]] LoadStatus loadFromFile(const QString &fileName, TrpPrinter &printer, TrpError &error);
    // Writes the template naming the printer given: the report passes the
    // wrapper's current printer.
    [[nodiscard]] bool saveToStream(QIODevice &device, const QString &printerName, TrpError &error) const;
    [[nodiscard]] bool saveToFile(const QString &fileName, const QString &printerName, TrpError &error) const;

    // The report component's ReportForm property: the int32 23 and, when
    // the template is stored with the component, its byte count and bytes.
    [[nodiscard]] bool writeReportForm(QIODevice &device, bool storeInDfm, const QString &printerName,
                                       TrpError &error) const;
    [[nodiscard]] LoadStatus readReportForm(QIODevice &device, bool storeInDfm, TrpPrinter &printer, TrpError &error);

private:
    class Reader;
};
