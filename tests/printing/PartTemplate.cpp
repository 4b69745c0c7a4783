#include "PartTemplate.h"

#include "report/building/TrpReport.h"
#include "report/files/TrpTemplate.h"
#include "report/files/TrpTemplateText.h"
#include "report/objects/TrpView.h"

#include <QDir>
#include <QRect>

#include <algorithm>

#include <gtest/gtest.h>

PartTemplate::PartTemplate(bool landscape, bool twoPass)
{
    m_text = QStringLiteral("TwoPass %1\nPage\n  PaperSize 9\n  PaperWidth %2\n  PaperHeight %3\n"
                            "  Orientation %4\n  UseMargins 1\n  Margins 18 18 18 18\n")
                 .arg(twoPass ? 1 : 0)
                 .arg(landscape ? 2970 : 2100)
                 .arg(landscape ? 2100 : 2970)
                 .arg(landscape ? 1 : 0);
}

PartTemplate &PartTemplate::band(const char *name, int type, int top, int height, const QString &source, int left,
                                 int width)
{
    m_text += QStringLiteral("Band 0\n  Name \"%1\"\n  Left %2\n  Top %3\n  Width %4\n  Height %5\n  Flags 48\n"
                             "  FrameTyp %6\n")
                  .arg(QLatin1String(name))
                  .arg(left)
                  .arg(top)
                  .arg(width > 0 ? width : 1200)
                  .arg(height)
                  .arg(type);
    if (!source.isEmpty())
        m_text += QStringLiteral("  FormatStr %1\n").arg(TrpTemplateText::quoted(source));
    return *this;
}

PartTemplate &PartTemplate::memo(const QString &text, int left, int top, int width, int height)
{
    return object("Memo", text, QRect(left, top, width, height));
}

PartTemplate &PartTemplate::picture(const QString &text, int left, int top, int width, int height)
{
    return object("Picture", text, QRect(left, top, width, height));
}

PartTemplate &PartTemplate::object(const char *kind, const QString &text, const QRect &place)
{
    m_text += QStringLiteral("%1 0\n  Name \"Part%2\"\n  Left %3\n  Top %4\n  Width %5\n  Height %6\n  Flags 0\n"
                             "  Memo %7\n")
                  .arg(QLatin1String(kind))
                  .arg(++m_objects)
                  .arg(place.left())
                  .arg(place.top())
                  .arg(place.width())
                  .arg(place.height())
                  .arg(TrpTemplateText::quoted(text));
    return *this;
}

bool PartTemplate::compileInto(const QString &folder, QStringView fileName) const
{
    TrpTemplate compiled;
    TrpError error;
    if (!TrpTemplateText::read(m_text, compiled, error) ||
        !compiled.saveToFile(QDir(folder).filePath(fileName.toString()), compiled.PrinterName, error)) {
        ADD_FAILURE() << error.message.toStdString() << " at " << error.position;
        return false;
    }
    return true;
}

PartTemplate::Pages PartTemplate::placed(TrpReport &report)
{
    Pages pages;
    for (int i = 0; i < report.EMFPages().Count(); ++i) {
        std::vector<Placed> texts;
        for (const std::unique_ptr<TrpView> &view : report.EMFPages()[i].objects())
            texts.push_back({view->ExpandedMemo.join(QLatin1Char('\n')), QPoint(view->Left, view->Top)});
        pages.push_back(texts);
    }
    return pages;
}

void PartTemplate::expectSamePlaces(const Pages &written, const Pages &shipped)
{
    ASSERT_EQ(written.size(), shipped.size());
    for (size_t i = 0; i < written.size(); ++i) {
        for (const Placed &text : written[i]) {
            if (text.text.isEmpty())
                continue;
            const bool found = std::any_of(shipped[i].begin(), shipped[i].end(), [&text](const Placed &other) {
                return other.text == text.text && other.place == text.place;
            });
            EXPECT_TRUE(found) << "page " << i + 1 << ": \"" << text.text.toStdString() << "\" at " << text.place.x()
                               << "," << text.place.y();
        }
    }
}
