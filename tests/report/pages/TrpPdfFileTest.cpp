#include "PdfTools.h"
#include "building/BuildFixture.h"

#include "report/drawing/TrpRecordingDevice.h"
#include "report/pages/TrpPagePrinter.h"
#include "report/pages/TrpPdfFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const char *const Names[] = {"山田 花子", "佐藤　一郎", "高橋 工", "渡辺 己之助", "齋藤 巾", "長谷川 龍"};
const char *const Mixed = "利用者番号 00123 山田 太郎（やまだ たろう）様 令和8年12月7日 "
                          "歩行：杖歩行、見守り要。立ち上がり・移乗は自立。週2回 40分、"
                          "屋外歩行と階段昇降の練習を行う。ｶﾀｶﾅ半角、全角ＡＢＣ１２３ 印刷日　2026／12／07 〈評価〉";

bool popplerMissing()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
           QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The first page of the PDF as pdftoppm renders it, in grey.
QImage rendered(const QTemporaryDir &dir, const QByteArray &pdf, int dpi)
{
    static int made = 0;
    const QString path = dir.filePath(QStringLiteral("render%1.pdf").arg(++made));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size())
        return {};
    out.close();
    const QByteArray ppm =
        toolOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi),
                                                QStringLiteral("-singlefile"), QStringLiteral("-gray"), path});
    return QImage::fromData(ppm).convertToFormat(QImage::Format_Grayscale8);
}

// The largest difference of mean grey between the two pictures over any
// square of cells pixels: a shape or a word missing, moved or in another
// colour shows in its squares, while the edges that two rasterisations
// smooth differently do not.
int largestCellDifference(const QImage &a, const QImage &b, int cell, QPoint *where = nullptr)
{
    if (a.size() != b.size() || a.isNull())
        return 255;
    int largest = 0;
    for (int top = 0; top < a.height(); top += cell) {
        for (int left = 0; left < a.width(); left += cell) {
            long sumA = 0;
            long sumB = 0;
            int count = 0;
            for (int y = top; y < qMin(top + cell, a.height()); ++y) {
                const uchar *lineA = a.constScanLine(y);
                const uchar *lineB = b.constScanLine(y);
                for (int x = left; x < qMin(left + cell, a.width()); ++x, ++count) {
                    sumA += lineA[x];
                    sumB += lineB[x];
                }
            }
            const int difference = int(std::abs(sumA - sumB) / count);
            if (difference > largest && where)
                *where = QPoint(left, top);
            largest = qMax(largest, difference);
        }
    }
    return largest;
}

// Two rasterisations of one text differ by this much at most in a cell of
// six pixels; a line of one pixel missing or moved differs by more.
constexpr int MostCellDifference = 32;

// The records as the preview draws them, in a picture of that size.
QImage drawnOnScreen(const TrpDrawList &list, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        list.draw(painter, QRectF(QPointF(0, 0), size));
    }
    return image.convertToFormat(QImage::Format_Grayscale8);
}

QByteArray drawnByQt(const TrpDrawList &list, const QSizeF &sheet)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(sheet, QPageSize::Point), QPageLayout::Portrait, {}));
        QPainter painter(&writer);
        list.draw(painter, QRectF(0, 0, writer.width(), writer.height()));
    }
    return buffer.data();
}

QByteArray drawnByEngine(const TrpDrawList &list, const QSizeF &sheet)
{
    TrpPdfFile file;
    EXPECT_TRUE(file.addPage(list, sheet));
    EXPECT_TRUE(file.finish()) << file.errorString().toStdString();
    return file.document();
}

class TrpPdfFileTest : public BuildFixture
{
protected:
    void SetUp() override
    {
        band(TrpBandTypes::btReportTitle, 0, 600);
        int top = 20;
        for (const char *name : Names) {
            for (const char *font : {"ＭＳ ゴシック", "ＭＳ 明朝"}) {
                TrpMemoView &view = memo(20, top, name, 300, 24);
                view.Font.Name = q(font);
                view.Font.Size = 14;
                view.Font.Style = top % 3 == 0 ? 2 : 0;
                top += 26;
            }
        }
        TrpMemoView &view = memo(20, top, Mixed, 700, 120);
        view.Flags = TrpView::flWordWrap;
        ASSERT_TRUE(build());
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(TrpPdfFileTest, TextComesBackAsPrinted)
{
    if (popplerMissing())
        GTEST_SKIP() << "pdftotext is missing (poppler-utils, scripts/install-deps)";
    const QString path = dir.filePath(QStringLiteral("names.pdf"));
    TrpPdfFile file;
    ASSERT_TRUE(file.print(report.EMFPages()[0]));
    ASSERT_TRUE(file.finish()) << file.errorString().toStdString();
    ASSERT_TRUE(file.save(path)) << file.errorString().toStdString();
    const QString text = QString::fromUtf8(toolOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
    // pdftotext spaces words its own way.
    const QString words = withoutSpace(text);
    for (const char *name : Names)
        EXPECT_EQ(words.count(withoutSpace(q(name))), 2) << name << "\n" << text.toStdString();
    EXPECT_TRUE(words.contains(withoutSpace(q(Mixed)))) << text.toStdString();
}

TEST_F(TrpPdfFileTest, PagesDrawAsQtDrawsThem)
{
    if (popplerMissing())
        GTEST_SKIP() << "pdftoppm is missing (poppler-utils, scripts/install-deps)";
    TrpEMFPage &page = report.EMFPages()[0];
    const QSizeF sheet = TrpPagePrinter::pageLayout(page).fullRect(QPageLayout::Point).size();
    const QImage pdf = rendered(dir, drawnByEngine(page.drawList(), sheet), 96);
    ASSERT_FALSE(pdf.isNull());
    QPoint where;
    const QImage qt = rendered(dir, drawnByQt(page.drawList(), sheet), 96);
    EXPECT_LE(largestCellDifference(qt, pdf, 6, &where), MostCellDifference) << where.x() << "," << where.y();
}

// Every kind of record, in states that clip, turn and fade, drawn as Qt's
// own writer draws it.
TEST_F(TrpPdfFileTest, ShapesDrawAsQtDrawsThem)
{
    if (popplerMissing())
        GTEST_SKIP() << "pdftoppm is missing (poppler-utils, scripts/install-deps)";
    const QSizeF page(794, 1123);
    TrpRecordingDevice device(page);
    {
        QPainter painter(&device);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(QRectF(40, 40, 300, 120));
        painter.setPen(QPen(Qt::darkBlue, 3, Qt::DashLine, Qt::FlatCap));
        painter.drawLine(QLineF(40, 200, 700, 200));
        painter.setPen(QPen(Qt::red, 2, Qt::DotLine, Qt::SquareCap));
        painter.drawLine(QLineF(40, 230, 700, 260));
        painter.setPen(QPen(Qt::darkGreen, 4, Qt::DashDotLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(200, 220, 255));
        painter.drawEllipse(QRectF(400, 40, 300, 140));
        painter.setBrush(QColor(230, 230, 230));
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(QRectF(40, 300, 200, 150));
        painter.setBrush(QColor(255, 200, 0));
        const QPolygonF star{{500, 300}, {560, 460}, {400, 360}, {600, 360}, {440, 460}};
        painter.drawPolygon(star, Qt::OddEvenFill);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF{{620, 300}, {700, 460}, {760, 300}});
        QPainterPath curve;
        curve.moveTo(40, 520);
        curve.cubicTo(200, 420, 300, 640, 460, 520);
        curve.closeSubpath();
        painter.setBrush(QColor(120, 0, 120));
        painter.drawPath(curve);
        QImage picture(40, 30, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgba(x * 6, y * 8, 128, x < 20 ? 255 : 0));
        painter.drawImage(QRectF(500, 500, 240, 180), picture);
        painter.save();
        painter.setClipRect(QRectF(40, 700, 200, 60));
        painter.setBrush(Qt::darkCyan);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(20, 680, 280, 140));
        painter.restore();
        painter.save();
        painter.translate(400, 900);
        painter.rotate(-30);
        painter.setOpacity(0.5);
        painter.fillRect(QRectF(0, 0, 200, 80), Qt::blue);
        painter.restore();
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPointSizeF(16);
        font.setUnderline(true);
        painter.setFont(font);
        painter.setPen(Qt::darkRed);
        TrpRecordingDevice::drawText(painter, QPointF(40, 1000), q("下線 付き Underlined"));
        TrpRecordingDevice::drawText(painter, QPointF(40, 1000), q("下線 付き Underlined"));
        font.setUnderline(false);
        painter.setFont(font);
        painter.drawText(QPointF(40, 1060), q("タブ\t区切り"));
        painter.translate(700, 1080);
        painter.rotate(-90);
        TrpRecordingDevice::drawText(painter, QPointF(0, 0), q("縦向き 文字"));
        TrpRecordingDevice::drawText(painter, QPointF(0, 30), q("縦向き 文字"));
    }
    const TrpDrawList list = device.takeRecords();
    const QSizeF sheet(595.28, 841.89);
    const QImage pdf = rendered(dir, drawnByEngine(list, sheet), 96);
    ASSERT_FALSE(pdf.isNull());
    const QImage qt = rendered(dir, drawnByQt(list, sheet), 96);
    QPoint where;
    EXPECT_LE(largestCellDifference(qt, pdf, 6, &where), MostCellDifference) << where.x() << "," << where.y();
}

// Qt's writer leaves hatching to the reader, which draws it otherwise; the
// engine draws the lines as the preview does.
TEST_F(TrpPdfFileTest, HatchingDrawsAsThePreviewDrawsIt)
{
    if (popplerMissing())
        GTEST_SKIP() << "pdftoppm is missing (poppler-utils, scripts/install-deps)";
    TrpRecordingDevice device(QSizeF(800, 200));
    {
        QPainter painter(&device);
        painter.setPen(Qt::NoPen);
        const Qt::BrushStyle styles[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::CrossPattern,
                                         Qt::BDiagPattern, Qt::FDiagPattern, Qt::DiagCrossPattern};
        for (int i = 0; i < 6; ++i) {
            painter.setBrush(QBrush(Qt::black, styles[i]));
            painter.drawRect(QRectF(16 + 128 * i, 32, 112, 128));
        }
    }
    const TrpDrawList list = device.takeRecords();
    const QImage pdf = rendered(dir, drawnByEngine(list, QSizeF(600, 150)), 96);
    ASSERT_EQ(pdf.size(), QSize(800, 200));
    // Hatching differs in where its lines start, not in how dense it is.
    QPoint where;
    EXPECT_LE(largestCellDifference(drawnOnScreen(list, pdf.size()), pdf, 32, &where), 24)
        << where.x() << "," << where.y();
}

// A face the PDF cannot embed (Type 1) prints its glyphs as shapes, and
// the rest of the page keeps its text.
TEST_F(TrpPdfFileTest, TextOfAFaceThatCannotBeEmbeddedIsPrintedAsShapes)
{
    const QRawFont type1(QStringLiteral("/usr/share/fonts/type1/urw-base35/NimbusRoman-Regular.t1"), 32);
    if (popplerMissing() || !type1.isValid())
        GTEST_SKIP() << "pdftoppm or a Type 1 font (fonts-urw-base35) is missing";
    // The glyphs as a text recorded with them, beside a text of an
    // embedded face.
    QGlyphRun run;
    run.setRawFont(type1);
    run.setGlyphIndexes(type1.glyphIndexesForString(QStringLiteral("Office")));
    QList<QPointF> positions;
    qreal x = 0;
    for (const QPointF &advance : type1.advancesForGlyphIndexes(run.glyphIndexes())) {
        positions.append({x, 0});
        x += advance.x();
    }
    run.setPositions(positions);
    TrpRecordingDevice device(QSizeF(400, 120));
    {
        QPainter painter(&device);
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPixelSize(24);
        painter.setFont(font);
        painter.drawText(QPointF(20, 100), q("山田 太郎"));
    }
    TrpDrawList list = device.takeRecords();
    TrpDrawState state;
    state.pen = QPen(Qt::black);
    list.addRecord({list.addState(state), QRectF(20, 20, x, 40),
                    TrpDrawRecord::Text{q("Office"), QPointF(20, 50), x, 30, 8, {run}}});
    const QByteArray document = drawnByEngine(list, QSizeF(300, 90));
    ASSERT_FALSE(document.isEmpty());
    const QImage pdf = rendered(dir, document, 96);
    QPoint where;
    EXPECT_LE(largestCellDifference(rendered(dir, drawnByQt(list, QSizeF(300, 90)), 96), pdf, 6, &where),
              MostCellDifference)
        << where.x() << "," << where.y();
    const QString path = dir.filePath(q("type1.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(document) == document.size());
    file.close();
    EXPECT_TRUE(withoutSpace(QString::fromUtf8(toolOutput(q("pdftotext"), {path, q("-")}))).contains(q("山田太郎")));
}

TEST_F(TrpPdfFileTest, FileIsWrittenWholeOrNotAtAll)
{
    TrpPdfFile empty;
    EXPECT_FALSE(empty.finish());
    EXPECT_FALSE(empty.save(dir.filePath(QStringLiteral("empty.pdf"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("empty.pdf"))));

    TrpPdfFile file;
    ASSERT_TRUE(file.print(report.EMFPages()[0]));
    ASSERT_TRUE(file.finish());
    EXPECT_FALSE(file.print(report.EMFPages()[0])) << "a page after the end";
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    EXPECT_FALSE(file.save(missing));
    EXPECT_FALSE(file.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(missing));

    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    ASSERT_TRUE(file.save(path));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), file.document());
    EXPECT_TRUE(file.document().endsWith("%%EOF\n"));
}

// A sheet of no size makes no page a reader could show, and the document
// takes no page after its end: each is refused with the reason.
TEST_F(TrpPdfFileTest, PagesTheDocumentCannotTakeAreRefusedWithTheReason)
{
    const TrpDrawList &list = report.EMFPages()[0].drawList();
    TrpPdfFile file;
    for (const QSizeF &sheet : {QSizeF(0, 842), QSizeF(595, -1), QSizeF(qInf(), 842), QSizeF(595, qQNaN())}) {
        EXPECT_FALSE(file.addPage(list, sheet)) << sheet.width() << " x " << sheet.height();
        EXPECT_FALSE(file.errorString().isEmpty());
    }
    ASSERT_TRUE(file.addPage(list, QSizeF(595, 842)));
    ASSERT_TRUE(file.finish()) << file.errorString().toStdString();
    const QByteArray document = file.document();
    EXPECT_EQ(document.count("/Type/Page/"), 1);
    EXPECT_FALSE(file.print(report.EMFPages()[0]));
    EXPECT_FALSE(file.errorString().isEmpty());
    EXPECT_EQ(file.document(), document);
}

// A document given up before its end, its last page still being packed on
// the other thread, goes without a trace.
TEST_F(TrpPdfFileTest, ADocumentGivenUpMidWayIsDestroyedCleanly)
{
    const TrpDrawList &list = report.EMFPages()[0].drawList();
    for (int pages = 1; pages <= 3; ++pages) {
        auto file = std::make_unique<TrpPdfFile>();
        for (int i = 0; i < pages; ++i)
            ASSERT_TRUE(file->addPage(list, QSizeF(595, 842)));
        file.reset();
    }
}
