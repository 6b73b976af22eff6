// Large blocks the engine's slot memories (the item arenas, the list-node pools) no longer use,
// kept for the next one that needs a block of the same size and alignment. A page is read again
// and again (the explorer rebuilds its page on every change of sort or options); on Windows a
// large block freed goes back to the system, and the next read would pay again for the first
// write to every page of its memory. One cache for the process, safe to use from any thread;
// it keeps up to a cap of bytes and gives the rest back to the heap. Blocks kept are poisoned
// under the address sanitizer; at the process's end they go back to the heap.
#pragma once

#include <cstddef>

namespace RichBlockCache {

// The explorer's page of every class, the largest page most often read again, releases 78 MB of
// item and node blocks: that and room to spare, so that reading it again takes no new memory.
// Pages of hands may be many times larger; keeping all of theirs would hold too much idle.
constexpr std::size_t kDefaultCapacity = 112u << 20;

// A block of `bytes` aligned to `alignment` (a power of two): one kept, or a new one.
void* Take(std::size_t bytes, std::size_t alignment);
// Takes back a block from Take with the same size and alignment: kept while the cache holds less
// than its cap, or freed. Its contents are lost.
void Give(void* block, std::size_t bytes, std::size_t alignment);

// The bytes and blocks kept now.
std::size_t CachedBytes();
std::size_t CachedBlocks();
// Sets the cap (blocks kept beyond it are freed at once) and returns the one before.
std::size_t SetCapacity(std::size_t bytes);
// Frees every block kept.
void Trim();

}  // namespace RichBlockCache
