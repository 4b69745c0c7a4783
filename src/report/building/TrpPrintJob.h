#pragma once

#include <QString>

class TrpReport;

// Prints a report's prepared pages on the printer wrapper's print target
// (the current platform printer or the platform's default queue): the
// pages named by a page text, each as many times as the copies ask, in one
// job named after the report's title.
class TrpPrintJob
{
public:
    explicit TrpPrintJob(TrpReport &report);

    // False with errorText() when nothing could be printed.
    bool print(const QString &pages, int copies);
    [[nodiscard]] const QString &errorText() const { return m_errorText; }

private:
    TrpReport &m_report;
    QString m_errorText;
};
