#include "base/PasswordCipher.h"
#include "core/TDBSeting.h"
#include "core/TRegistory.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // A settings file as regedit exports it (values in .reg notation).
    void writeKey(QStringView key, const QString &values)
    {
        QFile file(m_dir.filePath(QStringLiteral("export.reg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER") +
                             key.toString() + QStringLiteral("]\r\n") + values + QStringLiteral("\r\n");
        file.write(text.toUtf8());
    }

    // The key as the set-up tool writes it.
    void writeDbKey(const std::function<void(SettingsKey &)> &fill)
    {
        SettingsKey key = m_store.createKey(TDBSeting::KeyPath);
        key.writeString(u"Connection", QStringLiteral("Provider=SQLite;Data Source=/var/lib/tamsolen/rehab.db"));
        key.writeString(u"ID", QStringLiteral("staff"));
        fill(key);
        ASSERT_TRUE(m_store.save(key));
    }

    QTemporaryDir m_dir;
    SettingsStore m_store{m_dir.path()};
};

const QString Home = QDir::homePath() + u'/';

void expectDefaults(const TRegistory &settings)
{
    for (const QString *folder : {&settings.Import, &settings.Export, &settings.Toukei0, &settings.Toukei1,
                                  &settings.Toukei2, &settings.AllUser, &settings.Keitai, &settings.PrnSch})
        EXPECT_EQ(*folder, Home);
    EXPECT_EQ(settings.ServFlg, 0);
    EXPECT_TRUE(settings.Hinoriku.isEmpty());
    EXPECT_TRUE(settings.ID.isEmpty());
    EXPECT_TRUE(settings.Password.isEmpty());
    EXPECT_EQ(settings.MDBConnection, QStringLiteral("C:\\"));
    EXPECT_EQ(settings.WinState, QStringLiteral("wsMaximized"));
}

} // namespace

TEST_F(SettingsTest, WithoutTheKeyEveryValueIsItsDefault)
{
    TRegistory settings(m_store);
    expectDefaults(settings);
    settings.Import = QStringLiteral("/changed");
    settings.ServFlg = 2;
    settings.WinState = QStringLiteral("wsNormal");
    writeKey(u"\\Software\\Orvanta\\Tamsolen5", QStringLiteral("\"WinState\"=\"wsNormal\""));
    settings.LoadSettings();
    expectDefaults(settings);
}

TEST_F(SettingsTest, MissingValuesAndValuesOfAnotherTypeReadAsEmpty)
{
    writeKey(u"\\Software\\Orvanta\\Tamsolen5Free",
             QStringLiteral("\"Import\"=dword:00000001\r\n"
                            "\"Export\"=\"C:\\\\csv\\\\\"\r\n"
                            "\"Toukei0\"=hex:41,42\r\n"
                            "\"ServFlg\"=\"1\"\r\n"
                            "\"Hinoriku\"=\"Provider=SQLOLEDB;Data Source=srv\"\r\n"
                            "\"WinState\"=hex(2):41,00,00,00"));
    TRegistory settings(m_store);
    settings.ServFlg = 1;
    settings.LoadSettings();
    EXPECT_TRUE(settings.Import.isEmpty());
    EXPECT_EQ(settings.Export, QStringLiteral("C:\\csv\\")); // as stored, even a Windows folder
    EXPECT_TRUE(settings.Toukei0.isEmpty());
    EXPECT_TRUE(settings.PrnSch.isEmpty());
    EXPECT_EQ(settings.ServFlg, 0);
    EXPECT_EQ(settings.Hinoriku, QStringLiteral("Provider=SQLOLEDB;Data Source=srv"));
    EXPECT_TRUE(settings.MDBConnection.isEmpty());
    EXPECT_TRUE(settings.WinState.isEmpty());
}

TEST_F(SettingsTest, SavedSettingsLoadAgain)
{
    const QList<QString TRegistory::*> texts = {&TRegistory::Import,  &TRegistory::Export,   &TRegistory::Toukei0,
                                                &TRegistory::Toukei1, &TRegistory::Toukei2,  &TRegistory::AllUser,
                                                &TRegistory::Keitai,  &TRegistory::PrnSch,   &TRegistory::Hinoriku,
                                                &TRegistory::ID,      &TRegistory::Password, &TRegistory::MDBConnection,
                                                &TRegistory::WinState};
    TRegistory settings(m_store);
    for (qsizetype i = 0; i < texts.size(); ++i)
        settings.*texts[i] = QStringLiteral("/データ/%1 \\\"\\").arg(i);
    settings.ServFlg = 2;
    settings.SaveSettings();

    TRegistory loaded(m_store);
    loaded.LoadSettings();
    for (const auto field : texts)
        EXPECT_EQ(loaded.*field, settings.*field);
    EXPECT_EQ(loaded.ServFlg, 2);

    // Stored in the order of the fields, ServFlg as an integer.
    const SettingsKey key = *m_store.openKey(TRegistory::KeyPath);
    QStringList names;
    for (const SettingsValue &value : key.values())
        names.append(value.name);
    EXPECT_EQ(names.join(u','),
              QStringLiteral("Import,Export,Toukei0,Toukei1,Toukei2,AllUser,Keitai,PrnSch,ServFlg,Hinoriku,ID,"
                             "Password,MDBConnection,WinState"));
    EXPECT_EQ(key.readInteger(u"ServFlg").status, SettingsStatus::Present);
}

TEST_F(SettingsTest, SavingReplacesAValueOfTheWrongType)
{
    writeKey(u"\\Software\\Orvanta\\Tamsolen5Free", QStringLiteral("\"ServFlg\"=\"1\"\r\n\"Note\"=\"kept\""));
    TRegistory settings(m_store);
    settings.LoadSettings();
    settings.ServFlg = 1;
    settings.SaveSettings();
    const SettingsKey key = *m_store.openKey(TRegistory::KeyPath);
    EXPECT_EQ(key.readInteger(u"ServFlg").value, 1);
    EXPECT_EQ(key.readString(u"Note").value, QStringLiteral("kept"));
}

TEST_F(SettingsTest, DbSettingsDecipherTheStoredPassword)
{
    writeDbKey([](SettingsKey &key) { key.writeBinary(u"DBSeting", *PasswordCipher::encipher(u"管理'pw\"")); });
    TDBSeting settings(m_store);
    settings.LoadSettings();
    EXPECT_EQ(settings.Connection, QStringLiteral("Provider=SQLite;Data Source=/var/lib/tamsolen/rehab.db"));
    EXPECT_EQ(settings.ID, QStringLiteral("staff"));
    EXPECT_EQ(settings.GetPassword(), QStringLiteral("管理'pw\""));
}

TEST_F(SettingsTest, AnythingButA57ByteBinaryKeepsTheDefaultPassword)
{
    const QByteArray record = *PasswordCipher::encipher(u"secret");
    const std::function<void(SettingsKey &)> cases[] = {
        [&](SettingsKey &key) { key.writeBinary(u"DBSeting", record.left(56)); },
        [&](SettingsKey &key) { key.writeBinary(u"DBSeting", record + '\0'); },
        [&](SettingsKey &key) { key.writeString(u"DBSeting", QString::fromLatin1(record)); },
        [&](SettingsKey &key) { key.writeInteger(u"DBSeting", 57); },
        [](SettingsKey &) {},
    };
    for (const auto &fill : cases) {
        QDir(m_dir.path()).removeRecursively();
        writeDbKey(fill);
        TDBSeting settings(m_store);
        settings.LoadSettings();
        EXPECT_EQ(settings.ID, QStringLiteral("staff"));
        EXPECT_EQ(settings.GetPassword(), PasswordCipher::defaultPassword());
    }

    // Without the key, or with values of another type, the built-in values stay.
    for (const QString &values : {QString(), QStringLiteral("\"Connection\"=hex:41\r\n\"ID\"=dword:00000001")}) {
        QDir(m_dir.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(m_dir.path()));
        if (!values.isEmpty())
            writeKey(u"\\Software\\Orvanta\\Tamsolen5", values);
        TDBSeting settings(m_store);
        settings.LoadSettings();
        EXPECT_TRUE(settings.Connection.isEmpty());
        EXPECT_TRUE(settings.ID.isEmpty());
        EXPECT_EQ(settings.GetPassword(), PasswordCipher::defaultPassword());
    }
}
