#include "report/building/TrpAggregates.h"

void TrpAggregates::beginRow()
{
    for (Entry &entry : m_entries)
        entry.counted = false;
}

void TrpAggregates::reset()
{
    m_entries.clear();
}

const TrpAggregates::Entry *TrpAggregates::find(const QString &key) const
{
    const auto it = m_entries.constFind(key);
    return it == m_entries.cend() ? nullptr : &*it;
}

TrpAggregates::Entry &TrpAggregates::entry(const QString &key, double initial)
{
    auto it = m_entries.find(key);
    if (it == m_entries.end())
        it = m_entries.insert(key, Entry{false, initial, 0});
    return *it;
}
