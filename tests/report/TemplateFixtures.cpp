#include "TemplateFixtures.h"

#include "report/objects/TrpAddinRegistry.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpSubReportView.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace TemplateFixtures {

void TestAddin::loadFromStream(TrpStreamReader &reader, TrpStreamMode mode)
{
    TrpView::loadFromStream(reader, mode);
    Kind = reader.readByte();
}

void TestAddin::saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const
{
    TrpView::saveToStream(writer, mode);
    writer.writeByte(Kind);
}

void registerTestAddin()
{
    if (!TrpAddinRegistry::global().contains(QStringLiteral("TrpTestAddin")))
        TrpAddinRegistry::global().registerClass(QStringLiteral("TrpTestAddin"),
                                                 [] { return std::make_unique<TestAddin>(); });
}

TrpTemplate sampleTemplate()
{
    registerTestAddin();
    TrpTemplate report;
    report.UseDefaultPrinter = true;
    report.TwoPass = true;
    for (int i = 0; i < 2; ++i) {
        TrpPage &page = report.Pages.Add();
        page.PaperSize = 9;
        page.PaperWidth = 2100;
        page.PaperHeight = 2970;
        page.Margins = {10, 20, 30, 40};
        page.ColumnCount = 2 - i;
        page.ColumnGap = 5;
        page.UseMargins = i == 0;
    }
    TrpPage &first = report.Pages[0];

    auto band = std::make_unique<TrpBandView>();
    band->Name = QStringLiteral("MasterData1");
    band->Top = 100;
    band->Height = 30;
    band->FrameTyp = 5;
    band->FormatStr = QStringLiteral("3");
    first.Objects.push_back(std::move(band));

    auto memo = std::make_unique<TrpMemoView>();
    memo->Name = QStringLiteral("Memo1");
    memo->Left = 10;
    memo->Top = 100;
    memo->Width = 300;
    memo->Height = 24;
    memo->FrameTyp = 15;
    memo->FrameWidth = 1.5f;
    memo->FillColor = 0x00FFEEDD;
    memo->Memo = {q("氏名: [Name]様"), QString(), q("[Total #N0.2]")};
    memo->Script = {q("if [Total] > 0 then Visible := 1")};
    memo->Font.Name = q("ＭＳ 明朝");
    memo->Font.Size = 12;
    memo->Font.Style = 3;
    memo->Adjust = TrpMemoView::adCenter | TrpMemoView::adVCenter;
    memo->HighlightCondition = q("[Total] < 0");
    memo->Highlight.FontColor = 0x0000FF;
    first.Objects.push_back(std::move(memo));

    auto empty = std::make_unique<TrpMemoView>();
    empty->Name = QStringLiteral("Memo2");
    empty->Visible = false;
    first.Objects.push_back(std::move(empty));

    auto picture = std::make_unique<TrpPictureView>();
    picture->Name = QStringLiteral("Picture1");
    picture->Width = 40;
    picture->Height = 30;
    picture->Flags = TrpPictureView::pfStretch | TrpPictureView::pfKeepAspect;
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    picture->setImage(image);
    first.Objects.push_back(std::move(picture));

    auto sub = std::make_unique<TrpSubReportView>();
    sub->Name = QStringLiteral("SubReport1");
    sub->SubPage = 1;
    first.Objects.push_back(std::move(sub));

    auto line = std::make_unique<TrpLineView>();
    line->Name = QStringLiteral("Line1");
    line->Width = 200;
    line->FrameTyp = TrpView::frTop;
    line->FrameWidth = 12.0f;
    report.Pages[1].Objects.push_back(std::move(line));

    auto addin = std::make_unique<TestAddin>();
    addin->Name = QStringLiteral("Test1");
    addin->Typ = gtAddIn;
    addin->Kind = 3;
    report.Pages[1].Objects.push_back(std::move(addin));

    report.Values.Add({vtDataField, 0, q("Query1"), q("氏名"), q("Name")});
    report.Values.Add({vtSpecial, 1, QString(), q("1 + 2"), q("Total")});
    report.Variables = {q("Sum"), QString(), q("合計")};
    return report;
}

QByteArray saved(const TrpTemplate &report)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TrpError error;
    EXPECT_TRUE(report.saveToStream(buffer, QStringLiteral("Default printer"), error)) << error.message.toStdString();
    return bytes;
}

} // namespace TemplateFixtures
