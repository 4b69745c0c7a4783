#pragma once

#include "FakeDialogService.h"

#include <gtest/gtest.h>

// The one box every window shows when its template is not there: the
// engine's reason, naming the file, in an "Error" box.
inline void expectMissingTemplateTold(const FakeDialogService &dialogs, const QString &file)
{
    ASSERT_EQ(dialogs.messages().size(), 1) << dialogs.messageTexts().join(u'|').toStdString();
    const FakeDialogService::Message &box = dialogs.messages()[0];
    EXPECT_EQ(box.type, MessageType::Error);
    EXPECT_EQ(box.caption, QStringLiteral("Error"));
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Cannot open file \"") + file + u'"')) << box.text.toStdString();
}
