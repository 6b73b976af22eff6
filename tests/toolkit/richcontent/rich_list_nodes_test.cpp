// The list nodes' blocks: reused while in use, given back when no node is, and nodes a list on
// one thread made can be freed on another (a document handed over, or a list emptied there).
#include "toolkit/richcontent/rich_list_nodes.h"
#include "toolkit/richcontent/rich_ptr_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace {

using List = RichPtrList<int>;

// Enough nodes for several blocks.
constexpr int kMany = 20000;

TEST(RichListNodes, BlocksGoBackWhenNoNodeIsInUseAndTheFirstStays) {
    const std::size_t live = RichListNodes::LiveCount();
    int value = 0;
    {
        List list;
        for (int i = 0; i < kMany; ++i) list.AddTail(&value);
        EXPECT_EQ(RichListNodes::LiveCount(), live + kMany);
        EXPECT_GT(RichListNodes::BlockCount(), 2u);
    }
    EXPECT_EQ(RichListNodes::LiveCount(), live);
    if (live == 0) {
        EXPECT_EQ(RichListNodes::BlockCount(), 1u);
    }

    // A list emptied and filled again takes the freed nodes rather than new blocks.
    List kept;
    kept.AddTail(&value);
    const std::size_t blocks = RichListNodes::BlockCount();
    {
        List list;
        for (int i = 0; i < 1000; ++i) list.AddTail(&value);
        for (int round = 0; round < 50; ++round) {
            while (!list.IsEmpty()) list.RemoveHead();
            for (int i = 0; i < 1000; ++i) list.AddHead(&value);
        }
        EXPECT_LE(RichListNodes::BlockCount(), blocks + 1);
    }
    EXPECT_EQ(kept.GetCount(), 1u);
    EXPECT_EQ(kept.GetHead(), &value);
}

TEST(RichListNodes, NodesFreedOnAnotherThreadGoBackToTheirOwn) {
    int values[3] = {1, 2, 3};
    const std::size_t live = RichListNodes::LiveCount();
    auto list = std::make_unique<List>();
    for (int i = 0; i < kMany; ++i) list->AddTail(&values[i % 3]);

    // The other thread adds nodes of its own to the list and then frees every node: its own
    // go back to its blocks (and those with the thread), ours come back to this thread.
    std::thread other([&list, &values] {
        const std::size_t before = RichListNodes::LiveCount();
        for (int i = 0; i < 100; ++i) list->AddHead(&values[0]);
        EXPECT_EQ(RichListNodes::LiveCount(), before + 100);
        int seen = 0;
        for (RichPosition pos = list->GetHeadPosition(); pos;) seen += *list->GetNext(pos);
        EXPECT_EQ(seen, 100 + (kMany / 3) * 6 + (kMany % 3 == 2 ? 3 : kMany % 3));
        list.reset();
        EXPECT_EQ(RichListNodes::LiveCount(), before);
    });
    other.join();
    EXPECT_EQ(RichListNodes::LiveCount(), live);

    // The freed nodes serve this thread's next list.
    List again;
    for (int i = 0; i < kMany; ++i) again.AddTail(&values[2]);
    int sum = 0;
    for (int* v : again) sum += *v;
    EXPECT_EQ(sum, 3 * kMany);
}

TEST(RichListNodes, AThreadThatEndsWithNodesInUseLeavesThemValid) {
    int value = 7;
    auto list = std::make_unique<List>();
    std::thread maker([&list, &value] {
        for (int i = 0; i < kMany; ++i) list->AddTail(&value);
    });
    maker.join();
    // The maker is gone; its nodes still read right, can be added to and removed here.
    list->AddHead(&value);
    int count = 0;
    for (int* v : *list) count += *v == 7;
    EXPECT_EQ(count, kMany + 1);
    const std::size_t live = RichListNodes::LiveCount();
    while (!list->IsEmpty()) list->RemoveHead();
    EXPECT_EQ(RichListNodes::LiveCount(), live - 1);
}

}  // namespace
