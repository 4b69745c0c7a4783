#include "report/pdf/TrpPdfObjects.h"

#include <QString>

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// zlib's default: page contents are packed while the next page is drawn,
// where the faster levels save no time and leave files a quarter larger.
constexpr int CompressionLevel = 6;

constexpr double MaxNumber = 1e9;

QByteArray deflated(const QByteArray &data)
{
    uLongf length = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(length), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &length, reinterpret_cast<const Bytef *>(data.constData()),
                  uLong(data.size()), CompressionLevel) != Z_OK)
        return {};
    out.truncate(qsizetype(length));
    return out;
}

} // namespace

TrpPdfObjects::TrpPdfObjects()
{
    // The binary comment tells transfer programs the file is not text.
    m_data = QByteArrayLiteral("%PDF-1.6\n%\xE2\xE3\xCF\xD3\n");
}

int TrpPdfObjects::reserve()
{
    m_offsets.append(-1);
    return int(m_offsets.size());
}

void TrpPdfObjects::add(int number, const QByteArray &body)
{
    m_offsets[number - 1] = m_data.size();
    m_data += QByteArray::number(number);
    m_data += " 0 obj\n";
    m_data += body;
    m_data += "\nendobj\n";
}

TrpPdfObjects::Stream TrpPdfObjects::packed(const QByteArray &data)
{
    QByteArray packed = deflated(data);
    if (packed.isEmpty())
        return {data, false};
    return {std::move(packed), true};
}

void TrpPdfObjects::addStream(int number, const QByteArray &entries, const QByteArray &data)
{
    addStream(number, entries, packed(data));
}

void TrpPdfObjects::addStream(int number, const QByteArray &entries, const Stream &stream)
{
    const QByteArray &body = stream.data;
    m_offsets[number - 1] = m_data.size();
    m_data += QByteArray::number(number);
    m_data += " 0 obj\n<<";
    m_data += entries;
    m_data += "/Length ";
    m_data += QByteArray::number(body.size());
    if (stream.deflated)
        m_data += "/Filter/FlateDecode";
    m_data += ">>\nstream\n";
    m_data += body;
    m_data += "\nendstream\nendobj\n";
}

bool TrpPdfObjects::finish(int catalog, int info, QByteArray *document)
{
    for (const qsizetype offset : std::as_const(m_offsets)) {
        if (offset < 0) {
            document->clear();
            return false;
        }
    }
    const qsizetype xref = m_data.size();
    m_data += "xref\n0 ";
    m_data += QByteArray::number(m_offsets.size() + 1);
    m_data += "\n0000000000 65535 f \n";
    char entry[21];
    for (const qsizetype offset : std::as_const(m_offsets)) {
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(offset));
        m_data.append(entry, 20);
    }
    m_data += "trailer\n<</Size ";
    m_data += QByteArray::number(m_offsets.size() + 1);
    m_data += "/Root ";
    m_data += QByteArray::number(catalog);
    m_data += " 0 R/Info ";
    m_data += QByteArray::number(info);
    m_data += " 0 R>>\nstartxref\n";
    m_data += QByteArray::number(xref);
    m_data += "\n%%EOF\n";
    *document = std::move(m_data);
    m_data.clear();
    m_offsets.clear();
    return true;
}

QByteArray TrpPdfObjects::textString(const QString &text)
{
    QByteArray out("<FEFF");
    out.reserve(6 + text.size() * 4);
    static const char hex[] = "0123456789ABCDEF";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        out += hex[u >> 12];
        out += hex[(u >> 8) & 15];
        out += hex[(u >> 4) & 15];
        out += hex[u & 15];
    }
    out += '>';
    return out;
}

QByteArray TrpPdfObjects::number(double value)
{
    char buffer[NumberLength];
    return QByteArray(buffer, formatNumber(buffer, value));
}

void TrpPdfObjects::appendNumber(QByteArray &out, double value)
{
    char buffer[NumberLength];
    out.append(buffer, formatNumber(buffer, value));
}

int TrpPdfObjects::formatNumber(char *buffer, double value)
{
    if (!std::isfinite(value))
        value = 0;
    // Readers take nothing larger, and no page reaches it.
    value = std::clamp(value, -MaxNumber, MaxNumber);
    // Four decimals as an integer count of ten-thousandths: fast, exact to
    // the last digit written, and never in exponent form.
    const double scaled = std::round(value * 10000.0);
    long long n = static_cast<long long>(scaled);
    char *p = buffer;
    if (n < 0) {
        *p++ = '-';
        n = -n;
    }
    long long whole = n / 10000;
    int fraction = int(n % 10000);
    char digits[20];
    int count = 0;
    do {
        digits[count++] = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    while (count > 0)
        *p++ = digits[--count];
    if (fraction != 0) {
        *p++ = '.';
        for (int divisor = 1000; divisor > 0 && fraction > 0; divisor /= 10) {
            *p++ = char('0' + fraction / divisor);
            fraction %= divisor;
        }
    }
    return int(p - buffer);
}
