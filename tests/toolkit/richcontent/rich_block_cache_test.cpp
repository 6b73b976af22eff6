// The cache of released blocks under the item arenas and the list-node pools: a document read
// again takes the blocks the one before it released; no more than the cap is kept; blocks keep
// their kind (size and alignment); threads give and take at once; the sanitizer still sees a
// use of a freed item.
#include "toolkit/richcontent/rich_block_cache.h"
#include "toolkit/richcontent/rich_item_arena.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_list_nodes.h"
#include "toolkit/richcontent/rich_ptr_list.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kMB = 1024 * 1024;
constexpr std::size_t kNodeBlock = 64 * 1024;  // the node pools' blocks, aligned to their size

// A page of about 12,000 items: several of the arena's large blocks.
RichString BigPage() {
    RichString html;
    for (int i = 0; i < 4000; ++i) html += u"<b class=c>x</b> ";
    return html;
}

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

// Sets the cap for one test and empties the cache, as other tests of the program may have left
// blocks in it.
class RichBlockCacheTest : public ::testing::Test {
protected:
    void SetUp() override { RichBlockCache::Trim(); }
    void TearDown() override { RichBlockCache::SetCapacity(m_capacity); }
    std::size_t m_capacity = RichBlockCache::SetCapacity(RichBlockCache::kDefaultCapacity);
};

TEST_F(RichBlockCacheTest, ADocumentReadAgainTakesTheBlocksTheOneBeforeReleased) {
    const RichString page = BigPage();
    std::set<std::uintptr_t> firstItems;
    std::size_t items = 0;
    {
        CExtRichContentLayout doc;
        ASSERT_TRUE(doc.ParseHtml(page.c_str(), true));
        for (CExtRichContentItem* item : doc.m_listItems) firstItems.insert(Address(item));
        items = firstItems.size();
        ASSERT_GT(items * CExtRichContentItem::ArenaSlotSize(), 3 * kMB);
        EXPECT_EQ(RichBlockCache::CachedBytes(), 0u);
    }
    const std::size_t kept = RichBlockCache::CachedBytes();
    // The large item blocks at least (the first few hundred items come from small heap blocks).
    EXPECT_GE(kept, (items - 600) * CExtRichContentItem::ArenaSlotSize());

    CExtRichContentLayout again;
    ASSERT_TRUE(again.ParseHtml(page.c_str(), true));
    ASSERT_EQ(again.m_listItems.GetCount(), items);
    std::size_t reused = 0;
    for (CExtRichContentItem* item : again.m_listItems) reused += firstItems.count(Address(item));
    // The same blocks, cut the same way: every item but those of the small blocks is where an
    // item of the first read was.
    EXPECT_GE(reused, items - 600);
    EXPECT_LE(RichBlockCache::CachedBytes(), kept - (items - 600) * CExtRichContentItem::ArenaSlotSize());
}

TEST_F(RichBlockCacheTest, NoMoreThanTheCapIsKept) {
    RichBlockCache::SetCapacity(2 * kMB + kMB / 2);
    std::vector<void*> blocks;
    for (int i = 0; i < 4; ++i) {
        blocks.push_back(RichBlockCache::Take(kMB, 16));
        std::memset(blocks.back(), i, kMB);  // every byte is the taker's
    }
    for (void* block : blocks) RichBlockCache::Give(block, kMB, 16);
    // Two fit under the cap; the others went back to the heap (the sanitizer's leak check would
    // see one that went nowhere).
    EXPECT_EQ(RichBlockCache::CachedBlocks(), 2u);
    EXPECT_EQ(RichBlockCache::CachedBytes(), 2 * kMB);
    // The newest kept comes out first.
    void* taken = RichBlockCache::Take(kMB, 16);
    EXPECT_EQ(taken, blocks[1]);
    RichBlockCache::Give(taken, kMB, 16);

    // A lower cap frees what is beyond it at once.
    RichBlockCache::SetCapacity(kMB);
    EXPECT_EQ(RichBlockCache::CachedBlocks(), 1u);

    // A page's blocks beyond the cap go back to the heap too.
    RichBlockCache::Trim();
    RichBlockCache::SetCapacity(2 * kMB);
    {
        CExtRichContentLayout doc;
        doc.ParseHtml(BigPage().c_str(), true);
        EXPECT_GT(doc.GetItemArena().BlockCount(), 8u);
    }
    EXPECT_LE(RichBlockCache::CachedBytes(), 2 * kMB);
    EXPECT_GT(RichBlockCache::CachedBytes(), kMB);

    // None at all with no cap.
    RichBlockCache::SetCapacity(0);
    EXPECT_EQ(RichBlockCache::CachedBlocks(), 0u);
    void* block = RichBlockCache::Take(kMB, 16);
    RichBlockCache::Give(block, kMB, 16);
    EXPECT_EQ(RichBlockCache::CachedBlocks(), 0u);
}

TEST_F(RichBlockCacheTest, ABlockServesOnlyItsOwnSizeAndAlignment) {
    void* aligned = RichBlockCache::Take(kNodeBlock, kNodeBlock);
    void* plain = RichBlockCache::Take(kNodeBlock, 16);
    void* other = RichBlockCache::Take(kNodeBlock / 2, kNodeBlock / 2);
    ASSERT_EQ(Address(aligned) % kNodeBlock, 0u);
    ASSERT_EQ(Address(other) % (kNodeBlock / 2), 0u);
    RichBlockCache::Give(aligned, kNodeBlock, kNodeBlock);
    RichBlockCache::Give(other, kNodeBlock / 2, kNodeBlock / 2);
    RichBlockCache::Give(plain, kNodeBlock, 16);  // given last: the newest
    EXPECT_EQ(RichBlockCache::CachedBlocks(), 3u);
    // An aligned block is asked for: the plain one of the same size does not serve.
    EXPECT_EQ(RichBlockCache::Take(kNodeBlock, kNodeBlock), aligned);
    EXPECT_EQ(RichBlockCache::Take(kNodeBlock, 16), plain);
    EXPECT_EQ(RichBlockCache::Take(kNodeBlock / 2, kNodeBlock / 2), other);
    EXPECT_EQ(RichBlockCache::CachedBlocks(), 0u);
    RichBlockCache::Give(aligned, kNodeBlock, kNodeBlock);
    RichBlockCache::Give(plain, kNodeBlock, 16);
    RichBlockCache::Give(other, kNodeBlock / 2, kNodeBlock / 2);

    // Many kinds: those without a shelf go back to the heap.
    std::vector<void*> odd;
    for (std::size_t i = 1; i <= 8; ++i) odd.push_back(RichBlockCache::Take(1000 * i, 16));
    for (std::size_t i = 1; i <= 8; ++i) RichBlockCache::Give(odd[i - 1], 1000 * i, 16);
    EXPECT_LT(RichBlockCache::CachedBlocks(), 3u + 8u);
}

// The list nodes find their block from their own address: blocks a pool takes from the cache
// must keep the alignment, also when another thread's pool released them.
TEST_F(RichBlockCacheTest, NodeBlocksPassBetweenThreadsAligned) {
    int value = 1;
    std::set<std::uintptr_t> firstBlocks;
    std::thread first([&] {
        RichPtrList<int> list;
        for (int i = 0; i < 40000; ++i) firstBlocks.insert(Address(list.AddTail(&value)) & ~(kNodeBlock - 1));
    });
    first.join();
    // The thread has ended: its pool's blocks (the first one too) are kept.
    ASSERT_GT(firstBlocks.size(), 10u);
    EXPECT_EQ(RichBlockCache::CachedBlocks(), firstBlocks.size());

    std::size_t reused = 0;
    std::thread second([&] {
        RichPtrList<int> list;
        for (int i = 0; i < 40000; ++i) {
            const std::uintptr_t node = Address(list.AddTail(&value));
            reused += firstBlocks.count(node & ~(kNodeBlock - 1));
        }
        // A node freed here finds its pool through its block's start.
        while (list.GetCount() > 1) list.RemoveHead();
        EXPECT_EQ(RichListNodes::LiveCount(), 1u);
    });
    second.join();
    EXPECT_EQ(reused, 40000u);
}

// Threads make and free documents and lists at once, while the cap is small enough that blocks
// also go back to the heap; each block is written whole by its holder and checked before it
// goes back, so that a block handed to two holders at once shows.
TEST_F(RichBlockCacheTest, ThreadsGiveAndTakeAtOnce) {
    RichBlockCache::SetCapacity(6 * kMB);
    const RichString page = BigPage();
    std::atomic<int> faults{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 6; ++round) {
                {
                    CExtRichContentLayout doc;
                    doc.ParseHtml(page.c_str(), true);
                    if (doc.m_listItems.GetCount() < 12000) ++faults;
                }
                std::vector<void*> blocks;
                for (int i = 0; i < 6; ++i) {
                    auto* block = static_cast<unsigned char*>(RichBlockCache::Take(kNodeBlock, kNodeBlock));
                    if (Address(block) % kNodeBlock) ++faults;
                    std::memset(block, t * 16 + i, kNodeBlock);
                    blocks.push_back(block);
                }
                for (int i = 0; i < 6; ++i) {
                    const auto* block = static_cast<const unsigned char*>(blocks[i]);
                    if (block[0] != t * 16 + i || block[kNodeBlock - 1] != t * 16 + i) ++faults;
                    RichBlockCache::Give(blocks[i], kNodeBlock, kNodeBlock);
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(faults.load(), 0);
    EXPECT_LE(RichBlockCache::CachedBytes(), 6 * kMB);
}

#if defined(__SANITIZE_ADDRESS__)
// A deleted item's slot stays poisoned in its arena, and so does its block once it is kept.
TEST_F(RichBlockCacheTest, AUseOfAFreedItemIsStillCaught) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const RichString page = BigPage();
    auto touch = [](const void* p) { return *static_cast<const volatile char*>(p); };
    EXPECT_DEATH(
        {
            CExtRichContentLayout doc;
            doc.ParseHtml(page.c_str(), true);
            CExtRichContentItem* last = doc.m_listItems.GetTail();
            doc.m_listItems.RemoveAt(doc.m_listItems.GetTailPosition());
            last->m_pParent->m_listChildren.Remove(last);
            delete last;
            touch(last);
        },
        "use-after-poison");
    EXPECT_DEATH(
        {
            const void* item = nullptr;
            {
                CExtRichContentLayout doc;
                doc.ParseHtml(page.c_str(), true);
                item = doc.m_listItems.GetTail();
            }
            ASSERT_GT(RichBlockCache::CachedBlocks(), 0u);
            touch(item);
        },
        "use-after-poison");
}
#endif

}  // namespace
