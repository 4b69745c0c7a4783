#pragma once

#include "base/Variant.h"

#include <QString>

// Display formats of report objects. A format is an int32: bits 24 to 27
// the kind (text, number, date, time, Boolean), bits 16 to 23 the
// sub-format, bits 8 to 15 the number of decimals and bits 0 to 7 the
// decimal separator character. Sub-format 4 of every kind but text takes
// its pattern from the format text.
class TrpDisplayFormat
{
public:
    enum Kind { Text = 0, Number = 1, Date = 2, Time = 3, Boolean = 4 };
    static constexpr int FromText = 4;

    TrpDisplayFormat() = default;
    TrpDisplayFormat(qint32 format, QString text) : m_format(format), m_text(std::move(text)) {}

    [[nodiscard]] static qint32 make(int kind, int subFormat, int decimals, char separator);

    // A format written after " #" in a bracketed expression: "N0.2",
    // "N#,##0.00", "Dyyyy/mm/dd", "BNo;Yes"; a leading digit stands for a
    // number format. The object's own format gives the decimal separator
    // when the text names none.
    [[nodiscard]] static TrpDisplayFormat parse(const QString &text, qint32 objectFormat);

    [[nodiscard]] qint32 format() const { return m_format; }
    [[nodiscard]] const QString &text() const { return m_text; }
    [[nodiscard]] int kind() const { return (m_format >> 24) & 0x0F; }
    [[nodiscard]] int subFormat() const { return (m_format >> 16) & 0xFF; }
    [[nodiscard]] int decimals() const { return (m_format >> 8) & 0xFF; }
    [[nodiscard]] char separator() const { return char(m_format & 0xFF); }

    // The text of a value; an empty value or a null gives a single blank.
    // A value that is not of the format's kind (a text in a number format)
    // shows as text.
    [[nodiscard]] QString apply(const Variant &value) const;

private:
    [[nodiscard]] QString number(double value) const;

    qint32 m_format = 0;
    QString m_text;
};
