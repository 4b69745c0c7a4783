#include "report/pdf/TrpPdfObjects.h"

#include <QString>

#include <zlib.h>

#include <cmath>
#include <cstdio>

namespace {

// Page contents are mostly repeated operators: the fastest level packs them
// nearly as well as the default one at a third of the time.
constexpr int CompressionLevel = 1;

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

void TrpPdfObjects::addStream(int number, const QByteArray &entries, const QByteArray &data, bool compress)
{
    QByteArray packed;
    if (compress)
        packed = deflated(data);
    const bool deflate = compress && !packed.isEmpty();
    const QByteArray &body = deflate ? packed : data;
    m_offsets[number - 1] = m_data.size();
    m_data += QByteArray::number(number);
    m_data += " 0 obj\n<<";
    m_data += entries;
    m_data += "/Length ";
    m_data += QByteArray::number(body.size());
    if (deflate)
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
    QByteArray out;
    appendNumber(out, value);
    return out;
}

void TrpPdfObjects::appendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    // Four decimals as an integer count of ten-thousandths: fast, exact to
    // the last digit written, and never in exponent form.
    const double scaled = std::round(value * 10000.0);
    if (std::fabs(scaled) >= 9.0e15) {
        out += QByteArray::number(qint64(value));
        return;
    }
    long long n = static_cast<long long>(scaled);
    if (n < 0) {
        out += '-';
        n = -n;
    }
    const long long whole = n / 10000;
    int fraction = int(n % 10000);
    out += QByteArray::number(whole);
    if (fraction == 0)
        return;
    char digits[6] = {'.', 0, 0, 0, 0, 0};
    int length = 5;
    for (int i = 4; i >= 1; --i) {
        digits[i] = char('0' + fraction % 10);
        fraction /= 10;
    }
    while (digits[length - 1] == '0')
        --length;
    out.append(digits, length);
}
