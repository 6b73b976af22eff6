#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "framework/afx.h"
#include "test_util.h"

namespace {

TEST(CArray, GrowsInsertsRemovesAtTheEdges) {
  CArray<int> a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(a.GetUpperBound(), -1);
  EXPECT_EQ(a.GetData(), nullptr);
  EXPECT_EQ(a.Add(1), 0);
  EXPECT_EQ(a.Add(2), 1);
  a.InsertAt(0, 0);
  a.InsertAt(3, 3);        // at the end
  a.InsertAt(6, 9, 2);     // past the end: the gap is default-constructed
  ASSERT_EQ(a.GetSize(), 8);
  EXPECT_EQ(a[3], 3);
  EXPECT_EQ(a[4], 0);
  EXPECT_EQ(a[7], 9);
  a.RemoveAt(4, 4);
  ASSERT_EQ(a.GetSize(), 4);
  a.SetAtGrow(5, 5);
  EXPECT_EQ(a.GetSize(), 6);
  EXPECT_EQ(a[5], 5);
  a.RemoveAt(0);
  EXPECT_EQ(a[0], 1);
  a.SetSize(2);
  EXPECT_EQ(a.GetCount(), 2);
  a.RemoveAll();
  EXPECT_TRUE(a.IsEmpty());
}

TEST(CArray, AddOfItsOwnElementIsSafe) {
  CArray<CString, const CString&> a;
  a.Add(L"first");
  for (int i = 0; i < 100; ++i) a.Add(a[0]);  // the reference must survive reallocation
  EXPECT_EQ(a[100], L"first");
  a.SetAtGrow(500, a[0]);
  EXPECT_EQ(a[500], L"first");
  EXPECT_EQ(a[499], L"");
  CArray<CString, const CString&> b;
  b.Append(a);
  b.Append(b);
  EXPECT_EQ(b.GetSize(), 2 * a.GetSize());
}

TEST(CArray, InvalidIndexesRaise) {
  CArray<int> a;
  a.Add(7);
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { a.GetAt(1); }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { a[-1] = 3; }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { a.RemoveAt(0, 2); }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { a.RemoveAt(-1); }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { a.SetSize(-1); }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { a.SetAtGrow(-2, 1); }));
  EXPECT_EQ(a.GetSize(), 1);
  EXPECT_EQ(a[0], 7);
}

TEST(CList, AddsRemovesAndIteratesBothWays) {
  CList<int, int> list;
  POSITION two = list.AddTail(2);
  list.AddHead(1);
  list.InsertAfter(two, 4);
  list.InsertBefore(list.Find(4), 3);
  list.InsertBefore(nullptr, 0);  // a null position means the head
  list.InsertAfter(nullptr, 5);   // and the tail
  std::vector<int> forward, backward;
  for (POSITION p = list.GetHeadPosition(); p;) forward.push_back(list.GetNext(p));
  for (POSITION p = list.GetTailPosition(); p;) backward.push_back(list.GetPrev(p));
  EXPECT_EQ(forward, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(backward, (std::vector<int>{5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(list.GetAt(list.FindIndex(3)), 3);
  EXPECT_EQ(list.FindIndex(6), nullptr);
  EXPECT_EQ(list.Find(9), nullptr);
  EXPECT_EQ(list.Find(2, list.Find(2)), nullptr);  // search starts after the position
  // Removing the element just returned while iterating is the usual pattern.
  for (POSITION p = list.GetHeadPosition(); p;) {
    POSITION current = p;
    if (list.GetNext(p) % 2 == 1) list.RemoveAt(current);
  }
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.RemoveHead(), 0);
  EXPECT_EQ(list.RemoveTail(), 4);
  EXPECT_EQ(list.GetHead(), 2);
  EXPECT_EQ(list.GetTail(), 2);
  list.RemoveHead();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.GetHeadPosition(), nullptr);
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { list.RemoveHead(); }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { list.GetTail(); }));
  POSITION none = nullptr;
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { list.GetNext(none); }));
}

TEST(CList, AppendsAListToItself) {
  CStringList list;
  list.AddTail(L"a");
  list.AddTail(L"b");
  list.AddTail(&list);
  list.AddHead(&list);
  EXPECT_EQ(list.GetCount(), 8);
  EXPECT_EQ(list.GetHead(), L"a");
  EXPECT_EQ(list.GetTail(), L"b");
}

TEST(CMap, StringKeysHashByContent) {
  CMapStringToString map;
  map[L"Flop"] = L"AhKdQc";
  CString key(L"Flop");
  CString value;
  EXPECT_TRUE(map.Lookup(key, value));  // a different buffer with the same text
  EXPECT_EQ(value, L"AhKdQc");
  map.SetAt(L"Flop", L"2c3c4c");
  EXPECT_EQ(map.GetCount(), 1);
  EXPECT_TRUE(map.Lookup(L"Flop", value));
  EXPECT_EQ(value, L"2c3c4c");
  EXPECT_FALSE(map.Lookup(L"flop", value));
  EXPECT_TRUE(map.RemoveKey(L"Flop"));
  EXPECT_FALSE(map.RemoveKey(L"Flop"));
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMap, IteratesEveryPairOnceAcrossGrowthAndRemoval) {
  CMap<int, int, int, int> map;
  for (int i = 0; i < 1000; ++i) map[i * 7] = i;
  EXPECT_EQ(map.GetCount(), 1000);
  std::set<int> seen;
  POSITION pos = map.GetStartPosition();
  while (pos) {
    int key, value;
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(key, value * 7);
    EXPECT_TRUE(seen.insert(key).second);
    // Removing the pair just returned keeps the iteration valid.
    if (value % 2 == 0) map.RemoveKey(key);
  }
  EXPECT_EQ(seen.size(), 1000u);
  EXPECT_EQ(map.GetCount(), 500);
  int v = 0;
  EXPECT_FALSE(map.Lookup(14, v));
  EXPECT_TRUE(map.Lookup(7, v));
  EXPECT_EQ(v, 1);
  int count = 0;
  for (auto* pair = map.PGetFirstAssoc(); pair; pair = map.PGetNextAssoc(pair)) ++count;
  EXPECT_EQ(count, 500);
  map.InitHashTable(3);  // rehashing keeps the contents
  EXPECT_TRUE(map.Lookup(7, v));
  EXPECT_EQ(map.PLookup(21)->value, 3);
  POSITION end = nullptr;
  int k;
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { map.GetNextAssoc(end, k, v); }));
}

class CEntry : public CObject {
 public:
  explicit CEntry(int v) : value(v) {}
  int value;
};

TEST(CTypedPtrCollections, GiveBackTheStoredType) {
  CTypedPtrArray<CObArray, CEntry*> array;
  CEntry one(1), two(2);
  array.Add(&one);
  array.Add(&two);
  EXPECT_EQ(array[1]->value, 2);
  EXPECT_EQ(array.GetAt(0), &one);
  array.ElementAt(0) = &two;
  EXPECT_EQ(array[0]->value, 2);

  CTypedPtrList<CPtrList, CEntry*> list;
  list.AddTail(&one);
  list.AddHead(&two);
  EXPECT_EQ(list.GetHead()->value, 2);
  EXPECT_EQ(list.RemoveTail()->value, 1);

  CTypedPtrMap<CMapStringToPtr, CString, CEntry*> map;
  map[L"one"] = &one;
  map.SetAt(L"two", &two);
  CEntry* found = nullptr;
  EXPECT_TRUE(map.Lookup(L"one", found));
  EXPECT_EQ(found, &one);
  POSITION pos = map.GetStartPosition();
  std::map<std::wstring, int> all;
  while (pos) {
    CString key;
    CEntry* entry;
    map.GetNextAssoc(pos, key, entry);
    all[key.GetString()] = entry->value;
  }
  EXPECT_EQ(all, (std::map<std::wstring, int>{{L"one", 1}, {L"two", 2}}));
}

}  // namespace
