#include "TestContext.h"

#include "coreui/MenuWindow.h"
#include "coreui/TMainForm.h"
#include "coreui/TSystemMenuForm.h"
#include "coreui/TilePanel.h"
#include "coreui/WidgetDialogService.h"
#include "coreui/WindowPlacement.h"

#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

QRect available()
{
    return WindowPlacement::mainScreen()->availableGeometry();
}

} // namespace

TEST(WindowPlacement, FittingMovesAndShrinksIntoTheArea)
{
    const QRect area(0, 0, 1024, 768);
    EXPECT_EQ(WindowPlacement::fitInto({-98, -7, 1000, 720}, area), QRect(0, 0, 1000, 720));
    EXPECT_EQ(WindowPlacement::fitInto({100, 200, 1002, 785}, area), QRect(22, 0, 1002, 768));
    EXPECT_EQ(WindowPlacement::fitInto({300, 500, 400, 300}, area), QRect(300, 468, 400, 300));
    EXPECT_EQ(WindowPlacement::fitInto({10, 10, 400, 300}, area), QRect(10, 10, 400, 300));
}

// Every window opens whole on the screen in both modes, and a window shown
// maximised once comes back at its own size after the switch to normal.
TEST(WindowPlacement, WindowsFollowTheModeAndLieWholeOnTheScreen)
{
    DbConnection database;
    TestContext test(database);
    test.registory.WinState = QStringLiteral("wsMaximized");
    TMainForm main(test.context);
    test.publish(MainForm, &main);
    TSystemMenuForm system(test.context);
    test.publish(SystemMenuForm, &system);
    MenuWindow work(
        test.context, [] { return static_cast<QWidget *>(MainForm); }, -1);
    const QSize large = available().size() + QSize(200, 160);
    work.resize(large);
    main.SetTileForm(Artwork::Tile::Schedule, &work);
    main.SetTileForm(Artwork::Tile::System, &system);
    main.show();

    QTest::mouseClick(main.tilePanel(Artwork::Tile::Schedule), Qt::LeftButton);
    EXPECT_TRUE(work.isMaximized());
    work.close();
    ASSERT_TRUE(main.isVisible());

    QTest::mouseClick(main.tilePanel(Artwork::Tile::System), Qt::LeftButton);
    QTest::mouseClick(system.GamenSizeChange, Qt::LeftButton);
    EXPECT_EQ(test.registory.WinState, QStringLiteral("wsNormal"));
    ASSERT_TRUE(main.isVisible());
    EXPECT_FALSE(main.isMaximized());
    EXPECT_TRUE(available().contains(main.frameGeometry()));

    QTest::mouseClick(main.tilePanel(Artwork::Tile::Schedule), Qt::LeftButton);
    EXPECT_FALSE(work.isMaximized());
    EXPECT_TRUE(available().contains(work.frameGeometry())) << work.frameGeometry().top();
    EXPECT_EQ(work.frameGeometry().width(), available().width());

    // A window moved off the screen comes back whole when shown again.
    work.close();
    work.resize(500, 400);
    work.move(-300, -200);
    QTest::mouseClick(main.tilePanel(Artwork::Tile::Schedule), Qt::LeftButton);
    EXPECT_EQ(work.size(), QSize(500, 400));
    EXPECT_TRUE(available().contains(work.frameGeometry()));
}

// A modal dialog stays above the window it was opened from and cannot stay
// minimised; a dialog placed off the screen is moved onto it.
TEST(WindowPlacement, ModalDialogsStayWithTheirWindow)
{
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    owner.activateWindow();
    QApplication::setActiveWindow(&owner);
    QDialog dialog;
    dialog.setWindowFlag(Qt::WindowMinimizeButtonHint);
    dialog.resize(300, 200);
    dialog.move(available().right() - 50, 40);
    bool restored = false;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.windowHandle()->transientParent(), owner.windowHandle());
        EXPECT_TRUE(available().contains(dialog.frameGeometry()));
        dialog.setWindowState(Qt::WindowMinimized);
        QTimer::singleShot(50, &dialog, [&] {
            restored = !dialog.isMinimized() && dialog.isVisible();
            QTest::mouseClick(&dialog, Qt::LeftButton);
            dialog.reject();
        });
    });
    WidgetDialogService service;
    EXPECT_EQ(service.execDialog(&dialog), QDialog::Rejected);
    EXPECT_TRUE(restored);
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}
