#include "TestContext.h"

#include "coreui/TMainForm.h"
#include "printingui/TPrintMenuForm.h"

#include <QPushButton>

#include <gtest/gtest.h>

TEST(TPrintMenuForm, OpensItsFormsAndKeepsThePanelCentred)
{
    DbConnection database;
    TestContext test(database);
    test.registory.WinState = QStringLiteral("wsNormal");
    TMainForm main(test.context);
    test.publish(MainForm, &main);
    TPrintMenuForm menu(test.context);
    QWidget curePlan;
    menu.SetForm(menu.Button3, &curePlan);

    main.show();
    menu.show();
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(menu.isMaximized());
    // Entries whose printout has no form stay disabled.
    EXPECT_TRUE(menu.Button3->isEnabled());
    for (QPushButton *entry :
         {menu.PrintAllUserButton, menu.Button2, menu.Button6, menu.Button4, menu.Button8, menu.Button9, menu.Button7})
        EXPECT_FALSE(entry->isEnabled()) << entry->objectName().toStdString();

    // The same instance comes forward twice and the menu stays open.
    menu.Button3->click();
    curePlan.hide();
    menu.Button3->click();
    EXPECT_TRUE(curePlan.isVisible());
    EXPECT_TRUE(menu.isVisible());

    menu.resize(1000, 760);
    const QWidget *panel = menu.findChild<QWidget *>(QStringLiteral("MenuPanel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->mapTo(&menu, QPoint(0, 0)).x(), (menu.width() - panel->width()) / 2);

    menu.ReturnButton->click();
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(main.isVisible());
}
