#pragma once

#include "platform/DialogService.h"

#include <QString>

#include <vector>

// A message box that logic hands back instead of showing it: the logic
// words it, the window that started the action shows it.
struct UserMessage
{
    MessageType type = MessageType::Error;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
};

namespace Dialogs {

// Shows the box through the installed service; the answer of a question.
MessageAnswer show(const UserMessage &message);
// Shows the boxes one after the other, in their order.
void show(const std::vector<UserMessage> &messages);

} // namespace Dialogs
