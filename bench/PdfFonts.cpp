// The fonts of a PDF file: a 200-page report draws some 160,000 texts with
// two or three faces and about 2,000 distinct glyphs. Every text's glyphs
// are recorded and measured while the pages are written; the faces are cut
// down and written once at the end.

#include "BenchMain.h"
#include "report/pdf/TrpPdfFonts.h"
#include "report/pdf/TrpPdfObjects.h"

#include <QGuiApplication>
#include <QRawFont>
#include <QSet>
#include <QTextLayout>

#include <benchmark/benchmark.h>

namespace {

const int TextsPerReport = benchSize(200 * 800, 800);

struct Shaped
{
    QString text;
    QList<QGlyphRun> runs;
};

// Names, dates, numbers and remarks in three faces, over about 2,000
// distinct characters.
const QList<Shaped> &texts()
{
    static const QList<Shaped> shaped = [] {
        QFont gothic(QStringLiteral("Noto Sans CJK JP"));
        gothic.setPixelSize(13);
        QFont mincho(QStringLiteral("Noto Serif CJK JP"));
        mincho.setPixelSize(15);
        QFont latin(QStringLiteral("DejaVu Sans"));
        latin.setPixelSize(12);
        const QRawFont raw = QRawFont::fromFont(gothic);
        QString kanji;
        for (char32_t c = U'一'; kanji.size() < 1800; ++c) {
            if (raw.supportsCharacter(c))
                kanji += QChar(char16_t(c));
        }
        const QString kana = QStringLiteral(
            "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん");
        QList<Shaped> out;
        for (int i = 0; i < 2000; ++i) {
            QString text;
            const int length = 2 + i % 11;
            for (int k = 0; k < length; ++k)
                text += (k % 3 == 2) ? kana[(i * 7 + k) % kana.size()] : kanji[(i * 13 + k * 101) % kanji.size()];
            const QFont *font = &gothic;
            if (i % 5 == 1)
                font = &mincho;
            if (i % 7 == 3) {
                text = QStringLiteral("No.%1 %2/%3 office").arg(i).arg(i % 12 + 1).arg(i % 28 + 1);
                font = &latin;
            } else if (i % 4 == 0) {
                text += QStringLiteral(" %1歳 %2kg").arg(60 + i % 40).arg(40 + i % 50);
            }
            QTextLayout layout(text, *font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            out.append({text, layout.glyphRuns()});
        }
        return out;
    }();
    return shaped;
}

void BM_PdfFontsRecord(benchmark::State &state)
{
    const QList<Shaped> &pool = texts();
    for (auto _ : state) {
        TrpPdfObjects objects;
        TrpPdfFonts fonts(objects);
        qreal width = 0;
        for (int i = 0; i < TextsPerReport; ++i) {
            const Shaped &shaped = pool[i % pool.size()];
            fonts.useText(shaped.runs, shaped.text);
            for (const QGlyphRun &run : shaped.runs) {
                const int face = fonts.faceOf(run.rawFont());
                for (const quint32 glyph : run.glyphIndexes())
                    width += fonts.advance(face, glyph);
            }
        }
        benchmark::DoNotOptimize(width);
    }
    state.SetItemsProcessed(state.iterations() * TextsPerReport);
}
BENCHMARK(BM_PdfFontsRecord)->Unit(benchmark::kMillisecond);

void BM_PdfFontsFinish(benchmark::State &state)
{
    const QList<Shaped> &pool = texts();
    qsizetype bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TrpPdfObjects objects;
        TrpPdfFonts fonts(objects);
        for (const Shaped &shaped : pool)
            fonts.useText(shaped.runs, shaped.text);
        state.ResumeTiming();
        QString error;
        if (!fonts.finish(&error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        bytes = objects.size();
    }
    state.counters["bytes"] = double(bytes);
    QSet<QPair<QString, quint32>> glyphs;
    for (const Shaped &shaped : pool) {
        for (const QGlyphRun &run : shaped.runs) {
            for (const quint32 glyph : run.glyphIndexes())
                glyphs.insert({run.rawFont().familyName() + run.rawFont().styleName(), glyph});
        }
    }
    state.counters["glyphs"] = double(glyphs.size());
}
BENCHMARK(BM_PdfFontsFinish)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv);
}
