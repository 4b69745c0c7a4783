#include "base/Blowfish.h"
#include "base/PasswordCipher.h"
#include "base/Sjis.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray encipherBlock(const Blowfish &cipher, const QByteArray &plain)
{
    std::array<unsigned char, 8> block{};
    std::memcpy(block.data(), plain.constData(), 8);
    cipher.encipherBlock(block);
    return QByteArray(reinterpret_cast<const char *>(block.data()), 8);
}

// The record as the key, vector and feedback routine of the settings make it,
// built here with the plain cipher so that the record layout is checked apart.
QByteArray encipherRecord(const QByteArray &plain)
{
    return Blowfish(QByteArrayView("HqWtLzNcBvRpKsMdYgXfJaUeTkPiOwQrZlVnCmSb")).cfb64Encipher(plain, "quarnelt");
}

} // namespace

TEST(Blowfish, PublishedBlockVectors)
{
    EXPECT_EQ(encipherBlock(Blowfish(hex("0000000000000000")), hex("0000000000000000")), hex("4EF997456198DD78"));
    EXPECT_EQ(encipherBlock(Blowfish(hex("FFFFFFFFFFFFFFFF")), hex("FFFFFFFFFFFFFFFF")), hex("51866FD5B85ECB8A"));
    EXPECT_EQ(encipherBlock(Blowfish(hex("0123456789ABCDEF")), hex("1111111111111111")), hex("61F9C3802281B096"));
}

TEST(Blowfish, BlockRoundTrip)
{
    const Blowfish cipher(QByteArrayView("a key of some length"));
    std::array<unsigned char, 8> block{1, 2, 3, 4, 250, 251, 252, 253};
    const auto original = block;
    cipher.encipherBlock(block);
    EXPECT_NE(block, original);
    cipher.decipherBlock(block);
    EXPECT_EQ(block, original);
}

TEST(Blowfish, Cfb64PublishedVector)
{
    const Blowfish cipher(hex("0123456789ABCDEFF0E1D2C3B4A59687"));
    const QByteArray iv = hex("FEDCBA9876543210");
    const QByteArray plain("7654321 Now is the time for \0", 29);
    const QByteArray expected = hex("e73214a2822139caf26ecf6d2eb9e76e3da3de04d1517200519d57a6c3");
    EXPECT_EQ(cipher.cfb64Encipher(plain, iv), expected);
    EXPECT_EQ(cipher.cfb64Decipher(expected, iv), plain);
}

TEST(Blowfish, KeyBeyond72BytesIsIgnored)
{
    const QByteArray key72(72, 'k');
    const QByteArray plain("12345678");
    EXPECT_EQ(encipherBlock(Blowfish(key72 + "extra"), plain), encipherBlock(Blowfish(key72), plain));
    EXPECT_NE(encipherBlock(Blowfish(key72.left(71) + 'x'), plain), encipherBlock(Blowfish(key72), plain));
}

TEST(PasswordCipher, RecordRoundTrip)
{
    for (const QString &password : {QString(), QStringLiteral("secret"), QStringLiteral("パスワード;=\"'"),
                                    QString(56, u'x'), QString(28, u'山')}) {
        const auto record = PasswordCipher::encipher(password);
        ASSERT_TRUE(record.has_value()) << password.toStdString();
        EXPECT_EQ(record->size(), 57);
        EXPECT_EQ(PasswordCipher::decipher(*record), password);
    }
}

TEST(PasswordCipher, RecordLayoutIsLengthByteThenShiftJisText)
{
    const auto record = PasswordCipher::encipher(u"山田pw");
    ASSERT_TRUE(record.has_value());
    QByteArray expected(57, '\0');
    expected[0] = 6;
    expected.replace(1, 6, Sjis::encode(u"山田pw"));
    EXPECT_EQ(*record, encipherRecord(expected));
}

TEST(PasswordCipher, PasswordOver56BytesOrOutsideShiftJisIsRefused)
{
    EXPECT_FALSE(PasswordCipher::encipher(QString(57, u'x')).has_value());
    EXPECT_FALSE(PasswordCipher::encipher(QString(28, u'山') + u'a').has_value());
    // Stored as "?", these would no longer log in.
    EXPECT_FALSE(PasswordCipher::encipher(u"pw\U0001F600").has_value());
    EXPECT_FALSE(PasswordCipher::encipher(u"caf\u00e9").has_value());
    EXPECT_TRUE(PasswordCipher::encipher(u"pw?\uFF5E").has_value());
}

TEST(PasswordCipher, LengthByteAbove56ReadsAs56)
{
    QByteArray plain(57, 'p');
    plain[0] = char(0xFF);
    const auto password = PasswordCipher::decipher(encipherRecord(plain));
    EXPECT_EQ(password, QString(56, u'p'));
}

TEST(PasswordCipher, OnlyA57ByteRecordDeciphers)
{
    const QByteArray record = *PasswordCipher::encipher(u"pw");
    EXPECT_FALSE(PasswordCipher::decipher(record.left(56)).has_value());
    EXPECT_FALSE(PasswordCipher::decipher(record + '\0').has_value());
    EXPECT_FALSE(PasswordCipher::decipher(QByteArray()).has_value());
}

TEST(PasswordCipher, DefaultPasswordIsEightDigitsAndPunctuation)
{
    const QString password = PasswordCipher::defaultPassword();
    ASSERT_EQ(password.size(), 8);
    for (const QChar c : password)
        EXPECT_TRUE(c.unicode() < 0x80 && (c.isDigit() || c.isPunct() || c.isSymbol())) << int(c.unicode());
}
