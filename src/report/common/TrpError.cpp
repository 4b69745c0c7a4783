#include "report/common/TrpError.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One conversion through iconv; a byte or character that does not convert
// becomes the replacement given.
QByteArray convert(const char *to, const char *from, QByteArrayView in, int unitSize, QByteArrayView replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.reserve(in.size() * 2);
    const char *source = in.data();
    size_t left = size_t(in.size());
    char buffer[256];
    while (left > 0) {
        char *target = buffer;
        size_t room = sizeof buffer;
        const size_t rc = iconv(cd, const_cast<char **>(&source), &left, &target, &room);
        out.append(buffer, qsizetype(target - buffer));
        if (rc == size_t(-1) && errno != E2BIG) {
            source += unitSize;
            left -= size_t(qMin<qsizetype>(unitSize, qsizetype(left)));
            out.append(replacement);
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

QString TrpError::fromCp1251(QByteArrayView bytes)
{
    static const char16_t replacement = 0xFFFD;
    const QByteArray utf16 =
        convert("UTF-16LE", "CP1251", bytes, 1, QByteArrayView(reinterpret_cast<const char *>(&replacement), 2));
    return QString(reinterpret_cast<const QChar *>(utf16.constData()), utf16.size() / 2);
}

QByteArray TrpError::toCp1251(QStringView text)
{
    const QByteArrayView utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return convert("CP1251", "UTF-16LE", utf16, 2, "?");
}
