#pragma once

#include <QByteArray>
#include <QString>

// Why an engine operation failed: raised by expression conversion and
// evaluation, script compilation and running, and the data sets, and handed
// up to the report that shows it.
struct TrpError
{
    enum class Kind {
        None,
        Conversion,  // a text that is no number, date or integer; a broken expression
        Calculation, // an operator without operands, division by zero in MOD, overflow, nesting
        Script,      // a script that does not compile or does not end
        Database,    // a data set that is missing or fails
        Stream       // a template or prepared-report stream that ends early, breaks its layout or cannot be written
    };

    Kind kind = Kind::None;
    QString message;
    // Where in the expression or script text, or -1.
    qsizetype position = -1;

    [[nodiscard]] bool isSet() const { return kind != Kind::None; }

    // The engine's own message texts are Windows-1251 bytes; this is their
    // text for display.
    [[nodiscard]] static QString fromCp1251(QByteArrayView bytes);
    // A message as Windows-1251 bytes; characters the code page lacks become "?".
    [[nodiscard]] static QByteArray toCp1251(QStringView text);
};
