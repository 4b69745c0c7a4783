#pragma once

#include "report/pages/TrpPrinter.h"
#include "report/objects/TrpView.h"

#include <memory>
#include <vector>

// Page margins as stored, in page units.
struct TrpMargins
{
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;

    bool operator==(const TrpMargins &) const = default;
};

// A template page: its paper and margins, the printer's metrics for that
// paper, its columns and the objects placed on it, in the order they are
// stored and drawn.
class TrpPage
{
public:
    TrpPage() = default;
    TrpPage(const TrpPage &other);
    TrpPage &operator=(const TrpPage &) = delete;

    qint32 PaperSize = TrpPrinter::A4Paper;
    // Tenths of a millimetre, as the printer's paper table holds them.
    qint32 PaperWidth = 0;
    qint32 PaperHeight = 0;
    TrpMargins Margins;
    quint8 Orientation = TrpPrinter::Portrait;
    bool PrintToPreviousPage = false;
    bool UseMargins = false;
    qint32 ColumnCount = 1;
    qint32 ColumnGap = 0;
    // What the printer reported for the page's paper when it was read.
    TrpPrinter::PageMetrics PrnInfo;

    std::vector<std::unique_ptr<TrpView>> Objects;

    // Asks the printer for the page's paper and takes back what it chose
    // and its metrics.
    void applyPaper(TrpPrinter &printer);
};

// The pages of a template, in order.
class TrpPages
{
public:
    [[nodiscard]] int Count() const { return int(m_pages.size()); }
    [[nodiscard]] TrpPage &operator[](int index) { return *m_pages[size_t(index)]; }
    [[nodiscard]] const TrpPage &operator[](int index) const { return *m_pages[size_t(index)]; }
    TrpPage &Add();
    void Add(std::unique_ptr<TrpPage> page);
    void Clear() { m_pages.clear(); }

    [[nodiscard]] auto begin() const { return m_pages.begin(); }
    [[nodiscard]] auto end() const { return m_pages.end(); }

private:
    std::vector<std::unique_ptr<TrpPage>> m_pages;
};
