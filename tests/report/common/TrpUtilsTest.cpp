#include "report/common/TrpUtils.h"
#include "report/objects/TrpComponentRegistry.h"
#include "report/common/TrpEngineSettings.h"
#include "report/data/TrpUserDataset.h"

#include "platform/SettingsStore.h"

#include <QFile>
#include <QFont>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString q(const char *s)
{
    return QString::fromUtf8(s);
}

TEST(TrpUtils, FontStylePacking)
{
    QFont font;
    EXPECT_EQ(TrpUtils::fontStyleToInt(font), 0);
    for (int style = 0; style < 8; ++style) {
        TrpUtils::setFontStyle(font, style);
        EXPECT_EQ(font.italic(), bool(style & 1));
        EXPECT_EQ(font.bold(), bool(style & 2));
        EXPECT_EQ(font.underline(), bool(style & 4));
        EXPECT_EQ(TrpUtils::fontStyleToInt(font), style);
    }
    font.setStrikeOut(true);
    EXPECT_EQ(TrpUtils::fontStyleToInt(font), 7) << "strike-out is not stored";
}

TEST(TrpUtils, QuotedTexts)
{
    EXPECT_EQ(TrpUtils::stripQuotes(q("\"Query1\"")), q("Query1"));
    EXPECT_EQ(TrpUtils::stripQuotes(q("\"\"")), q(""));
    EXPECT_EQ(TrpUtils::stripQuotes(q("\"")), q("\""));
    EXPECT_EQ(TrpUtils::stripQuotes(q("\"half")), q("\"half"));
    EXPECT_EQ(TrpUtils::stripQuotes(q("plain")), q("plain"));
}

TEST(TrpComponentRegistry, FindsComponentsByQualifiedName)
{
    TrpComponentRegistry registry;
    TrpUserDataset own;
    own.setObjectName(q("UserDS"));
    auto other = std::make_unique<TrpUserDataset>();
    other->setObjectName(q("ListDS"));
    QObject plain;
    plain.setObjectName(q("Query1"));
    registry.add(q("PrintForm"), &own);
    registry.add(q("DataModule"), other.get());
    registry.add(q("DataModule"), &plain);

    EXPECT_EQ(registry.find(q("userds"), q("PrintForm")), &own);
    EXPECT_EQ(registry.find(q("UserDS"), q("OtherForm")), nullptr) << "a bare name is on the owner form";
    EXPECT_EQ(registry.find(q("datamodule.ListDS"), q("PrintForm")), other.get());
    EXPECT_EQ(registry.find<TrpDataset>(q("DataModule.Query1"), q("PrintForm")), nullptr);
    EXPECT_EQ(registry.find(q("DataModule.Query1"), q("PrintForm")), &plain);
    EXPECT_EQ(registry.find(q("Nowhere.UserDS"), q("PrintForm")), nullptr);

    EXPECT_EQ(registry.names(TrpDataset::staticMetaObject, q("PrintForm")),
              (QStringList{q("UserDS"), q("DataModule.ListDS")}));
    other.reset();
    EXPECT_EQ(registry.find(q("DataModule.ListDS"), q("PrintForm")), nullptr);
    EXPECT_EQ(registry.names(TrpDataset::staticMetaObject, q("DataModule")), QStringList{q("PrintForm.UserDS")});
    registry.removeForm(q("printform"));
    EXPECT_EQ(registry.find(q("UserDS"), q("PrintForm")), nullptr);
}

TEST(TrpEngineSettings, GrayButtonsLiveBelowTheEngineRoot)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SettingsStore store(folder.path());
    const QString title = q("タムソレン");
    EXPECT_EQ(TrpEngineSettings::keyPath(title), q("\\Software\\Quernlight\\タムソレン"));
    EXPECT_FALSE(TrpEngineSettings::grayButtons(store, title));
    ASSERT_TRUE(TrpEngineSettings::setGrayButtons(store, title, true));
    EXPECT_TRUE(TrpEngineSettings::grayButtons(store, title));
    const std::optional<SettingsKey> key = store.openKey(u"Software\\Quernlight\\タムソレン");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readInteger(u"GrayButtons").valueOr(-1), 1);
    ASSERT_TRUE(TrpEngineSettings::setGrayButtons(store, title, false));
    EXPECT_FALSE(TrpEngineSettings::grayButtons(store, title));

    SettingsKey wrong = store.createKey(TrpEngineSettings::keyPath(title));
    wrong.writeString(u"GrayButtons", q("1"));
    ASSERT_TRUE(store.save(wrong));
    EXPECT_FALSE(TrpEngineSettings::grayButtons(store, title)) << "a text value is not the setting";
}

} // namespace
