#include "base/Sjis.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <optional>
#include <vector>

namespace {

// The converter's own reading, one call over the bytes; nullopt when it
// stops at a byte.
std::optional<QString> converterReading(const QByteArray &bytes)
{
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    std::vector<char16_t> out(size_t(bytes.size()) + 1);
    char *in = const_cast<char *>(bytes.constData());
    char *outPtr = reinterpret_cast<char *>(out.data());
    size_t inLeft = size_t(bytes.size());
    size_t outLeft = out.size() * 2;
    const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1))
        return std::nullopt;
    return QString(reinterpret_cast<const QChar *>(out.data()), (outPtr - reinterpret_cast<char *>(out.data())) / 2);
}

} // namespace

TEST(Sjis, LengthCountsFullWidthAsTwo)
{
    EXPECT_EQ(Sjis::byteLength(u"abc"), 3);
    EXPECT_EQ(Sjis::byteLength(u"山田太郎"), 8);
    EXPECT_EQ(Sjis::byteLength(u"ﾔﾏﾀﾞ ﾀﾛｳ"), 8); // half-width katakana are single bytes
    EXPECT_EQ(Sjis::byteLength(u"　"), 2);
    EXPECT_EQ(Sjis::byteLength(u""), 0);
}

TEST(Sjis, EncodeDecodeRoundTrip)
{
    const QString text = QStringLiteral("リハビリ支援システム ABC ｱｲｳ ①Ⅰ");
    const QByteArray bytes = Sjis::encode(text);
    EXPECT_EQ(bytes.left(2), QByteArray("\x83\x8a"));
    EXPECT_EQ(Sjis::decode(bytes), text);
}

TEST(Sjis, UnmappedCharactersBecomeQuestionMarks)
{
    // U+1F600 (outside the code page, a surrogate pair) and U+00E9.
    const QString text = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("é山");
    EXPECT_EQ(Sjis::encode(text), QByteArray("a??\x8e\x52"));
    EXPECT_EQ(Sjis::byteLength(text), 5);
    EXPECT_FALSE(Sjis::holds(text));
    EXPECT_TRUE(Sjis::holds(u"リハビリ ? ｱｲｳ ①"));
}

TEST(Sjis, DecodeIsLenient)
{
    EXPECT_EQ(Sjis::decode(QByteArray("ab\x82")), QStringLiteral("ab") + QChar(QChar::ReplacementCharacter));
    EXPECT_EQ(Sjis::decode(QByteArray("\x82\x20z")), QChar(QChar::ReplacementCharacter) + QStringLiteral(" z"));
    EXPECT_EQ(Sjis::decode(QByteArray()), QString());
}

// Decoding reads every character as the converter does: each byte alone
// and each pair of bytes, between ASCII, and in one run of all of them.
TEST(Sjis, DecodeReadsAsTheConverter)
{
    QByteArray all;
    int characters = 0;
    for (int lead = 0x80; lead < 0x100; ++lead) {
        const QByteArray alone(1, char(lead));
        if (const auto expected = converterReading("a" + alone)) {
            ASSERT_EQ(Sjis::decode("a" + alone), *expected) << std::hex << lead;
            all += alone;
            ++characters;
            continue;
        }
        for (int trail = 0; trail < 0x100; ++trail) {
            const QByteArray bytes = alone + char(trail);
            const QString decoded = Sjis::decode("a" + bytes + "z");
            if (const auto expected = converterReading("a" + bytes + "z")) {
                ASSERT_EQ(decoded, *expected) << std::hex << lead << " " << trail;
                all += bytes;
                ++characters;
            } else {
                ASSERT_TRUE(decoded.contains(QChar::ReplacementCharacter)) << std::hex << lead << " " << trail;
            }
        }
    }
    EXPECT_GT(characters, 7000);
    EXPECT_EQ(Sjis::decode(all), *converterReading(all));
}

TEST(Sjis, CutNeverSplitsADoubleByteCharacter)
{
    EXPECT_EQ(Sjis::cut(u"山田太郎", 5), QStringLiteral("山田"));
    EXPECT_EQ(Sjis::cut(u"山田太郎", 6), QStringLiteral("山田太"));
    EXPECT_EQ(Sjis::cut(u"a山", 2), QStringLiteral("a"));
    EXPECT_EQ(Sjis::cut(u"abc", 10), QStringLiteral("abc"));
    EXPECT_EQ(Sjis::cut(u"abc", 0), QString());
    EXPECT_EQ(Sjis::cutBytes(Sjis::encode(u"a山田"), 4), Sjis::encode(u"a山"));
    EXPECT_EQ(Sjis::cutBytes(Sjis::encode(u"a山田"), 2), QByteArray("a"));
}

TEST(Sjis, TrimKeepsTheFullWidthBlank)
{
    EXPECT_EQ(Sjis::trim(u" \t山田\r\n"), QStringLiteral("山田"));
    EXPECT_EQ(Sjis::trim(u"　山田　"), QStringLiteral("　山田　"));
    EXPECT_EQ(Sjis::trim(u"   "), QString());
    EXPECT_EQ(Sjis::trimLeft(u"  a "), QStringLiteral("a "));
    EXPECT_EQ(Sjis::trimRight(u"  a "), QStringLiteral("  a"));
}

TEST(Sjis, WindowsMappingsHoldBothWays)
{
    // Wave dash / full-width tilde, minus, double bar, cent, pound, not sign,
    // horizontal bar: the form of each that the Windows code page reads back.
    const struct
    {
        QStringView unicode;
        QByteArray bytes;
        QStringView readBack;
    } cases[] = {{u"〜", "\x81\x60", u"～"}, {u"～", "\x81\x60", u"～"}, {u"−", "\x81\x7c", u"－"},
                 {u"∥", "\x81\x61", u"∥"},   {u"¢", "\x81\x91", u"￠"},  {u"£", "\x81\x92", u"￡"},
                 {u"¬", "\x81\xca", u"￢"},  {u"—", "\x81\x5c", u"―"}};
    for (const auto &c : cases) {
        qsizetype unmapped = -1;
        EXPECT_EQ(Sjis::encode(c.unicode, &unmapped), c.bytes);
        EXPECT_EQ(unmapped, 0);
        EXPECT_EQ(Sjis::decode(c.bytes), c.readBack.toString());
    }
    qsizetype unmapped = 0;
    EXPECT_EQ(Sjis::encode(u"aé山é", &unmapped), QByteArray("a?\x8e\x52?"));
    EXPECT_EQ(unmapped, 2);
}
