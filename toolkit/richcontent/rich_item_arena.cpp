#include "toolkit/richcontent/rich_item_arena.h"

#include "toolkit/richcontent/rich_block_cache.h"

#include <algorithm>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// Unused and freed slots stay poisoned, so that the sanitizer still finds a use of a deleted item
// or a write past an item's end.
#define OV_ARENA_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define OV_ARENA_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define OV_ARENA_POISON(p, n) ((void)(p), (void)(n))
#define OV_ARENA_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

// A small document (a caption) takes one small block from the heap, the next ones twice as large
// each; past a few hundred items a page takes blocks of one size, large enough that their count
// stays in the hundreds, from the block cache, so that a page read again reuses the memory the
// one before it wrote.
constexpr std::size_t kFirstBlockSlots = 8;
constexpr std::size_t kSmallBlockBytes = 128 * 1024;  // heap blocks are smaller than this
constexpr std::size_t kLargeBlockBytes = 1024 * 1024;
constexpr std::size_t kLargeBlockAlignment = alignof(std::max_align_t);

}  // namespace

CExtRichItemArena::CExtRichItemArena(std::size_t slotSize)
    : m_slotSize((slotSize + 7) / 8 * 8), m_blockSlots(kFirstBlockSlots) {}

CExtRichItemArena::~CExtRichItemArena() { Release(); }

void* CExtRichItemArena::Allocate() {
    if (m_free) {
        FreeSlot* slot = m_free;
        OV_ARENA_UNPOISON(slot, m_slotSize);
        m_free = slot->next;
        ++m_live;
        return slot;
    }
    if (m_next == m_end) {
        std::size_t bytes = m_blockSlots * m_slotSize;
        char* block;
        if (bytes < kSmallBlockBytes) {
            block = static_cast<char*>(::operator new(bytes));
            m_blockSlots *= 2;
        } else {
            bytes = LargeBlockBytes();
            block = static_cast<char*>(RichBlockCache::Take(bytes, kLargeBlockAlignment));
        }
        m_blocks.emplace_back(block, bytes);
        OV_ARENA_POISON(block, bytes);
        m_next = block;
        m_end = block + bytes / m_slotSize * m_slotSize;
    }
    void* slot = m_next;
    m_next += m_slotSize;
    OV_ARENA_UNPOISON(slot, m_slotSize);
    ++m_live;
    return slot;
}

void CExtRichItemArena::Free(void* slot) {
    if (!slot) return;
    if (--m_live == 0) {
        // Nothing is left in use: a document read again starts afresh.
        if (m_detached)
            delete this;
        else
            Release();
        return;
    }
    m_free = new (slot) FreeSlot{m_free};
    OV_ARENA_POISON(static_cast<char*>(slot) + sizeof(FreeSlot), m_slotSize - sizeof(FreeSlot));
}

void CExtRichItemArena::Detach() {
    m_detached = true;
    if (m_live == 0) delete this;
}

std::size_t CExtRichItemArena::LargeBlockBytes() const { return std::max(kLargeBlockBytes, m_slotSize); }

void CExtRichItemArena::Release() {
    const std::size_t large = LargeBlockBytes();
    // Newest first, so that the next document takes the blocks in the order this one did.
    for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it) {
        const auto [block, bytes] = *it;
        if (bytes == large) {
            RichBlockCache::Give(block, bytes, kLargeBlockAlignment);  // poisoned there
            continue;
        }
        OV_ARENA_UNPOISON(block, bytes);
        ::operator delete(block);
    }
    m_blocks.clear();
    m_next = m_end = nullptr;
    m_free = nullptr;
    m_live = 0;
    m_blockSlots = kFirstBlockSlots;
}
