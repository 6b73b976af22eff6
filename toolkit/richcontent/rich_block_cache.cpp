#include "toolkit/richcontent/rich_block_cache.h"

#include <mutex>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// A kept block is nobody's: the sanitizer reports any use of it.
#define OV_CACHE_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define OV_CACHE_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define OV_CACHE_POISON(p, n) ((void)(p), (void)(n))
#define OV_CACHE_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

// A kept block holds the link to the next one of its shelf.
struct KeptBlock {
    KeptBlock* next;
};

// The blocks of one size and alignment. The engine uses two kinds (item blocks, node blocks);
// a block of a kind beyond the shelves goes back to the heap.
struct Shelf {
    std::size_t bytes = 0;  // 0: unused shelf
    std::size_t alignment = 0;
    KeptBlock* head = nullptr;
};
constexpr int kShelves = 4;

struct Cache {
    std::mutex lock;
    Shelf shelves[kShelves];
    std::size_t bytes = 0;
    std::size_t blocks = 0;
    std::size_t capacity = RichBlockCache::kDefaultCapacity;

    Shelf* Find(std::size_t size, std::size_t alignment, bool add) {
        for (Shelf& shelf : shelves) {
            if (shelf.bytes == size && shelf.alignment == alignment) return &shelf;
        }
        if (!add) return nullptr;
        for (Shelf& shelf : shelves) {
            if (shelf.bytes == 0) {
                shelf.bytes = size;
                shelf.alignment = alignment;
                return &shelf;
            }
        }
        return nullptr;
    }

    // Takes the newest block off a shelf (the lock held).
    KeptBlock* Pop(Shelf& shelf) {
        KeptBlock* block = shelf.head;
        if (!block) return nullptr;
        OV_CACHE_UNPOISON(block, sizeof(KeptBlock));
        shelf.head = block->next;
        OV_CACHE_POISON(block, sizeof(KeptBlock));
        bytes -= shelf.bytes;
        --blocks;
        return block;
    }
};

// Never destroyed: documents and threads may give blocks back after the static objects have
// gone. At the end the blocks are freed (below) and the cap falls to nothing.
Cache& TheCache() {
    alignas(Cache) static unsigned char storage[sizeof(Cache)];
    static Cache* cache = new (storage) Cache;
    return *cache;
}

bool OverAligned(std::size_t alignment) { return alignment > __STDCPP_DEFAULT_NEW_ALIGNMENT__; }

void* NewBlock(std::size_t bytes, std::size_t alignment) {
    if (OverAligned(alignment)) return ::operator new(bytes, std::align_val_t(alignment));
    return ::operator new(bytes);
}

void DeleteBlock(void* block, std::size_t bytes, std::size_t alignment) {
    OV_CACHE_UNPOISON(block, bytes);
    if (OverAligned(alignment))
        ::operator delete(block, std::align_val_t(alignment));
    else
        ::operator delete(block);
}

// Frees kept blocks until no more than `keep` bytes are kept (the lock held: this is rare).
void ShrinkTo(Cache& cache, std::size_t keep) {
    for (Shelf& shelf : cache.shelves) {
        while (cache.bytes > keep && shelf.head) DeleteBlock(cache.Pop(shelf), shelf.bytes, shelf.alignment);
    }
}

// At the process's end the kept blocks go back to the heap (so that no leak checker counts them),
// and blocks given back after that go straight to the heap.
struct FreeAtExit {
    ~FreeAtExit() { RichBlockCache::SetCapacity(0); }
} g_freeAtExit;

}  // namespace

namespace RichBlockCache {

void* Take(std::size_t bytes, std::size_t alignment) {
    Cache& cache = TheCache();
    KeptBlock* block = nullptr;
    {
        std::lock_guard<std::mutex> guard(cache.lock);
        if (Shelf* shelf = cache.Find(bytes, alignment, false)) block = cache.Pop(*shelf);
    }
    if (!block) return NewBlock(bytes, alignment);
    OV_CACHE_UNPOISON(block, bytes);
    return block;
}

void Give(void* block, std::size_t bytes, std::size_t alignment) {
    if (!block) return;
    Cache& cache = TheCache();
    {
        std::lock_guard<std::mutex> guard(cache.lock);
        Shelf* shelf = bytes >= sizeof(KeptBlock) && cache.bytes + bytes <= cache.capacity
                           ? cache.Find(bytes, alignment, true)
                           : nullptr;
        if (shelf) {
            OV_CACHE_UNPOISON(block, sizeof(KeptBlock));
            shelf->head = new (block) KeptBlock{shelf->head};
            OV_CACHE_POISON(block, bytes);
            cache.bytes += bytes;
            ++cache.blocks;
            return;
        }
    }
    DeleteBlock(block, bytes, alignment);
}

std::size_t CachedBytes() {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    return cache.bytes;
}

std::size_t CachedBlocks() {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    return cache.blocks;
}

std::size_t SetCapacity(std::size_t bytes) {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    const std::size_t before = cache.capacity;
    cache.capacity = bytes;
    ShrinkTo(cache, bytes);
    return before;
}

void Trim() {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    ShrinkTo(cache, 0);
}

}  // namespace RichBlockCache
