#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

// The components that templates name, such as data sets, by the form (or
// data module) they belong to. The printing forms register theirs; a
// component that is destroyed drops out by itself. Names are compared
// without regard to case.
class TrpComponentRegistry
{
public:
    // The registry the printing forms fill.
    [[nodiscard]] static TrpComponentRegistry &global();

    // The component's objectName is its name.
    void add(const QString &form, QObject *component);
    void removeForm(const QString &form);

    // "Form.Component" names a component of another form; a name without
    // "." one of the owner form (the form that holds the report).
    [[nodiscard]] QObject *find(const QString &name, const QString &ownerForm) const;
    template <typename T> [[nodiscard]] T *find(const QString &name, const QString &ownerForm) const
    {
        return qobject_cast<T *>(find(name, ownerForm));
    }

    // Every component of the type (or derived from it): its name when it is
    // on the owner form, else "Form.Component".
    [[nodiscard]] QStringList names(const QMetaObject &type, const QString &ownerForm) const;

private:
    struct Entry
    {
        QString form;
        QPointer<QObject> component;
    };

    [[nodiscard]] QObject *findOn(QStringView form, QStringView name) const;

    QList<Entry> m_entries;
};
