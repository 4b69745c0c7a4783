#pragma once

#include "platform/SettingsValue.h"

#include <QList>

#include <optional>

// A registry file in regedit's export form. Reads "Windows Registry Editor
// Version 5.00" (UTF-16LE with or without BOM, UTF-8) and the older
// "REGEDIT4" (Shift-JIS, the ANSI code page of a Japanese workstation);
// writes version 5.00 as regedit does: UTF-16LE with BOM, CRLF.
class RegFile
{
public:
    struct Section
    {
        QString key; // as in the brackets, e.g. "HKEY_CURRENT_USER\Software\Orvanta"
        QList<SettingsValue> values;
    };

    // A line that was skipped while reading.
    struct Problem
    {
        int line = 0; // 1-based
        QString message;
    };

    // nullopt when the bytes do not start with a registry file header. Lines
    // that cannot be read are skipped and listed in problems.
    [[nodiscard]] static std::optional<RegFile> parse(QByteArrayView bytes, QList<Problem> *problems = nullptr);
    [[nodiscard]] QByteArray toBytes() const;

    // The section of the key (compared without regard to case), or null.
    [[nodiscard]] Section *find(QStringView key);
    [[nodiscard]] const Section *find(QStringView key) const;

    QList<Section> sections;
};
