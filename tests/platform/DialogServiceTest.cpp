#include "FakeDialogService.h"

#include <gtest/gtest.h>

TEST(DialogService, FakeRecordsAndAnswersInOrder)
{
    FakeDialogService dialogs;
    dialogs.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(Dialogs::confirm(QStringLiteral("削除しますか？")));
    EXPECT_TRUE(Dialogs::confirm(QStringLiteral("もう一度")));
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages()[0].type, MessageType::Confirmation);
    EXPECT_EQ(dialogs.messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.messageTexts()[1], QStringLiteral("もう一度"));
}

TEST(DialogService, WithoutAServiceNothingBlocks)
{
    EXPECT_EQ(Dialogs::message(MessageType::Warning, QStringLiteral("x"), MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(Dialogs::exec(nullptr), 0);
}
