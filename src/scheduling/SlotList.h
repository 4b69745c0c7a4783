#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// An ordered list of records kept by copy and looked up by label name. An
// index outside the list is the caller's error: it is logged, a read gives
// an empty record and a change changes nothing.
template <typename Item> class SlotList
{
public:
    void Clear() { m_items.clear(); }
    int Add(const Item &item)
    {
        m_items.push_back(item);
        return Count() - 1;
    }
    // The first record of that name (exact case), -1 when none.
    [[nodiscard]] int IndexOf(const QString &name) const
    {
        for (int i = 0; i < Count(); ++i)
            if (m_items[std::size_t(i)].LName == name)
                return i;
        return -1;
    }
    bool Delete(int index)
    {
        if (!valid(index))
            return false;
        m_items.erase(m_items.begin() + index);
        return true;
    }
    [[nodiscard]] Item Get(int index) const { return valid(index) ? m_items[std::size_t(index)] : Item{}; }
    [[nodiscard]] int Count() const { return int(m_items.size()); }
    [[nodiscard]] const std::vector<Item> &items() const { return m_items; }

protected:
    [[nodiscard]] bool valid(int index) const
    {
        if (index >= 0 && index < Count())
            return true;
        qWarning("list index out of bounds (%d)", index);
        return false;
    }
    [[nodiscard]] Item &at(int index) { return m_items[std::size_t(index)]; }

private:
    std::vector<Item> m_items;
};
