#include "users/UserGridModel.h"
#include "platform/DbDataSet.h"

#include <gtest/gtest.h>

namespace {

enum Column { CureNo, Name, Kana, Sex, Birth, Address, Nyusho, RihaType, Hinoriku };

QString cell(int column, const DbValue &value)
{
    return UserGridModel::cellText(column, value);
}

DbValue date(int year, int month, int day)
{
    return DbDate{DateTime::encodeDate(year, month, day)};
}

} // namespace

TEST(UserGridModel, CellFormats)
{
    EXPECT_EQ(cell(CureNo, 42), QStringLiteral("42"));
    EXPECT_EQ(cell(Name, QStringLiteral("山田 太郎")), QStringLiteral("山田 太郎"));
    EXPECT_EQ(cell(Address, QString()), QString());

    EXPECT_EQ(cell(Sex, 0), QStringLiteral("男性"));
    EXPECT_EQ(cell(Sex, 1), QStringLiteral("女性"));
    EXPECT_EQ(cell(Sex, 2), QStringLiteral("2")); // other codes as the number
    EXPECT_EQ(cell(Sex, -1), QStringLiteral("-1"));

    // Era name, blank, two-digit era year, month and day.
    EXPECT_EQ(cell(Birth, date(1940, 4, 1)), QStringLiteral("昭和 15年04月01日"));
    EXPECT_EQ(cell(Nyusho, date(2019, 4, 30)), QStringLiteral("平成 31年04月30日"));
    EXPECT_EQ(cell(Nyusho, date(2019, 5, 1)), QStringLiteral("令和 01年05月01日"));
    EXPECT_EQ(cell(Birth, date(1850, 1, 2)), QStringLiteral("1850/01/02")); // before the first era
    EXPECT_EQ(cell(Birth, DbDate{DateTime::None}), QString());

    EXPECT_EQ(cell(RihaType, 0), QStringLiteral("入所"));
    EXPECT_EQ(cell(RihaType, 3), QStringLiteral("訪問リハビリ"));
    EXPECT_EQ(cell(RihaType, 4), QString()); // no name: blank
    EXPECT_EQ(cell(RihaType, -1), QString());

    EXPECT_EQ(cell(Hinoriku, 1), QStringLiteral("1"));
    EXPECT_EQ(cell(Hinoriku, 0), QString());
    EXPECT_EQ(cell(Hinoriku, -5), QString());

    // A NULL is blank in every column.
    for (int column = CureNo; column <= Hinoriku; ++column)
        EXPECT_EQ(cell(column, DbValue()), QString()) << column;
}

TEST(UserGridModel, TitlesAndAClosedList)
{
    DbDataSet closed;
    UserGridModel model(closed);
    model.reload();
    EXPECT_EQ(model.columnCount(), 9);
    EXPECT_EQ(model.rowCount(), 0);
    const QStringList titles{
        QStringLiteral("利用者番号"),   QStringLiteral("氏名"),     QStringLiteral("カナ氏名"),
        QStringLiteral("性別"),         QStringLiteral("生年月日"), QStringLiteral("住所"),
        QStringLiteral("入所(開始)日"), QStringLiteral("形態"),     QStringLiteral("ヒノリク番号")};
    for (int column = 0; column < titles.size(); ++column)
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), titles[column]);
}
