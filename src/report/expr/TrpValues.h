#pragma once

#include <QList>
#include <QString>

// Kinds of a named value.
enum TrpValueType : quint8 {
    vtNotAssigned = 0, // the empty text
    vtDataField = 1,   // FieldName of the data set DataSetName
    vtSpecial = 2,     // SpecialIndex 1: FieldName is an expression; else a special name
    vtExpression = 3,  // FieldName is evaluated
};

// A named value of a template: what a bracketed name of that name stands for.
struct TrpValue
{
    quint8 Typ = vtNotAssigned;
    qint32 SpecialIndex = 0;
    QString DataSetName;
    QString FieldName;
    QString Name;

    bool operator==(const TrpValue &) const = default;
};

// The named values of a template in their stored order.
class TrpValues
{
public:
    [[nodiscard]] int Count() const { return int(m_items.size()); }
    [[nodiscard]] const TrpValue &operator[](int index) const { return m_items[index]; }
    [[nodiscard]] TrpValue &operator[](int index) { return m_items[index]; }
    void Add(TrpValue value) { m_items.append(std::move(value)); }
    void Clear() { m_items.clear(); }
    // The value of that exact name, or null.
    [[nodiscard]] const TrpValue *FindName(const QString &name) const;

    [[nodiscard]] const QList<TrpValue> &items() const { return m_items; }

private:
    QList<TrpValue> m_items;
};
