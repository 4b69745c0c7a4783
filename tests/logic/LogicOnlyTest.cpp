#include "base/DateTime.h"
#include "core/DateSettingsScope.h"
#include "core/LoginCheck.h"
#include "core/TMainModule.h"
#include "platform/DbConnection.h"
#include "report/common/TrpColor.h"
#include "users/UserSearch.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

// Each test uses one logic library, so that the program needs them all.

TEST(LogicOnly, DateSettingsScopeSetsTheProgramsFormatAndLocaleAndPutsBackTheOnesFound)
{
    DateTime::setDateSeparator(QLatin1Char('.'));
    DateTime::setShortDateFormat(QStringLiteral("dd.mm.yyyy"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    {
        const DateSettingsScope scope;
        EXPECT_EQ(DateTime::shortDate(DateTime::encodeDate(2026, 12, 6)), QStringLiteral("2026/12/06"));
        EXPECT_EQ(scope.savedDateSeparator(), QLatin1Char('.'));
        // Japanese whatever the machine's: names and the week from Sunday.
        EXPECT_EQ(QLocale().monthName(1), QStringLiteral("1月"));
        EXPECT_EQ(QLocale().firstDayOfWeek(), Qt::Sunday);
    }
    EXPECT_EQ(QLocale().language(), QLocale::English);
    QLocale::setDefault(QLocale::system());
    EXPECT_EQ(DateTime::dateSeparator(), QLatin1Char('.'));
    EXPECT_EQ(DateTime::shortDateFormat(), QStringLiteral("dd.mm.yyyy"));
    DateTime::setDateSeparator(QLatin1Char('/'));
    DateTime::setShortDateFormat(QStringLiteral("yyyy/mm/dd"));
}

TEST(LogicOnly, NothingIsFoundWithoutAConnection)
{
    TMainModule module;
    EXPECT_FALSE(module.LogIn(QStringLiteral("1001"), QStringLiteral("pass")));
    EXPECT_TRUE(module.GetStaffName(1).isEmpty());
    DbConnection closed;
    LoginCheck logins(closed);
    EXPECT_FALSE(logins.open());
    UserSearch search(closed);
    EXPECT_FALSE(search.showAll());
    EXPECT_EQ(TrpColor::fromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
