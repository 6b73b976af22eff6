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

// Every element's style as computed from scratch: its rule over its parent's style.
void ExpectStylesAsComputedAfresh(CExtRichContentLayout& doc) {
    int checked = 0;
    for (CExtRichContentItem* item : doc.m_listItems) {
        if (!item->IsElement() || (item->m_nTagFlags & kRichTagEnd) || !item->m_pParent) continue;
        const CExtRichStyleDescription& parent = item->m_pParent->ReadStyle();
        CExtRichStyleRule rule;
        item->CollectRule(rule, parent);
        CExtRichStyleDescription expected;
        rule.ComputeDescription(parent, expected);
        EXPECT_EQ(expected.Compare(item->ReadStyle()), 0) << "element " << checked;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

TEST(RichStyleMemo, StylesTakenFromTheMemoEqualStylesComputedAfresh) {
    // The same rules over different parents, different rules over the same parent, and rules
    // from attributes, declarations and the document's own sheet.
    CExtRichContentLayout doc;
    doc.ParseHtml(u"<style>em { font-weight: bold }</style>"
                  u"<font size=5><font color=#EE0000>A</font><b>K</b><em>x</em></font>"
                  u"<font size=2><font color=#EE0000>A</font><b>K</b><em>x</em></font>"
                  u"<font color=#0000EE><font color=#EE0000>Q</font><b>J</b><em><b>T</b></em></font>"
                  u"<span style=\"text-decoration: underline\"><font color=#EE0000>9</font><b>8</b></span>"
                  u"<font color=#EE0000>A</font><b>K</b>",
                  true);
    doc.RebuildStyleSheets();
    doc.ComputeStyles(nullptr, true, true);
    EXPECT_GT(doc.GetStyleMemo().GetCount(), 0u);
    ExpectStylesAsComputedAfresh(doc);

    std::vector<CExtRichContentItem*> fonts = OpeningElements(doc, u"font");
    ASSERT_EQ(fonts.size(), 8u);
    // One rule (red) over three parents: three styles, each of its parent's size.
    EXPECT_EQ(fonts[1]->m_pRule, fonts[3]->m_pRule);
    EXPECT_NE(fonts[1]->ReadStyle().m_font.m_lf.lfHeight, fonts[3]->ReadStyle().m_font.m_lf.lfHeight);
    EXPECT_EQ(fonts[1]->ReadStyle().m_font.m_lf.lfHeight, fonts[0]->ReadStyle().m_font.m_lf.lfHeight);
    std::vector<CExtRichContentItem*> bolds = OpeningElements(doc, u"b");
    ASSERT_EQ(bolds.size(), 6u);
    EXPECT_EQ(bolds[2]->ReadStyle().m_clrText, RichRgb(0, 0, 0xEE));
    EXPECT_EQ(bolds[3]->ReadStyle().m_font.m_lf.lfWeight, 700);
    EXPECT_NE(bolds[4]->ReadStyle().m_font.m_lf.lfUnderline, 0);
    EXPECT_EQ(bolds[5]->ReadStyle().m_font.m_lf.lfUnderline, 0);

    // A changed attribute, a parent's changed size: the next computation follows both.
    fonts[7]->FindAttribute(u"color")->m_strValue = u"#00EE00";
    fonts[7]->InvalidateStyle(false, true, true);
    fonts[0]->FindAttribute(u"size")->m_strValue = u"7";
    fonts[0]->InvalidateStyle(false, true, true);
    doc.ComputeStyles(nullptr, true, true);
    ExpectStylesAsComputedAfresh(doc);
    EXPECT_EQ(fonts[7]->ReadStyle().m_clrText, RichRgb(0, 0xEE, 0));
    EXPECT_EQ(fonts[6]->ReadStyle().m_clrText, RichRgb(0xEE, 0, 0));
    EXPECT_EQ(fonts[1]->ReadStyle().m_font.m_lf.lfHeight, fonts[0]->ReadStyle().m_font.m_lf.lfHeight);
    EXPECT_NE(fonts[1]->ReadStyle().m_font.m_lf.lfHeight, fonts[3]->ReadStyle().m_font.m_lf.lfHeight);

    // An element's own (unshared) rule is not remembered: its change shows at once.
    fonts[3]->GetRule().m_clrText = RichRgb(1, 2, 3);
    fonts[3]->InvalidateStyle(false, true, false);
    doc.ComputeStyles(nullptr, true, true);
    EXPECT_EQ(fonts[3]->ReadStyle().m_clrText, RichRgb(1, 2, 3));
    EXPECT_EQ(fonts[1]->ReadStyle().m_clrText, RichRgb(0xEE, 0, 0));
}

TEST(RichStyleMemo, KeepsWhatItNamesAliveAndStartsAgainWhenFull) {
    CExtRichRulePool rules;
    CExtRichStylePool styles;
    CExtRichStyleRule red;
    red.m_clrText = RichRgb(255, 0, 0);
    CExtRichStyleDescription parent, computed;
    computed.m_clrText = RichRgb(255, 0, 0);
    const CExtRichStyleRule* rule = rules.Acquire(red);
    const CExtRichStyleDescription* p = styles.Acquire(parent);
    const CExtRichStyleDescription* s = styles.Acquire(computed);
    {
        CExtRichStyleMemo memo;
        memo.Add(rule, p, s);
        // The callers drop theirs: the memo's references keep all three (the sanitizer build
        // checks the reads), so no new record can come to stand at the same address.
        CExtRichRulePool::Release(rule);
        CExtRichStylePool::Release(p);
        CExtRichStylePool::Release(s);
        const CExtRichStyleDescription* found = memo.Find(rule, p);
        ASSERT_EQ(found, s);
        EXPECT_EQ(found->m_clrText, RichRgb(255, 0, 0));
        EXPECT_EQ(rule->m_clrText, RichRgb(255, 0, 0));
        EXPECT_EQ(memo.Find(rule, s), nullptr);
        // Full: it starts again with the newest pair only (the rule held here as an item holds
        // its own while it computes).
        CExtRichRulePool::Retain(rule);
        std::vector<const CExtRichStyleDescription*> parents;
        for (std::size_t i = 0; i < CExtRichStyleMemo::kMaxEntries; ++i) {
            CExtRichStyleDescription other;
            other.m_nWidth = static_cast<int>(i) + 1;
            parents.push_back(styles.Acquire(other));
            memo.Add(rule, parents.back(), found);
        }
        EXPECT_EQ(memo.GetCount(), 1u);
        EXPECT_EQ(memo.Find(rule, parents.front()), nullptr);
        const CExtRichStyleDescription* newest = memo.Find(rule, parents.back());
        EXPECT_EQ(newest, found);
        CExtRichStylePool::Release(newest);
        CExtRichRulePool::Release(rule);
        for (const CExtRichStyleDescription* other : parents) CExtRichStylePool::Release(other);
        // The caller's reference from Find is still good once the memo has let go.
        EXPECT_EQ(found->m_clrText, RichRgb(255, 0, 0));
        CExtRichStylePool::Release(found);
    }
}

}  // namespace
