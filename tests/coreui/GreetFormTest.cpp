#include "coreui/TGreetForm.h"

#include <QDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

TEST(GreetForm, StepsAsideWhileAModalWindowIsUp)
{
    TGreetForm splash;
    EXPECT_FALSE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    splash.show();

    // A window that is not modal leaves it where it is.
    QDialog plain;
    plain.show();
    EXPECT_TRUE(splash.isVisible());
    plain.hide();

    // The login dialog, then a message box over it.
    QDialog login;
    login.setModal(true);
    login.show();
    EXPECT_FALSE(splash.isVisible());
    QMessageBox box;
    box.setModal(true);
    box.show();
    box.hide();
    EXPECT_FALSE(splash.isVisible()) << "the login dialog is still up";
    login.hide();
    EXPECT_TRUE(splash.isVisible());
}
