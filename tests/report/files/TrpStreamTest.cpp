#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

template <qsizetype N> QByteArray bytes(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

QString q(const char *s)
{
    return QString::fromUtf8(s);
}

// Reads what a callback needs from the bytes and says where it stopped.
class Reading
{
public:
    Reading(const QByteArray &data, int version) : m_data(data), m_buffer(&m_data), m_reader(m_buffer, version)
    {
        m_buffer.open(QIODevice::ReadOnly);
    }
    TrpStreamReader &reader() { return m_reader; }
    qint64 position() const { return m_buffer.pos(); }

private:
    QByteArray m_data;
    QBuffer m_buffer;
    TrpStreamReader m_reader;
};

QByteArray written(const std::function<void(TrpStreamWriter &)> &write, bool expectOk = true)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    TrpStreamWriter writer(buffer);
    write(writer);
    EXPECT_EQ(writer.ok(), expectOk);
    return data;
}

TEST(TrpStream, IntegersAreLittleEndian)
{
    EXPECT_EQ(written([](TrpStreamWriter &w) {
                  w.writeByte(0xAB);
                  w.writeWord(0x1234);
                  w.writeInt32(-2);
              }),
              bytes("\xAB\x34\x12\xFE\xFF\xFF\xFF"));
    Reading r(bytes("\xAB\x34\x12\xFE\xFF\xFF\xFF"), 23);
    EXPECT_EQ(r.reader().readByte(), 0xAB);
    EXPECT_EQ(r.reader().readWord(), 0x1234);
    EXPECT_EQ(r.reader().readInt32(), -2);
    EXPECT_TRUE(r.reader().ok());
}

TEST(TrpStream, TextsInEveryVersion)
{
    const QByteArray counted = bytes("\x06\x00"
                                     "\x93\xfa\x96\x7b"
                                     "ab"
                                     "\x00");
    EXPECT_EQ(written([](TrpStreamWriter &w) { w.writeString(q("日本ab")); }), counted);
    Reading current(counted + "x", 23);
    EXPECT_EQ(current.reader().readString(), q("日本ab"));
    EXPECT_EQ(current.position(), counted.size());

    Reading old(bytes("\x93\xfa\x96\x7b"
                      "ab"
                      "\x00"
                      "next\x00"),
                22);
    EXPECT_EQ(old.reader().readString(), q("日本ab"));
    EXPECT_EQ(old.reader().readString(), q("next"));
    EXPECT_TRUE(old.reader().ok());

    EXPECT_EQ(written([](TrpStreamWriter &w) { w.writeString(QString()); }), bytes("\x00\x00\x00"));
}

TEST(TrpStream, LineListsInEveryVersion)
{
    const QStringList lines{q("[CureNo]"), q(""), q("氏名")};
    const QByteArray counted = bytes("\x03\x00"
                                     "\x08\x00"
                                     "[CureNo]"
                                     "\x0d"
                                     "\x00\x00"
                                     "\x0d"
                                     "\x04\x00"
                                     "\x8e\x81\x96\xbc"
                                     "\x00");
    EXPECT_EQ(written([&](TrpStreamWriter &w) { w.writeLines(lines); }), counted);
    Reading current(counted, 23);
    EXPECT_EQ(current.reader().readLines(), lines);
    EXPECT_EQ(current.position(), counted.size());

    EXPECT_EQ(written([](TrpStreamWriter &w) { w.writeLines({}); }), bytes("\x00\x00\x00"));
    Reading empty(bytes("\x00\x00\x00"
                        "z"),
                  23);
    EXPECT_TRUE(empty.reader().readLines().isEmpty());
    EXPECT_EQ(empty.position(), 3);

    Reading old(bytes("[CureNo]\x0d\x0d"
                      "\x8e\x81\x96\xbc"
                      "\x00"),
                21);
    EXPECT_EQ(old.reader().readLines(), lines);
    Reading oldTrailing(bytes("a\x0d\x00"), 22);
    EXPECT_EQ(oldTrailing.reader().readLines(), QStringList{q("a")}) << "an empty last piece is no line";
    Reading oldEmpty(bytes("\x00"), 22);
    EXPECT_TRUE(oldEmpty.reader().readLines().isEmpty());
}

TEST(TrpStream, StreamsEndingEarlyAreErrors)
{
    const QByteArray cut[] = {bytes("\x05\x00"
                                    "ab"),
                              bytes("\x02\x00"
                                    "ab"),
                              bytes("\x01")};
    for (const QByteArray &data : cut) {
        Reading r(data, 23);
        EXPECT_TRUE(r.reader().readString().isEmpty());
        EXPECT_FALSE(r.reader().ok());
        EXPECT_EQ(r.reader().error().kind, TrpError::Kind::Stream);
        EXPECT_EQ(r.reader().readInt32(), 0) << "reads after an error give nothing";
    }
    Reading lines(bytes("\x02\x00"
                        "\x01\x00"
                        "a"
                        "\x0d"
                        "\x05\x00"
                        "b"),
                  23);
    EXPECT_TRUE(lines.reader().readLines().isEmpty());
    EXPECT_FALSE(lines.reader().ok());
    Reading oldText(bytes("no end"), 22);
    EXPECT_TRUE(oldText.reader().readString().isEmpty());
    EXPECT_FALSE(oldText.reader().ok());
    Reading oldLines(bytes("a\x0d"
                           "b"),
                     21);
    EXPECT_TRUE(oldLines.reader().readLines().isEmpty());
    EXPECT_FALSE(oldLines.reader().ok());
}

// Prepared pages are read from their bytes in memory: every read gives what
// reading through a device gives, values, errors and positions alike, on
// every cut of a stream.
TEST(TrpStream, BytesInMemoryReadAsThroughADevice)
{
    const QByteArray full = written([](TrpStreamWriter &w) {
        w.writeByte(7);
        w.writeWord(0xBEEF);
        w.writeInt32(-123456);
        w.writeString(q("山田 花子"));
        w.writeLines({q("一行目"), QString(), q("ｶﾅ abc")});
        w.writeShortString(q("ＭＳ ゴシック"));
        w.writeInt32(4);
        w.writeBytes(QByteArray("\x00\x01\xFE\xFF", 4));
        w.writeString(QString());
    });
    const auto readAll = [](TrpStreamReader &reader) {
        QStringList seen;
        const auto note = [&](const QString &value) {
            seen.append(value + QLatin1Char('@') + QString::number(reader.pos()) +
                        (reader.ok() ? QString() : QStringLiteral("!")) + reader.error().message);
        };
        note(QString::number(reader.readByte()));
        note(QString::number(reader.readWord()));
        note(QString::number(reader.readInt32()));
        note(reader.readString());
        note(reader.readLines().join(QLatin1Char('|')));
        note(reader.readShortString());
        const qint32 count = reader.readInt32();
        note(QString::fromLatin1(reader.readBytes(count).toHex()));
        note(reader.readString());
        note(QString::number(reader.atEnd()));
        note(QString::number(reader.seek(3)) + QString::number(reader.readInt32()));
        note(QString::number(reader.seek(reader.size() + 1)));
        return seen;
    };
    for (qsizetype length = 0; length <= full.size(); ++length) {
        const QByteArray cut = full.left(length);
        Reading device(cut, 23);
        TrpStreamReader memory{QByteArrayView(cut)};
        EXPECT_EQ(readAll(memory), readAll(device.reader())) << length;
    }
    Reading device(full, 23);
    EXPECT_TRUE(readAll(device.reader()).first().startsWith(QStringLiteral("7@1")));
}

// Pages are written by appending to their bytes: the bytes, positions and
// errors are those written through a device placed at the end of the same
// bytes, placeholders filled in afterwards included.
TEST(TrpStream, BytesAppendedAsThroughADevice)
{
    const auto writeAll = [](TrpStreamWriter &w) {
        QList<qint64> positions{w.pos()};
        w.writeByte(1);
        const qint64 placeholder = w.pos();
        w.writeInt32(0);
        w.writeString(q("山田 花子"));
        w.writeLines({q("一"), QString(), q("ｶﾅ")});
        w.writeShortString(q("ＭＳ 明朝"));
        w.writeBytes(QByteArray("\x00\xFF", 2));
        w.writeInt32At(placeholder, qint32(w.pos()));
        positions.append(w.pos());
        w.writeShortString(QString(300, QLatin1Char('x')));
        w.writeWord(5);
        positions.append(w.pos());
        return positions;
    };
    QByteArray throughDevice = bytes("head");
    QBuffer buffer(&throughDevice);
    buffer.open(QIODevice::ReadWrite);
    buffer.seek(throughDevice.size());
    TrpStreamWriter deviceWriter(buffer);
    const QList<qint64> devicePositions = writeAll(deviceWriter);
    buffer.close();

    QByteArray appended = bytes("head");
    TrpStreamWriter memoryWriter(appended);
    EXPECT_EQ(writeAll(memoryWriter), devicePositions);
    EXPECT_EQ(appended, throughDevice);
    EXPECT_FALSE(memoryWriter.ok());
    EXPECT_EQ(memoryWriter.error().message, deviceWriter.error().message);
    EXPECT_EQ(memoryWriter.error().position, deviceWriter.error().position);
    // The placeholder holds the position after the bytes.
    ASSERT_EQ(devicePositions.size(), 3);
    EXPECT_EQ(appended.mid(5, 4), QByteArray(1, char(devicePositions[1])) + QByteArray(3, '\0'));
}

TEST(TrpStream, OverlongTextsAreNotCutSilently)
{
    const QString huge(70000, QLatin1Char('x'));
    written([&](TrpStreamWriter &w) { w.writeString(huge); }, false);
    written([&](TrpStreamWriter &w) { w.writeLines({q("ok"), huge}); }, false);

    const QStringList many(70000, q("a"));
    const QByteArray data = written([&](TrpStreamWriter &w) { w.writeLines(many); });
    EXPECT_EQ(data.left(2), bytes("\xFF\xFF"));
    Reading r(data, 23);
    EXPECT_EQ(r.reader().readLines(), many);
}

} // namespace
