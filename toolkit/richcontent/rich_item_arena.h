// The memory of a document's items: slots of one size cut from large blocks, so that a page of
// millions of items makes a few hundred allocations instead of millions (the system heap on
// Windows is much slower per allocation than a bump of a pointer). A freed slot is kept for the
// next item; the blocks go back when the last item goes (the large ones to the block cache, for
// the next document). The document lets go of its arena when it is destroyed; an item that
// outlives it keeps the arena until that item goes.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

class CExtRichItemArena {
public:
    // Slots of `slotSize` bytes (rounded up to a multiple of 8).
    explicit CExtRichItemArena(std::size_t slotSize);
    CExtRichItemArena(const CExtRichItemArena&) = delete;
    CExtRichItemArena& operator=(const CExtRichItemArena&) = delete;

    void* Allocate();
    // Takes a slot back; with no slot left in use the blocks are released (and the arena itself
    // once its owner has let go of it).
    void Free(void* slot);
    // The owner's release: the arena is destroyed now, or with its last slot.
    void Detach();

    std::size_t SlotSize() const { return m_slotSize; }
    std::size_t LiveCount() const { return m_live; }
    std::size_t BlockCount() const { return m_blocks.size(); }

private:
    ~CExtRichItemArena();
    void Release();
    std::size_t LargeBlockBytes() const;

    struct FreeSlot {
        FreeSlot* next;
    };
    std::size_t m_slotSize;
    std::vector<std::pair<char*, std::size_t>> m_blocks;  // start, bytes
    char* m_next = nullptr;  // the unused rest of the newest block
    char* m_end = nullptr;
    FreeSlot* m_free = nullptr;
    std::size_t m_live = 0;
    std::size_t m_blockSlots;  // slots of the next small block: doubles
    bool m_detached = false;
};
