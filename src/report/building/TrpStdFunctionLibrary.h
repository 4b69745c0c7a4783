#pragma once

#include "report/building/TrpFunctionLibrary.h"

#include <optional>

class TrpBand;

// The standard functions: texts (LOWERCASE, UPPERCASE, NAMECASE), dates
// and numbers (FORMATDATETIME, FORMATFLOAT, STRTODATE, STRTOTIME), the
// INPUT box, and the aggregates SUM, AVG, MIN, MAX and COUNT.
//
// An aggregate whose first parameter names a field of a database data set
// walks that data set at once (and puts it back where it stood). Otherwise
// it is kept in the footer band it stands in: the second parameter names
// the data band whose rows count (any when empty), the third, "1", lets
// rows of invisible data bands count too.
class TrpStdFunctionLibrary : public TrpFunctionLibrary
{
public:
    enum Index {
        fnAvg,
        fnCount,
        fnFormatDateTime,
        fnFormatFloat,
        fnInput,
        fnLowerCase,
        fnMax,
        fnMin,
        fnNameCase,
        fnStrToDate,
        fnStrToTime,
        fnSum,
        fnUpperCase
    };

    TrpStdFunctionLibrary();

protected:
    void DoFunction(TrpReport &report, int index, const Variant &p1, const Variant &p2, const Variant &p3,
                    QString &val) override;

private:
    [[nodiscard]] static std::optional<Variant> evaluate(TrpReport &report, const Variant &parameter);
    [[nodiscard]] static std::optional<double> numberOf(TrpReport &report, const Variant &value);
    void aggregate(TrpReport &report, int index, const Variant &p1, const Variant &p2, const Variant &p3,
                          QString &val);
    [[nodiscard]] static bool datasetAggregate(TrpReport &report, int index, const QString &argument, QString &val);
    void bandAggregate(TrpReport &report, TrpBand &band, int index, const QString &argument,
                              const Variant &p2, const Variant &p3, QString &val);
};
