#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where the preview puts its pages: the zoom factor of the zoom mode, how
// many pages stand in a row, each page's rectangle in the scrolled area and
// the scroll ranges. Pages come at 100 % (page units, one pixel each).
class TrpPreviewLayout
{
public:
    enum Mode { FixedZoom = 0, PageWidth = 1, WholePage = 2, TwoPages = 3 };

    // 10 % to 1000 %: a stored or computed factor outside (a page of size 0,
    // a view of no width, a broken setting) is brought inside; NaN gives 100 %.
    static constexpr double MinFactor = 0.1;
    static constexpr double MaxFactor = 10.0;
    // Gap around and between the pages.
    static constexpr int Gap = 10;

    [[nodiscard]] static double clampFactor(double factor);
    // The factor of the mode for the page and the view; FixedZoom keeps the
    // factor given.
    [[nodiscard]] static double factorFor(int mode, double factor, QSize page, QSize view);

    // Lays the pages out in a view of that size; current is the 0-based
    // page the mode measures.
    void compute(const QList<QSize> &pages, QSize view, int mode, double factor, int current);

    [[nodiscard]] double factor() const { return m_factor; }
    [[nodiscard]] int pagesPerRow() const { return m_pagesPerRow; }
    [[nodiscard]] const QList<QRect> &rects() const { return m_rects; }
    [[nodiscard]] QRect rect(int index) const { return m_rects.value(index); }
    // Scroll maxima; 0 when everything fits.
    [[nodiscard]] int horizontalMax() const { return m_horizontalMax; }
    [[nodiscard]] int verticalMax() const { return m_verticalMax; }
    // The vertical position that puts the page's top just below the view's top.
    [[nodiscard]] int verticalPositionOf(int index) const;
    // The first page whose rectangle holds the line; -1 when none does.
    [[nodiscard]] int pageAtLine(int y) const;

private:
    [[nodiscard]] int countPerRow(const QList<QSize> &pages, int viewWidth) const;
    [[nodiscard]] QSize scaled(QSize page) const;

    double m_factor = 1.0;
    int m_pagesPerRow = 1;
    QList<QRect> m_rects;
    int m_horizontalMax = 0;
    int m_verticalMax = 0;
};
