#include "report/objects/TrpComponentRegistry.h"

namespace {

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TrpComponentRegistry &TrpComponentRegistry::global()
{
    static TrpComponentRegistry registry;
    return registry;
}

void TrpComponentRegistry::add(const QString &form, QObject *component)
{
    m_entries.removeIf([](const Entry &entry) { return entry.component.isNull(); });
    m_entries.append({form, component});
}

void TrpComponentRegistry::removeForm(const QString &form)
{
    m_entries.removeIf([&form](const Entry &entry) { return sameName(entry.form, form); });
}

QObject *TrpComponentRegistry::findOn(QStringView form, QStringView name) const
{
    for (const Entry &entry : m_entries) {
        if (entry.component && sameName(entry.form, form) && sameName(entry.component->objectName(), name))
            return entry.component;
    }
    return nullptr;
}

QObject *TrpComponentRegistry::find(const QString &name, const QString &ownerForm) const
{
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return findOn(ownerForm, name);
    return findOn(QStringView(name).left(dot), QStringView(name).mid(dot + 1));
}

QStringList TrpComponentRegistry::names(const QMetaObject &type, const QString &ownerForm) const
{
    QStringList out;
    for (const Entry &entry : m_entries) {
        if (!entry.component || !entry.component->metaObject()->inherits(&type))
            continue;
        const QString name = entry.component->objectName();
        out.append(sameName(entry.form, ownerForm) ? name : entry.form + QLatin1Char('.') + name);
    }
    return out;
}
