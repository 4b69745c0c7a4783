#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The stored database password ("DBSeting"): a record of a length byte and
// 56 bytes of Shift-JIS text, enciphered as a whole with Blowfish in 64-bit
// cipher feedback under the program's built-in key and vector.
namespace PasswordCipher {

inline constexpr qsizetype RecordSize = 57;
inline constexpr qsizetype MaxPasswordBytes = 56;

// The password used when the settings hold none.
[[nodiscard]] QString defaultPassword();

// The 57-byte record; nullopt when the password takes more than 56 bytes in
// Shift-JIS or holds a character Shift-JIS lacks (it is refused rather than
// cut or changed, since such a password would fail to log in without saying
// why). Unused bytes are zero.
[[nodiscard]] std::optional<QByteArray> encipher(QStringView password);

// The password of a record; nullopt unless the record is exactly 57 bytes.
// A length byte above 56 reads as 56.
[[nodiscard]] std::optional<QString> decipher(QByteArrayView record);

} // namespace PasswordCipher
