#include "report/pdf/TrpPdfCmap.h"

#include <algorithm>

namespace {

const QByteArray Identity = "<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>";

void appendDigits(QByteArray &out, quint32 value)
{
    static const char hex[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += hex[(value >> shift) & 15];
}

void appendHex(QByteArray &out, quint32 value)
{
    out += '<';
    appendDigits(out, value);
    out += '>';
}

// UTF-16, surrogate pairs as they stand.
void appendUnits(QByteArray &out, const QString &text)
{
    out += '<';
    for (const QChar c : text)
        appendDigits(out, c.unicode());
    out += '>';
}

QByteArray head(const QByteArray &name, const QByteArray &systemInfo, int type)
{
    return "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n/CIDSystemInfo" + systemInfo +
           "def\n/CMapName/" + name + " def\n/CMapType " + QByteArray::number(type) +
           " def\n1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n";
}

const QByteArray Tail = "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";

// Sections of at most 100 entries, as CMaps allow.
void appendSections(QByteArray &out, const QByteArray &kind, const QList<QByteArray> &entries)
{
    for (qsizetype i = 0; i < entries.size(); i += 100) {
        const qsizetype n = std::min<qsizetype>(100, entries.size() - i);
        out += QByteArray::number(n) + " begin" + kind + '\n';
        for (qsizetype k = i; k < i + n; ++k)
            out += entries[k];
        out += "end" + kind + '\n';
    }
}

} // namespace

QByteArray TrpPdfCmap::toUnicode(const QList<quint32> &codes, const QList<QString> &characters)
{
    // One entry a code: some readers (the one print-to-PDF queues run
    // among them) take a range's characters wrongly.
    QList<QByteArray> chars;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        if (characters[i].isEmpty())
            continue;
        QByteArray entry;
        appendHex(entry, codes[i]);
        entry += ' ';
        appendUnits(entry, characters[i]);
        entry += '\n';
        chars.append(entry);
    }
    QByteArray data = head("Adobe-Identity-UCS", "<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>", 2);
    appendSections(data, "bfchar", chars);
    return data + Tail;
}

QByteArray TrpPdfCmap::cidEntries()
{
    return "/Type/CMap/CMapName/" + QByteArray(CidMapName) + "/CIDSystemInfo" + Identity;
}

QByteArray TrpPdfCmap::cids(const QList<quint32> &codes, const QList<quint32> &cids)
{
    QList<QByteArray> entries;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        QByteArray entry;
        appendHex(entry, codes[i]);
        entries.append(entry + ' ' + QByteArray::number(cids[i]) + '\n');
    }
    QByteArray data = head(CidMapName, Identity, 1);
    appendSections(data, "cidchar", entries);
    return data + Tail;
}
