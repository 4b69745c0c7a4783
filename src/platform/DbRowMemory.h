#pragma once

#include <cstddef>

// The memory that data sets keep their rows in, handed back when a data set
// is closed and kept, up to KeptBytes, for the next one: a large result then
// fills memory the process already has instead of memory the system must map
// and clear page by page for every result read. Safe from any thread.
namespace DbRowMemory {

inline constexpr size_t KeptBytes = size_t(32) << 20;

// A block of at least `bytes` bytes, aligned for any scalar.
[[nodiscard]] void *take(size_t bytes);
// Gives back a block that take(bytes) returned.
void give(void *block, size_t bytes);

} // namespace DbRowMemory
