// The engine's pointer list against a standard list: every way of adding and removing, checked
// forwards and backwards by position after each step, the ends included.
#include "toolkit/richcontent/rich_ptr_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <list>
#include <random>
#include <vector>

namespace {

using List = RichPtrList<int>;

// The list's contents read forwards and backwards agree with the model.
void ExpectSame(const List& list, const std::list<int*>& model) {
    ASSERT_EQ(list.GetCount(), model.size());
    EXPECT_EQ(list.IsEmpty(), model.empty());
    EXPECT_EQ(list.GetHead(), model.empty() ? nullptr : model.front());
    EXPECT_EQ(list.GetTail(), model.empty() ? nullptr : model.back());
    std::vector<int*> forward, backward, ranged;
    for (RichPosition pos = list.GetHeadPosition(); pos;) forward.push_back(list.GetNext(pos));
    for (RichPosition pos = list.GetTailPosition(); pos;) backward.push_back(list.GetPrev(pos));
    for (int* value : list) ranged.push_back(value);
    EXPECT_EQ(forward, std::vector<int*>(model.begin(), model.end()));
    EXPECT_EQ(backward, std::vector<int*>(model.rbegin(), model.rend()));
    EXPECT_EQ(ranged, forward);
}

// The position of the n-th node (null past the end).
RichPosition PositionAt(const List& list, std::size_t n) {
    RichPosition pos = list.GetHeadPosition();
    for (std::size_t i = 0; pos && i < n; ++i) list.GetNext(pos);
    return pos;
}

TEST(RichPtrList, EveryOperationKeepsBothDirectionsRight) {
    int values[64];
    List list;
    std::list<int*> model;
    std::mt19937 random(7);
    for (int step = 0; step < 4000; ++step) {
        int* value = &values[random() % 64];
        const std::size_t size = model.size();
        const std::size_t at = size ? random() % size : 0;
        switch (random() % 8) {
        case 0: list.AddTail(value); model.push_back(value); break;
        case 1: list.AddHead(value); model.push_front(value); break;
        case 2:  // after a node, the tail included; a null position appends
            list.InsertAfter(size ? PositionAt(list, at) : nullptr, value);
            model.insert(size ? std::next(model.begin(), static_cast<long>(at) + 1) : model.end(), value);
            break;
        case 3:  // before a node, the head included
            list.InsertBefore(size ? PositionAt(list, at) : nullptr, value);
            model.insert(size ? std::next(model.begin(), static_cast<long>(at)) : model.begin(), value);
            break;
        case 4:
            EXPECT_EQ(list.RemoveHead(), size ? model.front() : nullptr);
            if (size) model.pop_front();
            break;
        case 5:  // any node, the ends included
            if (size) {
                list.RemoveAt(PositionAt(list, at));
                model.erase(std::next(model.begin(), static_cast<long>(at)));
            }
            break;
        case 6: {
            const bool found = list.Remove(value);
            auto it = std::find(model.begin(), model.end(), value);
            EXPECT_EQ(found, it != model.end());
            if (it != model.end()) model.erase(it);
            break;
        }
        default:
            if (random() % 16 == 0) {
                list.RemoveAll();
                model.clear();
            }
            break;
        }
        ExpectSame(list, model);
        if (HasFatalFailure()) return;
    }
}

TEST(RichPtrList, FindStartsAfterAPosition) {
    int a = 0, b = 0;
    List list;
    RichPosition first = list.AddTail(&a);
    list.AddTail(&b);
    RichPosition second = list.AddTail(&a);
    EXPECT_EQ(list.Find(&a), first);
    EXPECT_EQ(list.Find(&a, first), second);
    EXPECT_EQ(list.Find(&a, second), nullptr);
    EXPECT_EQ(list.GetAt(second), &a);
}

}  // namespace
