#pragma once

#include <QString>

// The input box of the report function INPUT.
class TrpInputUi
{
public:
    virtual ~TrpInputUi() = default;

    // The text entered; the default text when the box is closed otherwise.
    [[nodiscard]] virtual QString input(const QString &caption, const QString &prompt, const QString &defaultText) = 0;
};
