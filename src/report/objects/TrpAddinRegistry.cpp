#include "report/objects/TrpAddinRegistry.h"

#include "report/objects/TrpView.h"

TrpAddinRegistry &TrpAddinRegistry::global()
{
    static TrpAddinRegistry registry;
    return registry;
}

bool TrpAddinRegistry::registerClass(const QString &className, Factory factory)
{
    if (m_entries.size() >= MaxClasses || contains(className) || !factory)
        return false;
    m_entries.append({className, std::move(factory)});
    return true;
}

bool TrpAddinRegistry::contains(const QString &className) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&className](const Entry &entry) { return entry.className == className; });
}

std::unique_ptr<TrpView> TrpAddinRegistry::create(const QString &className) const
{
    for (const Entry &entry : m_entries) {
        if (entry.className != className)
            continue;
        std::unique_ptr<TrpView> view = entry.factory();
        if (view)
            view->Typ = gtAddIn;
        return view;
    }
    return nullptr;
}

QStringList TrpAddinRegistry::classNames() const
{
    QStringList names;
    for (const Entry &entry : m_entries)
        names.append(entry.className);
    return names;
}
