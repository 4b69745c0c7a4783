#pragma once

#include <chrono>

// A bound in time on work that may never end: a script loop, a data set
// without an end rule. Started when the work starts and asked as it goes.
// It measures how long on the monotonic clock, not when, so it does not go
// through the program's clock.
class TrpDeadline
{
public:
    // What endless work may take before it stops with its error: with the
    // step that runs when it passes, well under half a second.
    static constexpr std::chrono::milliseconds EndlessWork{400};

    explicit TrpDeadline(std::chrono::milliseconds budget = EndlessWork) : m_budget(budget) { start(); }

    void start() { m_end = std::chrono::steady_clock::now() + m_budget; }
    [[nodiscard]] bool passed() const { return std::chrono::steady_clock::now() >= m_end; }

private:
    std::chrono::milliseconds m_budget;
    std::chrono::steady_clock::time_point m_end;
};
