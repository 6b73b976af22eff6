#include "toolkit/richcontent/rich_list_nodes.h"

#include "toolkit/richcontent/rich_block_cache.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

#if defined(_WIN32)
#include <pthread.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// Free nodes stay poisoned, so that the sanitizer still finds a use of a removed node.
#define OV_NODES_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define OV_NODES_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define OV_NODES_POISON(p, n) ((void)(p), (void)(n))
#define OV_NODES_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

// Blocks are aligned to their size, so that a node finds its block (and the block its pool) from
// its own address.
constexpr std::size_t kBlockBytes = 64 * 1024;
constexpr std::size_t kSlot = RichListNodes::kNodeBytes;

struct FreeNode {
    FreeNode* next;
};

struct Pool;

struct BlockHeader {
    Pool* owner;
};
constexpr std::size_t kHeaderBytes = (sizeof(BlockHeader) + kSlot - 1) / kSlot * kSlot;

struct Pool {
    FreeNode* free = nullptr;
    // Nodes freed by other threads, taken back on allocation (rare: a lock is cheap enough). Once
    // the thread has ended with nodes still in use, `orphaned` is set and the last of them to come
    // back deletes the pool.
    std::mutex foreignLock;
    std::atomic<FreeNode*> foreign{nullptr};
    bool orphaned = false;
    char* next = nullptr;
    char* end = nullptr;
    std::vector<char*> blocks;  // the first one is kept
    std::size_t live = 0;

    char* NewBlock() {
        char* block = static_cast<char*>(RichBlockCache::Take(kBlockBytes, kBlockBytes));
        new (block) BlockHeader{this};
        blocks.push_back(block);
        OV_NODES_POISON(block + kHeaderBytes, kBlockBytes - kHeaderBytes);
        return block;
    }
    // Nodes are cut from `block` next.
    void StartBlock(char* block) {
        next = block + kHeaderBytes;
        end = next + (kBlockBytes - kHeaderBytes) / kSlot * kSlot;
    }
    // Into the cache, for this thread's or another's next block (poisoned there).
    static void DeleteBlock(char* block) { RichBlockCache::Give(block, kBlockBytes, kBlockBytes); }

    // Takes back what other threads freed.
    void Drain() {
        FreeNode* n;
        {
            std::lock_guard<std::mutex> lock(foreignLock);
            n = foreign.exchange(nullptr, std::memory_order_relaxed);
        }
        while (n) {
            FreeNode* following = n->next;
            Release(n);
            n = following;
        }
    }

    void* Allocate() {
        if (!free && foreign.load(std::memory_order_relaxed)) Drain();
        ++live;
        if (free) {
            FreeNode* n = free;
            OV_NODES_UNPOISON(n, kSlot);
            free = n->next;
            return n;
        }
        if (next == end) StartBlock(NewBlock());
        void* n = next;
        next += kSlot;
        OV_NODES_UNPOISON(n, kSlot);
        return n;
    }

    void Release(void* node) {
        if (--live == 0 && blocks.size() > 1) {
            // Nothing is in use: the blocks of a large page go back, the first one stays.
            // Newest first, so that the cache hands them out again in the order they were taken.
            for (std::size_t i = blocks.size() - 1; i > 0; --i) DeleteBlock(blocks[i]);
            blocks.resize(1);
            free = nullptr;
            StartBlock(blocks[0]);
            OV_NODES_POISON(next, kBlockBytes - kHeaderBytes);
            return;
        }
        OV_NODES_POISON(node, kSlot);
        OV_NODES_UNPOISON(node, sizeof(FreeNode));
        free = new (node) FreeNode{free};
        OV_NODES_POISON(node, kSlot);
    }

    void PushForeign(void* node) {
        bool last = false;
        {
            std::lock_guard<std::mutex> lock(foreignLock);
            if (orphaned) {
                last = --live == 0;
            } else {
                OV_NODES_UNPOISON(node, sizeof(FreeNode));
                auto* n = static_cast<FreeNode*>(node);
                n->next = foreign.load(std::memory_order_relaxed);
                foreign.store(n, std::memory_order_relaxed);
            }
        }
        if (last) Delete(this);
    }

    // The thread's end: the pool goes now, or with the last of its nodes in use elsewhere.
    void Orphan() {
        Drain();
        bool gone;
        {
            std::lock_guard<std::mutex> lock(foreignLock);
            // What came back between the drain and the lock.
            for (FreeNode* n = foreign.exchange(nullptr, std::memory_order_relaxed); n;) {
                FreeNode* following = n->next;
                --live;
                n = following;
            }
            gone = live == 0;
            orphaned = !gone;
        }
        if (gone) Delete(this);
    }

    static void Delete(Pool* pool) {
        for (auto it = pool->blocks.rbegin(); it != pool->blocks.rend(); ++it) DeleteBlock(*it);
        delete pool;
    }
};

// The thread's pool ends with the thread, or when the last of the nodes other threads still hold
// comes back.
#if defined(_WIN32)
// With the Windows toolchain a thread_local object's destructor may run after the thread library
// has freed the thread's thread_local storage, so a holder object would end a stale pool (seen as
// a lock failing at a thread's end). The pool is ended by a thread-library key instead, whose
// destructor is handed the pool itself.
thread_local Pool* t_pool = nullptr;

void EndThreadPool(void* pool) {
    t_pool = nullptr;
    static_cast<Pool*>(pool)->Orphan();
}

pthread_key_t PoolKey() {
    static const pthread_key_t key = [] {
        pthread_key_t made{};
        pthread_key_create(&made, EndThreadPool);
        return made;
    }();
    return key;
}

Pool* CurrentPool() { return t_pool; }

Pool& ThreadPool() {
    if (!t_pool) {
        t_pool = new Pool;
        pthread_setspecific(PoolKey(), t_pool);
    }
    return *t_pool;
}
#else
struct PoolHolder {
    Pool* pool = nullptr;
    ~PoolHolder() {
        Pool* ending = pool;
        pool = nullptr;
        if (ending) ending->Orphan();
    }
};

thread_local PoolHolder t_holder;

Pool* CurrentPool() { return t_holder.pool; }

Pool& ThreadPool() {
    if (!t_holder.pool) t_holder.pool = new Pool;
    return *t_holder.pool;
}
#endif

}  // namespace

namespace RichListNodes {

void* Allocate() { return ThreadPool().Allocate(); }

void Free(void* node) {
    if (!node) return;
    const auto address = reinterpret_cast<std::uintptr_t>(node);
    const auto* header = reinterpret_cast<const BlockHeader*>(address & ~(kBlockBytes - 1));
    Pool* owner = header->owner;
    if (owner == CurrentPool())
        owner->Release(node);
    else
        owner->PushForeign(node);
}

std::size_t LiveCount() {
    Pool& pool = ThreadPool();
    pool.Drain();
    return pool.live;
}

std::size_t BlockCount() { return ThreadPool().blocks.size(); }

}  // namespace RichListNodes
