#include "results/TCsv.h"

namespace {

bool matches(char byte, const QByteArray &single)
{
    return single.size() == 1 && single[0] == byte;
}

} // namespace

void TCsv::Split()
{
    Fields.clear();
    const qsizetype n = Line.size();
    // 0-based: i walks the bytes, s is where the current field starts.
    qsizetype i = 0;
    qsizetype s = 0;
    bool quoted = false;
    while (i < n) {
        const char byte = Line[i];
        if (isLeadByte(uchar(byte))) {
            i += 2;
            continue;
        }
        if (matches(byte, Quote)) {
            if (QuoteAware)
                quoted = !quoted;
        } else if (matches(byte, Separator) && !(QuoteAware && quoted)) {
            Fields.append(Line.mid(s, i - s));
            if (MergeSeparators) {
                while (i + 1 < n && Line[i + 1] == byte)
                    ++i;
            }
            s = i + 1;
            if (i + 1 >= n)
                Fields.append(QByteArray());
        }
        ++i;
    }
    if (i != s)
        Fields.append(Line.mid(s));
}

void TCsv::StripQuotes()
{
    if (Quote.size() != 1)
        return;
    const char quote = Quote[0];
    for (QByteArray &field : Fields) {
        if (field.startsWith(quote))
            field.remove(0, 1);
        if (field.endsWith(quote))
            field.chop(1);
    }
}
