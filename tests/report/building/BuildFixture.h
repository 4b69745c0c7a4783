#pragma once

#include "report/building/TrpBandTypes.h"
#include "report/building/TrpReport.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpPrinter.h"

#include <QObject>
#include <QRect>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline QString q(const char *s)
{
    return QString::fromUtf8(s);
}

inline QStringList strings(std::initializer_list<const char *> items)
{
    QStringList out;
    for (const char *item : items)
        out.append(QString::fromUtf8(item));
    return out;
}

// A report on "Default printer" with pages laid out from the corner of the
// printable area (margins 0), built from bands and memos placed by the test;
// the prepared pages are read back as texts and rectangles.
class BuildFixture : public ::testing::Test
{
protected:
    struct Output
    {
        QString text;
        QRect rect;
        QString className;
    };

    BuildFixture();

    TrpPage &page(int index = 0);
    // A band of the type at that y; flags default to a new band's 48.
    TrpBandView &band(int type, int top, int height, const QString &source = {}, quint16 flags = 48, int pageIndex = 0);
    // A memo that neither stretches nor wraps.
    TrpMemoView &memo(int left, int top, const QString &text, int width = 100, int height = 10, int pageIndex = 0);
    TrpMemoView &memo(int left, int top, const char *text, int width = 100, int height = 10, int pageIndex = 0)
    {
        return memo(left, top, QString::fromUtf8(text), width, height, pageIndex);
    }
    void addObject(std::unique_ptr<TrpView> view, int pageIndex = 0);

    // Builds; fails the test on a build error unless expected.
    bool build(bool expectError = false);
    [[nodiscard]] int pageCount() { return report.EMFPages().Count(); }
    [[nodiscard]] std::vector<Output> output(int pageIndex);
    [[nodiscard]] QStringList texts(int pageIndex);
    // Every text of every page, pages separated by "|".
    [[nodiscard]] QString allTexts();
    // The rectangle of the first output whose text is that.
    [[nodiscard]] QRect rectOf(int pageIndex, const QString &text);
    // The height bands are laid out in: the printable area's (the fixture's
    // pages have no margins).
    [[nodiscard]] int pageHeight() { return page().PrnInfo.printableHeight; }

    TrpPrinter printer{QStringList()};
    QObject form;
    TrpReport report{&form};
};
