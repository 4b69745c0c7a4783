#include "report/pdf/TrpPdfObjects.h"
#include "report/pdf/TrpPdfPacker.h"

#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <future>
#include <memory>

namespace {

// Each in-use entry of the table points at its object, the table is where
// startxref says, and every stream is as long as its /Length.
void expectConsistent(const QByteArray &pdf, int objects)
{
    const qsizetype start = pdf.mid(pdf.lastIndexOf("startxref") + 10).split('\n').first().toLongLong();
    ASSERT_TRUE(pdf.mid(start).startsWith("xref\n0 " + QByteArray::number(objects + 1) + '\n'));
    for (int number = 1; number <= objects; ++number) {
        const qsizetype offset = pdf.mid(start + 9 + 20 * number + (objects >= 9 ? 1 : 0), 10).toLongLong();
        EXPECT_TRUE(pdf.mid(offset).startsWith(QByteArray::number(number) + " 0 obj")) << number;
    }
    const QRegularExpression stream(QStringLiteral("/Length (\\d+)[^>]*>>\\nstream\\n"));
    const QString text = QString::fromLatin1(pdf);
    for (auto it = stream.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        EXPECT_TRUE(
            text.mid(match.capturedEnd() + match.captured(1).toInt()).startsWith(QStringLiteral("\nendstream")));
    }
}

QByteArray inflated(const QByteArray &data)
{
    QByteArray out(1 << 21, Qt::Uninitialized);
    uLongf length = uLongf(out.size());
    if (uncompress(reinterpret_cast<Bytef *>(out.data()), &length, reinterpret_cast<const Bytef *>(data.constData()),
                   uLong(data.size())) != Z_OK)
        return {};
    out.truncate(qsizetype(length));
    return out;
}

} // namespace

TEST(TrpPdfObjects, NumbersAreWrittenShortAndPlain)
{
    const std::pair<double, const char *> cases[] = {
        {0, "0"},
        {-0.00001, "0"},
        {1.5, "1.5"},
        {-2.25, "-2.25"},
        {0.00005, "0.0001"},
        {595.2756, "595.2756"},
        {1e7 / 3, "3333333.3333"},
        {-0.5, "-0.5"},
        {1e20, "1000000000"},
        {-1e20, "-1000000000"},
        {std::nan(""), "0"},
        {1.0 / 0.0, "0"},
        {12.0100, "12.01"},
    };
    for (const auto &[value, written] : cases)
        EXPECT_EQ(TrpPdfObjects::number(value), QByteArray(written)) << value;
    EXPECT_EQ(TrpPdfObjects::textString(QStringLiteral("A\u5C71")), QByteArray("<FEFF00415C71>"));
}

TEST(TrpPdfObjects, DocumentsFindEveryObjectAndStream)
{
    TrpPdfObjects objects;
    const int catalog = objects.reserve();
    const int info = objects.reserve();
    QList<int> streams;
    for (int i = 0; i < 10; ++i)
        streams.append(objects.reserve());
    // Written in another order than reserved, every other one unpacked.
    for (qsizetype i = streams.size() - 1; i >= 0; --i) {
        const QByteArray data(100 * i, char('a' + i));
        if (i % 2)
            objects.addStream(streams[i], "/Kind " + QByteArray::number(i), data);
        else
            objects.addStream(streams[i], "/Kind " + QByteArray::number(i), TrpPdfObjects::Stream{data, false});
    }
    objects.add(info, "<</Title (x)>>");
    objects.add(catalog, "<</Type/Catalog>>");
    QByteArray pdf;
    ASSERT_TRUE(objects.finish(catalog, info, &pdf));
    EXPECT_TRUE(pdf.startsWith("%PDF-1."));
    EXPECT_TRUE(pdf.endsWith("%%EOF\n"));
    expectConsistent(pdf, 12);
    // A packed stream unpacks to its data.
    const qsizetype at = pdf.indexOf("/Kind 3");
    const qsizetype data = pdf.indexOf("stream\n", at) + 7;
    const qsizetype length = pdf.mid(pdf.indexOf("/Length ", at) + 8, 10).split('/').first().toLongLong();
    EXPECT_EQ(inflated(pdf.mid(data, length)), QByteArray(300, 'd'));
}

TEST(TrpPdfObjects, AnObjectNeverWrittenLeavesNoDocument)
{
    TrpPdfObjects objects;
    const int catalog = objects.reserve();
    const int info = objects.reserve();
    (void)objects.reserve();
    objects.add(catalog, "<<>>");
    objects.add(info, "<<>>");
    QByteArray pdf = "old";
    EXPECT_FALSE(objects.finish(catalog, info, &pdf));
    EXPECT_TRUE(pdf.isEmpty());
}

// Pages handed over faster than they are packed all come back, each with
// its own data, however many wait; a packer given up with pages waiting
// ends.
TEST(TrpPdfPacker, EveryStreamHandedOverComesBackPacked)
{
    TrpPdfPacker packer;
    QList<TrpPdfPacker::Packed> packed;
    for (int object = 1; object <= 40; ++object) {
        packer.pack(object, QByteArray(5000 + object, char('a' + object % 26)));
        if (object % 7 == 0)
            packed += packer.take(false);
    }
    packed += packer.take(true);
    ASSERT_EQ(packed.size(), 40);
    for (qsizetype i = 0; i < packed.size(); ++i) {
        const auto &[object, stream] = packed[i];
        EXPECT_EQ(object, i + 1);
        EXPECT_TRUE(stream.deflated);
        EXPECT_EQ(inflated(stream.data), QByteArray(5000 + object, char('a' + object % 26))) << object;
    }
    EXPECT_TRUE(packer.take(true).isEmpty());

    // A document given up while pages still wait: what came back before is
    // whole and in order, and the packer stops without packing the rest.
    auto abandoned = std::make_unique<TrpPdfPacker>();
    const QByteArray page(1 << 20, 'x');
    QList<TrpPdfPacker::Packed> early;
    for (int object = 1; object <= 10; ++object) {
        abandoned->pack(object, page);
        early += abandoned->take(false);
    }
    for (qsizetype i = 0; i < early.size(); ++i) {
        EXPECT_EQ(early[i].first, i + 1);
        EXPECT_EQ(inflated(early[i].second.data), page) << early[i].first;
    }
    auto stopped = std::async(std::launch::async, [&abandoned] { abandoned.reset(); });
    ASSERT_EQ(stopped.wait_for(std::chrono::minutes(1)), std::future_status::ready)
        << "the packer of a document given up does not stop";
}
