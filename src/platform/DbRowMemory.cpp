#include "platform/DbRowMemory.h"

#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace {

struct Kept
{
    std::mutex mutex;
    std::vector<std::pair<size_t, void *>> blocks;
    size_t bytes = 0;
};

// Never destroyed: data sets held by static objects give their blocks back
// at exit.
Kept &kept()
{
    static Kept *const instance = new Kept;
    return *instance;
}

} // namespace

namespace DbRowMemory {

void *take(size_t bytes)
{
    Kept &pool = kept();
    {
        const std::lock_guard lock(pool.mutex);
        // Blocks come in a few sizes (a block of rows per column count, text
        // blocks): the most recent one of the size is the likeliest in cache.
        for (auto it = pool.blocks.rbegin(); it != pool.blocks.rend(); ++it) {
            if (it->first == bytes) {
                void *block = it->second;
                pool.bytes -= bytes;
                pool.blocks.erase(std::next(it).base());
                return block;
            }
        }
    }
    return ::operator new(bytes);
}

void give(void *block, size_t bytes)
{
    if (!block)
        return;
    Kept &pool = kept();
    {
        const std::lock_guard lock(pool.mutex);
        if (pool.bytes + bytes <= KeptBytes) {
            pool.blocks.emplace_back(bytes, block);
            pool.bytes += bytes;
            return;
        }
    }
    ::operator delete(block);
}

} // namespace DbRowMemory
