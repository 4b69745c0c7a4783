#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The CMaps of a composite font with two-byte codes: back from codes to
// characters, and from codes to CIDs where they differ.
namespace TrpPdfCmap {

// The ToUnicode map: the codes, ascending, with the characters each
// stands for (codes without characters are left out).
[[nodiscard]] QByteArray toUnicode(const QList<quint32> &codes, const QList<QString> &characters);

// The CMap's name and its stream's dictionary entries for cids().
inline constexpr char CidMapName[] = "Glyphs-H";
[[nodiscard]] QByteArray cidEntries();
// An encoding that sends each code, ascending, to its CID.
[[nodiscard]] QByteArray cids(const QList<quint32> &codes, const QList<quint32> &cids);

} // namespace TrpPdfCmap
