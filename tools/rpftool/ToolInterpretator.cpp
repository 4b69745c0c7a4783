#include "ToolInterpretator.h"

void ToolInterpretator::GetValue(const QString &name, Variant &value)
{
    value = variables.GetVariable(name);
}

void ToolInterpretator::SetValue(const QString &name, const Variant &value)
{
    variables.SetVariable(name, value);
}

void ToolInterpretator::DoFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                   QString &)
{
    if (onCall)
        onCall(name + QLatin1Char('(') + p1.toText() + QStringLiteral(", ") + p2.toText() + QStringLiteral(", ") +
               p3.toText() + QLatin1Char(')'));
}
