#include "TemplateFit.h"

#include "report/building/TrpReport.h"
#include "report/data/TrpUserDataset.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPrinter.h"

#include <QFontMetricsF>

namespace {

// Rounding of the font's advances, well below a pixel.
constexpr double Slack = 0.01;

TrpPrinter &builtInPrinter()
{
    static TrpPrinter printer{QStringList()};
    return printer;
}

std::optional<TemplateFit::Misfit> misfit(const TrpMemoView &memo)
{
    if (!memo.Visible || memo.ExpandedMemo.join(QString()).isEmpty())
        return std::nullopt;
    const QRectF rect(memo.Left, memo.Top, memo.Width, memo.Height);
    const bool rotated = memo.Adjust & TrpMemoView::adRotated;
    const bool autoSized = (memo.Flags & TrpView::flAutoSize) && !rotated;
    const QSizeF box = rotated ? rect.size().transposed() : rect.size();
    // Measured at the size the memo is drawn at, which a text too big for
    // its box makes smaller.
    const TrpMemoView::TextSize size = memo.fittedSize(box);
    const int pixels = size.pixels;
    const QSizeF room(memo.innerWidth(box.width(), pixels), box.height() - 2 * TrpMemoView::GapY);
    const QList<TrpTextWrapper::Line> lines = memo.layoutLines(room.width(), pixels);
    const QFontMetricsF metrics(memo.drawingFont(pixels));
    double widest = 0;
    for (const TrpTextWrapper::Line &line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line.text));
    // The last line needs its glyphs' height, not the spacing after it.
    const double height = double(lines.size() - 1) * memo.lineHeight(size) + pixels;
    const bool tooWide = !autoSized && widest > room.width() + Slack;
    if (!tooWide && height <= room.height() + Slack)
        return std::nullopt;
    return TemplateFit::Misfit{0, rect.topLeft(), memo.ExpandedMemo.join(QLatin1Char('\n')), room,
                               QSizeF(widest, height)};
}

} // namespace

namespace TemplateFit {

std::vector<Misfit> misfits(TrpEMFPages &pages)
{
    std::vector<Misfit> found;
    for (int i = 0; i < pages.Count(); ++i) {
        for (const std::unique_ptr<TrpView> &view : pages[i].objects()) {
            const auto *memo = dynamic_cast<const TrpMemoView *>(view.get());
            if (!memo)
                continue;
            if (std::optional<Misfit> one = misfit(*memo)) {
                one->page = i + 1;
                found.push_back(std::move(*one));
            }
        }
    }
    return found;
}

QString describe(const std::vector<Misfit> &misfits)
{
    QString text;
    for (const Misfit &m : misfits)
        text += QStringLiteral("page %1 at %2,%3: %4 x %5 in %6 x %7: %8\n")
                    .arg(m.page)
                    .arg(m.place.x())
                    .arg(m.place.y())
                    .arg(m.needed.width(), 0, 'f', 1)
                    .arg(m.needed.height(), 0, 'f', 1)
                    .arg(m.room.width(), 0, 'f', 1)
                    .arg(m.room.height(), 0, 'f', 1)
                    .arg(m.text);
    return text;
}

Built build(TrpReport &report)
{
    Built built;
    report.setPrinter(builtInPrinter());
    if (!report.PrepareReport() || report.hasError()) {
        built.error = report.ErrorText().isEmpty() ? QStringLiteral("not built") : report.ErrorText();
        return built;
    }
    TrpEMFPages &pages = report.EMFPages();
    for (int i = 0; i < pages.Count(); ++i) {
        QStringList texts;
        for (const std::unique_ptr<TrpView> &view : pages[i].objects())
            texts.append(view->ExpandedMemo.join(QLatin1Char('\n')));
        built.pageTexts.push_back(std::move(texts));
    }
    built.misfits = misfits(pages);
    return built;
}

Built build(const QString &templateFile, int rows, TemplatePrintout::Values values)
{
    QObject owner;
    TrpReport report(&owner);
    TrpUserDataset dataset(&owner);
    TemplatePrintout::bind(report, dataset, rows, std::move(values));
    if (!report.LoadFromFile(templateFile))
        return Built{QStringLiteral("cannot load ") + templateFile, {}, {}};
    return build(report);
}

QString longest(int bytes, QChar character)
{
    QString text(bytes / 2, character);
    if (bytes % 2)
        text += QLatin1Char('8');
    return text;
}

} // namespace TemplateFit
