#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>

// A hash of texts for the lookups in inner loops, whose keys are mostly a
// few characters long (names, variables, single characters), where qHash
// costs several times what it does on longer texts. Transparent, so that a
// std::unordered_map<QString, T, TextHash, TextEqual> is searched with a
// QStringView without building a QString.
struct TextHash
{
    using is_transparent = void;

    [[nodiscard]] size_t operator()(QStringView text) const noexcept
    {
        // 64-bit FNV-1a over the UTF-16 code units.
        quint64 hash = 14695981039346656037ULL;
        for (const QChar c : text) {
            hash ^= c.unicode();
            hash *= 1099511628211ULL;
        }
        return size_t(hash);
    }
    [[nodiscard]] size_t operator()(const QString &text) const noexcept { return (*this)(QStringView(text)); }
};

struct TextEqual
{
    using is_transparent = void;

    [[nodiscard]] bool operator()(QStringView a, QStringView b) const noexcept { return a == b; }
};
