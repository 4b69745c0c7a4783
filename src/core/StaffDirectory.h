#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>

// The staff list: one entry per KaigoStuff row, in code order, each with its
// code, name and mark together. The data module owns the one list of the
// program; boards, forms and printouts read it through the module.
class StaffDirectory
{
public:
    struct Member
    {
        // A member without a mark: the lists that show names alone.
        Member(int code, QString name, QString kigo = {})
            : code(code), name(std::move(name)), kigo(std::move(kigo))
        {}

        int code = 0;
        QString name;
        QString kigo;
    };

    StaffDirectory() = default;
    StaffDirectory(std::initializer_list<Member> members) : m_members(members) {}

    void append(Member member) { m_members.append(std::move(member)); }

    [[nodiscard]] int count() const { return int(m_members.size()); }
    // -1, or empty, for an index outside the list.
    [[nodiscard]] int codeAt(int index) const;
    [[nodiscard]] QString nameAt(int index) const;
    [[nodiscard]] QString kigoAt(int index) const;
    // The first entry of the code; -1 when the code is not listed.
    [[nodiscard]] int indexOfCode(int code) const;
    // Empty when the code is not listed.
    [[nodiscard]] QString nameOf(int code) const;
    [[nodiscard]] QString kigoOf(int code) const;
    // The code of the first entry of exactly that name; -1 when none.
    [[nodiscard]] int codeOfName(const QString &name) const;

    // The columns of the list, in its order.
    [[nodiscard]] QList<int> codes() const;
    [[nodiscard]] QStringList names() const;
    [[nodiscard]] QStringList kigos() const;

private:
    QList<Member> m_members;
};
