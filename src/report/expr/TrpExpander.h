#pragma once

#include "report/common/TrpError.h"

#include <QStringList>

#include <optional>

class TrpValueLookup;

// Replaces the bracketed expressions of a memo's text by their values.
// Every "[...]" (brackets nest) is looked up as a whole and formatted with
// the format written after " #" inside it, or else with the object's own;
// the scan goes on after the inserted text, so a value is never expanded
// again. An empty template line stays empty; a value with line breaks
// becomes several lines.
class TrpExpander
{
public:
    TrpExpander(TrpValueLookup &lookup, qint32 format, QString formatText);

    // nullopt when a lookup fails; error() tells why.
    [[nodiscard]] std::optional<QStringList> expandLines(const QStringList &lines);
    [[nodiscard]] std::optional<QString> expandLine(const QString &line);
    // The text of one bracketed expression (without its brackets).
    [[nodiscard]] std::optional<QString> expressionText(const QString &expression);

    [[nodiscard]] const TrpError &error() const { return m_error; }

    // Splits a text at CR LF, LF or CR; a break at the end adds no line.
    [[nodiscard]] static QStringList splitLines(const QString &text);
    // Each line split so; empty lines stay.
    [[nodiscard]] static QStringList splitLines(const QStringList &lines);

private:
    TrpValueLookup &m_lookup;
    qint32 m_format;
    QString m_formatText;
    TrpError m_error;
};
