#include "FakeDialogService.h"

#include "base/DateTime.h"
#include "core/TMainForm.h"
#include "core/TRegistory.h"
#include "core/TilePanel.h"
#include "platform/SettingsStore.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Points the settings store at a folder of the test's own.
class MainFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_savedConfig); }

    void writeWinState(const QString &state)
    {
        SettingsStore store;
        SettingsKey key = store.createKey(TRegistory::KeyPath.toString());
        key.writeString(QStringLiteral("WinState"), state);
        ASSERT_TRUE(store.save(key));
    }

    QTemporaryDir m_config;
    QByteArray m_savedConfig;
};

} // namespace

TEST_F(MainFormTest, HoldsTheProgramsDateSettingsAndRestoresThem)
{
    DateTime::setDateSeparator(QLatin1Char('.'));
    DateTime::setShortDateFormat(QStringLiteral("dd.mm.yyyy"));
    {
        TMainForm form;
        EXPECT_EQ(DateTime::dateSeparator(), QLatin1Char('/'));
        EXPECT_EQ(DateTime::shortDate(DateTime::encodeDate(2026, 12, 6)), QStringLiteral("2026/12/06"));
        EXPECT_TRUE(form.StartupOK);
        EXPECT_FALSE(form.AppDir.endsWith(QLatin1Char('/')));
    }
    EXPECT_EQ(DateTime::dateSeparator(), QLatin1Char('.'));
    EXPECT_EQ(DateTime::shortDateFormat(), QStringLiteral("dd.mm.yyyy"));
    DateTime::setDateSeparator(QLatin1Char('/'));
    DateTime::setShortDateFormat(QStringLiteral("yyyy/mm/dd"));
}

TEST_F(MainFormTest, OnlyWsMaximizedMaximises)
{
    const std::pair<QString, bool> cases[] = {{QStringLiteral("wsMaximized"), true},
                                              {QStringLiteral("wsNormal"), false},
                                              {QString(), false},
                                              {QStringLiteral("wsmaximized"), false}};
    for (const auto &[state, maximised] : cases) {
        writeWinState(state);
        TMainForm form;
        EXPECT_EQ(form.Registory->WinState, state);
        EXPECT_EQ(form.windowState().testFlag(Qt::WindowMaximized), maximised) << state.toStdString();
    }
}

TEST_F(MainFormTest, PanelStaysCentredEvenWhenTheWindowIsSmaller)
{
    writeWinState(QStringLiteral("wsNormal"));
    TMainForm form;
    form.show();
    form.resize(745, 685);
    EXPECT_EQ(form.MainPanel->pos(), QPoint(100, 50));
    form.resize(444, 484);
    // (444 - 545) / 2 truncates toward zero.
    EXPECT_EQ(form.MainPanel->pos(), QPoint(-50, -50));
}

TEST_F(MainFormTest, TilesOpenTheirFormsOnceShown)
{
    TMainForm form;
    QWidget menu;
    form.SetTileForm(Artwork::Tile::Print, &menu);
    TilePanel *print = form.tilePanel(Artwork::Tile::Print);
    EXPECT_FALSE(print->isEnabled()) << "tiles stay disabled until the window is shown";
    form.show();
    EXPECT_TRUE(print->isEnabled());
    EXPECT_FALSE(form.tilePanel(Artwork::Tile::Schedule)->isEnabled()) << "a tile without a form";
    EXPECT_EQ(print->caption(), QStringLiteral("印刷"));
    emit print->clicked();
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(MainFormTest, SettingsAreWrittenBackOnlyAfterASuccessfulStart)
{
    writeWinState(QStringLiteral("wsNormal"));
    const auto storedWinState = [] {
        TRegistory settings;
        settings.LoadSettings();
        return settings.WinState;
    };
    {
        TMainForm form;
        form.Registory->WinState = QStringLiteral("wsMaximized");
        form.StartupOK = false;
    }
    EXPECT_EQ(storedWinState(), QStringLiteral("wsNormal"));
    {
        TMainForm form;
        form.Registory->WinState = QStringLiteral("wsMaximized");
    }
    EXPECT_EQ(storedWinState(), QStringLiteral("wsMaximized"));
}

TEST_F(MainFormTest, ClosingAnnouncesTheShutdown)
{
    TMainForm form;
    int closed = 0;
    QObject::connect(&form, &TMainForm::Closed, [&closed] { ++closed; });
    form.show();
    form.CloseBtn->click();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(form.isVisible());
}
