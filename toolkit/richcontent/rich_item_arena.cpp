#include "toolkit/richcontent/rich_item_arena.h"

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

// A small document (a caption) takes one small block; a large page grows to blocks of about
// 1.5 MB, large enough that their count stays in the hundreds.
constexpr std::size_t kFirstBlockSlots = 8;
constexpr std::size_t kMaxBlockSlots = 4096;

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
        const std::size_t bytes = m_blockSlots * m_slotSize;
        char* block = static_cast<char*>(::operator new(bytes));
        m_blocks.emplace_back(block, bytes);
        OV_ARENA_POISON(block, bytes);
        m_next = block;
        m_end = block + bytes;
        if (m_blockSlots < kMaxBlockSlots) m_blockSlots *= 2;
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

void CExtRichItemArena::Release() {
    for (const auto& [block, bytes] : m_blocks) {
        OV_ARENA_UNPOISON(block, bytes);
        ::operator delete(block);
    }
    m_blocks.clear();
    m_next = m_end = nullptr;
    m_free = nullptr;
    m_live = 0;
    m_blockSlots = kFirstBlockSlots;
}
