#pragma once

#include <QString>

class TrpReport;

// The preview of prepared pages.
class TrpPreviewUi
{
public:
    virtual ~TrpPreviewUi() = default;

    // Shows the report's prepared pages (modally when the report asks so).
    virtual void show(TrpReport &report, const QString &caption) = 0;
};
