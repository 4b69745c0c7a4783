#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class TrpView;

// The add-in object classes the engine knows, in registration order: a
// template stores an add-in object as type 10 with its class name, and the
// object is made by the class registered under that exact name.
class TrpAddinRegistry
{
public:
    using Factory = std::function<std::unique_ptr<TrpView>()>;
    static constexpr int MaxClasses = 32;

    // The engine-wide table.
    [[nodiscard]] static TrpAddinRegistry &global();

    // False when the table is full or the name is taken.
    bool registerClass(const QString &className, Factory factory);
    [[nodiscard]] bool contains(const QString &className) const;
    // The new object, its type set to add-in; null for an unknown name.
    [[nodiscard]] std::unique_ptr<TrpView> create(const QString &className) const;
    [[nodiscard]] QStringList classNames() const;

private:
    struct Entry
    {
        QString className;
        Factory factory;
    };
    QList<Entry> m_entries;
};
