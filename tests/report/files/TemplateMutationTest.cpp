#include "TemplateFixtures.h"

#include "report/drawing/TrpDrawContext.h"
#include "report/pages/TrpPrinter.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpViewFactory.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

using namespace TemplateFixtures;

namespace {

// Valid templates corrupted thousands of times must load or fail with an
// error; what loads must draw and save. The sanitizer build catches the rest.

class Corrupter
{
public:
    explicit Corrupter(unsigned seed) : m_engine(seed) {}
    int below(int n) { return int(m_engine() % unsigned(std::max(n, 1))); }

    QByteArray corrupt(QByteArray bytes)
    {
        const int edits = 1 + below(4);
        for (int i = 0; i < edits && !bytes.isEmpty(); ++i) {
            const int at = below(int(bytes.size()));
            switch (below(6)) {
            case 0:
                bytes[at] = char(below(256));
                break;
            case 1:
                bytes[at] = char(std::array{0x00, 0xFF, 0x0D, 0x0A, 0x05, 0x0B, 0xFE, 0xFD}[below(8)]);
                break;
            case 2:
                bytes.truncate(at);
                break;
            case 3:
                bytes.insert(at, QByteArray(1 + below(8), char(below(256))));
                break;
            case 4: {
                const quint32 extremes[] = {0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x0000FFFF, 0x7FFF0000};
                const quint32 v = extremes[below(5)];
                for (int k = 0; k < 4 && at + k < bytes.size(); ++k)
                    bytes[at + k] = char((v >> (8 * k)) & 0xFF);
                break;
            }
            default:
                bytes.remove(at, 1 + below(16));
                break;
            }
        }
        return bytes;
    }

private:
    std::mt19937 m_engine;
};

void drawAll(const TrpTemplate &report)
{
    QImage image(48, 48, QImage::Format_ARGB32);
    QPainter painter(&image);
    TrpDrawContext context;
    context.ScaleX = 0.1;
    context.ScaleY = 0.1;
    for (const auto &page : report.Pages)
        for (const auto &view : page->Objects)
            view->draw(painter, context);
}

TEST(TemplateMutation, CorruptedTemplatesFailCleanly)
{
    registerTestAddin();
    QList<QByteArray> seeds{saved(sampleTemplate())};
    QFile fixture(QStringLiteral(TAMSOLEN_TEST_DATA "/sample.rpf"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    seeds.append(fixture.readAll());

    Corrupter corrupter(20240612);
    TrpPrinter printer({});
    int loaded = 0;
    for (int i = 0; i < 6000; ++i) {
        QBuffer buffer;
        buffer.setData(corrupter.corrupt(seeds[i % seeds.size()]));
        buffer.open(QIODevice::ReadOnly);
        TrpTemplate report;
        TrpError error;
        const TrpTemplate::LoadStatus status = report.loadFromStream(buffer, printer, error);
        if (status != TrpTemplate::LoadStatus::Loaded) {
            EXPECT_TRUE(error.isSet());
            continue;
        }
        ++loaded;
        if (i % 50 == 0) {
            drawAll(report);
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            (void)report.saveToStream(out, printer.printerName(), error);
        }
    }
    // Some corruptions only change values: those files still load.
    EXPECT_GT(loaded, 100);
}

TEST(TemplateMutation, CorruptedPreparedRecordsFailCleanly)
{
    registerTestAddin();
    const TrpTemplate report = sampleTemplate();
    QByteArray seed;
    {
        QBuffer buffer(&seed);
        buffer.open(QIODevice::WriteOnly);
        TrpStreamWriter writer(buffer);
        for (const auto &page : report.Pages)
            for (const auto &view : page->Objects)
                TrpViewFactory::writePrepared(writer, *view);
    }
    Corrupter corrupter(99);
    for (int i = 0; i < 2000; ++i) {
        QBuffer buffer;
        buffer.setData(corrupter.corrupt(seed));
        buffer.open(QIODevice::ReadOnly);
        TrpStreamReader reader(buffer);
        while (reader.ok() && !reader.atEnd()) {
            const std::unique_ptr<TrpView> view = TrpViewFactory::readPrepared(reader);
            EXPECT_EQ(view == nullptr, !reader.ok());
        }
    }
}

} // namespace
