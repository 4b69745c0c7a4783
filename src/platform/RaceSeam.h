#pragma once

#include <functional>

// The doorstep of a write transaction: a workstation has in hand what its
// window showed and is about to lock what it writes on. Race tests hold
// their workstations there together, so that every round is a real race;
// the program sets no hook, and then passing costs one atomic load.
class RaceSeam
{
public:
    using Hook = std::function<void()>;

    // Calls the hook, on the passing thread, when one is set.
    static void pass();
    // For tests: the hook every pass calls; an empty one removes it. Set
    // while no write transaction begins on another thread.
    static void setHook(Hook hook);
};
