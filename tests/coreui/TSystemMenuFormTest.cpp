#include "TestContext.h"

#include "coreui/TSystemMenuForm.h"

#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(TSystemMenuForm, SwitchesTheWindowStateAndOpensThePartnerSettings)
{
    DbConnection database;
    TestContext test(database);
    test.registory.WinState = QStringLiteral("wsNormal");
    TSystemMenuForm menu(test.context);
    QDialog partner;
    menu.SetPartnerForm(&partner);

    menu.show();
    EXPECT_FALSE(menu.isMaximized());
    menu.ImPanel->click();
    EXPECT_EQ(test.dialogs.dialogCount(), 1);

    // Two clicks, the menu shown again in between, give back the first setting.
    menu.GamenSizeChange->click();
    EXPECT_EQ(test.registory.WinState, QStringLiteral("wsMaximized"));
    EXPECT_FALSE(menu.isVisible());
    menu.show();
    EXPECT_TRUE(menu.isMaximized());
    menu.GamenSizeChange->click();
    EXPECT_EQ(test.registory.WinState, QStringLiteral("wsNormal"));

    menu.show();
    menu.resize(900, 700);
    EXPECT_EQ(menu.MenuPanel->pos(), QPoint((menu.frameGeometry().width() - menu.MenuPanel->width()) / 2,
                                            (menu.frameGeometry().height() - menu.MenuPanel->height()) / 2));
    menu.Button2->click();
    EXPECT_FALSE(menu.isVisible());
}
