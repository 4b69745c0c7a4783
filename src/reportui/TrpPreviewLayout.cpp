#include "reportui/TrpPreviewLayout.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

double TrpPreviewLayout::clampFactor(double factor)
{
    if (std::isnan(factor))
        return 1.0;
    return std::clamp(factor, MinFactor, MaxFactor);
}

double TrpPreviewLayout::factorFor(int mode, double factor, QSize page, QSize view)
{
    const double width = qMax(1, page.width());
    const double height = qMax(1, page.height());
    switch (mode) {
    case PageWidth:
        return clampFactor((view.width() - 2 * Gap) / width);
    case WholePage:
        return clampFactor((view.height() - 2 * Gap) / height);
    case TwoPages:
        return clampFactor((view.width() - 3 * Gap) / (2 * width));
    default:
        return clampFactor(factor);
    }
}

QSize TrpPreviewLayout::scaled(QSize page) const
{
    return QSize(qRound(page.width() * m_factor), qRound(page.height() * m_factor));
}

int TrpPreviewLayout::countPerRow(const QList<QSize> &pages, int viewWidth) const
{
    int best = 0;
    int run = 0;
    int x = Gap;
    for (const QSize &page : pages) {
        const int step = scaled(page).width() + Gap;
        if (x + step <= viewWidth) {
            x += step;
            ++run;
            continue;
        }
        best = qMax(best, run);
        run = 1;
        x = Gap + step;
    }
    return qMax(1, qMax(best, run));
}

void TrpPreviewLayout::compute(const QList<QSize> &pages, QSize view, int mode, double factor, int current)
{
    m_factor = factorFor(mode, factor, pages.value(current, pages.value(0)), view);
    if (mode == WholePage)
        m_pagesPerRow = 1;
    else if (mode == TwoPages)
        m_pagesPerRow = 2;
    else
        m_pagesPerRow = countPerRow(pages, view.width());

    m_rects.clear();
    int right = 0;
    int bottom = 0;
    int y = Gap;
    for (qsizetype rowStart = 0; rowStart < pages.size(); rowStart += m_pagesPerRow) {
        int x = Gap;
        int tallest = 0;
        for (qsizetype i = rowStart; i < qMin(pages.size(), rowStart + m_pagesPerRow); ++i) {
            const QSize size = scaled(pages[i]);
            if (m_pagesPerRow == 1 && size.width() < view.width())
                x = (view.width() - size.width()) / 2;
            m_rects.append(QRect(QPoint(x, y), size));
            right = qMax(right, x + size.width());
            x += size.width() + Gap;
            tallest = qMax(tallest, size.height());
        }
        bottom = qMax(bottom, y + tallest);
        y += tallest + Gap;
    }
    const auto range = [](int edge, int extent) {
        return edge - extent >= 0 ? edge - extent + Gap : 0;
    };
    m_horizontalMax = range(right, view.width());
    m_verticalMax = range(bottom, view.height());
}

int TrpPreviewLayout::verticalPositionOf(int index) const
{
    return std::clamp(rect(index).top() - Gap, 0, m_verticalMax);
}

int TrpPreviewLayout::pageAtLine(int y) const
{
    for (qsizetype i = 0; i < m_rects.size(); ++i) {
        if (y >= m_rects[i].top() && y <= m_rects[i].bottom())
            return int(i);
    }
    return -1;
}
