// Shared collected rules and computed styles: equal records of a document's elements are one
// pooled copy, a caller that may change an item's record gets its own, and a pooled record lives
// as long as an item uses it.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_rule_pool.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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

std::vector<CExtRichContentItem*> OpeningElements(CExtRichContentLayout& doc, const char16_t* name) {
    std::vector<CExtRichContentItem*> out;
    for (CExtRichContentItem* item : doc.m_listItems)
        if (item->IsElement() && !(item->m_nTagFlags & kRichTagEnd) && item->GetTagName() == name) out.push_back(item);
    return out;
}

TEST(RichRulePool, UnshareCopiesOnlyWhatOthersStillUse) {
    CExtRichStyleDescription red;
    red.m_clrText = RichRgb(255, 0, 0);
    CExtRichStylePool pool;
    const CExtRichStyleDescription* a = pool.Acquire(red);
    const CExtRichStyleDescription* b = pool.Acquire(red);
    ASSERT_EQ(a, b);
    // Another reference remains: the caller gets a copy and the pooled record stays as it was.
    std::unique_ptr<CExtRichStyleDescription> own(CExtRichStylePool::Unshare(b));
    EXPECT_NE(own.get(), a);
    own->m_clrText = RichRgb(0, 0, 255);
    EXPECT_EQ(a->m_clrText, RichRgb(255, 0, 0));
    EXPECT_EQ(pool.Acquire(red), a);
    CExtRichStylePool::Release(a);
    // The last reference: the record itself is handed over (a reference read before stays
    // valid) and the pool no longer gives it out.
    std::unique_ptr<CExtRichStyleDescription> last(CExtRichStylePool::Unshare(a));
    EXPECT_EQ(last.get(), a);
    last->m_clrText = RichRgb(1, 2, 3);
    const CExtRichStyleDescription* fresh = pool.Acquire(red);
    EXPECT_NE(fresh, a);
    EXPECT_EQ(fresh->m_clrText, RichRgb(255, 0, 0));
    CExtRichStylePool::Release(fresh);
}

TEST(RichRulePool, ElementsShareComputedStylesAndAChangedStyleIsTheItemsOwn) {
    CExtRichContentLayout doc;
    doc.ParseHtml(u"<font color=#EE0000>A</font><font color=#EE0000>K</font><font color=#0000EE>Q</font>"
                  u"<font color=#EE0000 size=5>J</font><font color=#EE0000>T</font>",
                  true);
    doc.ComputeStyles(nullptr, true, true);
    std::vector<CExtRichContentItem*> fonts = OpeningElements(doc, u"font");
    ASSERT_EQ(fonts.size(), 5u);
    EXPECT_EQ(&fonts[0]->ReadStyle(), &fonts[1]->ReadStyle());
    EXPECT_EQ(&fonts[0]->ReadStyle(), &fonts[4]->ReadStyle());
    EXPECT_NE(&fonts[0]->ReadStyle(), &fonts[2]->ReadStyle());
    EXPECT_NE(&fonts[0]->ReadStyle(), &fonts[3]->ReadStyle());  // same colour, another font size
    EXPECT_EQ(fonts[2]->ReadStyle().m_clrText, RichRgb(0, 0, 0xEE));
    // A run reads its element's style.
    EXPECT_EQ(&fonts[1]->m_listChildren.GetHead()->ReadStyle(), &fonts[1]->ReadStyle());

    // Changing one element's style leaves the other's as it was.
    fonts[0]->GetStyle().m_clrText = RichRgb(1, 2, 3);
    EXPECT_NE(&fonts[0]->ReadStyle(), &fonts[1]->ReadStyle());
    EXPECT_EQ(fonts[1]->ReadStyle().m_clrText, RichRgb(0xEE, 0, 0));
    EXPECT_EQ(fonts[0]->ReadStyle().m_clrText, RichRgb(1, 2, 3));

    // Invalidating drops a shared style (reads give the default again); computing shares again.
    fonts[1]->InvalidateStyle(false, true, false);
    EXPECT_EQ(fonts[1]->ReadStyle().Compare(CExtRichStyleDescription::Default()), 0);
    EXPECT_EQ(fonts[4]->ReadStyle().m_clrText, RichRgb(0xEE, 0, 0));
    doc.ComputeStyles(nullptr, true, true);
    EXPECT_EQ(&fonts[0]->ReadStyle(), &fonts[1]->ReadStyle());
    EXPECT_EQ(fonts[0]->ReadStyle().m_clrText, RichRgb(0xEE, 0, 0));
}

TEST(RichRulePool, ElementsShareRulesAndAChangedRuleIsTheItemsOwn) {
    CExtRichContentLayout doc;
    doc.ParseHtml(u"<font color=#EE0000>A</font><font color=#EE0000>K</font><font color=#0000EE>Q</font>", true);
    std::vector<CExtRichContentItem*> fonts = OpeningElements(doc, u"font");
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
