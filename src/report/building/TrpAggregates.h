#pragma once

#include <QHash>
#include <QString>

// The running aggregates of a footer band: one entry per function and
// argument text (and cross column), found by its exact key. Each entry holds
// whether the row being collected was already counted and the value so far.
class TrpAggregates
{
public:
    struct Entry
    {
        bool counted = false;
        double value = 0;
        // Rows this entry took in (AVG divides by it).
        int rows = 0;
    };

    // A new row is collected: every entry may count it once.
    void beginRow();
    void reset();

    [[nodiscard]] const Entry *find(const QString &key) const;
    Entry &entry(const QString &key, double initial);

private:
    QHash<QString, Entry> m_entries;
};
