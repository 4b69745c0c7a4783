#include "platform/CharacterLimitValidator.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Yoshi = QString::fromUcs4(U"\U00020BB7");

// Text as a Japanese input method commits it.
void commit(QLineEdit &edit, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&edit, &event);
}

} // namespace

// A limit of three characters, as a line edit's user meets it.
TEST(CharacterLimitValidator, KeepsWholeCharactersUpToTheLimit)
{
    QLineEdit edit;
    edit.setValidator(new CharacterLimitValidator(3, &edit));
    edit.show();
    QTest::keyClicks(&edit, QStringLiteral("ab"));
    commit(edit, Yoshi);
    EXPECT_EQ(edit.text(), QStringLiteral("ab") + Yoshi);
    QTest::keyClick(&edit, Qt::Key_C);
    commit(edit, Yoshi);
    EXPECT_EQ(edit.text(), QStringLiteral("ab") + Yoshi);

    // What is inserted beyond the limit is dropped, the text after the
    // cursor stays.
    edit.setText(QStringLiteral("a") + Yoshi);
    edit.setCursorPosition(1);
    commit(edit, Yoshi + Yoshi);
    EXPECT_EQ(edit.text(), QStringLiteral("a") + Yoshi + Yoshi);
    EXPECT_EQ(edit.cursorPosition(), 3);

    // A text set is cut after its third character.
    edit.setText(QStringLiteral("ab") + Yoshi + QStringLiteral("c"));
    EXPECT_EQ(edit.text(), QStringLiteral("ab") + Yoshi);
    edit.setText(Yoshi + Yoshi + Yoshi + Yoshi);
    EXPECT_EQ(edit.text(), Yoshi + Yoshi + Yoshi);
    EXPECT_TRUE(edit.hasAcceptableInput());
}
