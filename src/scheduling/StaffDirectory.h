#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The staff list of the data module as the boards use it: codes and names
// in list order.
class StaffDirectory
{
public:
    StaffDirectory() = default;
    StaffDirectory(QList<int> codes, QStringList names);

    [[nodiscard]] int count() const { return int(m_codes.size()); }
    [[nodiscard]] int codeAt(int index) const;
    [[nodiscard]] QString nameAt(int index) const;
    // -1 when the code is not listed.
    [[nodiscard]] int indexOfCode(int code) const;
    // Empty when the code is not listed.
    [[nodiscard]] QString nameOf(int code) const;
    [[nodiscard]] const QStringList &names() const { return m_names; }

private:
    QList<int> m_codes;
    QStringList m_names;
};
