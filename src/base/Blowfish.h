#pragma once

#include <QByteArray>

#include <array>
#include <span>

// Blowfish (64-bit blocks, keys of up to 72 bytes) with the 64-bit cipher
// feedback mode the stored password uses.
class Blowfish
{
public:
    static constexpr qsizetype BlockSize = 8;
    static constexpr qsizetype MaxKeyBytes = 72;

    // Bytes beyond the 72nd are ignored; an empty key leaves the pi tables
    // unkeyed apart from the schedule's own rounds.
    explicit Blowfish(QByteArrayView key);
    ~Blowfish();
    Blowfish(const Blowfish &) = delete;
    Blowfish &operator=(const Blowfish &) = delete;

    // One block in place; the two halves are big-endian 32-bit words.
    void encipherBlock(std::span<unsigned char, BlockSize> block) const;
    void decipherBlock(std::span<unsigned char, BlockSize> block) const;

    // 64-bit cipher feedback from the start of a stream (feedback position 0).
    // iv must be 8 bytes; the result is as long as data.
    [[nodiscard]] QByteArray cfb64Encipher(QByteArrayView data, QByteArrayView iv) const;
    [[nodiscard]] QByteArray cfb64Decipher(QByteArrayView data, QByteArrayView iv) const;

private:
    void encipher(quint32 &left, quint32 &right) const;
    void decipher(quint32 &left, quint32 &right) const;
    [[nodiscard]] quint32 round(quint32 x) const;
    [[nodiscard]] QByteArray cfb64(QByteArrayView data, QByteArrayView iv, bool encipher) const;

    std::array<quint32, 18> m_p;
    std::array<std::array<quint32, 256>, 4> m_s;
};
