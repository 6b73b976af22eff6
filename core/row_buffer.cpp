#include "core/row_buffer.h"

#include <atomic>
#include <mutex>
#include <new>

namespace {

std::mutex g_lock;
std::shared_ptr<CardMask[]> g_kept;  // the block reused by the next run
std::size_t g_keptCount = 0;

}  // namespace

std::shared_ptr<CardMask[]> ReusableRowBuffer(std::size_t count)
{
    std::lock_guard<std::mutex> hold(g_lock);
    // Held here alone: no other thread can copy it meanwhile, and the fence
    // orders the last reader's accesses before the next run's writes.
    const bool idle = g_kept && g_kept.use_count() == 1;
    if (idle)
        std::atomic_thread_fence(std::memory_order_acquire);
    if (idle && g_keptCount >= count)
        return g_kept;
    std::shared_ptr<CardMask[]> block(new (std::nothrow) CardMask[count]);
    if (!block)
        return block;
    // A block in use stays with its run; a free one too small makes way for the larger.
    if (!g_kept || idle) {
        g_kept = block;
        g_keptCount = count;
    }
    return block;
}
