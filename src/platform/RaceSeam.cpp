#include "platform/RaceSeam.h"

#include <atomic>

namespace {

std::atomic<bool> hooked{false};

RaceSeam::Hook &theHook()
{
    static RaceSeam::Hook hook;
    return hook;
}

} // namespace

void RaceSeam::pass()
{
    if (hooked.load(std::memory_order_acquire))
        theHook()();
}

void RaceSeam::setHook(Hook hook)
{
    hooked.store(false, std::memory_order_release);
    theHook() = std::move(hook);
    hooked.store(bool(theHook()), std::memory_order_release);
}
