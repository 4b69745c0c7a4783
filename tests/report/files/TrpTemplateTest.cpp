#include "TemplateFixtures.h"

#include "report/files/TrpTemplateText.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/objects/TrpSubReportView.h"
#include "report/objects/TrpViewFactory.h"
#include "report/pages/TrpPrinter.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace TemplateFixtures;

namespace {

struct Loaded
{
    TrpTemplate::LoadStatus status = TrpTemplate::LoadStatus::Failed;
    TrpError error;
    TrpTemplate report;
};

std::unique_ptr<Loaded> load(const QByteArray &bytes)
{
    registerTestAddin();
    auto loaded = std::make_unique<Loaded>();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TrpPrinter printer({});
    loaded->status = loaded->report.loadFromStream(buffer, printer, loaded->error);
    return loaded;
}

template <typename T> const T &object(const TrpTemplate &report, int page, int index)
{
    const T *view = dynamic_cast<const T *>(report.Pages[page].Objects.at(size_t(index)).get());
    EXPECT_NE(view, nullptr);
    return *view;
}

// The head of a version-23 file with one A4 page.
LeBytes headWithPage()
{
    LeBytes b;
    b.byte(23).word(0xFFFF).word(0).text("Default printer");
    b.byte(255).int32(9).int32(2100).int32(2970).int32(0).int32(0).int32(0).int32(0).byte(0);
    b.word(0).word(0).int32(1).int32(0);
    return b;
}

// A plain version-23 line object (type 4) on page 0, without its record head.
LeBytes &lineBody(LeBytes &b, const char *name = "Line1")
{
    b.text(name).int32(1).int32(2).int32(3).int32(4).word(0).word(8).int32(1).int32(0).word(0).int32(0x1FFFFFFF);
    b.int32(0).text("").word(0).byte(0).word(0).byte(0).word(0xFFFF);
    return b;
}

TEST(TrpTemplate, SaveLoadSaveGivesTheSameBytesAndFields)
{
    const TrpTemplate original = sampleTemplate();
    const QByteArray first = saved(original);
    const auto loaded = load(first);
    ASSERT_EQ(loaded->status, TrpTemplate::LoadStatus::Loaded) << loaded->error.message.toStdString();
    EXPECT_EQ(saved(loaded->report), first);

    // The fields as read; the text form (sample.txt) shows them all.
    const TrpTemplate &r = loaded->report;
    TrpTemplate named = sampleTemplate();
    named.PrinterName = q("Default printer");
    EXPECT_EQ(TrpTemplateText::write(r), TrpTemplateText::write(named));
    ASSERT_EQ(r.Pages.Count(), 2);
    EXPECT_EQ(r.Pages[0].PrnInfo.pageWidth, 752);
    ASSERT_EQ(r.Pages[0].Objects.size(), 5u);
    ASSERT_EQ(r.Pages[1].Objects.size(), 2u);
    const auto &memo = object<TrpMemoView>(r, 0, 1);
    const auto &source = object<TrpMemoView>(original, 0, 1);
    EXPECT_EQ(memo.Font, source.Font);
    EXPECT_EQ(memo.Highlight, source.Highlight);
    EXPECT_EQ(object<TrpBandView>(r, 0, 0).BandType(), 5);
    EXPECT_EQ(object<TrpPictureView>(r, 0, 3).pictureData(), object<TrpPictureView>(original, 0, 3).pictureData());
    EXPECT_EQ(object<TrpPictureView>(r, 0, 3).pictureSize(), QSizeF(4, 2));
    EXPECT_EQ(object<TrpSubReportView>(r, 0, 4).SubPage, 1);
    EXPECT_FLOAT_EQ(object<TrpLineView>(r, 1, 0).FrameWidth, 12.0f);
    const auto &addin = object<TestAddin>(r, 1, 1);
    EXPECT_EQ(addin.Typ, gtAddIn);
    EXPECT_EQ(addin.Kind, 3);
    EXPECT_EQ(r.Values.items(), original.Values.items());
    EXPECT_EQ(r.Variables, original.Variables);
    EXPECT_NE(memo.ID, source.ID);
}

TEST(TrpTemplate, EmptyMemoAndPictureEndAreWrittenAsLaidOut)
{
    TrpTemplate report;
    report.Pages.Add();
    auto line = std::make_unique<TrpLineView>();
    line->Name = QStringLiteral("Line1");
    line->Left = 1;
    line->Top = 2;
    line->Width = 3;
    line->Height = 4;
    line->FrameTyp = 8;
    line->Format = 0;
    report.Pages[0].Objects.push_back(std::move(line));
    const QByteArray bytes = saved(report);
    LeBytes expected;
    expected.byte(23).word(0).word(0).text("Default printer");
    expected.byte(255).int32(9).int32(0).int32(0).int32(0).int32(0).int32(0).int32(0).byte(0);
    expected.word(0).word(0).int32(1).int32(0);
    expected.byte(4).byte(0);
    lineBody(expected);
    expected.byte(254).int32(0).word(0).byte(0);
    EXPECT_EQ(bytes.toHex(' '), expected.data().toHex(' '));

    auto picture = std::make_unique<TrpPictureView>();
    picture->setPicture(TrpPictureView::pkBitmap, QByteArray("abc"));
    report.Pages[0].Objects.push_back(std::move(picture));
    const QByteArray withPicture = saved(report);
    // The end position points just past the three picture bytes.
    const qsizetype end = withPicture.indexOf(QByteArray("abc")) + 3;
    const QByteArray stored = withPicture.mid(end - 3 - 4, 4);
    EXPECT_EQ(qFromLittleEndian<qint32>(stored.constData()), end);
}

TEST(TrpTemplate, FrameWidthSurvivesSaveAndLoad)
{
    EXPECT_FLOAT_EQ(TrpView::frameWidthFromFile(1), 1.0f);
    EXPECT_FLOAT_EQ(TrpView::frameWidthFromFile(1500), 1.5f);
    EXPECT_FLOAT_EQ(TrpView::frameWidthFromFile(10), 10.0f);
    EXPECT_FLOAT_EQ(TrpView::frameWidthFromFile(11), 0.011f);

    EXPECT_EQ(TrpView::frameWidthToFile(1.0f), 1);
    EXPECT_EQ(TrpView::frameWidthToFile(10.0f), 10);
    EXPECT_EQ(TrpView::frameWidthToFile(1.5f), 1500);
    EXPECT_EQ(TrpView::frameWidthToFile(12.0f), 12000);
    EXPECT_EQ(TrpView::frameWidthToFile(0.005f), 11);
    EXPECT_EQ(TrpView::frameWidthToFile(-0.4f), 0);
    for (const float width : {0.0f, 0.5f, 1.0f, 2.25f, 10.0f, 10.5f, 11.0f, 12.0f, 100.0f, 0.011f, 0.02f}) {
        EXPECT_FLOAT_EQ(TrpView::frameWidthFromFile(TrpView::frameWidthToFile(width)), width) << width;
    }
}

TEST(TrpTemplate, WriterRefusesLengthsItCannotStore)
{
    TrpTemplate report = sampleTemplate();
    report.Values.Add({vtExpression, 0, QString(), QString(256, QLatin1Char('x')), q("Long")});
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TrpError error;
    EXPECT_FALSE(report.saveToStream(buffer, q("Default printer"), error));
    EXPECT_TRUE(error.isSet());

    TrpTemplate lines = sampleTemplate();
    dynamic_cast<TrpMemoView &>(*lines.Pages[0].Objects[1]).Memo.append(QString(70000, QLatin1Char('x')));
    EXPECT_FALSE(lines.saveToStream(buffer, q("Default printer"), error));

    TrpTemplate many;
    for (int i = 0; i < 257; ++i)
        many.Pages.Add();
    EXPECT_FALSE(many.saveToStream(buffer, q("Default printer"), error));
}

TEST(TrpTemplate, FileWithoutVersionByteIsReadAsVersion21)
{
    LeBytes b;
    b.word(0).word(1).textz("Default printer");
    b.byte(255).int32(9).int32(2100).int32(2970).int32(0).int32(0).int32(0).int32(0).byte(1);
    b.raw(QByteArray(6, 'x')).word(0).word(0xFFFF).int32(1).int32(0);
    b.byte(0).byte(0);
    b.int32(5).int32(6).int32(7).int32(8).word(0).word(0).int32(1).int32(0).word(0).int32(0x1FFFFFFF);
    b.int32(0).textz("").raw("one\r\rthree").byte(0);
    b.textz("ＭＳ ゴシック").int32(9).word(1).int32(0).int32(0).word(128);
    b.word(2).int32(0).int32(0xFFFFFF).textz("");
    const auto loaded = load(b.data());
    ASSERT_EQ(loaded->status, TrpTemplate::LoadStatus::Loaded) << loaded->error.message.toStdString();
    EXPECT_TRUE(loaded->report.TwoPass);
    ASSERT_EQ(loaded->report.Pages.Count(), 1);
    EXPECT_EQ(loaded->report.Pages[0].Orientation, 1);
    EXPECT_EQ(loaded->report.Pages[0].PaperWidth, 2970);
    EXPECT_TRUE(loaded->report.Pages[0].UseMargins);
    const auto &memo = object<TrpMemoView>(loaded->report, 0, 0);
    EXPECT_EQ(memo.Name, q("Memo1"));
    EXPECT_EQ(memo.Memo, (QStringList{q("one"), QString(), q("three")}));
    EXPECT_EQ(memo.Flags, TrpView::flWordWrap);
    EXPECT_EQ(memo.Font.Charset, 0);
    EXPECT_EQ(memo.Font.Size, 9);
}

TEST(TrpTemplate, Version22UsesOldTextsAndGeneratedNames)
{
    LeBytes b;
    b.byte(22).word(0).word(0).textz("No such printer");
    b.byte(255).int32(9).int32(2100).int32(2970).int32(1).int32(2).int32(3).int32(4).byte(0);
    b.raw(QByteArray(6, 'x')).word(0xFFFF).word(0).int32(3).int32(7);
    for (int i = 0; i < 2; ++i) {
        b.byte(4).byte(0);
        b.int32(i).int32(0).int32(100).int32(0).word(0).word(8).int32(1500).int32(0).word(0).int32(0x1FFFFFFF);
        b.int32(0).textz("N0.2").byte(0);
    }
    b.byte(10).textz("TrpFramedMemoView").byte(0);
    b.int32(0).int32(0).int32(50).int32(10).word(0).word(0).int32(1).int32(0).word(0).int32(0x1FFFFFFF);
    b.int32(0).textz("").raw("a\rb\r").byte(0);
    b.textz("ＭＳ 明朝").int32(10).word(2).int32(0).int32(1).word(128);
    b.word(2).int32(0).int32(0xFFFFFF).textz("");
    b.raw(QByteArray(8, '\x7F'));
    b.byte(254).int32(1).byte(1).int32(0).byte(1).raw("Q").byte(1).raw("F").byte(4).raw("Name");
    b.raw("x\ry").byte(0);
    const auto loaded = load(b.data());
    ASSERT_EQ(loaded->status, TrpTemplate::LoadStatus::Loaded) << loaded->error.message.toStdString();
    const TrpTemplate &r = loaded->report;
    EXPECT_EQ(r.PrinterName, q("No such printer"));
    EXPECT_TRUE(r.Pages[0].PrintToPreviousPage);
    EXPECT_EQ(r.Pages[0].ColumnCount, 3);
    EXPECT_EQ(r.Pages[0].ColumnGap, 7);
    EXPECT_EQ(r.Pages[0].Margins, (TrpMargins{1, 2, 3, 4}));
    ASSERT_EQ(r.Pages[0].Objects.size(), 3u);
    EXPECT_EQ(object<TrpLineView>(r, 0, 0).Name, q("Line1"));
    EXPECT_EQ(object<TrpLineView>(r, 0, 1).Name, q("Line2"));
    EXPECT_EQ(object<TrpLineView>(r, 0, 1).FormatStr, q("N0.2"));
    EXPECT_FLOAT_EQ(object<TrpLineView>(r, 0, 1).FrameWidth, 1.5f);
    EXPECT_TRUE(object<TrpLineView>(r, 0, 1).Visible);
    EXPECT_TRUE(object<TrpLineView>(r, 0, 1).Memo.isEmpty());
    const auto &framed = object<TrpMemoView>(r, 0, 2);
    EXPECT_EQ(framed.Typ, gtMemo);
    EXPECT_EQ(framed.Name, q("Memo1"));
    EXPECT_EQ(framed.Memo, (QStringList{q("a"), q("b")}));
    EXPECT_EQ(framed.Font.Name, q("ＭＳ 明朝"));
    EXPECT_EQ(framed.Font.Charset, 0);
    EXPECT_EQ(framed.Flags, 0);
    ASSERT_EQ(r.Values.Count(), 1);
    EXPECT_EQ(r.Values[0], (TrpValue{vtDataField, 0, q("Q"), q("F"), q("Name")}));
    EXPECT_EQ(r.Variables, (QStringList{q("x"), q("y")}));
}

TEST(TrpTemplate, Version24IsRefusedAndChangesNothing)
{
    auto loaded = load(saved(sampleTemplate()));
    ASSERT_EQ(loaded->status, TrpTemplate::LoadStatus::Loaded);
    QBuffer buffer;
    buffer.setData(QByteArray(headWithPage().data()).replace(0, 1, "\x18"));
    buffer.open(QIODevice::ReadOnly);
    TrpPrinter printer({});
    EXPECT_EQ(loaded->report.loadFromStream(buffer, printer, loaded->error), TrpTemplate::LoadStatus::Unsupported);
    EXPECT_EQ(loaded->error.message, q("Unsupported RPF format"));
    EXPECT_EQ(loaded->report.Pages.Count(), 2);
    EXPECT_EQ(loaded->report.Pages[0].Objects.size(), 5u);
}

TEST(TrpTemplate, BrokenFilesGiveOrderlyErrorsAndKeepWhatWasRead)
{
    struct Case
    {
        const char *what;
        QByteArray bytes;
        const char *message; // a part of the error, or "" for the empty message
        int objects;         // objects of page 0 kept
    };
    QList<Case> cases;
    {
        LeBytes b = headWithPage();
        b.byte(4).byte(0);
        lineBody(b);
        b.byte(7).byte(0);
        cases.append({"tag 7", b.data(), "Invalid object type 7", 1});
    }
    {
        LeBytes b = headWithPage();
        b.byte(4).byte(0);
        lineBody(b);
        b.byte(100);
        cases.append({"tag 100", b.data(), "", 1});
    }
    {
        LeBytes b = headWithPage();
        b.byte(4).byte(1);
        lineBody(b);
        cases.append({"page not read", b.data(), "names page 1", 0});
    }
    {
        LeBytes b = headWithPage();
        b.byte(10).text("TrpNoSuchView").byte(0);
        lineBody(b);
        cases.append({"unknown add-in", b.data(), "Class not found: TrpNoSuchView", 0});
    }
    {
        LeBytes b = headWithPage();
        b.byte(1).byte(0);
        lineBody(b, "Picture1").byte(1).int32(10).raw("xyz");
        cases.append({"picture end backwards", b.data(), "Picture end 10", 0});
    }
    {
        LeBytes b = headWithPage();
        b.byte(1).byte(0);
        lineBody(b, "Picture1");
        b.byte(1).int32(b.size() + 4 + 100).raw("xyz");
        cases.append({"picture end past the file", b.data(), "Picture end", 0});
    }
    {
        LeBytes b = headWithPage();
        b.byte(3).byte(0);
        lineBody(b, "SubReport1").int32(5);
        cases.append({"subpage out of range", b.data(), "prints page 5", 1});
    }
    {
        LeBytes b = headWithPage();
        b.byte(254).int32(0x7FFFFFFF);
        cases.append({"value count", b.data(), "Value count", 0});
    }
    {
        LeBytes b = headWithPage();
        b.byte(4).byte(0);
        lineBody(b);
        QByteArray cut = b.data();
        cut.chop(5);
        cases.append({"truncated", cut, "Stream read error", 0});
    }
    {
        LeBytes b = headWithPage();
        b.byte(4).byte(0);
        b.word(0xFFFF).raw("abc");
        cases.append({"length past the end", b.data(), "Stream read error", 0});
    }
    for (const Case &c : cases) {
        const auto loaded = load(c.bytes);
        EXPECT_EQ(loaded->status, TrpTemplate::LoadStatus::Failed) << c.what;
        if (*c.message == 0)
            EXPECT_TRUE(loaded->error.message.isEmpty()) << c.what;
        else
            EXPECT_TRUE(loaded->error.message.contains(q(c.message)))
                << c.what << ": " << loaded->error.message.toStdString();
        EXPECT_GE(loaded->error.position, 0) << c.what;
        ASSERT_EQ(loaded->report.Pages.Count(), 1) << c.what;
        EXPECT_EQ(int(loaded->report.Pages[0].Objects.size()), c.objects) << c.what;
    }
}

TEST(TrpTemplate, DataManagerBlockEndsReading)
{
    LeBytes b = headWithPage();
    b.byte(253).raw("anything at all");
    const auto loaded = load(b.data());
    EXPECT_EQ(loaded->status, TrpTemplate::LoadStatus::Loaded);
    EXPECT_EQ(loaded->report.Pages.Count(), 1);
}

TEST(TrpTemplate, PagesTakeThePaperThePrinterChose)
{
    LeBytes b;
    b.byte(23).word(0).word(0).text("Default printer");
    // Custom paper without a size falls back to A4; a code in the table
    // takes its size from the table.
    b.byte(255).int32(256).int32(0).int32(0).int32(0).int32(0).int32(0).int32(0).byte(0);
    b.word(0).word(0).int32(1).int32(0);
    b.byte(255).int32(8).int32(1).int32(1).int32(0).int32(0).int32(0).int32(0).byte(1);
    b.word(0).word(0).int32(1).int32(0);
    const auto loaded = load(b.data());
    ASSERT_EQ(loaded->status, TrpTemplate::LoadStatus::Loaded);
    const TrpPage &first = loaded->report.Pages[0];
    EXPECT_EQ(first.PrnInfo.pageWidth, 752);
    EXPECT_EQ(first.PrnInfo.pageHeight, 1071);
    const TrpPage &second = loaded->report.Pages[1];
    EXPECT_EQ(second.PaperSize, 8);
    EXPECT_EQ(second.Orientation, 1);
    EXPECT_EQ(second.PaperWidth, 4200);
    EXPECT_EQ(second.PaperHeight, 2970);
}

TEST(TrpTemplate, ReportFormCarriesTheTemplateOnlyWhenStored)
{
    const TrpTemplate report = sampleTemplate();
    TrpError error;
    QByteArray without;
    {
        QBuffer buffer(&without);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(report.writeReportForm(buffer, false, q("Default printer"), error));
    }
    EXPECT_EQ(without, LeBytes().int32(23).data());
    QByteArray with;
    {
        QBuffer buffer(&with);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(report.writeReportForm(buffer, true, q("Default printer"), error));
    }
    const QByteArray body = saved(report);
    EXPECT_EQ(with, LeBytes().int32(23).int32(body.size()).raw(body).data());

    TrpPrinter printer({});
    TrpTemplate read;
    QBuffer in(&with);
    in.open(QIODevice::ReadOnly);
    ASSERT_EQ(read.readReportForm(in, true, printer, error), TrpTemplate::LoadStatus::Loaded);
    EXPECT_EQ(saved(read), body);
    QBuffer short_(&without);
    short_.open(QIODevice::ReadOnly);
    TrpTemplate untouched;
    EXPECT_EQ(untouched.readReportForm(short_, false, printer, error), TrpTemplate::LoadStatus::Loaded);
    EXPECT_EQ(untouched.Pages.Count(), 0);

    QByteArray lying = LeBytes().int32(23).int32(1000).raw("short").data();
    QBuffer bad(&lying);
    bad.open(QIODevice::ReadOnly);
    EXPECT_EQ(untouched.readReportForm(bad, true, printer, error), TrpTemplate::LoadStatus::Failed);
}

TEST(TrpTemplateText, DumpAndCompileGiveTheSameBytes)
{
    const QByteArray bytes = saved(sampleTemplate());
    const auto loaded = load(bytes);
    ASSERT_EQ(loaded->status, TrpTemplate::LoadStatus::Loaded);
    const QString text = TrpTemplateText::write(loaded->report);
    TrpTemplate compiled;
    TrpError error;
    ASSERT_TRUE(TrpTemplateText::read(text, compiled, error)) << error.message.toStdString();
    EXPECT_EQ(saved(compiled), bytes);
    EXPECT_EQ(TrpTemplateText::write(compiled), text);
}

TEST(TrpTemplateText, HandWrittenTextTakesDefaultsAndReportsLines)
{
    TrpTemplate report;
    TrpError error;
    ASSERT_TRUE(
        TrpTemplateText::read(q("# a comment\nPage\nMemo 0\n  Memo \"a\\\"b\\x01\"\n  Left 5\n"), report, error))
        << error.message.toStdString();
    const auto &memo = object<TrpMemoView>(report, 0, 0);
    EXPECT_EQ(memo.Memo, QStringList{q("a\"b\x01")});
    EXPECT_EQ(memo.Left, 5);
    EXPECT_EQ(memo.Flags, 3);
    EXPECT_EQ(memo.Font.Name, q("ＭＳ ゴシック"));

    const struct
    {
        const char *text;
        int line;
    } broken[] = {
        {"Page\nMemo 1\n", 2},
        {"Page\nMemo 0\n  Left x\n", 3},
        {"Page\nMemo 0\n  Colour 1\n", 3},
        {"Frob\n", 1},
        {"Page\n  Memo \"open\n", 2},
        {"AddIn 0 \"TrpNoSuchView\"\n", 1},
        {"Page\nMemo 0\n  Flags 70000\n", 3},
    };
    for (const auto &b : broken) {
        TrpTemplate r;
        EXPECT_FALSE(TrpTemplateText::read(q(b.text), r, error)) << b.text;
        EXPECT_EQ(error.position, b.line) << b.text << error.message.toStdString();
    }
}

TEST(TrpTemplateText, FixtureFileMatchesItsTextForm)
{
    QFile binary(QStringLiteral(TAMSOLEN_TEST_DATA "/sample.rpf"));
    QFile text(QStringLiteral(TAMSOLEN_TEST_DATA "/sample.txt"));
    ASSERT_TRUE(binary.open(QIODevice::ReadOnly));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray bytes = binary.readAll();
    const auto loaded = load(bytes);
    ASSERT_EQ(loaded->status, TrpTemplate::LoadStatus::Loaded);
    EXPECT_EQ(saved(loaded->report), bytes);
    EXPECT_EQ(TrpTemplateText::write(loaded->report), QString::fromUtf8(text.readAll()));
}

} // namespace
