#pragma once

#include <QString>

#include <functional>

enum class MessageType { Error, Warning, Information, Confirmation };

// The button sets that message boxes show.
// YesNoDefaultNo: Yes and No with No as the default button, for a question
// whose Yes could double data.
enum class MessageButtons { Ok, Yes, Abort, YesNo, OkCancel, OkNo, YesNoDefaultNo };

enum class MessageAnswer { Ok, Yes, No, Cancel, Abort };

// A message box that logic hands back instead of showing it: the logic
// words it, the window that started the action shows it.
struct UserMessage
{
    MessageType type = MessageType::Error;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;

    friend bool operator==(const UserMessage &, const UserMessage &) = default;
};

// How logic asks a question in the middle of its work: the window that
// started it shows the box and returns the answer.
using MessageAsker = std::function<MessageAnswer(const UserMessage &)>;

// What a write tells when the rows it decides from were changed at another
// workstation since the window read them: it changed nothing, and the
// window reads them again.
inline const QString ChangedElsewhereText =
    QStringLiteral("他の端末で変更されています。\n最新の状態を表示します。");
