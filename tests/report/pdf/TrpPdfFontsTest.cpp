// The embedded fonts are checked with the outside tools a reader of the
// files has: the text must come back, the fonts be embedded subsets, and the
// glyphs drawn be the ones Qt's own writer draws for the same glyph runs.

#include "PdfTools.h"

#include "report/pdf/TrpPdfFonts.h"
#include "report/pdf/TrpPdfObjects.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

constexpr int PageWidth = 540;
constexpr int PageHeight = 320;

QFont font(const char *family, int pixels, bool bold = false)
{
    QFont f(QString::fromUtf8(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QList<QGlyphRun> shaped(const QString &text, const QFont &f)
{
    QTextLayout layout(text, f);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return layout.glyphRuns();
}

// A run of the given glyphs of a face, spaced by their advances.
QGlyphRun glyphRun(const QRawFont &raw, const QList<quint32> &glyphs)
{
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    QList<QPointF> positions;
    qreal x = 0;
    for (const QPointF &advance : raw.advancesForGlyphIndexes(glyphs)) {
        positions.append(QPointF(x, raw.ascent()));
        x += advance.x();
    }
    run.setPositions(positions);
    return run;
}

quint32 glyphOf(const QRawFont &raw, const QString &character)
{
    const QList<quint32> glyphs = raw.glyphIndexesForString(character);
    return glyphs.isEmpty() ? 0 : glyphs[0];
}

// One page written by hand: each text's runs shown with the face's codes,
// placed by TJ adjustments from the widths the fonts give.
class Page
{
public:
    Page() : m_fonts(m_objects) {}

    void add(const QList<QGlyphRun> &runs, const QString &text, const QPointF &at)
    {
        m_fonts.useText(runs, text);
        m_runs.append({runs, at});
        for (const QGlyphRun &run : runs) {
            const int face = m_fonts.faceOf(run.rawFont());
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            const qreal size = run.rawFont().pixelSize();
            int shown = -1;
            for (qsizetype i = 0; i < glyphs.size(); ++i) {
                // Each glyph in the font of the face that holds it.
                const int holder = m_fonts.holderOf(face, glyphs[i]);
                if (holder != shown) {
                    if (shown >= 0)
                        m_content += "] TJ ET\n";
                    shown = holder;
                    m_faces.insert(holder);
                    m_content += "BT /" + m_fonts.face(holder).resource + ' ' + TrpPdfObjects::number(size) +
                                 " Tf 1 0 0 1 " + TrpPdfObjects::number(at.x() + positions[i].x()) + ' ' +
                                 TrpPdfObjects::number(PageHeight - at.y() - positions[i].y()) + " Tm [";
                }
                m_content += '<' + QByteArray::number(glyphs[i], 16).rightJustified(4, '0') + '>';
                if (i + 1 < glyphs.size()) {
                    const qreal drawn = m_fonts.advance(face, glyphs[i]) * size / 1000;
                    const qreal wanted = positions[i + 1].x() - positions[i].x();
                    m_content += TrpPdfObjects::number((drawn - wanted) * 1000 / size);
                }
            }
            if (shown >= 0)
                m_content += "] TJ ET\n";
        }
    }

    void add(const QString &text, const QFont &f, const QPointF &at) { add(shaped(text, f), text, at); }

    TrpPdfFonts &fonts() { return m_fonts; }

    // The document, or empty with the reason in error.
    QByteArray document(QString *error)
    {
        const int catalog = m_objects.reserve();
        const int pages = m_objects.reserve();
        const int page = m_objects.reserve();
        const int content = m_objects.reserve();
        const int info = m_objects.reserve();
        QByteArray fonts;
        for (const int face : std::as_const(m_faces))
            fonts += '/' + m_fonts.face(face).resource + ' ' + QByteArray::number(m_fonts.face(face).object) + " 0 R";
        m_objects.addStream(content, {}, m_content);
        m_objects.add(page, "<</Type/Page/Parent " + QByteArray::number(pages) + " 0 R/MediaBox[0 0 " +
                                QByteArray::number(PageWidth) + ' ' + QByteArray::number(PageHeight) +
                                "]/Resources<</Font<<" + fonts + ">>>>/Contents " + QByteArray::number(content) +
                                " 0 R>>");
        m_objects.add(pages, "<</Type/Pages/Kids[" + QByteArray::number(page) + " 0 R]/Count 1>>");
        m_objects.add(catalog, "<</Type/Catalog/Pages " + QByteArray::number(pages) + " 0 R>>");
        m_objects.add(info, "<<>>");
        QByteArray out;
        if (!m_fonts.finish(error) || !m_objects.finish(catalog, info, &out))
            return {};
        return out;
    }

    // The same glyph runs drawn by Qt's PDF writer.
    QByteArray byQt() const
    {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(PageWidth, PageHeight), QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        for (const auto &[runs, at] : m_runs) {
            for (const QGlyphRun &run : runs)
                painter.drawGlyphRun(at, run);
        }
        painter.end();
        return out;
    }

private:
    TrpPdfObjects m_objects;
    TrpPdfFonts m_fonts;
    QByteArray m_content;
    QSet<int> m_faces;
    QList<QPair<QList<QGlyphRun>, QPointF>> m_runs;
};

class TrpPdfFontsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *program : {"pdftotext", "pdffonts", "pdftoppm"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                GTEST_SKIP() << program << " is missing (poppler-utils, scripts/install-deps)";
        }
        if (!QRawFont::fromFont(font("Noto Sans CJK JP", 12)).supportsCharacter(U'山'))
            GTEST_SKIP() << "Noto Sans CJK JP is missing (fonts-noto-cjk)";
    }

    QString save(const QByteArray &pdf, const QString &name)
    {
        const QString path = dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(pdf) == pdf.size());
        return path;
    }

    QString text(const QByteArray &pdf)
    {
        return QString::fromUtf8(
            toolOutput(QStringLiteral("pdftotext"), {save(pdf, QStringLiteral("text.pdf")), QStringLiteral("-")}));
    }

    // The fonts of the document last read by text().
    QString fontList()
    {
        return QString::fromUtf8(toolOutput(QStringLiteral("pdffonts"), {dir.filePath(QStringLiteral("text.pdf"))}));
    }

    QImage picture(const QByteArray &pdf, const QString &name)
    {
        const QString path = save(pdf, name + QStringLiteral(".pdf"));
        toolOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), path, dir.filePath(name)});
        return QImage(dir.filePath(name + QStringLiteral(".png"))).convertToFormat(QImage::Format_Grayscale8);
    }

    // The pages rendered by a PDF reader are the ones it renders from the
    // same glyph runs written by Qt.
    void expectDrawnAsByQt(const QByteArray &pdf, const Page &page)
    {
        const QImage ours = picture(pdf, QStringLiteral("ours"));
        const QImage qt = picture(page.byQt(), QStringLiteral("qt"));
        ASSERT_FALSE(ours.isNull());
        ASSERT_EQ(ours.size(), qt.size());
        // Compared by tiles a glyph wide, so that one wrong glyph shows.
        constexpr int Tile = 24;
        double worst = 0;
        qint64 ink = 0;
        for (int ty = 0; ty < ours.height(); ty += Tile) {
            for (int tx = 0; tx < ours.width(); tx += Tile) {
                qint64 sum = 0;
                int count = 0;
                for (int y = ty; y < std::min(ty + Tile, ours.height()); ++y) {
                    const uchar *a = ours.constScanLine(y);
                    const uchar *b = qt.constScanLine(y);
                    for (int x = tx; x < std::min(tx + Tile, ours.width()); ++x, ++count) {
                        sum += std::abs(int(a[x]) - int(b[x]));
                        ink += 255 - a[x];
                    }
                }
                worst = std::max(worst, double(sum) / count);
            }
        }
        EXPECT_GT(ink, 255 * 500) << "nothing drawn";
        // Rasterizers differ a little at the edges; a wrong glyph differs by
        // well over 100.
        EXPECT_LT(worst, 50.0) << dir.filePath(QStringLiteral("ours.png")).toStdString();
    }

    QTemporaryDir dir;
};

const char *const Lines[][2] = {
    {"Noto Sans CJK JP", "山田 太郎 No.5 fi ｱｲｳ 髙橋 ⼭ 𠮟る"},
    {"Noto Serif CJK JP", "佐藤　一郎（さとう）令和8年12月7日"},
    {"DejaVu Sans", "office fi No.5 Ærø 渡辺"},
    {"DejaVu Serif", "Straße 12, Zürich"},
};

void fill(Page &page)
{
    qreal y = 20;
    for (const auto &[family, text] : Lines) {
        for (const int pixels : {14, 26}) {
            page.add(QString::fromUtf8(text), font(family, pixels, pixels > 20 && family[0] == 'N'), QPointF(10, y));
            y += pixels * 1.6;
        }
    }
}

} // namespace

TEST_F(TrpPdfFontsTest, TextComesBackFromEmbeddedSubsets)
{
    Page page;
    fill(page);
    QString error;
    const QByteArray pdf = page.document(&error);
    ASSERT_FALSE(pdf.isEmpty()) << error.toStdString();
    const QString words = withoutSpace(text(pdf));
    for (const auto &[family, line] : Lines)
        EXPECT_EQ(words.count(withoutSpace(QString::fromUtf8(line)).replace(u'⼭', u'山')), 2) << line << "\n"
                                                                                               << words.toStdString();

    const QString fonts = fontList();
    const QStringList rows = fonts.split(u'\n').mid(2).filter(QRegularExpression(QStringLiteral("\\S")));
    // Sans, Sans Bold, Serif, Serif Bold, DejaVu Sans and Serif.
    EXPECT_EQ(rows.size(), 6) << fonts.toStdString();
    for (const QString &row : rows) {
        EXPECT_TRUE(QRegularExpression(
                        QStringLiteral("^[A-Z]{6}\\+\\S+ +(CID Type 0C|CID TrueType) +Identity-H +yes +yes +yes"))
                        .match(row)
                        .hasMatch())
            << row.toStdString();
    }
    EXPECT_EQ(fonts.count(QStringLiteral("CID Type 0C")), 4) << fonts.toStdString();
}

TEST_F(TrpPdfFontsTest, GlyphsDrawAsQtDrawsThem)
{
    Page page;
    fill(page);
    QString error;
    const QByteArray pdf = page.document(&error);
    ASSERT_FALSE(pdf.isEmpty()) << error.toStdString();
    expectDrawnAsByQt(pdf, page);
}

// Name-keyed CFF outlines have no CIDs of their own: a CMap sends each code
// to its glyph's index in the subset.
TEST_F(TrpPdfFontsTest, NameKeyedCffDrawsItsGlyphs)
{
    const QRawFont roman(QStringLiteral("/usr/share/fonts/opentype/urw-base35/NimbusRoman-Regular.otf"), 24);
    if (!roman.isValid())
        GTEST_SKIP() << "no font with name-keyed CFF outlines (fonts-urw-base35)";
    const QString line = QStringLiteral("Office 1/2 Zürich");
    Page page;
    page.add({glyphRun(roman, roman.glyphIndexesForString(line))}, line, QPointF(10, 40));
    QString error;
    const QByteArray pdf = page.document(&error);
    ASSERT_FALSE(pdf.isEmpty()) << error.toStdString();
    EXPECT_EQ(text(pdf).trimmed(), line);
    const QString fonts = fontList();
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral("[A-Z]{6}\\+NimbusRoman-Regular +CID Type 0C \\(OT\\) +Custom +yes +yes +yes"))
                    .match(fonts)
                    .hasMatch())
        << fonts.toStdString();
    expectDrawnAsByQt(pdf, page);
}

// A Type 1 face is left out of the document, not written broken: the page
// draws its glyphs as shapes.
TEST_F(TrpPdfFontsTest, FaceThatCannotBeEmbeddedIsLeftOut)
{
    const QRawFont type1(QStringLiteral("/usr/share/fonts/type1/urw-base35/NimbusRoman-Regular.t1"), 24);
    if (!type1.isValid())
        GTEST_SKIP() << "no Type 1 font (fonts-urw-base35)";
    TrpPdfObjects objects;
    TrpPdfFonts fonts(objects);
    const QRawFont noto = QRawFont::fromFont(font("Noto Sans CJK JP", 12));
    const int open = fonts.faceOf(noto);
    const int closed = fonts.faceOf(type1);
    EXPECT_TRUE(fonts.face(open).embedded);
    EXPECT_FALSE(fonts.face(closed).embedded);
    fonts.useText({glyphRun(type1, type1.glyphIndexesForString(QStringLiteral("Office")))}, u"Office");
    fonts.useText({glyphRun(noto, noto.glyphIndexesForString(QStringLiteral("山田")))}, u"山田");
    QString error;
    EXPECT_TRUE(fonts.finish(&error)) << error.toStdString();
}

TEST_F(TrpPdfFontsTest, OneFacePerFontWhateverTheSize)
{
    TrpPdfObjects objects;
    TrpPdfFonts fonts(objects);
    const int small = fonts.faceOf(QRawFont::fromFont(font("Noto Sans CJK JP", 10)));
    EXPECT_EQ(fonts.faceOf(QRawFont::fromFont(font("Noto Sans CJK JP", 10))), small);
    EXPECT_EQ(fonts.faceOf(QRawFont::fromFont(font("Noto Sans CJK JP", 31))), small);
    const int bold = fonts.faceOf(QRawFont::fromFont(font("Noto Sans CJK JP", 10, true)));
    const int latin = fonts.faceOf(QRawFont::fromFont(font("DejaVu Sans", 10)));
    EXPECT_NE(bold, small);
    EXPECT_NE(latin, small);
    EXPECT_EQ(fonts.faceOf(QRawFont::fromFont(font("DejaVu Sans", 50))), latin);
    EXPECT_NE(fonts.face(latin).resource, fonts.face(small).resource);
    EXPECT_NE(fonts.face(latin).object, fonts.face(small).object);

    const QRawFont gothic = QRawFont::fromFont(font("Noto Sans CJK JP", 10));
    EXPECT_EQ(fonts.advance(small, glyphOf(gothic, QStringLiteral("山"))), 1000);
    const QRawFont dejaVu = QRawFont::fromFont(font("DejaVu Sans", 10));
    const quint32 a = glyphOf(dejaVu, QStringLiteral("A"));
    // DejaVu's A is 1401 units of 2048.
    EXPECT_EQ(fonts.advance(latin, a), 684.082);
}

// Glyphs that are not a character's own in the font take the characters
// around them; a radical gives way to its ideograph.
TEST_F(TrpPdfFontsTest, GlyphsMapBackToTheirCharacters)
{
    const QRawFont dejaVu = QRawFont::fromFont(font("DejaVu Sans", 20));
    const QRawFont gothic = QRawFont::fromFont(font("Noto Sans CJK JP", 20));
    const quint32 ligature = glyphOf(dejaVu, QStringLiteral("ﬁ"));
    const quint32 superFive = glyphOf(dejaVu, QStringLiteral("⁵"));
    const quint32 mountain = glyphOf(gothic, QStringLiteral("山"));
    ASSERT_NE(ligature, 0u);
    ASSERT_EQ(glyphOf(gothic, QStringLiteral("⼭")), mountain) << "the font draws the radical with its own glyph";
    const QString scold = QString::fromUcs4(U"𠮟");
    ASSERT_NE(glyphOf(gothic, scold), 0u);

    Page page;
    const auto glyphs = [&](const QString &of) {
        return dejaVu.glyphIndexesForString(of);
    };
    // Shaped texts: "office" with the ligature, "No5" with a contextual five.
    page.add({glyphRun(dejaVu, {glyphs(QStringLiteral("o"))[0], glyphs(QStringLiteral("f"))[0], ligature,
                                glyphs(QStringLiteral("c"))[0], glyphs(QStringLiteral("e"))[0]})},
             QStringLiteral("office"), QPointF(10, 20));
    page.add({glyphRun(dejaVu, glyphs(QStringLiteral("No")) << superFive)}, QStringLiteral("No5"), QPointF(10, 50));
    // The radical first, then its ideograph; a character beyond 16 bits.
    page.add({glyphRun(gothic, {mountain})}, QStringLiteral("⼭"), QPointF(10, 80));
    page.add({glyphRun(gothic, {mountain, glyphOf(gothic, QStringLiteral("田"))})}, QStringLiteral("山田"),
             QPointF(10, 110));
    page.add({glyphRun(gothic, {glyphOf(gothic, scold), glyphOf(gothic, QStringLiteral("る"))})},
             scold + QStringLiteral("る"), QPointF(10, 140));
    // Each glyph alone: what comes back is what its map says.
    page.add({glyphRun(dejaVu, {ligature})}, QString(), QPointF(10, 170));
    page.add({glyphRun(dejaVu, {superFive})}, QString(), QPointF(10, 200));
    page.add({glyphRun(gothic, {mountain})}, QString(), QPointF(10, 230));
    QString error;
    const QByteArray pdf = page.document(&error);
    ASSERT_FALSE(pdf.isEmpty()) << error.toStdString();
    const QString all = text(pdf);
    const QStringList lines = all.split(QRegularExpression(QStringLiteral("[\n\f]+")), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8) << all.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("office"));
    EXPECT_EQ(lines[1], QStringLiteral("No5"));
    EXPECT_EQ(lines[2], QStringLiteral("山"));
    EXPECT_EQ(lines[3], QStringLiteral("山田"));
    EXPECT_EQ(lines[4], scold + QStringLiteral("る"));
    EXPECT_EQ(lines[5], QStringLiteral("fi"));
    EXPECT_EQ(lines[6], QStringLiteral("5"));
    EXPECT_EQ(lines[7], QStringLiteral("山"));
}

TEST_F(TrpPdfFontsTest, KanjiPageStaysSmall)
{
    Page page;
    QString kanji;
    for (char16_t c = u'亜'; kanji.size() < 200; ++c) {
        if (QRawFont::fromFont(font("Noto Sans CJK JP", 12)).supportsCharacter(c))
            kanji += QChar(c);
    }
    for (int row = 0; row < 10; ++row)
        page.add(kanji.mid(row * 20, 20), font("Noto Sans CJK JP", 16), QPointF(10, 20 + row * 24));
    QString error;
    const QByteArray pdf = page.document(&error);
    ASSERT_FALSE(pdf.isEmpty()) << error.toStdString();
    // The whole face is 16 MB.
    EXPECT_LT(pdf.size(), 120 * 1024);
    EXPECT_EQ(withoutSpace(text(pdf)), kanji);
}
