// A document rewritten by Ghostscript (what PDF/A converters run) and
// printed to a print-to-PDF queue (which makes PostScript of it first) must
// keep its text: both rebuild the text maps from ours, so a map they read
// differently from other readers, or two glyphs of one character that
// PostScript names alike, show here.

#include "PdfTools.h"

#include "report/drawing/TrpRecordingDevice.h"
#include "report/pages/TrpPdfFile.h"

#include <QFile>
#include <QPainter>
#include <QRawFont>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(TrpPdfRewrittenText, TextReadsBackAfterGhostscript)
{
    for (const char *program : {"gs", "pdftotext", "pdftocairo"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            GTEST_SKIP() << program << " is missing (ghostscript, poppler-utils: scripts/install-deps)";
    }
    if (!QRawFont::fromFont(QFont(u"Noto Sans CJK JP"_s)).supportsCharacter(U'ｱ'))
        GTEST_SKIP() << "Noto Sans CJK JP is missing (fonts-noto-cjk)";
    // Runs of codes that follow on (the kana, the digits, the letters) are
    // where a map by ranges goes wrong.
    const QStringList lines{u"山田 太郎"_s,   u"ﾔﾏﾀﾞ ﾀﾛｳ"_s,  u"ｱｲｳｴｵｶｷｸｹｺ"_s, u"R08.04.02"_s,
                            u"1,234,567円"_s, u"0123456789"_s, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz"_s};
    TrpRecordingDevice device(QSizeF(595, 842));
    {
        QPainter painter(&device);
        for (const char *family : {"Noto Sans CJK JP", "DejaVu Sans"}) {
            QFont font(QString::fromLatin1(family));
            font.setPixelSize(14);
            painter.setFont(font);
            for (qsizetype i = 0; i < lines.size(); ++i)
                TrpRecordingDevice::drawText(painter, QPointF(20, (family[0] == 'N' ? 40 : 440) + 40 * i), lines[i]);
        }
    }
    TrpPdfFile file;
    ASSERT_TRUE(file.addPage(device.takeRecords(), QSizeF(595, 842)) && file.finish()) << file.errorString().toStdString();
    QTemporaryDir dir;
    const QString ours = dir.filePath(u"ours.pdf"_s);
    const QString rewritten = dir.filePath(u"rewritten.pdf"_s);
    const QString postScript = dir.filePath(u"queued.ps"_s);
    const QString printed = dir.filePath(u"printed.pdf"_s);
    ASSERT_TRUE(file.save(ours)) << file.errorString().toStdString();
    const auto pdfWrite = [](const QString &from, const QString &to) {
        toolOutput(u"gs"_s, {u"-q"_s, u"-dBATCH"_s, u"-dNOPAUSE"_s, u"-dSAFER"_s, u"-sDEVICE=pdfwrite"_s,
                             u"-sOutputFile="_s + to, from});
    };
    pdfWrite(ours, rewritten);
    // The print queue's way: the page as PostScript, then a PDF of that.
    toolOutput(u"pdftocairo"_s, {u"-ps"_s, ours, postScript});
    pdfWrite(postScript, printed);
    for (const QString &path : {ours, rewritten, printed}) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(QFile::exists(path)) << "not written";
        const QString text = withoutSpace(QString::fromUtf8(toolOutput(u"pdftotext"_s, {path, u"-"_s})));
        for (const QString &line : lines)
            EXPECT_EQ(text.count(withoutSpace(line)), 2) << line.toStdString() << "\n" << text.toStdString();
    }
}
