#include "base/PasswordCipher.h"

#include "base/Blowfish.h"
#include "base/Sjis.h"

#include <cstring>

namespace {

const QByteArrayView Key = "HqWtLzNcBvRpKsMdYgXfJaUeTkPiOwQrZlVnCmSb";
const QByteArrayView Vector = "quarnelt";

} // namespace

namespace PasswordCipher {

QString defaultPassword()
{
    return QStringLiteral("5#8!2%7&");
}

std::optional<QByteArray> encipher(QStringView password)
{
    if (!Sjis::holds(password))
        return std::nullopt;
    QByteArray record(RecordSize, '\0');
    QByteArray text = Sjis::encode(password);
    if (text.size() > MaxPasswordBytes)
        return std::nullopt;
    record[0] = char(text.size());
    std::memcpy(record.data() + 1, text.constData(), size_t(text.size()));
    QByteArray result = Blowfish(Key).cfb64Encipher(record, Vector);
    explicit_bzero(text.data(), size_t(text.size()));
    explicit_bzero(record.data(), size_t(record.size()));
    return result;
}

std::optional<QString> decipher(QByteArrayView record)
{
    if (record.size() != RecordSize)
        return std::nullopt;
    QByteArray plain = Blowfish(Key).cfb64Decipher(record, Vector);
    // The length byte is not to be trusted: the record holds 56 bytes at most.
    const qsizetype length = qMin(qsizetype(quint8(plain[0])), MaxPasswordBytes);
    QString password = Sjis::decode(QByteArrayView(plain).sliced(1, length));
    explicit_bzero(plain.data(), size_t(plain.size()));
    return password;
}

} // namespace PasswordCipher
