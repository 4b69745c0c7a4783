#include "scheduling/StaffDirectory.h"

StaffDirectory::StaffDirectory(QList<int> codes, QStringList names)
    : m_codes(std::move(codes)), m_names(std::move(names))
{
    while (m_names.size() < m_codes.size())
        m_names.append(QString());
}

int StaffDirectory::codeAt(int index) const
{
    return index >= 0 && index < count() ? m_codes[index] : -1;
}

QString StaffDirectory::nameAt(int index) const
{
    return index >= 0 && index < count() ? m_names[index] : QString();
}

int StaffDirectory::indexOfCode(int code) const
{
    return int(m_codes.indexOf(code));
}

QString StaffDirectory::nameOf(int code) const
{
    return nameAt(indexOfCode(code));
}
