#include "core/StaffDirectory.h"

#include <algorithm>

namespace {

template <typename Column, typename Value>
Column columnOf(const QList<StaffDirectory::Member> &members, Value StaffDirectory::Member::*field)
{
    Column column;
    column.reserve(members.size());
    for (const StaffDirectory::Member &member : members)
        column.append(member.*field);
    return column;
}

} // namespace

int StaffDirectory::codeAt(int index) const
{
    return index >= 0 && index < count() ? m_members[index].code : -1;
}

QString StaffDirectory::nameAt(int index) const
{
    return index >= 0 && index < count() ? m_members[index].name : QString();
}

QString StaffDirectory::kigoAt(int index) const
{
    return index >= 0 && index < count() ? m_members[index].kigo : QString();
}

int StaffDirectory::indexOfCode(int code) const
{
    const auto found = std::find_if(m_members.cbegin(), m_members.cend(),
                                    [code](const Member &member) { return member.code == code; });
    return found == m_members.cend() ? -1 : int(found - m_members.cbegin());
}

QString StaffDirectory::nameOf(int code) const
{
    return nameAt(indexOfCode(code));
}

QString StaffDirectory::kigoOf(int code) const
{
    return kigoAt(indexOfCode(code));
}

int StaffDirectory::codeOfName(const QString &name) const
{
    const auto found = std::find_if(m_members.cbegin(), m_members.cend(),
                                    [&name](const Member &member) { return member.name == name; });
    return found == m_members.cend() ? -1 : found->code;
}

QList<int> StaffDirectory::codes() const
{
    return columnOf<QList<int>>(m_members, &Member::code);
}

QStringList StaffDirectory::names() const
{
    return columnOf<QStringList>(m_members, &Member::name);
}

QStringList StaffDirectory::kigos() const
{
    return columnOf<QStringList>(m_members, &Member::kigo);
}
