#include "report/pages/TrpPdfUnicode.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// A document laid out as Qt writes one: a font naming its ToUnicode map,
// the map, an object after it, the cross-reference table and the trailer.
QByteArray document(const QByteArray &cmap)
{
    QList<QByteArray> objects = {
        "1 0 obj\n<< /Type /Font /Subtype /Type0 /ToUnicode 2 0 R >>\nendobj\n",
        "2 0 obj\n<< /Length " + QByteArray::number(cmap.size()) + " >>\nstream\n" + cmap + "\nendstream\nendobj\n",
        "3 0 obj\n<< /Type /Catalog >>\nendobj\n",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QByteArray xref = "xref\n0 4\n0000000000 65535 f \n";
    for (const QByteArray &object : objects) {
        xref += QByteArray::number(pdf.size()).rightJustified(10, '0') + " 00000 n \n";
        pdf += object;
    }
    const qsizetype start = pdf.size();
    return pdf + xref + "trailer\n<< /Size 4 /Root 3 0 R >>\nstartxref\n" + QByteArray::number(start) + "\n%%EOF\n";
}

// Each in-use entry of the table points at its object, the table is where
// startxref says, and every stream is as long as its /Length.
void expectConsistent(const QByteArray &pdf)
{
    const qsizetype start = pdf.mid(pdf.lastIndexOf("startxref") + 10).split('\n').first().toLongLong();
    ASSERT_TRUE(pdf.mid(start).startsWith("xref\n0 4\n"));
    for (int number = 1; number < 4; ++number) {
        const qsizetype offset = pdf.mid(start + 9 + 20 * number, 10).toLongLong();
        EXPECT_TRUE(pdf.mid(offset).startsWith(QByteArray::number(number) + " 0 obj")) << number;
    }
    const QRegularExpression stream(QStringLiteral("/Length (\\d+) >>\\nstream\\n"));
    const QString text = QString::fromLatin1(pdf);
    for (auto it = stream.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        EXPECT_TRUE(
            text.mid(match.capturedEnd() + match.captured(1).toInt()).startsWith(QStringLiteral("\nendstream")));
    }
}

} // namespace

TEST(TrpPdfUnicode, SharedGlyphsGiveTheCommonCharacter)
{
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2F2D), 0x5C71); // 山
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2F65), 0x7530); // 田
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2FBC), 0x9AD8); // 高
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2F00), 0x4E00); // 一
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2FD5), 0x9FA0); // the last radical
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2EA1), 0x6C35); // 氵
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2EF3), 0x9F9F); // 龟
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2027), 0x30FB); // ・
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2003), 0x3000); // the ideographic space
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2215), 0xFF0F); // ／
    // Radicals without an ideograph of their own, and other text, stay.
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2E80), 0x2E80);
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x2FDF), 0x2FDF);
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(0x5C71), 0x5C71);
    EXPECT_EQ(TrpPdfUnicode::commonCharacter(u'A'), u'A');
}

TEST(TrpPdfUnicode, MendsEveryFormOfTheMapAndMovesTheObjectsAfterIt)
{
    const QByteArray cmap = "/CIDInit /ProcSet findresource begin\n"
                            "4 beginbfrange\n"
                            "<0000> <0000> <0000>\n"
                            "<0001> <0003> <2F00>\n"
                            "<0004> <0006> [<2F2D> <0041> <2F65>]\n"
                            "<0007> <0008> <0061>\n"
                            "endbfrange\n"
                            "2 beginbfchar\n"
                            "<0009> <2EA1>\n"
                            "<000A> <00412F2D>\n"
                            "endbfchar\n"
                            "endcmap\n";
    const QByteArray pdf = document(cmap);
    const QByteArray mended = TrpPdfUnicode::mended(pdf);

    EXPECT_TRUE(mended.contains("<0001> <0003> [<4E00> <4E28> <4E36>]\n"));
    EXPECT_TRUE(mended.contains("<0004> <0006> [<5C71> <0041> <7530>]\n"));
    EXPECT_TRUE(mended.contains("<0007> <0008> <0061>\n"));
    EXPECT_TRUE(mended.contains("<0009> <6C35>\n"));
    EXPECT_TRUE(mended.contains("<000A> <00415C71>\n"));
    EXPECT_FALSE(mended.contains("<2F"));
    EXPECT_GT(mended.size(), pdf.size());
    expectConsistent(pdf);
    expectConsistent(mended);
    // Everything but the map is as it was.
    EXPECT_TRUE(mended.startsWith(pdf.left(pdf.indexOf("2 0 obj"))));
    EXPECT_TRUE(mended.contains("3 0 obj\n<< /Type /Catalog >>\nendobj\nxref\n"));

    // A document without radicals is left as it is.
    EXPECT_EQ(TrpPdfUnicode::mended(mended), mended);
}

TEST(TrpPdfUnicode, LeavesWhatItCannotReadUnchanged)
{
    const QByteArray radical = "begincmap\n1 beginbfrange\n<0001> <0001> <2F2D>\nendbfrange\nendcmap\n";
    const QByteArray broken[] = {
        QByteArray(),
        QByteArray("%PDF-1.4\nnot a document"),
        // The table is not where startxref says.
        document(radical).replace("startxref\n", "startxref\n1"),
        // A compressed map, and a map that cannot be parsed.
        document(radical).replace("/Length", "/Filter /FlateDecode /Length"),
        document("1 beginbfrange\n<0001> <0002> <2F2D\nendbfrange\n"),
        document("1 beginbfrange\n<0003> <0001> <2F2D>\nendbfrange\n"),
    };
    for (const QByteArray &pdf : broken)
        EXPECT_EQ(TrpPdfUnicode::mended(pdf), pdf) << pdf.toStdString();
    EXPECT_NE(TrpPdfUnicode::mended(document(radical)), document(radical));
}
