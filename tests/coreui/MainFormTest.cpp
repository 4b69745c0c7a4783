#include "TestContext.h"

#include "coreui/TMainForm.h"
#include "coreui/TilePanel.h"
#include "platform/DbConnection.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class MainFormTest : public ::testing::Test
{
protected:
    DbConnection m_database;
    TestContext m_context{m_database};
};

} // namespace

TEST_F(MainFormTest, OnlyWsMaximizedMaximises)
{
    const std::pair<QString, bool> cases[] = {{QStringLiteral("wsMaximized"), true},
                                              {QStringLiteral("wsNormal"), false},
                                              {QString(), false},
                                              {QStringLiteral("wsmaximized"), false}};
    for (const auto &[state, maximised] : cases) {
        m_context.registory.WinState = state;
        TMainForm form(m_context.context);
        EXPECT_EQ(form.windowState().testFlag(Qt::WindowMaximized), maximised) << state.toStdString();
    }
}

TEST_F(MainFormTest, PanelStaysCentredEvenWhenTheWindowIsSmaller)
{
    TMainForm form(m_context.context);
    form.show();
    form.resize(745, 685);
    EXPECT_EQ(form.MainPanel->pos(), QPoint(100, 50));
    form.resize(444, 484);
    // (444 - 545) / 2 truncates toward zero.
    EXPECT_EQ(form.MainPanel->pos(), QPoint(-50, -50));
}

TEST_F(MainFormTest, TilesOpenTheirFormsOnceShown)
{
    TMainForm form(m_context.context);
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

TEST_F(MainFormTest, ClosingAnnouncesTheShutdown)
{
    TMainForm form(m_context.context);
    int closed = 0;
    QObject::connect(&form, &TMainForm::Closed, [&closed] { ++closed; });
    form.show();
    form.CloseBtn->click();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, EveryDisabledTileLooksAlike)
{
    TMainForm form(m_context.context);
    QWidget menu;
    form.SetTileForm(Artwork::Tile::UserRegist, &menu);
    form.show();
    const auto meanGrey = [&form](Artwork::Tile tile) {
        const QImage image = form.tilePanel(tile)->grab().toImage();
        qint64 sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += qGray(image.pixel(x, y));
        return int(sum / (qint64(image.width()) * image.height()));
    };
    // The schedule's picture is light, the others' dark.
    const int schedule = meanGrey(Artwork::Tile::Schedule);
    for (const Artwork::Tile tile :
         {Artwork::Tile::Paper, Artwork::Tile::Results, Artwork::Tile::Print, Artwork::Tile::System})
        EXPECT_NEAR(meanGrey(tile), schedule, 8) << int(tile);
    EXPECT_GT(std::abs(meanGrey(Artwork::Tile::UserRegist) - schedule), 30);
}
