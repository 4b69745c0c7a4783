#pragma once

#include "base/Variant.h"

#include <QString>
#include <QStringList>

class TrpReport;

// A set of functions that report expressions call by name. The names are
// kept sorted (upper case) and found by binary search on the exact text;
// the index found selects the function. Parameters arrive as the raw
// expression texts of the call; the result is expression text (texts in
// single quotes, numbers as decimal text).
class TrpFunctionLibrary
{
public:
    virtual ~TrpFunctionLibrary();
    TrpFunctionLibrary(const TrpFunctionLibrary &) = delete;
    TrpFunctionLibrary &operator=(const TrpFunctionLibrary &) = delete;

    // False when the library does not know the name.
    bool OnFunction(TrpReport &report, const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                    QString &val);

    // A number as expression text the parser reads back: no exponent, no
    // locale separator, at most 15 significant digits.
    [[nodiscard]] static QString numberText(double value);
    // A text as a quoted literal.
    [[nodiscard]] static QString quotedText(const QString &text);

protected:
    explicit TrpFunctionLibrary(QStringList names);

    virtual void DoFunction(TrpReport &report, int index, const Variant &p1, const Variant &p2, const Variant &p3,
                            QString &val) = 0;

    QStringList List;
};
