#include "report/expr/TrpVariables.h"

void TrpVariables::SetVariable(const QString &name, const Variant &value)
{
    const QString key = keyOf(name);
    const auto found = m_index.find(key);
    if (found != m_index.end()) {
        m_entries[found->second].value = value;
        return;
    }
    m_index.emplace(key, int(m_entries.size()));
    m_entries.append({name, value});
}

Variant TrpVariables::GetVariable(const QString &name) const
{
    const int index = IndexOf(name);
    return index < 0 ? Variant() : m_entries[index].value;
}

int TrpVariables::IndexOf(const QString &name) const
{
    const auto found = m_index.find(keyOf(name));
    return found == m_index.end() ? -1 : found->second;
}

void TrpVariables::Delete(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_entries.removeAt(index);
    m_index.clear();
    for (int i = 0; i < m_entries.size(); ++i)
        m_index.emplace(keyOf(m_entries[i].name), i);
}

void TrpVariables::Clear()
{
    m_entries.clear();
    m_index.clear();
}
