#include "platform/DbRowMemory.h"

#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace {

// In an address-sanitizer build no block is kept, so that a row read after
// its data set was closed is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool KeepBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool KeepBlocks = false;
#else
constexpr bool KeepBlocks = true;
#endif
#else
constexpr bool KeepBlocks = true;
#endif

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
    if (!KeepBlocks) {
        ::operator delete(block);
        return;
    }
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
