#include "platform/SettingsStore.h"
#include "platform/RegFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <latch>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // Drops a fixture file into the store's folder, as a user would.
    void dropIn(const char *fixture, const QString &as = {})
    {
        const QString name = QString::fromUtf8(fixture);
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAMSOLEN_TEST_DATA "/") + name, path(as.isEmpty() ? name : as)));
        QFile::setPermissions(path(as.isEmpty() ? name : as), QFile::ReadOwner | QFile::WriteOwner);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    SettingsStore m_store{m_dir.path()};
};

} // namespace

TEST_F(SettingsStoreTest, ReadsARegeditExport)
{
    dropIn("regedit-export.reg");
    const std::optional<SettingsKey> key = m_store.openKey(u"\\Software\\Orvanta\\Tamsolen5");
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->readString(u"Connection").value, QStringLiteral("Provider=SQLite;Data Source=C:\\施設\\rehab.db"));
    EXPECT_EQ(key->readString(u"Quote").value, QStringLiteral("say \"こんにちは\" \\"));
    EXPECT_EQ(key->readString(u"").value, QStringLiteral("既定値"));
    EXPECT_EQ(key->readString(u"Lines").value, QStringLiteral("一行目\r\n二行目"));
    EXPECT_EQ(key->readInteger(u"Count").value, 42);
    EXPECT_EQ(key->readInteger(u"Minus").value, -1);

    QByteArray record;
    for (char c = 0; c < 57; ++c)
        record.append(c);
    EXPECT_EQ(key->readBinary(u"DBSeting").value, record); // over three continued lines

    const SettingsRead<QString> empty = key->readString(u"Empty");
    EXPECT_TRUE(empty.isPresent());
    EXPECT_TRUE(empty.value.isEmpty());
    const SettingsRead<QByteArray> noBytes = key->readBinary(u"NoBytes");
    EXPECT_TRUE(noBytes.isPresent());
    EXPECT_TRUE(noBytes.value.isEmpty());
}

TEST_F(SettingsStoreTest, ReadsTellMissingWrongTypeAndPresentApart)
{
    dropIn("regedit-export.reg");
    const SettingsKey key = *m_store.openKey(u"Software\\Orvanta\\Tamsolen5");
    EXPECT_EQ(key.readString(u"Nothing").status, SettingsStatus::Missing);
    EXPECT_EQ(key.readInteger(u"Nothing").status, SettingsStatus::Missing);
    EXPECT_EQ(key.readBinary(u"Nothing").status, SettingsStatus::Missing);

    EXPECT_EQ(key.readInteger(u"ID").status, SettingsStatus::WrongType);
    EXPECT_EQ(key.readString(u"Count").status, SettingsStatus::WrongType);
    EXPECT_EQ(key.readString(u"DBSeting").status, SettingsStatus::WrongType);
    EXPECT_EQ(key.readBinary(u"Connection").status, SettingsStatus::WrongType);
    // Expandable and multiple strings and 64-bit numbers are other types.
    EXPECT_EQ(key.readString(u"Path").status, SettingsStatus::WrongType);
    EXPECT_EQ(key.readString(u"List").status, SettingsStatus::WrongType);
    EXPECT_EQ(key.readInteger(u"Big").status, SettingsStatus::WrongType);
    EXPECT_EQ(key.readBinary(u"Big").status, SettingsStatus::WrongType);

    EXPECT_EQ(key.readString(u"ID").status, SettingsStatus::Present);
    EXPECT_EQ(key.readString(u"ID").valueOr(QStringLiteral("x")), QStringLiteral("sa"));
    EXPECT_EQ(key.readString(u"Count").valueOr(QStringLiteral("x")), QStringLiteral("x"));
}

TEST_F(SettingsStoreTest, KeysAndNamesIgnoreCase)
{
    dropIn("regedit-export.reg");
    const std::optional<SettingsKey> key = m_store.openKey(u"\\SOFTWARE\\orvanta\\TAMSOLEN5FREE\\");
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->readInteger(u"servflg").value, 1);
    EXPECT_EQ(key->readString(u"import").value, QStringLiteral("D:\\data\\import.csv"));
}

TEST_F(SettingsStoreTest, OnlyKeysOfTheCurrentUserOpen)
{
    dropIn("regedit-export.reg");
    EXPECT_FALSE(m_store.openKey(u"\\SOFTWARE\\Orvanta\\Tamsolen5\\Sub").has_value());
    EXPECT_FALSE(m_store.openKey(u"\\Software\\Orvanta\\Tamsolen").has_value());
    EXPECT_FALSE(SettingsStore(path(QStringLiteral("nowhere"))).openKey(u"\\Software\\Orvanta").has_value());
    // A key without values opens.
    const std::optional<SettingsKey> parent = m_store.openKey(u"\\Software\\Orvanta");
    ASSERT_TRUE(parent.has_value());
    EXPECT_TRUE(parent->values().isEmpty());
}

TEST_F(SettingsStoreTest, ReadsTheAnsiFormInShiftJis)
{
    dropIn("regedit4-ansi.reg");
    const SettingsKey key = *m_store.openKey(u"\\Software\\Orvanta\\Tamsolen5Free");
    EXPECT_EQ(key.readString(u"Keitai").value, QStringLiteral("C:\\統計\\形態別"));
    EXPECT_EQ(key.readString(u"Text").value, QStringLiteral("表"));
    EXPECT_EQ(key.readInteger(u"ServFlg").value, 2);

    // Saved again in the version 5.00 form, the expandable string is UTF-16.
    SettingsKey changed = key;
    changed.writeInteger(u"ServFlg", 0);
    ASSERT_TRUE(m_store.save(changed));
    const std::optional<RegFile> file = RegFile::parse(readAll(path(QStringLiteral("regedit4-ansi.reg"))));
    ASSERT_TRUE(file.has_value());
    const SettingsValue &expand = file->sections[0].values[2];
    EXPECT_EQ(expand.otherType, 2);
    EXPECT_EQ(expand.bytes, QByteArray(reinterpret_cast<const char *>(u"%TEMP%\\ログ"), 20)); // with its NUL
}

TEST_F(SettingsStoreTest, ReadsUtf8WithoutBom)
{
    dropIn("utf8-no-bom.reg");
    const std::optional<SettingsKey> key = m_store.openKey(u"\\Software\\Quernlight\\リハビリ");
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->readInteger(u"GrayButtons").value, 1);
    EXPECT_EQ(key->readString(u"Title").value, QStringLiteral("帳票"));
}

TEST(RegFile, SkipsBrokenLinesAndSaysWhere)
{
    QList<RegFile::Problem> problems;
    const std::optional<RegFile> file =
        RegFile::parse(readAll(QStringLiteral(TAMSOLEN_TEST_DATA "/broken-lines.reg")), &problems);
    ASSERT_TRUE(file.has_value());
    QList<int> lines;
    for (const RegFile::Problem &problem : problems)
        lines.append(problem.line);
    EXPECT_EQ(lines, (QList<int>{3, 6, 7, 8, 9, 10, 13, 15}));

    ASSERT_EQ(file->sections.size(), 1);
    const SettingsKey key(u"Broken", file->sections[0].values);
    EXPECT_EQ(key.readString(u"Good").value, QStringLiteral("replaced"));
    EXPECT_EQ(key.readBinary(u"GoodHex").value, QByteArray("\x0a\x0b\x0c"));
    EXPECT_EQ(key.readInteger(u"Late").value, 7);
    EXPECT_EQ(key.values().size(), 3);

    EXPECT_FALSE(RegFile::parse(readAll(QStringLiteral(TAMSOLEN_TEST_DATA "/not-registry.reg"))).has_value());
    EXPECT_FALSE(RegFile::parse(QByteArray()).has_value());
}

TEST(RegFile, WritesTheVersion5FormRegeditWrites)
{
    RegFile file;
    SettingsKey key(u"x");
    key.writeString(u"Path", QStringLiteral("C:\\"));
    key.writeString(u"", QStringLiteral("\"既定\""));
    key.writeInteger(u"ServFlg", 31);
    key.writeBinary(u"Data", QByteArray(30, '\xAB'));
    file.sections.append({QStringLiteral("HKEY_CURRENT_USER\\Software\\Orvanta"), key.values()});
    const QString expected =
        QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Orvanta]\r\n"
                       "\"Path\"=\"C:\\\\\"\r\n"
                       "@=\"\\\"既定\\\"\"\r\n"
                       "\"ServFlg\"=dword:0000001f\r\n"
                       "\"Data\"=hex:ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,\\\r\n"
                       "  ab,ab,ab,ab,ab,ab,ab,ab\r\n"
                       "\r\n");
    const QByteArray bytes = file.toBytes();
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2),
              expected);
}

TEST_F(SettingsStoreTest, RoundTrip)
{
    const QString folder = path(QStringLiteral("config/tamsolen"));
    SettingsStore store(folder);
    SettingsKey key = store.createKey(u"\\Software\\Orvanta\\Tamsolen5");
    EXPECT_TRUE(key.values().isEmpty());
    const QString text = QStringLiteral("\"引用\" C:\\ 山田\tｱｲｳ");
    const QString lines = QStringLiteral("line 1\r\nline 2\n");
    QByteArray binary;
    for (int i = 0; i < 300; ++i)
        binary.append(char(i * 7));
    key.writeString(u"Text", text);
    key.writeString(u"Lines", lines);
    key.writeString(u"Empty", QString());
    key.writeInteger(u"Negative", -2);
    key.writeBinary(u"Binary", binary);
    key.writeBinary(u"NoBytes", QByteArray());
    ASSERT_TRUE(store.save(key));

    const QString fileName = folder + QStringLiteral("/Software-Orvanta-Tamsolen5.reg");
    const QByteArray bytes = readAll(fileName);
    ASSERT_TRUE(bytes.startsWith("\xFF\xFEW\0i\0n\0"));
    const QString written =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    for (const QString &line : written.split(QStringLiteral("\r\n")))
        EXPECT_LE(line.size(), 80) << line.toStdString();

    const std::optional<SettingsKey> reread = store.openKey(u"Software\\Orvanta\\Tamsolen5");
    ASSERT_TRUE(reread.has_value());
    EXPECT_EQ(reread->readString(u"Text").value, text);
    EXPECT_EQ(reread->readString(u"Lines").value, lines);
    EXPECT_TRUE(reread->readString(u"Empty").isPresent());
    EXPECT_EQ(reread->readInteger(u"Negative").value, -2);
    EXPECT_EQ(reread->readBinary(u"Binary").value, binary);
    EXPECT_TRUE(reread->readBinary(u"NoBytes").isPresent());
}

TEST_F(SettingsStoreTest, SavingAKeyKeepsEverythingElseOfItsFile)
{
    dropIn("regedit-export.reg");
    SettingsKey key = m_store.createKey(u"\\Software\\Orvanta\\Tamsolen5Free");
    key.writeString(u"WINSTATE", QStringLiteral("wsMaximized"));
    key.writeString(u"ServFlg", QStringLiteral("now a string"));
    ASSERT_TRUE(m_store.save(key));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("regedit-export.reg")});

    const SettingsKey saved = *m_store.openKey(u"\\Software\\Orvanta\\Tamsolen5Free");
    EXPECT_EQ(saved.values()[2].name, QStringLiteral("WinState")); // stored spelling stays
    EXPECT_EQ(saved.readString(u"WinState").value, QStringLiteral("wsMaximized"));
    EXPECT_EQ(saved.readString(u"ServFlg").value, QStringLiteral("now a string"));
    EXPECT_EQ(saved.readString(u"Import").value, QStringLiteral("D:\\data\\import.csv"));

    const SettingsKey other = *m_store.openKey(u"\\Software\\Orvanta\\Tamsolen5");
    EXPECT_EQ(other.values().size(), 13);
    EXPECT_EQ(other.readString(u"Lines").value, QStringLiteral("一行目\r\n二行目"));
    const SettingsValue &big = other.values()[9];
    EXPECT_EQ(big.type, SettingsValue::Type::Other);
    EXPECT_EQ(big.otherType, 0xb);
    EXPECT_EQ(big.bytes, QByteArray("\x01\0\0\0\0\0\0\0", 8));
    const std::optional<RegFile> file = RegFile::parse(readAll(path(QStringLiteral("regedit-export.reg"))));
    ASSERT_TRUE(file.has_value());
    EXPECT_NE(file->find(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta\\Tamsolen5"), nullptr);
}

TEST_F(SettingsStoreTest, TheLastFileHoldingAKeyWinsAndIsWritten)
{
    dropIn("regedit-export.reg", QStringLiteral("a.reg"));
    dropIn("regedit-export.reg", QStringLiteral("b.reg"));
    const QByteArray first = readAll(path(QStringLiteral("a.reg")));
    SettingsKey key = *m_store.openKey(u"\\Software\\Orvanta\\Tamsolen5Free");
    key.writeInteger(u"ServFlg", 2);
    ASSERT_TRUE(m_store.save(key));
    EXPECT_EQ(readAll(path(QStringLiteral("a.reg"))), first);
    EXPECT_EQ(m_store.openKey(u"\\Software\\Orvanta\\Tamsolen5Free")->readInteger(u"ServFlg").value, 2);
}

TEST_F(SettingsStoreTest, AFileThatIsNoRegistryFileIsNeverOverwritten)
{
    dropIn("not-registry.reg", QStringLiteral("Software-Orvanta.reg"));
    const QByteArray before = readAll(path(QStringLiteral("Software-Orvanta.reg")));
    EXPECT_FALSE(m_store.openKey(u"\\Software\\Orvanta").has_value());
    QString error;
    EXPECT_FALSE(m_store.save(m_store.createKey(u"\\Software\\Orvanta"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path(QStringLiteral("Software-Orvanta.reg"))), before);
}

// A write that fails half-way (here: the file size limit, which holds for
// root too) must leave the old file as it was and no temporary file behind.
TEST_F(SettingsStoreTest, AFailedSaveLeavesTheOldFileIntact)
{
    SettingsKey key = m_store.createKey(u"\\Software\\Orvanta\\Tamsolen5");
    key.writeString(u"Connection", QStringLiteral("old"));
    ASSERT_TRUE(m_store.save(key));
    const QString fileName = path(QStringLiteral("Software-Orvanta-Tamsolen5.reg"));
    const QByteArray before = readAll(fileName);

    key.writeBinary(u"Large", QByteArray(256 * 1024, 'x'));
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool saved = m_store.save(key, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(fileName), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Software-Orvanta-Tamsolen5.reg")});
}

TEST(SettingsStore, DefaultFolderFollowsXdgConfigHome)
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    EXPECT_EQ(SettingsStore().folder(), dir.path() + QStringLiteral("/tamsolen"));
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
}

TEST_F(SettingsStoreTest, SavedSettingsAreTheUsersAloneAlsoWhenRewritten)
{
    const QString folder = path(QStringLiteral("config/tamsolen"));
    SettingsStore store(folder);
    SettingsKey key = store.createKey(u"\\Software\\Orvanta\\Tamsolen5");
    key.writeString(u"Connection", QStringLiteral("first"));
    ASSERT_TRUE(store.save(key));
    const QString fileName = folder + QStringLiteral("/Software-Orvanta-Tamsolen5.reg");
    const auto owner = QFile::ReadOwner | QFile::WriteOwner;
    const auto everyone = owner | QFile::ReadGroup | QFile::ReadOther;
    // The mode bits alone; the "User" flags repeat the owner's for the current user.
    const auto mode = [](const QString &name) {
        return QFile::permissions(name) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    };
    EXPECT_EQ(mode(folder), owner | QFile::ExeOwner);
    EXPECT_EQ(mode(fileName), owner);

    // Made readable by hand (or by an older version), then saved again.
    ASSERT_TRUE(QFile::setPermissions(folder, everyone | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(fileName, everyone));
    key.writeString(u"Connection", QStringLiteral("second"));
    ASSERT_TRUE(store.save(key));
    EXPECT_EQ(mode(folder), owner | QFile::ExeOwner);
    EXPECT_EQ(mode(fileName), owner);
}

TEST_F(SettingsStoreTest, TemporaryFilesOfAKilledSaveGoOnTheNextSave)
{
    // Random letters without a capital too (one name in 64).
    const QStringList left = {QStringLiteral("Software-Orvanta-Tamsolen5.reg.new.lxqkse"),
                              QStringLiteral("other.reg.new.QwxyEr")};
    const QStringList others = {QStringLiteral("notes.txt.new.aB3xYz"), QStringLiteral("copy.reg.backup"),
                                QStringLiteral("copy.reg.new.backup1"), QStringLiteral("a.reg.aBcxYz")};
    for (const QString &name : left + others) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    SettingsKey key = m_store.createKey(u"\\Software\\Orvanta\\Tamsolen5");
    key.writeInteger(u"ServFlg", 1);
    ASSERT_TRUE(m_store.save(key));
    QStringList expected = others + QStringList{QStringLiteral("Software-Orvanta-Tamsolen5.reg")};
    expected.sort();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

// Programs saving their first settings at the same moment: each makes the
// folder or finds it made, and every key is saved.
TEST(SettingsStore, FirstSavesRacingAllSucceed)
{
    QTemporaryDir home;
    constexpr int Rounds = 100;
    constexpr int Savers = 4;
    for (int round = 0; round < Rounds; ++round) {
        const QString folder = home.filePath(QStringLiteral("%1/config/tamsolen").arg(round));
        std::latch start(Savers);
        std::array<QString, Savers> errors;
        std::vector<std::thread> savers;
        for (int i = 0; i < Savers; ++i) {
            savers.emplace_back([&, i] {
                SettingsStore store(folder);
                SettingsKey key(QStringLiteral("\\Software\\Saver%1").arg(i));
                key.writeInteger(u"Round", round);
                start.arrive_and_wait();
                if (!store.save(key, &errors[size_t(i)]) && errors[size_t(i)].isEmpty())
                    errors[size_t(i)] = QStringLiteral("failed without a reason");
            });
        }
        for (std::thread &saver : savers)
            saver.join();
        for (int i = 0; i < Savers; ++i) {
            ASSERT_TRUE(errors[size_t(i)].isEmpty()) << "round " << round << ": " << errors[size_t(i)].toStdString();
            const std::optional<SettingsKey> key =
                SettingsStore(folder).openKey(QStringLiteral("\\Software\\Saver%1").arg(i));
            ASSERT_TRUE(key);
            EXPECT_EQ(key->readInteger(u"Round").value, round);
        }
    }
}
