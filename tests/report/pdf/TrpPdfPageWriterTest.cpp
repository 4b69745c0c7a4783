// Page contents are read back operator by operator, as a strict reader
// reads them, and whole documents are handed to the reading tools, which
// must take them without a complaint.

#include "PdfTools.h"

#include "report/drawing/TrpDrawList.h"
#include "report/drawing/TrpRecordingDevice.h"
#include "report/pages/TrpPdfFile.h"
#include "report/pdf/TrpPdfObjects.h"
#include "report/pdf/TrpPdfPageWriter.h"
#include "report/pdf/TrpPdfResources.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

using namespace Qt::StringLiterals;

namespace {

// What is wrong with a content stream: operators where a reader refuses
// them, states restored that were never saved, numbers a reader cannot
// read. Empty when nothing is.
QStringList contentFaults(const QByteArray &content)
{
    static const QRegularExpression token(
        QStringLiteral(R"(/[^\s/\[\]<>()]*|<[0-9A-Fa-f]*>|\[|\]|[-+]?[0-9.]+|[A-Za-z*'"]+|\S)"));
    static const QStringList construction{u"m"_s, u"l"_s, u"c"_s, u"v"_s, u"y"_s, u"h"_s, u"re"_s};
    static const QStringList painting{u"S"_s, u"s"_s,  u"f"_s, u"F"_s,  u"f*"_s,
                                      u"B"_s, u"B*"_s, u"b"_s, u"b*"_s, u"n"_s};
    static const QStringList textOnly{u"Tj"_s, u"TJ"_s, u"'"_s, u"\""_s, u"Td"_s, u"TD"_s, u"Tm"_s, u"T*"_s};
    static const QStringList outsideText{u"q"_s, u"Q"_s, u"cm"_s, u"Do"_s, u"BT"_s, u"sh"_s};
    QStringList faults;
    int depth = 0;
    bool inText = false;
    bool path = false;
    bool current = false;
    bool clipping = false;
    // Whether a font is set, by saved state.
    QList<bool> font{false};
    QStringList operands;
    const auto fault = [&](const QString &op, const char *what) {
        faults.append(op + QLatin1Char(' ') + QLatin1String(what) + QStringLiteral(" after ") + operands.join(u' '));
    };
    for (auto it = token.globalMatch(QString::fromLatin1(content)); it.hasNext();) {
        const QString t = it.next().captured();
        if (t[0].isDigit() || t[0] == u'-' || t[0] == u'+' || t[0] == u'.') {
            bool ok = false;
            const double v = t.toDouble(&ok);
            if (!ok || !std::isfinite(v) || std::fabs(v) > 32767 * 65536.0 || t.contains(u'e'))
                faults.append(QStringLiteral("number %1").arg(t));
            operands.append(t);
            continue;
        }
        if (t[0] == u'/' || t[0] == u'<' || t[0] == u'[' || t[0] == u']') {
            if (t == u"/")
                faults.append(QStringLiteral("empty name"));
            operands.append(t);
            continue;
        }
        const QString op = t;
        if (inText && (construction.contains(op) || painting.contains(op) || outsideText.contains(op) || op == u"W"))
            fault(op, "inside a text object");
        if (!inText && (textOnly.contains(op) || op == u"ET"))
            fault(op, "outside a text object");
        if (clipping && !painting.contains(op))
            fault(op, "between W and the painting operator");
        if (op == u"q") {
            ++depth;
            font.append(font.last());
        } else if (op == u"Q") {
            if (--depth < 0)
                fault(op, "with no state saved");
            else
                font.removeLast();
        } else if (op == u"BT") {
            inText = true;
        } else if (op == u"ET") {
            inText = false;
        } else if (op == u"d") {
            // Dash lengths: none negative, not all zero.
            const QStringList lengths = operands.mid(1, operands.indexOf(u"]"_s) - 1);
            const bool negative = std::any_of(lengths.cbegin(), lengths.cend(),
                                              [](const QString &length) { return length.toDouble() < 0; });
            const bool zero = std::all_of(lengths.cbegin(), lengths.cend(),
                                          [](const QString &length) { return length.toDouble() == 0; });
            if (negative || (zero && !lengths.isEmpty()))
                fault(op, "with lengths a reader refuses");
        } else if (op == u"Tf") {
            font.last() = true;
        } else if (op == u"Tj" || op == u"TJ") {
            if (!font.last())
                fault(op, "with no font set");
        } else if (op == u"m" || op == u"re") {
            path = true;
            current = true;
        } else if (construction.contains(op)) {
            if (!current)
                fault(op, "with no current point");
        } else if (op == u"W" || op == u"W*") {
            if (!path)
                fault(op, "with no path");
            clipping = true;
        } else if (painting.contains(op)) {
            if (!path && op != u"n")
                fault(op, "with no path");
            path = current = clipping = false;
        } else if (path) {
            fault(op, "inside a path");
        }
        operands.clear();
    }
    if (depth != 0)
        faults.append(QStringLiteral("%1 states left saved").arg(depth));
    if (inText)
        faults.append(QStringLiteral("text object left open"));
    if (path)
        faults.append(QStringLiteral("path left unpainted"));
    return faults;
}

// A page of one state and the records given, in page units of a 400 x 300
// page.
struct Records
{
    TrpDrawList list{QSizeF(400, 300)};

    int state(const TrpDrawState &state) { return list.addState(state); }
    void add(int state, TrpDrawRecord::Item item)
    {
        TrpDrawRecord record;
        record.state = state;
        record.item = std::move(item);
        list.addRecord(std::move(record));
    }
};

// The page's content as the writer writes it, and the document's fonts
// and images (finished) in objects.
QByteArray contentOf(const TrpDrawList &list)
{
    TrpPdfObjects objects;
    TrpPdfResources resources(objects);
    TrpPdfPageWriter writer(resources);
    return writer.content(list, QTransform(1, 0, 0, -1, 0, 300));
}

// The CJK gothic face at 20 pixels; invalid when it is not installed.
QRawFont gothic()
{
    QRawFont font = QRawFont::fromFont(QFont(u"Noto Sans CJK JP"_s));
    if (!font.supportsCharacter(U'山'))
        return {};
    font.setPixelSize(20);
    return font;
}

// The text's glyphs in the gothic face, without positions.
QGlyphRun gothicRun(const QString &text)
{
    QGlyphRun run;
    run.setRawFont(gothic());
    run.setGlyphIndexes(run.rawFont().glyphIndexesForString(text));
    return run;
}

// The 400 x 300 page as the preview shows it.
QImage shown(const TrpDrawList &list)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    list.draw(painter, QRectF(0, 0, 400, 300));
    return image;
}

TrpDrawState penned(const QPen &pen, const QBrush &brush = {})
{
    TrpDrawState state;
    state.pen = pen;
    state.brush = brush;
    return state;
}

class TrpPdfPageWriterTest : public ::testing::Test
{
protected:
    // The document of the list's page, saved; its path, or empty with the
    // reason in error.
    QString saved(const TrpDrawList &list, const QSizeF &sheet, QString *error)
    {
        TrpPdfFile file;
        if (!file.addPage(list, sheet) || !file.finish()) {
            *error = QStringLiteral("not written: ") + file.errorString();
            return {};
        }
        const QString path = dir.filePath(QStringLiteral("page%1.pdf").arg(++m_written));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.document()) != file.document().size()) {
            *error = QStringLiteral("not saved");
            return {};
        }
        return path;
    }

    // What pdfinfo, pdftoppm and pdftotext complain of in the document of
    // the list's page; empty for a sound document.
    QString complaints(const TrpDrawList &list, const QSizeF &sheet = QSizeF(400, 300))
    {
        QString said;
        const QString path = saved(list, sheet, &said);
        if (path.isEmpty())
            return said;
        for (const QStringList &command : {QStringList{QStringLiteral("pdfinfo"), path},
                                           QStringList{QStringLiteral("pdftoppm"), QStringLiteral("-r"),
                                                       QStringLiteral("20"), path, dir.filePath(QStringLiteral("p"))},
                                           QStringList{QStringLiteral("pdftotext"), path, QStringLiteral("-")}}) {
            QProcess process;
            process.start(command[0], command.mid(1));
            process.waitForFinished(60000);
            said += QString::fromUtf8(process.readAllStandardError());
        }
        return said;
    }

    // The page rendered at a pixel a point.
    QImage rendered(const TrpDrawList &list)
    {
        QString error;
        const QString path = saved(list, QSizeF(400, 300), &error);
        EXPECT_EQ(error, QString());
        return QImage::fromData(toolOutput(u"pdftoppm"_s, {u"-r"_s, u"72"_s, u"-singlefile"_s, path}));
    }

    void SetUp() override
    {
        for (const char *program : {"pdfinfo", "pdftoppm", "pdftotext"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                GTEST_SKIP() << program << " is missing (poppler-utils, scripts/install-deps)";
        }
    }

    QTemporaryDir dir;

private:
    int m_written = 0;
};

} // namespace

// Colours, widths and alphas are set before a path begins: a reader takes
// nothing but the path's own operators between its first and its painting.
TEST_F(TrpPdfPageWriterTest, StateIsSetBeforeThePath)
{
    Records page;
    const int framed = page.state(penned(QPen(Qt::red, 2, Qt::DashLine), QColor(0, 0, 255, 100)));
    const int filled = page.state(penned(QPen(Qt::NoPen), Qt::green));
    const int outlined = page.state(penned(QPen(Qt::blue, 3, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin)));
    for (const int state : {framed, filled, outlined, framed}) {
        page.add(state, TrpDrawRecord::Rects{{QRectF(10, 10, 100, 50)}});
        page.add(state, TrpDrawRecord::Ellipse{QRectF(120, 10, 100, 50)});
        page.add(state, TrpDrawRecord::Polygon{QPolygonF{{10, 100}, {60, 180}, {110, 100}}, QPaintEngine::WindingMode});
        page.add(state, TrpDrawRecord::Polygon{QPolygonF{{10, 200}, {60, 280}}, QPaintEngine::PolylineMode});
        QPainterPath curve;
        curve.moveTo(200, 200);
        curve.cubicTo(250, 150, 300, 250, 350, 200);
        page.add(state, TrpDrawRecord::Path{curve});
    }
    const QByteArray content = contentOf(page.list);
    EXPECT_EQ(contentFaults(content), QStringList()) << content.toStdString();
    EXPECT_EQ(complaints(page.list), QString());
}

// Records with nothing in them paint nothing: no operator paints a path
// that was never begun.
TEST_F(TrpPdfPageWriterTest, EmptyRecordsPaintNoPath)
{
    Records page;
    const int s = page.state(penned(QPen(Qt::black, 2), Qt::red));
    page.add(s, TrpDrawRecord::Lines{});
    page.add(s, TrpDrawRecord::Rects{});
    page.add(s, TrpDrawRecord::Polygon{{}, QPaintEngine::OddEvenMode});
    page.add(s, TrpDrawRecord::Polygon{{}, QPaintEngine::PolylineMode});
    page.add(s, TrpDrawRecord::Path{QPainterPath()});
    page.add(s, TrpDrawRecord::Points{});
    EXPECT_EQ(contentFaults(contentOf(page.list)), QStringList());
    EXPECT_EQ(complaints(page.list), QString());
}

// A run with fewer positions than glyphs draws the glyphs it places, as
// the painter does, and its underline under them.
TEST_F(TrpPdfPageWriterTest, GlyphsWithoutPositionsAreLeftOut)
{
    if (!gothic().isValid())
        GTEST_SKIP() << "Noto Sans CJK JP is missing (fonts-noto-cjk)";
    Records page;
    const int state = page.state(penned(QPen(Qt::blue)));
    QGlyphRun run = gothicRun(u"山田川"_s);
    run.setUnderline(true);
    page.add(state, TrpDrawRecord::Text{u"山田川"_s, {10, 40}, 60, 18, 4, {run}});
    run.setPositions({{0, 0}, {20, 0}});
    page.add(state, TrpDrawRecord::Text{u"山田川"_s, {10, 80}, 60, 18, 4, {run}});
    const QByteArray content = contentOf(page.list);
    EXPECT_EQ(contentFaults(content), QStringList()) << content.toStdString();
    EXPECT_EQ(content.count("TJ"), 1) << content.toStdString();
    // Two glyphs of four hex digits each.
    EXPECT_TRUE(QString::fromLatin1(content).contains(QRegularExpression(u"<[0-9A-F]{8}>\\]TJ"_s)))
        << content.toStdString();
    EXPECT_EQ(complaints(page.list), QString());
}

// A text in a face that cannot be embedded (Type 1, or TrueType without
// outlines) is drawn as shapes, and the document is whole.
TEST_F(TrpPdfPageWriterTest, TextOfAFaceThatCannotBeEmbeddedLeavesTheDocumentWhole)
{
    const QRawFont type1(u"/usr/share/fonts/type1/urw-base35/NimbusRoman-Regular.t1"_s, 32);
    QFile file(u"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"_s);
    if (!type1.isValid() || !file.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no Type 1 font (fonts-urw-base35) or no DejaVu Sans (fonts-dejavu-core)";
    // The face with its outline table renamed, and a head of its own so
    // that it is not taken for the installed file.
    QByteArray data = file.readAll();
    const int tables = quint8(data[4]) << 8 | quint8(data[5]);
    for (int i = 0; i < tables; ++i) {
        const qsizetype entry = 12 + 16 * qsizetype(i);
        if (data.mid(entry, 4) == "glyf")
            data.replace(entry, 4, "glyx");
        if (data.mid(entry, 4) == "head")
            ++data[(quint8(data[entry + 8]) << 24 | quint8(data[entry + 9]) << 16 | quint8(data[entry + 10]) << 8 |
                    quint8(data[entry + 11])) +
                   35];
    }
    const QRawFont outlineless(data, 32);
    ASSERT_TRUE(outlineless.isValid());
    for (const QRawFont &font : {type1, outlineless}) {
        Records page;
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes(font.glyphIndexesForString(u"Of"_s));
        run.setPositions({{0, 0}, {24, 0}});
        page.add(page.state(penned(QPen(Qt::black))), TrpDrawRecord::Text{u"Of"_s, {10, 40}, 40, 24, 8, {run}});
        const QByteArray content = contentOf(page.list);
        EXPECT_EQ(contentFaults(content), QStringList()) << content.toStdString();
        EXPECT_FALSE(content.contains("TJ"));
        EXPECT_EQ(complaints(page.list), QString()) << font.familyName().toStdString();
    }
}

// A text's background, and the underline of a text drawn before a fainter
// one, are filled with their own alpha, not with the one last set.
TEST_F(TrpPdfPageWriterTest, FillsAroundTextsKeepTheirAlpha)
{
    if (!gothic().isValid())
        GTEST_SKIP() << "Noto Sans CJK JP is missing (fonts-noto-cjk)";
    QGlyphRun run = gothicRun(u"山山"_s);
    // The underline alone between the glyphs, from 30 to 70.
    run.setPositions({{0, 0}, {60, 0}});
    run.setUnderline(true);
    const TrpDrawRecord::Text text{u"山山"_s, {10, 40}, 80, 18, 4, {run}};
    Records page;
    const int blue = page.state(penned(QPen(Qt::blue)));
    const int faint = page.state(penned(QPen(QColor(0, 0, 255, 60))));
    TrpDrawState backed = penned(QPen(Qt::black));
    backed.backgroundMode = Qt::OpaqueMode;
    backed.background = Qt::yellow;
    const int yellow = page.state(backed);
    page.add(blue, text);
    page.add(faint, TrpDrawRecord::Text{u"山山"_s, {10, 100}, 80, 18, 4, {run}});
    page.add(yellow, TrpDrawRecord::Text{u"山山"_s, {10, 160}, 80, 18, 4, {run}});
    const QImage picture = rendered(page.list);
    ASSERT_EQ(picture.size(), QSize(400, 300));
    int underline = 255;
    for (int y = 40; y < 48; ++y)
        underline = std::min(underline, qRed(picture.pixel(50, y)));
    EXPECT_LT(underline, 64) << "the first underline is as blue as its text";
    EXPECT_EQ(picture.pixel(50, 150), qRgb(255, 255, 0)) << "the background is opaque";
}

// The part of a source rectangle outside the image draws nothing, as on the
// painter: the image keeps its place in the target.
TEST_F(TrpPdfPageWriterTest, SourceBeyondTheImageKeepsItsPlace)
{
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    Records page;
    const int state = page.state(penned(QPen(Qt::black)));
    page.add(state, TrpDrawRecord::Image{QRectF(100, 50, 200, 200), red, QRectF(-10, -10, 20, 20)});
    page.add(state, TrpDrawRecord::Image{QRectF(0, 0, 50, 50), red, QRectF(20, 20, 5, 5)});
    const QImage picture = rendered(page.list);
    ASSERT_EQ(picture.size(), QSize(400, 300));
    EXPECT_EQ(picture.pixel(150, 100), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(250, 200), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(25, 25), qRgb(255, 255, 255));
}

// Hatching is stroked with its brush's alpha, not with that of the pen
// stroked last.
TEST_F(TrpPdfPageWriterTest, HatchingKeepsItsAlpha)
{
    Records page;
    const int faint = page.state(penned(QPen(QColor(0, 0, 0, 40), 2)));
    const int hatched = page.state(penned(QPen(Qt::NoPen), QBrush(Qt::black, Qt::HorPattern)));
    page.add(faint, TrpDrawRecord::Lines{{QLineF(10, 250, 390, 250)}});
    page.add(hatched, TrpDrawRecord::Rects{{QRectF(50, 50, 100, 100)}});
    const QImage picture = rendered(page.list);
    ASSERT_EQ(picture.size(), QSize(400, 300));
    int darkest = 255;
    for (int y = 50; y < 70; ++y)
        darkest = std::min(darkest, qGray(picture.pixel(100, y)));
    EXPECT_LT(darkest, 64);
}

// A dash pattern with no dash to draw (all zero, or negative) strokes
// nothing, as on the painter; a reader takes no such pattern.
TEST_F(TrpPdfPageWriterTest, PatternsWithoutDashesStrokeNothing)
{
    Records page;
    int y = 20;
    for (const QList<qreal> &pattern : {QList<qreal>{0, 0}, QList<qreal>{-1, 3}, QList<qreal>{0, 4, -2, 2}}) {
        QPen pen(Qt::black, 4);
        pen.setDashPattern(pattern);
        page.add(page.state(penned(pen)), TrpDrawRecord::Lines{{QLineF(10, y, 390, y)}});
        y += 40;
    }
    QPen dotted(Qt::black, 4);
    dotted.setDashPattern({1, 3});
    page.add(page.state(penned(dotted)), TrpDrawRecord::Lines{{QLineF(10, y, 390, y)}});
    const QByteArray content = contentOf(page.list);
    EXPECT_EQ(contentFaults(content), QStringList()) << content.toStdString();
    const QImage picture = rendered(page.list);
    ASSERT_EQ(picture.size(), QSize(400, 300));
    const auto inked = [&](int row) {
        int count = 0;
        for (int x = 0; x < 400; ++x)
            count += qGray(picture.pixel(x, row)) < 128;
        return count;
    };
    for (int row = 20; row < y; row += 40)
        EXPECT_EQ(inked(row), 0) << row;
    EXPECT_GT(inked(y), 50);
}

// Pictures of every format come out in the colours the preview shows.
TEST_F(TrpPdfPageWriterTest, ImagesOfEveryFormatDrawAsThePreviewDrawsThem)
{
    QImage source(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            source.setPixel(x, y, x < 4 ? qRgba(200, 40, 40, y < 4 ? 255 : 100) : qRgba(20, 20, 230, 255));
    QImage indexed(8, 8, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(255, 0, 0, 128), qRgb(0, 160, 0)});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            indexed.setPixel(x, y, x < 4 ? 0 : 1);
    QImage mono = source.convertToFormat(QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 0), qRgb(0, 0, 128)});
    const QImage pictures[] = {source,
                               source.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                               source.convertToFormat(QImage::Format_RGB30),
                               source.convertToFormat(QImage::Format_RGBA64_Premultiplied),
                               source.convertToFormat(QImage::Format_Grayscale16),
                               source.convertToFormat(QImage::Format_Alpha8),
                               indexed,
                               mono};
    Records page;
    const int state = page.state(penned(QPen(Qt::black)));
    int i = 0;
    for (const QImage &picture : pictures) {
        page.add(state, TrpDrawRecord::Image{QRectF(10 + 48 * i, 10, 40, 40), picture, QRectF()});
        ++i;
    }
    const QImage pdf = rendered(page.list);
    ASSERT_EQ(pdf.size(), QSize(400, 300));
    const QImage preview = shown(page.list);
    for (int k = 0; k < i; ++k) {
        for (const QPoint &at : {QPoint(20, 20), QPoint(20, 40), QPoint(40, 20), QPoint(40, 40)}) {
            const QColor shown = preview.pixelColor(at + QPoint(48 * k, 0));
            const QColor drawn = pdf.pixelColor(at + QPoint(48 * k, 0));
            EXPECT_LE(std::abs(shown.red() - drawn.red()) + std::abs(shown.green() - drawn.green()) +
                          std::abs(shown.blue() - drawn.blue()),
                      12)
                << "picture " << k << " at " << at.x() << "," << at.y() << ": " << shown.name().toStdString()
                << " shown, " << drawn.name().toStdString() << " drawn";
        }
    }
}

// Qt slants the glyphs of a face without italics when italics are asked
// for; the PDF slants them alike, and an italic face's glyphs no further.
TEST_F(TrpPdfPageWriterTest, ItalicsOfAnUprightFaceAreSlanted)
{
    if (!gothic().isValid())
        GTEST_SKIP() << "Noto Sans CJK JP is missing (fonts-noto-cjk)";
    // How far the ink of the glyph's top lies right of that of its foot.
    const auto lean = [](const QImage &picture) {
        const auto middle = [&](int top, int bottom) {
            double sum = 0;
            int count = 0;
            for (int y = top; y < bottom; ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    if (qGray(picture.pixel(x, y)) < 128) {
                        sum += x;
                        ++count;
                    }
                }
            }
            return count ? sum / count : 0.0;
        };
        return middle(90, 130) - middle(150, 190);
    };
    for (const auto &[family, text] :
         {std::pair(u"Noto Sans CJK JP"_s, u"山"_s), std::pair(u"DejaVu Sans"_s, u"H"_s)}) {
        TrpRecordingDevice device(QSizeF(400, 300));
        {
            QPainter painter(&device);
            QFont font(family);
            font.setPixelSize(120);
            font.setItalic(true);
            painter.setFont(font);
            TrpRecordingDevice::drawText(painter, QPointF(40, 200), text);
        }
        const TrpDrawList list = device.takeRecords();
        const QImage preview = shown(list);
        ASSERT_GT(lean(preview), 5) << family.toStdString();
        const QImage pdf = rendered(list);
        ASSERT_EQ(pdf.size(), QSize(400, 300));
        EXPECT_NEAR(lean(pdf), lean(preview), 1.5) << family.toStdString();
    }
}

// Hatching draws the lines that cross the page, however far the shape
// reaches beyond it.
TEST_F(TrpPdfPageWriterTest, HatchingOfAHugeShapeStaysOnThePage)
{
    Records page;
    const int hatched = page.state(penned(QPen(Qt::NoPen), QBrush(Qt::black, Qt::DiagCrossPattern)));
    page.add(hatched, TrpDrawRecord::Rects{{QRectF(-1e7, -1e7, 2e7, 2e7)}});
    page.add(hatched, TrpDrawRecord::Rects{{QRectF(0, 0, qInf(), 100), QRectF(qQNaN(), 0, 10, 10)}});
    const QByteArray content = contentOf(page.list);
    EXPECT_EQ(contentFaults(content), QStringList());
    // The page is 400 x 300: some 2 x 88 diagonals cross it.
    EXPECT_LT(content.count(" m "), 400);
    const QImage picture = rendered(page.list);
    ASSERT_EQ(picture.size(), QSize(400, 300));
    int inked = 0;
    for (int x = 0; x < 400; ++x)
        inked += qGray(picture.pixel(x, 150)) < 160;
    EXPECT_GT(inked, 60);
}

// A page drawn by the painter as report objects draw: every operator where
// a reader takes it.
TEST_F(TrpPdfPageWriterTest, PaintedPagesAreWellFormed)
{
    TrpRecordingDevice device(QSizeF(400, 300));
    {
        QPainter painter(&device);
        painter.setPen(QPen(Qt::darkBlue, 3, Qt::DashLine, Qt::FlatCap));
        painter.setBrush(QColor(200, 220, 255, 128));
        painter.drawRect(QRectF(10, 10, 120, 60));
        painter.drawEllipse(QRectF(140, 10, 120, 60));
        painter.setBrush(QBrush(Qt::red, Qt::BDiagPattern));
        painter.drawPolygon(QPolygonF{{280, 10}, {390, 40}, {300, 70}});
        painter.drawPoints(QPolygonF{{5, 5}, {6, 6}});
        painter.drawImage(QRectF(10, 80, 40, 40), QImage(4, 4, QImage::Format_ARGB32_Premultiplied));
        painter.setClipRect(QRectF(10, 130, 200, 60));
        QFont font(u"Noto Sans CJK JP"_s);
        font.setPixelSize(20);
        font.setUnderline(true);
        font.setItalic(true);
        painter.setFont(font);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::yellow);
        TrpRecordingDevice::drawText(painter, QPointF(10, 160), u"山田 太郎 Underlined"_s);
        painter.setClipping(false);
        painter.setOpacity(0.4);
        painter.drawText(QRectF(10, 200, 200, 90), Qt::TextWordWrap, u"歩行：杖歩行、見守り要。 fi office"_s);
        painter.rotate(30);
        painter.drawText(QPointF(250, 100), u"縦向き"_s);
    }
    const TrpDrawList list = device.takeRecords();
    const QByteArray content = contentOf(list);
    EXPECT_EQ(contentFaults(content), QStringList()) << content.toStdString();
    EXPECT_EQ(complaints(list), QString());
}

// An underlined text the painter drew comes with its underline as a line
// record of its own: the text shaped again for the page draws no second one.
TEST_F(TrpPdfPageWriterTest, UnderlinesThePainterDrewAreDrawnOnce)
{
    TrpRecordingDevice device(QSizeF(400, 300));
    {
        QPainter painter(&device);
        QFont font(u"Noto Sans CJK JP"_s);
        font.setPointSizeF(12);
        font.setUnderline(true);
        font.setStrikeOut(true);
        painter.setFont(font);
        TrpRecordingDevice::drawText(painter, QPointF(10, 30), u"山田 太郎"_s);
    }
    const TrpDrawList list = device.takeRecords();
    const QByteArray content = contentOf(list);
    ASSERT_TRUE(content.contains("TJ")) << content.toStdString();
    // The painter's lines are strokes; decorations of the glyphs would be
    // filled rectangles.
    EXPECT_FALSE(content.contains(" re\n")) << content.toStdString();
    EXPECT_EQ(contentFaults(content), QStringList());
}
