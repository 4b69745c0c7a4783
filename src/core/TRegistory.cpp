#include "core/TRegistory.h"

#include <QDir>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcRegistory, "tamsolen.core.settings", QtWarningMsg)

// The folder fields of the settings, in their stored order.
struct FolderField
{
    QStringView name;
    QString TRegistory::*field;
};

constexpr FolderField Folders[] = {
    {u"Import", &TRegistory::Import},   {u"Export", &TRegistory::Export},   {u"Toukei0", &TRegistory::Toukei0},
    {u"Toukei1", &TRegistory::Toukei1}, {u"Toukei2", &TRegistory::Toukei2}, {u"AllUser", &TRegistory::AllUser},
    {u"Keitai", &TRegistory::Keitai},   {u"PrnSch", &TRegistory::PrnSch},
};

} // namespace

TRegistory::TRegistory(SettingsStore store) : m_store(std::move(store))
{
    SetDefaults();
}

void TRegistory::SetDefaults()
{
    // The folders start in the user's home; "C:\" names no folder here.
    const QString home = QDir::homePath() + u'/';
    for (const FolderField &folder : Folders)
        this->*folder.field = home;
    ServFlg = 0;
    Hinoriku.clear();
    ID.clear();
    Password.clear();
    // A connection string, not a folder: it keeps its old default.
    MDBConnection = QStringLiteral("C:\\");
    WinState = QStringLiteral("wsMaximized");
}

void TRegistory::LoadSettings()
{
    const std::optional<SettingsKey> key = m_store.openKey(KeyPath);
    if (!key) {
        SetDefaults();
        return;
    }
    // A value that is missing, or stored with another type, reads as empty.
    const auto text = [&](QStringView name) {
        return key->readString(name).valueOr(QString());
    };
    for (const FolderField &folder : Folders)
        this->*folder.field = text(folder.name);
    ServFlg = key->readInteger(u"ServFlg").valueOr(0);
    Hinoriku = text(u"Hinoriku");
    ID = text(u"ID");
    Password = text(u"Password");
    MDBConnection = text(u"MDBConnection");
    WinState = text(u"WinState");
}

void TRegistory::SaveSettings()
{
    SettingsKey key = m_store.createKey(KeyPath);
    for (const FolderField &folder : Folders)
        key.writeString(folder.name, this->*folder.field);
    key.writeInteger(u"ServFlg", ServFlg);
    key.writeString(u"Hinoriku", Hinoriku);
    key.writeString(u"ID", ID);
    key.writeString(u"Password", Password);
    key.writeString(u"MDBConnection", MDBConnection);
    key.writeString(u"WinState", WinState);
    QString error;
    if (!m_store.save(key, &error))
        qCWarning(lcRegistory).noquote() << "user settings not saved:" << error;
}
