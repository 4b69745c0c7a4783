#pragma once

#include "report/expr/TrpInterpretator.h"
#include "report/expr/TrpVariables.h"

#include <functional>

// The script interpreter of rpftool: names are the report variables given on
// the command line and set by the script; function calls are reported.
class ToolInterpretator : public TrpInterpretator
{
public:
    TrpVariables variables;
    // Told every function call the script makes.
    std::function<void(const QString &line)> onCall;

    void GetValue(const QString &name, Variant &value) override;
    void SetValue(const QString &name, const Variant &value) override;
    void DoFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                    QString &val) override;
};
