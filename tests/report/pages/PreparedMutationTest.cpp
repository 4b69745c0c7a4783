#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPrinter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

namespace {

// Valid prepared reports corrupted again and again: reading them and
// drawing what was read must end in pages or an orderly error, never in a
// crash or a hang (the sanitizer build checks the rest).

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(TAMSOLEN_TEST_DATA "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QByteArray mutated(const QByteArray &valid, std::mt19937 &random)
{
    QByteArray bytes = valid;
    switch (random() % 6) {
    case 0: // a few bytes anywhere
    case 1: {
        const int changes = 1 + int(random() % 3);
        for (int c = 0; c < changes; ++c)
            bytes[qsizetype(random() % quint32(bytes.size()))] = char(random());
        break;
    }
    case 2: { // an extreme value over four bytes
        static const quint32 extremes[] = {0, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFF, 0x10000};
        const qsizetype at = qsizetype(random() % quint32(bytes.size() - 3));
        const quint32 value = extremes[random() % std::size(extremes)];
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
        break;
    }
    case 3: // cut short
        bytes.truncate(qsizetype(random() % quint32(bytes.size())));
        break;
    case 4: { // a run removed
        const qsizetype at = qsizetype(random() % quint32(bytes.size()));
        bytes.remove(at, qsizetype(random() % 8) + 1);
        break;
    }
    default: { // a run of bytes repeated
        const qsizetype at = qsizetype(random() % quint32(bytes.size()));
        bytes.insert(at, bytes.mid(at, qsizetype(random() % 16) + 1));
        break;
    }
    }
    return bytes;
}

} // namespace

TEST(PreparedMutation, CorruptedPreparedReportsFailInOrder)
{
    // Broken pages are reported one by one; thousands of reports say nothing here.
    QLoggingCategory::setFilterRules(QStringLiteral("tamsolen.report.pages.warning=false"));
    const QByteArray files[] = {fixture("prepared-two-pages.rpd"), fixture("prepared-older.rpd")};
    TrpPrinter printer({});
    QImage image(80, 110, QImage::Format_RGB32);
    std::mt19937 random(1234);
    int failed = 0;
    int drawn = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = mutated(files[round % 2], random);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TrpEMFPages pages;
        if (!pages.LoadFromStream(buffer, printer, round % 3 == 0)) {
            ++failed;
            EXPECT_TRUE(pages.error().isSet());
            EXPECT_FALSE(pages.error().message.isEmpty());
        }
        for (int i = 0; i < pages.Count(); ++i) {
            TrpEMFPage &page = pages[i];
            EXPECT_GT(page.size().width(), 0);
            // Reading and recording every page; playing one in ten.
            page.Visible = true;
            const TrpDrawList &list = page.drawList();
            if (round % 10 == 0) {
                QPainter painter(&image);
                page.draw(painter, QRectF(0, 0, 80, 110));
                ++drawn;
            }
            EXPECT_GE(list.records().size(), 0);
            page.Visible = false;
            QPainter painter(&image);
            page.draw(painter, QRectF());
            EXPECT_FALSE(page.isHeld());
        }
    }
    QLoggingCategory::setFilterRules(QString());
    // Both outcomes occur; the fixtures are not all refused.
    EXPECT_GT(failed, 300);
    EXPECT_LT(failed, 2700);
    EXPECT_GT(drawn, 50);
}
