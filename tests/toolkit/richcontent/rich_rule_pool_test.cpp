// Shared collected rules: equal rules of a document's elements are one pooled copy, a caller
// that may change an item's rule gets its own, and a pooled rule lives as long as an item uses it.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_rule_pool.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(RichRulePool, EqualRulesAreOneCopyThatOutlivesThePool) {
    CExtRichStyleRule red, blue, red2;
    red.m_clrText = red2.m_clrText = RichRgb(255, 0, 0);
    blue.m_clrText = RichRgb(0, 0, 255);
    // Rules differing only in a field the hash leaves out are still told apart.
    CExtRichStyleRule quoted = red;
    quoted.m_quotes.push_back({u"<", u">"});

    auto pool = std::make_unique<CExtRichRulePool>();
    const CExtRichStyleRule* a = pool->Acquire(red);
    const CExtRichStyleRule* b = pool->Acquire(red2);
    const CExtRichStyleRule* c = pool->Acquire(blue);
    const CExtRichStyleRule* d = pool->Acquire(quoted);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_NE(a, d);
    EXPECT_EQ(*d, quoted);
    CExtRichRulePool::Release(b);
    CExtRichRulePool::Release(c);
    // The last reference to blue is gone: an equal rule is a new copy again, still equal.
    const CExtRichStyleRule* c2 = pool->Acquire(blue);
    EXPECT_EQ(c2->m_clrText, RichRgb(0, 0, 255));
    pool.reset();
    // Rules still referred to survive the pool (the sanitizer build checks the reads and frees).
    EXPECT_EQ(a->m_clrText, RichRgb(255, 0, 0));
    CExtRichRulePool::Release(a);
    CExtRichRulePool::Release(c2);
    CExtRichRulePool::Release(d);
}

TEST(RichRulePool, ElementsShareRulesAndAChangedRuleIsTheItemsOwn) {
    CExtRichContentLayout doc;
    doc.ParseHtml(u"<font color=#EE0000>A</font><font color=#EE0000>K</font><font color=#0000EE>Q</font>", true);
    std::vector<CExtRichContentItem*> fonts;
    for (CExtRichContentItem* item : doc.m_listItems)
        if (item->IsElement() && !(item->m_nTagFlags & kRichTagEnd) && item->GetTagName() == u"font")
            fonts.push_back(item);
    ASSERT_EQ(fonts.size(), 3u);
    CExtRichStyleDescription parent;
    for (CExtRichContentItem* font : fonts) {
        CExtRichStyleRule rule;
        font->CollectRule(rule, parent);
    }
    ASSERT_NE(fonts[0]->m_pRule, nullptr);
    EXPECT_EQ(fonts[0]->m_pRule, fonts[1]->m_pRule);
    EXPECT_NE(fonts[0]->m_pRule, fonts[2]->m_pRule);
    EXPECT_EQ(fonts[0]->m_pRule->m_clrText, RichRgb(0xEE, 0, 0));
    EXPECT_EQ(fonts[2]->m_pRule->m_clrText, RichRgb(0, 0, 0xEE));

    // Changing one element's rule leaves the other's as it was.
    fonts[0]->GetRule().m_clrText = RichRgb(1, 2, 3);
    EXPECT_NE(fonts[0]->m_pRule, fonts[1]->m_pRule);
    EXPECT_EQ(fonts[1]->m_pRule->m_clrText, RichRgb(0xEE, 0, 0));
    CExtRichStyleRule cached;
    fonts[0]->CollectRule(cached, parent);
    EXPECT_EQ(cached.m_clrText, RichRgb(1, 2, 3));

    // Invalidating resets an element's own copy only; the next collection shares again.
    fonts[1]->InvalidateStyle(false, true, true);
    EXPECT_EQ(fonts[2]->m_pRule->m_clrText, RichRgb(0, 0, 0xEE));
    CExtRichStyleRule again;
    fonts[1]->CollectRule(again, parent);
    EXPECT_EQ(again.m_clrText, RichRgb(0xEE, 0, 0));
}

}  // namespace
