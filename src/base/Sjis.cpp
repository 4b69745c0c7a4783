#include "base/Sjis.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <optional>
#include <vector>

namespace {

// iconv descriptors are not thread-safe; each thread keeps its own pair.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    iconv_t handle()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

iconv_t toSjis()
{
    thread_local Converter converter("CP932", "UTF-16LE");
    return converter.handle();
}

iconv_t fromSjis()
{
    thread_local Converter converter("UTF-16LE", "CP932");
    return converter.handle();
}

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// What the converter reads for every character of the code page, asked
// once: the converter costs about 60 ns a character, which made decoding a
// file of 7,000 lines the largest part of importing it.
class DecodeTable
{
public:
    static constexpr char16_t None = 0xFFFF;

    DecodeTable() : m_pairs(0x10000, None)
    {
        m_single.fill(None);
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;
        for (int lead = 0; lead < 0x100; ++lead) {
            const char one[] = {char(lead)};
            if (const auto c = character(cd, one, 1)) {
                m_single[size_t(lead)] = *c;
                continue;
            }
            for (int trail = 0; trail < 0x100; ++trail) {
                const char two[] = {char(lead), char(trail)};
                if (const auto c = character(cd, two, 2))
                    m_pairs[size_t(lead << 8 | trail)] = *c;
            }
        }
        iconv_close(cd);
    }

    // The text, or nullopt when a byte is no character of the table (the
    // converter then decides how it reads).
    std::optional<QString> decode(QByteArrayView bytes) const
    {
        QString out(bytes.size(), Qt::Uninitialized);
        char16_t *at = reinterpret_cast<char16_t *>(out.data());
        const auto *in = reinterpret_cast<const uchar *>(bytes.data());
        const qsizetype size = bytes.size();
        for (qsizetype i = 0; i < size; ++i) {
            char16_t c = m_single[in[i]];
            if (c == None) {
                if (i + 1 == size)
                    return std::nullopt;
                c = m_pairs[size_t(in[i] << 8 | in[i + 1])];
                if (c == None)
                    return std::nullopt;
                ++i;
            }
            *at++ = c;
        }
        out.truncate(at - reinterpret_cast<char16_t *>(out.data()));
        return out;
    }

private:
    // The one UTF-16 unit the bytes read as, when they are one whole character.
    static std::optional<char16_t> character(iconv_t cd, const char *bytes, size_t size)
    {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char16_t out[4];
        char *in = const_cast<char *>(bytes);
        char *outPtr = reinterpret_cast<char *>(out);
        size_t inLeft = size;
        size_t outLeft = sizeof out;
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0 ||
            outPtr - reinterpret_cast<char *>(out) != 2 || out[0] == None)
            return std::nullopt;
        return out[0];
    }

    std::array<char16_t, 0x100> m_single;
    std::vector<char16_t> m_pairs;
};

QString decodeByConverter(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    iconv_t cd = fromSjis();
    char16_t buffer[256];
    const char *in = bytes.data();
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        char *outPtr = reinterpret_cast<char *>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, const_cast<char **>(&in), &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const QChar *>(buffer), (outPtr - reinterpret_cast<char *>(buffer)) / 2);
        if (rc == size_t(-1) && errno != E2BIG) {
            // A lead byte with a bad or missing trail byte: one replacement
            // character for the lead byte, then go on with the next byte.
            ++in;
            --inLeft;
            out.append(QChar::ReplacementCharacter);
            cd = fromSjis();
        }
    }
    return out;
}

} // namespace

namespace Sjis {

QByteArray encode(QStringView text, qsizetype *unmapped)
{
    if (unmapped)
        *unmapped = 0;
    if (isAscii(text))
        return text.toLatin1();
    QByteArray out;
    out.reserve(text.size() * 2);
    iconv_t cd = toSjis();
    char buffer[256];
    // One UTF-16 unit (or surrogate pair) at a time only after a failure;
    // the whole text goes through in one call when everything maps.
    const char *in = reinterpret_cast<const char *>(text.utf16());
    size_t inLeft = size_t(text.size()) * 2;
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, const_cast<char **>(&in), &inLeft, &outPtr, &outLeft);
        out.append(buffer, qsizetype(outPtr - buffer));
        if (rc == size_t(-1) && errno != E2BIG) {
            // Unmapped or broken: skip one character (a pair for surrogates).
            const char16_t unit = char16_t(uchar(in[0]) | (uchar(in[1]) << 8));
            const size_t skip = (QChar::isHighSurrogate(unit) && inLeft >= 4) ? 4 : 2;
            in += skip;
            inLeft -= skip;
            out.append('?');
            if (unmapped)
                ++*unmapped;
            cd = toSjis();
        }
    }
    return out;
}

QString decode(QByteArrayView bytes)
{
    bool ascii = true;
    for (const char c : bytes) {
        if (uchar(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(bytes);
    static const DecodeTable table;
    if (std::optional<QString> text = table.decode(bytes))
        return *std::move(text);
    return decodeByConverter(bytes);
}

bool holds(QStringView text)
{
    return isAscii(text) || decode(encode(text)) == text;
}

qsizetype byteLength(QStringView text)
{
    if (isAscii(text))
        return text.size();
    return encode(text).size();
}

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

QByteArray cutBytes(QByteArrayView bytes, qsizetype maxBytes)
{
    if (maxBytes <= 0)
        return {};
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype width = (isLeadByte(uchar(bytes[pos])) && pos + 1 < bytes.size()) ? 2 : 1;
        if (pos + width > maxBytes)
            break;
        pos += width;
    }
    return bytes.first(pos).toByteArray();
}

QString cut(QStringView text, qsizetype maxBytes)
{
    if (isAscii(text))
        return text.left(qMax<qsizetype>(maxBytes, 0)).toString();
    // Character by character so that the cut keeps the original characters,
    // also those that the code page lacks.
    qsizetype bytes = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype units = (text[pos].isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
        const qsizetype width = byteLength(text.mid(pos, units));
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        pos += units;
    }
    return text.left(pos).toString();
}

QString trimLeft(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].unicode() <= 0x20)
        ++start;
    return text.mid(start).toString();
}

QString trimRight(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].unicode() <= 0x20)
        --end;
    return text.left(end).toString();
}

QString trim(QStringView text)
{
    return trimLeft(QStringView(trimRight(text)));
}

} // namespace Sjis
