// The memory of a document's items: slots cut from blocks, reused once freed, released with the
// last item; items from the arena and from the heap deleted alike; and the closing tags the HTML
// reader drops once the tree has used them.
#include "toolkit/richcontent/rich_item_arena.h"
#include "toolkit/richcontent/rich_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

TEST(RichItemArena, SlotsAreDistinctReusedAndReleasedWithTheLast) {
    auto* arena = new CExtRichItemArena(40);
    EXPECT_EQ(arena->SlotSize(), 40u);
    std::vector<void*> slots;
    std::set<std::uintptr_t> seen;
    for (int i = 0; i < 100000; ++i) {
        void* slot = arena->Allocate();
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(slot) % 8, 0u);
        // Every byte of a slot is the caller's: writing all of it disturbs no other slot.
        std::memset(slot, i & 0xFF, 40);
        slots.push_back(slot);
        seen.insert(reinterpret_cast<std::uintptr_t>(slot));
    }
    EXPECT_EQ(seen.size(), slots.size());
    EXPECT_EQ(arena->LiveCount(), 100000u);
    EXPECT_LT(arena->BlockCount(), 40u);  // blocks grow: a large page makes few allocations
    for (std::size_t i = 0; i < slots.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char*>(slots[i])[39], i & 0xFF);

    // A freed slot serves the next allocation.
    arena->Free(slots[500]);
    EXPECT_EQ(arena->Allocate(), slots[500]);
    for (void* slot : slots) arena->Free(slot);
    EXPECT_EQ(arena->LiveCount(), 0u);
    EXPECT_EQ(arena->BlockCount(), 0u);
    // It starts afresh after that.
    void* again = arena->Allocate();
    EXPECT_EQ(arena->BlockCount(), 1u);
    arena->Free(again);
    arena->Detach();
}

TEST(RichItemArena, ADocumentsItemsComeFromItsArenaAndGoWithIt) {
    CExtRichContentLayout doc;
    ASSERT_TRUE(doc.ParseHtml(u"<p class=a>one <b id=x>two</b></p>", true));
    std::size_t items = 0, attributes = 0;
    for (CExtRichContentItem* item : doc.m_listItems) {
        ++items;
        attributes += item->m_listAttributes.GetCount();
    }
    CExtRichItemArena& arena = doc.GetItemArena();
    EXPECT_EQ(arena.LiveCount(), items + attributes);

    // A word removed while the document lives: its slot serves the next item.
    CExtRichContentItem* two = nullptr;
    for (CExtRichContentItem* item : doc.m_listItems)
        if (item->m_strName == u"two") two = item;
    ASSERT_NE(two, nullptr);
    CExtRichContentItem* b = two->m_pParent;
    two->m_pParent->m_listChildren.Remove(two);
    doc.m_listItems.Remove(two);
    void* freed = two;
    delete two;
    EXPECT_EQ(arena.LiveCount(), items + attributes - 1);
    CExtRichContentItem* made = doc.CreateItem(kRichItemText, b);
    EXPECT_EQ(static_cast<void*>(made), freed);
    made->m_strName = u"three";

    // An item from the heap owned by an arena item, and one from the arena owned by a heap item.
    CExtRichContentItem* p = doc.GetRoot()->m_listChildren.GetHead();
    auto* heapAttribute = new CExtRichContentItem(&doc, kRichItemAttribute);
    p->AppendAttribute(heapAttribute);
    auto holder = std::make_unique<CExtRichContentItem>(&doc, kRichItemStateHolder);
    holder->AppendAttribute(new (&doc) CExtRichContentItem(&doc, kRichItemDeclaration));
    EXPECT_EQ(arena.LiveCount(), items + attributes + 1);
    holder.reset();

    doc.Clear(true);
    EXPECT_EQ(arena.LiveCount(), 0u);
    EXPECT_EQ(arena.BlockCount(), 0u);
}

TEST(RichItemArena, AnItemMayOutliveItsDocument) {
    auto doc = std::make_unique<CExtRichContentLayout>();
    doc->ParseHtml(u"<b>kept</b>", true);
    CExtRichContentItem* kept = new (doc.get()) CExtRichContentItem(doc.get(), kRichItemText);
    kept->m_strName = std::u16string(100, u'k');  // owns memory of its own
    doc.reset();
    EXPECT_EQ(kept->m_strName.size(), 100u);
    delete kept;  // the arena goes with it (the sanitizer's leak check sees nothing left)
}

// An item keeps its kind and parse state in a byte each and its four style and rule flags in
// bits of one byte: every kind (the root's is negative) and state reads back as written, and
// setting one flag or field leaves its neighbours as they were.
TEST(RichItemArena, NarrowFieldsKeepTheirValuesApart) {
    CExtRichContentLayout doc;
    for (int kind = kRichItemRoot; kind <= kRichItemLink; ++kind) {
        for (int state = kRichParseOk; state <= kRichParseLinkUndefined; ++state) {
            auto* item = new (&doc) CExtRichContentItem(&doc, kind);
            item->m_nParseState = static_cast<std::int8_t>(state);
            item->m_nTagFlags = 0xFF;
            item->m_nLayoutFlags = 0xFF;
            EXPECT_EQ(item->m_nKind, kind);
            EXPECT_EQ(item->m_nParseState, state);
            EXPECT_EQ(item->IsRoot(), kind == kRichItemRoot);
            EXPECT_EQ(item->IsElementOrRoot(), kind == kRichItemRoot || kind == kRichItemElement);
            delete item;
        }
    }
    CExtRichContentItem item(&doc, kRichItemElement);
    EXPECT_FALSE(item.m_bRuleCached || item.m_bRuleShared || item.m_bStyleValid || item.m_bStyleShared);
    // Bit fields have no member pointers: each flag is set through a function.
    using Setter = void (*)(CExtRichContentItem&, bool);
    const Setter setters[] = {
        [](CExtRichContentItem& i, bool v) { i.m_bRuleCached = v; },
        [](CExtRichContentItem& i, bool v) { i.m_bRuleShared = v; },
        [](CExtRichContentItem& i, bool v) { i.m_bStyleValid = v; },
        [](CExtRichContentItem& i, bool v) { i.m_bStyleShared = v; },
    };
    auto read = [](const CExtRichContentItem& i) {
        return std::string{i.m_bRuleCached ? '1' : '0', i.m_bRuleShared ? '1' : '0', i.m_bStyleValid ? '1' : '0',
                           i.m_bStyleShared ? '1' : '0'};
    };
    for (int n = 0; n < 4; ++n) {
        setters[n](item, true);
        std::string expected = "0000";
        expected[static_cast<std::size_t>(n)] = '1';
        EXPECT_EQ(read(item), expected);
        EXPECT_EQ(item.m_nCacheFlags, 0);
        EXPECT_EQ(item.m_nKind, kRichItemElement);
        setters[n](item, false);
    }
    EXPECT_EQ(read(item), "0000");
}

// The tree uses a closing tag to close its element; then the tag holds nothing and is dropped.
// Unmatched closing tags and those of head elements stay, as before, with their marks.
TEST(RichItemArena, UsedClosingTagsAreDropped) {
    struct Case {
        const char16_t* html;
        const char* items;  // the document's list: names, "/" for a kept closing tag, "!" for a fault
    } cases[] = {
        {u"<b>x</b> y", "root b x   y"},
        {u"<b>x</i></b>", "root b x /i!"},
        {u"<title>t</title><p>a</p>", "root title t /title p a"},
        {u"<table><tr><td>1</table>", "root table tr td 1"},
        {u"<ul><li>a</ul></ul>", "root ul li a /ul!"},
        {u"<p>a<div>b</div></p>", "root p a div b /p!"},
    };
    for (const Case& c : cases) {
        CExtRichContentLayout doc;
        doc.ParseHtml(c.html, true);
        std::string list;
        for (const CExtRichContentItem* item : doc.m_listItems) {
            if (!list.empty()) list += ' ';
            if (item->IsRoot()) {
                list += "root";
                continue;
            }
            if (item->m_nTagFlags & kRichTagEnd) list += '/';
            for (char16_t ch : item->m_strName) list += static_cast<char>(ch);
            if (item->m_nParseState) list += '!';
        }
        EXPECT_EQ(list, c.items) << static_cast<int>(c.html[1]);
        EXPECT_EQ(doc.GetItemArena().LiveCount(), doc.m_listItems.GetCount());
    }
}

}  // namespace
