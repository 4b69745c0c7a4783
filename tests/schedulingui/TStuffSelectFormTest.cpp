#include "schedulingui/TStuffSelectForm.h"
#include "core/StaffDirectory.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// "設定" with no pick only focuses the box; the caller's code does not
// preselect; a pick is read on "設定" and nothing on "キャンセル".
TEST(TStuffSelectForm, PicksAStaffMember)
{
    const StaffDirectory staff({{11, QStringLiteral("青木　花子")}, {12, QStringLiteral("伊藤　健")}});
    TStuffSelectForm form(staff);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("スタックの指定"));
    form.StuffCode = 12;
    form.show();
    EXPECT_EQ(form.KaigoStuffBox->currentIndex(), -1);
    form.CancelButton->setFocus();
    QTest::mouseClick(form.SetButton, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.focusWidget(), form.KaigoStuffBox);
    EXPECT_EQ(form.ErrorLabel->text(), QString());
    EXPECT_EQ(form.StuffCode, 12);

    QTest::keyClick(form.KaigoStuffBox, Qt::Key_Down);
    QTest::keyClick(form.KaigoStuffBox, Qt::Key_Down);
    QTest::mouseClick(form.SetButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.StuffCode, 12);
    EXPECT_EQ(form.StuffName, QStringLiteral("伊藤　健"));

    form.StuffCode = 0;
    form.StuffName.clear();
    form.show();
    EXPECT_EQ(form.KaigoStuffBox->currentIndex(), 1);
    QTest::keyClick(form.KaigoStuffBox, Qt::Key_Up);
    QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), 2);
    EXPECT_EQ(form.StuffCode, 0);
    EXPECT_EQ(form.StuffName, QString());
}

// Enter acts on the control it was pressed in: in the staff box it picks
// nothing and presses no button; on a focused button it clicks that one once.
TEST(TStuffSelectForm, EnterActsOnlyWhereItWasPressed)
{
    const StaffDirectory staff({{11, QStringLiteral("青木　花子")}});
    TStuffSelectForm form(staff);
    form.show();
    QTest::keyClick(form.KaigoStuffBox, Qt::Key_Down);
    QTest::keyClick(form.KaigoStuffBox, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.StuffCode, 0);
    form.CancelButton->setFocus();
    QTest::keyClick(form.CancelButton, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), 2);
    EXPECT_EQ(form.StuffCode, 0);
}

} // namespace
