#pragma once

#include <QString>

// The engine's message boxes: build errors and printing problems.
class TrpMessageUi
{
public:
    virtual ~TrpMessageUi() = default;

    // A box with the caption and the error icon.
    virtual void showError(const QString &caption, const QString &text) = 0;
};
