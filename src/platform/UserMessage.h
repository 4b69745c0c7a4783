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

// What a write tells when the rows it decides from were changed at another
// workstation since the window read them: it changed nothing, and the
// window reads them again.
inline const QString ChangedElsewhereText =
    QStringLiteral("他の端末で変更されています。\n最新の状態を表示します。");

namespace Dialogs {

// Shows the box through the installed service; the answer of a question.
MessageAnswer show(const UserMessage &message);
// Shows the boxes one after the other, in their order.
void show(const std::vector<UserMessage> &messages);

} // namespace Dialogs
