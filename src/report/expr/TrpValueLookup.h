#pragma once

#include "report/common/TrpError.h"

#include "base/Variant.h"

#include <QString>

#include <optional>

// The report's answer to a bracketed expression of a memo: a name it knows
// (the form's value handler, named values, data fields, special names,
// script variables) gives its value, and anything else is evaluated as an
// expression. The report remembers the text as the current expression and
// the result as the current value (VALUE) while it is formatted.
class TrpValueLookup
{
public:
    virtual ~TrpValueLookup();

    // nullopt when the lookup fails; error() tells why.
    [[nodiscard]] virtual std::optional<Variant> lookup(const QString &expression) = 0;
    [[nodiscard]] virtual TrpError error() const = 0;
};
