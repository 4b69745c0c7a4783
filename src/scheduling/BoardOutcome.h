#pragma once

#include "platform/UserMessage.h"

#include <QString>

#include <optional>
#include <vector>

// What an action of a board ends with: whether it did what was asked, and
// the boxes its window shows afterwards, in their order. A done action may
// tell too (a paste names the copied bookings it skipped).
struct BoardOutcome
{
    bool done = false;
    std::vector<UserMessage> messages;

    void error(const QString &text, MessageButtons buttons = MessageButtons::Ok)
    {
        messages.push_back({MessageType::Error, text, buttons});
    }
    void warning(const QString &text) { messages.push_back({MessageType::Warning, text, MessageButtons::Ok}); }
    // A box the store worded itself, when it has one.
    void add(std::optional<UserMessage> message)
    {
        if (message)
            messages.push_back(std::move(*message));
    }
};
