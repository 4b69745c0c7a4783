#pragma once

#include "base/Variant.h"

#include "base/TextHash.h"

#include <QList>
#include <QString>

#include <unordered_map>

// The report variables: named values in the order they were first set.
// Names are compared without regard to case.
class TrpVariables
{
public:
    // Replaces the value of the variable of that name, else appends one.
    void SetVariable(const QString &name, const Variant &value);
    // The value, or the empty value when there is no such variable.
    [[nodiscard]] Variant GetVariable(const QString &name) const;
    [[nodiscard]] int IndexOf(const QString &name) const;
    // Removes the variable at the index; an index out of range is ignored.
    void Delete(int index);
    void Clear();

    [[nodiscard]] int Count() const { return int(m_entries.size()); }
    [[nodiscard]] const QString &Name(int index) const { return m_entries[index].name; }
    [[nodiscard]] const Variant &Value(int index) const { return m_entries[index].value; }

private:
    struct Entry
    {
        QString name;
        Variant value;
    };

    [[nodiscard]] static QString keyOf(const QString &name) { return name.toCaseFolded(); }

    QList<Entry> m_entries;
    std::unordered_map<QString, int, TextHash, TextEqual> m_index;
};
