#include "building/BuildFixture.h"

#include "report/drawing/TrpDrawContext.h"
#include "report/files/TrpTemplate.h"
#include "report/files/TrpTemplateText.h"
#include "report/objects/TrpCheckBoxView.h"
#include "report/objects/TrpShapeView.h"
#include "report/objects/TrpStandardAddins.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

using namespace TrpBandTypes;

namespace {

bool darkAt(const TrpView &view, QPoint point)
{
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.draw(painter, TrpDrawContext());
    painter.end();
    return qGray(image.pixel(point)) < 128;
}

using AddinViewTest = BuildFixture;

TEST_F(AddinViewTest, CheckBoxesKeepTheWholeNumberOfTheirExpression)
{
    band(btReportTitle, 0, 40);
    for (const char *text : {"[0]", "[2.7]", "", "[-0.5]", "['7x' = '7x']"}) {
        auto check = std::make_unique<TrpCheckBoxView>();
        check->Width = check->Height = 20;
        if (*text)
            check->Memo = strings({text});
        addObject(std::move(check));
    }
    ASSERT_TRUE(build());
    const std::vector<std::unique_ptr<TrpView>> &objects = report.EMFPages()[0].objects();
    ASSERT_EQ(objects.size(), 5u);
    QStringList states;
    for (const std::unique_ptr<TrpView> &view : objects) {
        auto *check = dynamic_cast<const TrpCheckBoxView *>(view.get());
        ASSERT_NE(check, nullptr);
        states.append(check->ExpandedMemo.join(QLatin1Char(',')) + (check->isChecked() ? q("+") : q("-")));
    }
    EXPECT_EQ(states, strings({"0-", "2+", "-", "0-", "1+"}));
    EXPECT_EQ(static_cast<const TrpCheckBoxView &>(*objects[1]).exportText(), q("X"));
    EXPECT_EQ(static_cast<const TrpCheckBoxView &>(*objects[0]).exportText(), QString());
}

TEST(AddinView, CheckBoxDrawsItsMarkOnlyWhenChecked)
{
    TrpCheckBoxView check;
    check.Left = check.Top = 10;
    check.Width = check.Height = 40;
    check.ExpandedMemo = {QStringLiteral("1")};
    EXPECT_TRUE(darkAt(check, QPoint(30, 30)));
    check.ExpandedMemo = {QStringLiteral("0")};
    EXPECT_FALSE(darkAt(check, QPoint(30, 30)));
    check.ExpandedMemo.clear();
    EXPECT_FALSE(darkAt(check, QPoint(30, 30)));
}

TEST(AddinView, ShapesKeepTheirKindThroughBothStreamForms)
{
    TrpStandardAddins::registerAll();
    EXPECT_EQ(TrpShapeView::cornerSize(40, 20), 5);
    EXPECT_EQ(TrpShapeView::cornerSize(7, 30), 1);
    EXPECT_EQ(TrpShapeView::editorNames().size(), 6);
    EXPECT_EQ(TrpShapeView::editorNames()[3], QStringLiteral("三角形"));

    TrpPrinter printer{QStringList()};
    TrpTemplate report;
    report.Pages.Add().applyPaper(printer);
    auto shape = std::make_unique<TrpShapeView>();
    shape->ShapeKind = TrpShapeView::skTriangle;
    shape->Name = QStringLiteral("Shape1");
    report.Pages[0].Objects.push_back(std::move(shape));
    report.Pages[0].Objects.push_back(std::make_unique<TrpCheckBoxView>());
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    TrpError error;
    ASSERT_TRUE(report.saveToStream(buffer, printer.printerName(), error));
    buffer.seek(0);
    TrpTemplate loaded;
    ASSERT_EQ(loaded.loadFromStream(buffer, printer, error), TrpTemplate::LoadStatus::Loaded) << error.message.toStdString();
    ASSERT_EQ(loaded.Pages[0].Objects.size(), 2u);
    const auto *read = dynamic_cast<const TrpShapeView *>(loaded.Pages[0].Objects[0].get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->ShapeKind, TrpShapeView::skTriangle);
    EXPECT_EQ(read->Typ, gtAddIn);
    EXPECT_EQ(read->clone()->ClassName(), QStringLiteral("TrpShapeView"));
    EXPECT_EQ(static_cast<const TrpShapeView &>(*read->clone()).ShapeKind, TrpShapeView::skTriangle);
    EXPECT_FLOAT_EQ(loaded.Pages[0].Objects[1]->FrameWidth, 2.0f);

    const QString text = TrpTemplateText::write(loaded);
    EXPECT_TRUE(text.contains(QStringLiteral("  ShapeKind 3\n")));
    TrpTemplate compiled;
    ASSERT_TRUE(TrpTemplateText::read(text, compiled, error)) << error.message.toStdString();
    EXPECT_EQ(static_cast<const TrpShapeView &>(*compiled.Pages[0].Objects[0]).ShapeKind, TrpShapeView::skTriangle);

    TrpShapeView filled;
    filled.Width = filled.Height = 40;
    filled.FillColor = 0;
    filled.ShapeKind = TrpShapeView::skEllipse;
    EXPECT_TRUE(darkAt(filled, QPoint(20, 20)));
    EXPECT_FALSE(darkAt(filled, QPoint(2, 2)));
}

} // namespace
