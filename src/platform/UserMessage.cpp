#include "platform/UserMessage.h"

namespace Dialogs {

MessageAnswer show(const UserMessage &message)
{
    return Dialogs::message(message.type, message.text, message.buttons);
}

void show(const std::vector<UserMessage> &messages)
{
    for (const UserMessage &message : messages)
        show(message);
}

} // namespace Dialogs
