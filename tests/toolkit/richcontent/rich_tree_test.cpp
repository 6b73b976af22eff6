// The item tree: construction, navigation, ownership, registries, classification, states and the
// focus selection rules.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_doc_objects.h"

#include <gtest/gtest.h>

#include <vector>

using richtest::DocumentBuilder;
using richtest::Utf8;

namespace {

std::string Walk(CExtRichContentItem* start, bool forward) {
    std::string out;
    for (CExtRichContentItem* i = start; i; i = forward ? i->GetNextItem() : i->GetPrevItem()) {
        out += i->IsRoot() ? "#" : Utf8(i->m_strName);
        out += ' ';
        if (!forward && i->IsRoot()) break;
    }
    return out;
}

// root( div( p( a b ) p2( c ) ) tail )
struct SmallTree : DocumentBuilder {
    CExtRichContentItem* div = Element(root, u"div");
    CExtRichContentItem* p = Element(div, u"p");
    CExtRichContentItem* a = Text(p, u"a");
    CExtRichContentItem* b = Text(p, u"b");
    CExtRichContentItem* p2 = Element(div, u"p2");
    CExtRichContentItem* c = Text(p2, u"c");
    CExtRichContentItem* tail = Text(root, u"tail");
};

TEST(RichTree, NavigationWalksTheDocumentInOrderBothWays) {
    SmallTree t;
    EXPECT_EQ(Walk(t.root, true), "# div p a b p2 c tail ");
    // From the last item back to the root.
    EXPECT_EQ(Walk(t.tail, false), "tail c p2 b a p div # ");
    EXPECT_EQ(t.tail->GetNextItem(), nullptr);
    // At the parentless root, the previous item is its deepest last descendant.
    EXPECT_EQ(t.root->GetPrevItem(), t.tail);
    EXPECT_EQ(t.p2->GetPrevItem(), t.b);
    EXPECT_EQ(t.c->GetNextItem(), t.tail);
}

TEST(RichTree, ConstructorChainsAfterTheParentsLastChildOrAttribute) {
    DocumentBuilder d;
    CExtRichContentItem* e = d.Element(d.root, u"p");
    CExtRichContentItem* first = d.Text(e, u"x");
    CExtRichContentItem* a1 = e->AddAttribute(u"title", u"t");
    // A new child of e follows the last child, not the attribute; a new attribute the attribute.
    CExtRichContentItem child(&d.doc, kRichItemText, e);
    EXPECT_EQ(child.m_pPrev, first);
    EXPECT_EQ(first->m_pNext, &child);
    CExtRichContentItem attr(&d.doc, kRichItemAttribute, e);
    EXPECT_EQ(attr.m_pPrev, a1);
    // Unlink the stack items again before they go.
    first->m_pNext = nullptr;
    a1->m_pNext = nullptr;
}

TEST(RichTree, ClearFreesItemsAttributesRulesAndStyles) {
    // The sanitizer build reports any leak or double free of this test.
    SmallTree t;
    for (CExtRichContentItem* e : {t.div, t.p, t.p2}) {
        CExtRichContentItem* style = e->AddAttribute(u"style", u"");
        style->m_nKind = kRichItemStyleAttribute;
        CExtRichContentItem* decl = new CExtRichContentItem(&t.doc, kRichItemDeclaration, style);
        style->m_listAttributes.AddTail(decl);
        decl->AddAttribute(u"", u"red");
        e->GetRule();
        e->GetStyle();
        e->Extras().m_classNames = {u"x"};
    }
    t.doc.GetLocalContainer();
    t.p->SetId(u"P1");
    t.doc.Clear(true);
    EXPECT_TRUE(t.doc.IsEmpty());
    EXPECT_EQ(t.doc.FindById(u"p1"), nullptr);
    EXPECT_EQ(t.doc.m_pLocalContainer, nullptr);
}

TEST(RichTree, RuleHoldersKeepADocumentNonEmpty) {
    CExtRichContentLayout doc;
    EXPECT_TRUE(doc.IsEmpty());
    doc.m_mapRuleHolders[u"p"] = new CExtRichContentItem(&doc, kRichItemStateHolder);
    EXPECT_FALSE(doc.IsEmpty());
    doc.AttachSelf();
    EXPECT_EQ(doc.m_listStyleSheets.GetCount(), 1u);
}

TEST(RichTree, RegistriesFoldIdsButKeepNamesAndReplaceOnChange) {
    SmallTree t;
    t.p->SetId(u"Intro");
    EXPECT_EQ(t.doc.FindById(u"intro"), t.p);
    EXPECT_EQ(t.doc.FindById(u"INTRO"), t.p);
    t.p->SetId(u"other");
    EXPECT_EQ(t.doc.FindById(u"intro"), nullptr);
    EXPECT_EQ(t.doc.FindById(u"other"), t.p);
    t.p2->SetId(u"other");  // a later item with the same key replaces the earlier
    EXPECT_EQ(t.doc.FindById(u"other"), t.p2);

    t.div->SetNameAttr(u"Box");
    EXPECT_EQ(t.doc.FindByName(u"Box"), t.div);
    EXPECT_EQ(t.doc.FindByName(u"box"), nullptr);
    t.a->SetUiIdSrc(u"Src");
    t.b->SetUiIdDst(u"Dst");
    EXPECT_EQ(t.doc.FindUiIdSrc(u"src"), t.a);
    EXPECT_EQ(t.doc.FindUiIdDst(u"DST"), t.b);

    t.doc.SetId(u"", t.c);  // empty keys and null items are ignored
    t.doc.SetId(u"k", nullptr);
    EXPECT_EQ(t.doc.FindById(u""), nullptr);
    EXPECT_EQ(t.doc.FindById(u"k"), nullptr);
}

TEST(RichTree, AttributeLookupsByName) {
    DocumentBuilder d;
    CExtRichContentItem* e = d.Element(d.root, u"p");
    e->AddAttribute(u"style", u"1");
    e->AddAttribute(u"Title", u"t");
    e->AddAttribute(u"STYLE", u"2");
    EXPECT_EQ(Utf8(e->FindAttribute(u"style")->m_strValue), "1");  // elements search from the head
    EXPECT_EQ(e->FindAttribute(u""), nullptr);
    RichPosition pos = nullptr;
    std::string seen;
    for (CExtRichContentItem* a = e->FindFirstAttribute(pos, u"style"); a; a = e->FindNextAttribute(pos, u"style"))
        seen += Utf8(a->m_strValue);
    EXPECT_EQ(seen, "12");

    // A parsed style attribute (kind 4) and a state holder (kind 6): the last declaration wins.
    CExtRichContentItem holder(&d.doc, kRichItemStateHolder);
    holder.AddAttribute(u"color", u"red");
    holder.AddAttribute(u"color", u"blue");
    EXPECT_EQ(Utf8(holder.FindAttribute(u"COLOR")->m_strValue), "blue");

    CExtRichContentItem* w = d.Text(e, u"Word");
    w->m_strText = u"second";
    EXPECT_EQ(e->FindChild(u"word", false), w);
    EXPECT_EQ(e->FindChild(u"SECOND", true), w);
    EXPECT_EQ(e->FindChild(u"", false), nullptr);
}

TEST(RichTree, VoidElementsAndTagNames) {
    DocumentBuilder d;
    struct Case {
        int kind;
        const char16_t* name;
        bool isVoid;
    } cases[] = {
        {kRichItemElement, u"BR", true},        {kRichItemElement, u"hr", true},
        {kRichItemElement, u"!doctype", true},  {kRichItemElement, u"!DOCTYPE", true},
        {kRichItemElement, u"![endif]", true},  {kRichItemElement, u"p", false},
        {kRichItemMeta, u"meta", true},         {kRichItemText, u"br", false},
        {kRichItemRoot, u"br", false},          {kRichItemWhiteSpace, u"br", false},
    };
    for (const Case& c : cases) {
        CExtRichContentItem item(&d.doc, c.kind);
        item.m_strName = c.name;
        EXPECT_EQ(item.IsVoidElement(), c.isVoid) << Utf8(c.name) << " kind " << c.kind;
    }
    CExtRichContentItem* e = d.Element(d.root, u"IMG");
    EXPECT_EQ(Utf8(e->GetTagName()), "img");
    EXPECT_EQ(Utf8(d.root->GetTagName()), "");
}

TEST(RichTree, ClassificationFollowsTheComputedDisplayAndPosition) {
    DocumentBuilder d;
    CExtRichContentItem* block = d.Element(d.root, u"div");
    block->GetStyle().m_nDisplay = RichCode::DisplayBlock;
    CExtRichContentItem* span = d.Element(d.root, u"span");
    CExtRichContentItem* nowrap = d.Element(d.root, u"nobr");
    nowrap->GetStyle().m_nWhiteSpace = RichCode::WhiteSpaceNoWrap;
    CExtRichContentItem* absolute = d.Element(d.root, u"span");
    absolute->GetStyle().m_nPosition = RichCode::PositionAbsolute;
    CExtRichContentItem* word = d.Text(span, u"w");

    EXPECT_TRUE(d.root->IsBlockLevel());
    EXPECT_TRUE(block->IsBlockLevel());
    EXPECT_TRUE(span->IsInlineLevel());
    EXPECT_FALSE(span->IsNoWrapInline());
    EXPECT_TRUE(nowrap->IsNoWrapInline());
    EXPECT_EQ(absolute->GetEffectiveDisplay(), RichCode::DisplayBlock);  // positioned boxes are blocks
    EXPECT_TRUE(absolute->IsBlockLevel());
    EXPECT_EQ(word->GetEffectiveDisplay(), RichCode::DisplayInline);
    EXPECT_EQ(word->GetEffectivePosition(), RichCode::PositionStatic);
    EXPECT_FALSE(word->IsInlineLevel());
    EXPECT_FALSE(word->IsBlockLevel());
    CExtRichContentItem attr(&d.doc, kRichItemAttribute);
    EXPECT_EQ(attr.GetEffectiveDisplay(), RichCode::DisplayNone);
    EXPECT_EQ(attr.GetEffectiveVisibility(), RichCode::VisibilityHidden);
    EXPECT_FALSE(attr.IsDisplayed(false));

    // Answers are cached per item: a later style change does not alter them.
    block->GetStyle().m_nDisplay = RichCode::DisplayInline;
    EXPECT_TRUE(block->IsBlockLevel());
}

TEST(RichTree, FlowItemsStopAtUnitsAndSkipPositionedAndHiddenChildren) {
    DocumentBuilder d;
    d.Text(d.root, u"a");
    d.Space(d.root);
    CExtRichContentItem* span = d.Element(d.root, u"span");
    d.Text(span, u"b");
    CExtRichContentItem* block = d.Element(d.root, u"div");
    block->GetStyle().m_nDisplay = RichCode::DisplayBlock;
    d.Text(block, u"inside");
    CExtRichContentItem* hidden = d.Element(d.root, u"span");
    hidden->GetStyle().m_nDisplay = RichCode::DisplayNone;
    d.Text(hidden, u"x");
    CExtRichContentItem* fixed = d.Element(d.root, u"span");
    fixed->GetStyle().m_nPosition = RichCode::PositionFixed;
    d.Text(fixed, u"y");
    CExtRichContentItem* img = d.Element(d.root, u"img");
    RichItemList list;
    d.root->CollectFlowItems(list, false);
    std::string names;
    for (CExtRichContentItem* i : list) names += Utf8(i->m_strName) + ",";
    EXPECT_EQ(names, "a, ,b,div,img,");
    (void)img;
}

TEST(RichTree, StatesChangeOnlyThroughNonEmptySets) {
    SmallTree t;
    const RichUiStateSet before = t.p->m_states;
    EXPECT_TRUE(t.p->SetStates(RichUiStateSet{}, RichUiState::On, true));
    EXPECT_EQ(t.p->m_states, before);

    RichUiStateSet hover = RichUiStateSet::With(RichUiState::Hover);
    t.div->SetStates(hover, RichUiState::On, true);
    EXPECT_EQ(t.div->m_states[RichUiState::Hover], RichUiState::On);
    EXPECT_EQ(t.p->m_states[RichUiState::Hover], RichUiState::On);   // child elements too
    EXPECT_EQ(t.a->m_states[RichUiState::Hover], RichUiState::Unset);  // runs are not walked
    t.div->SetStates(hover, RichUiState::Unset, false);
    EXPECT_EQ(t.div->m_states[RichUiState::Hover], RichUiState::Unset);
    EXPECT_EQ(t.p->m_states[RichUiState::Hover], RichUiState::On);
}

// The set keeps its 14 entries in two bits each: every entry holds each value apart from its
// neighbours, and merging and flagging work entry by entry as on an array of values.
TEST(RichTree, StateSetEntriesAreIndependent) {
    using S = RichUiStateSet;
    for (int i = 0; i < RichUiState::Count; ++i) {
        for (int value : {RichUiState::Off, RichUiState::On, RichUiState::Unset}) {
            S s;
            for (int j = 0; j < RichUiState::Count; ++j) s[j] = (j + 1) % 3;  // every value around it
            s[i] = value;
            for (int j = 0; j < RichUiState::Count; ++j) EXPECT_EQ(s[j], j == i ? value : (j + 1) % 3) << i << " " << j;
        }
    }
    // Out of range: kept as set and not on, so that it neither reads as unset nor matches as on.
    S odd = S::With(RichUiState::Hover, 7);
    EXPECT_FALSE(odd.IsEmpty());
    EXPECT_NE(odd[RichUiState::Hover], RichUiState::On);
    EXPECT_EQ(odd[RichUiState::Focus], RichUiState::Unset);

    // Merge and flag against the same operations on plain arrays.
    const int a[RichUiState::Count] = {0, 1, 2, 0, 2, 1, 0, 0, 2, 1, 0, 2, 1, 0};
    const int b[RichUiState::Count] = {2, 0, 1, 1, 0, 0, 2, 0, 0, 2, 1, 2, 0, 1};
    S sa, sb;
    for (int j = 0; j < RichUiState::Count; ++j) sa[j] = a[j], sb[j] = b[j];
    S merged = sa;
    merged.MergeNonZero(sb);
    for (int value : {RichUiState::Unset, RichUiState::Off, RichUiState::On}) {
        S flagged = sa;
        flagged.SetFlagged(sb, value);
        for (int j = 0; j < RichUiState::Count; ++j) EXPECT_EQ(flagged[j], b[j] ? value : a[j]) << j;
    }
    for (int j = 0; j < RichUiState::Count; ++j) EXPECT_EQ(merged[j], b[j] ? b[j] : a[j]) << j;
    S caps;
    caps.SetDefaultCaps();
    for (int j = 0; j < RichUiState::Count; ++j) {
        const bool on = j == RichUiState::Disabled || j == RichUiState::Hover || j == RichUiState::Pressed;
        EXPECT_EQ(caps[j], on ? RichUiState::On : RichUiState::Unset) << j;
    }
    S copy;
    copy[RichUiState::Link] = sa[RichUiState::Selected];  // one entry written from another
    EXPECT_EQ(copy[RichUiState::Link], RichUiState::On);
    EXPECT_TRUE(copy == S::With(RichUiState::Link));
}

TEST(RichTree, StateSetMatching) {
    using S = RichUiStateSet;
    auto set = [](std::initializer_list<int> on) {
        S s;
        for (int i : on) s[i] = RichUiState::On;
        return s;
    };
    struct Case {
        S selector;
        S item;
        bool matches;
    } cases[] = {
        {set({RichUiState::Hover}), set({RichUiState::Hover}), true},
        {set({RichUiState::Hover}), set({}), false},
        {set({RichUiState::Hover, RichUiState::Focus}), set({RichUiState::Hover}), false},
        {set({RichUiState::Hover, RichUiState::Focus}), set({RichUiState::Hover, RichUiState::Focus}), true},
        {set({RichUiState::FirstLine}), set({}), true},  // pseudo-elements match every element
        {set({}), set({RichUiState::Hover}), false},
        {S::With(RichUiState::Hover, RichUiState::Off), set({RichUiState::Hover}), false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.selector.MatchesStates(c.item), c.matches);
}

TEST(RichTree, VisibilityPredicatesFollowTheStyleAndAncestors) {
    SmallTree t;
    for (CExtRichContentItem* e : {t.div, t.p, t.p2}) e->GetStyle().m_nDisplay = RichCode::DisplayBlock;
    t.root->m_rcItem = RichRect{0, 0, 100, 100};
    t.div->m_rcItem = RichRect{0, 0, 100, 50};
    t.p->m_rcItem = RichRect{0, 0, 100, 20};
    t.p2->m_rcItem = RichRect{0, 90, 100, 120};  // sticks out of the div
    EXPECT_TRUE(t.p->IsShown(true));
    EXPECT_FALSE(t.p2->IsVisibleInAncestors(false, true));
    t.p2->m_rcItem = RichRect{0, 40, 100, 60};  // overlaps the div's bottom edge
    EXPECT_TRUE(t.p2->IsVisibleInAncestors(false, true));
    EXPECT_FALSE(t.p2->IsVisibleInAncestors(false, false));  // not every corner inside

    t.div->GetStyle().m_nVisibility = RichCode::VisibilityHidden;
    EXPECT_FALSE(t.p->IsShown(true));
    EXPECT_TRUE(t.p->IsShown(false));
    EXPECT_FALSE(t.a->IsDisplayed(true));  // its element ancestors must be shown
    t.div->GetStyle().m_nVisibility = RichCode::VisibilityVisible;
    t.p->GetStyle().m_uiCaps[RichUiState::Focus] = RichUiState::On;
    EXPECT_TRUE(t.p->CanBeFocused(true));
    EXPECT_FALSE(t.a->CanBeFocused(false));  // only elements take the focus
    EXPECT_TRUE(t.p->CanBeHovered(false, true));
    t.p->GetStyle().m_uiCaps[RichUiState::Hover] = RichUiState::Off;
    EXPECT_FALSE(t.p->CanBeHovered(false, true));
}

TEST(RichTree, ScreenRectsFollowTheScrollOffsetsUpToAPositionedAncestor) {
    SmallTree t;
    t.a->m_rcItem = RichRect{10, 10, 20, 20};
    t.p->ScrollOffset() = RichPoint{1, 2};
    t.div->ScrollOffset() = RichPoint{10, 20};
    t.root->ScrollOffset() = RichPoint{100, 200};
    t.div->GetStyle().m_nPosition = RichCode::PositionAbsolute;
    EXPECT_EQ(t.a->GetScreenRect(), (RichRect{-1, -12, 9, -2}));
}

// Records events and optionally handles them.
class Recorder : public CExtRichContentEvents {
public:
    bool handleStates = false;
    std::vector<std::string> log;
    bool OnStatesChange(CExtRichContentItem* item, RichWindowHandle, const RichUiStateSet& states, int value,
                        bool) override {
        log.push_back("states " + Utf8(item->m_strName) + " " + std::to_string(states[RichUiState::Selected]) + "=" +
                      std::to_string(value));
        return handleStates;
    }
    bool OnSelectedChange(CExtRichContentItem* item, RichWindowHandle, bool selected) override {
        log.push_back("selected " + Utf8(item->m_strName) + " " + (selected ? "1" : "0"));
        return false;
    }
    bool OnFocusEnter(CExtRichContentItem* item, RichWindowHandle, RichEventArg) override {
        log.push_back("enter " + Utf8(item->m_strName));
        return true;
    }
    bool OnFocusLeave(CExtRichContentItem* item, RichWindowHandle, RichEventArg) override {
        log.push_back("leave " + Utf8(item->m_strName));
        return false;
    }
};

struct Tabs : DocumentBuilder {
    CExtRichContentItem* one = Element(root, u"tab");
    CExtRichContentItem* two = Element(root, u"TAB");
    CExtRichContentItem* other = Element(root, u"div");
    Recorder recorder;
    Tabs() {
        for (CExtRichContentItem* e : {one, two, other}) {
            e->GetStyle().m_uiCaps[RichUiState::Focus] = RichUiState::On;
            e->m_strName = e == other ? u"div" : u"tab";
        }
        two->m_strName = u"TAB";
        doc.AddListener(&recorder);
    }
};

TEST(RichTree, FocusSelectsTheItemAndUnselectsItsSiblingsOfTheSameName) {
    Tabs t;
    for (CExtRichContentItem* e : {t.one, t.two, t.other}) e->m_states[RichUiState::Selected] = RichUiState::On;
    CExtRichStyleDescription& s = t.one->GetStyle();
    s.m_nFocusOnMakeSelected = RichCode::SwitchOn;
    s.m_nFocusOnMakeUnselectedSibling = RichCode::SwitchOn;
    EXPECT_TRUE(t.one->OnFocusEnter(nullptr, 0));
    EXPECT_EQ(t.one->m_states[RichUiState::Selected], RichUiState::On);
    EXPECT_EQ(t.two->m_states[RichUiState::Selected], RichUiState::Unset);  // same name, any case
    EXPECT_EQ(t.other->m_states[RichUiState::Selected], RichUiState::On);   // another name
    const std::vector<std::string> expected = {"selected tab 1", "states tab 2=2", "selected TAB 0", "states TAB 2=0",
                                               "enter tab"};
    EXPECT_EQ(t.recorder.log, expected);
}

TEST(RichTree, AListenerThatHandlesTheStateChangeKeepsTheStates) {
    Tabs t;
    t.recorder.handleStates = true;
    t.one->GetStyle().m_nFocusOnMakeSelected = RichCode::SwitchOn;
    t.one->OnFocusEnter(nullptr, 0);
    EXPECT_EQ(t.one->m_states[RichUiState::Selected], RichUiState::Unset);

    t.recorder.handleStates = false;
    t.two->m_states[RichUiState::Selected] = RichUiState::On;
    t.two->GetStyle().m_nFocusOffMakeUnselected = RichCode::SwitchOn;
    EXPECT_FALSE(t.two->OnFocusLeave(nullptr, 0));
    EXPECT_EQ(t.two->m_states[RichUiState::Selected], RichUiState::Unset);
    EXPECT_EQ(t.recorder.log.back(), "leave TAB");
}

TEST(RichTree, StyleInvalidationResetsCachesDownTheTree) {
    SmallTree t;
    CExtRichStyleDescription start;
    t.root->RefreshStyle(nullptr, start, false, true);
    EXPECT_TRUE(t.p->m_bStyleValid);
    EXPECT_TRUE(t.p->m_bRuleCached);
    t.p->GetStyle().m_nTextAlign = RichCode::AlignRight;
    t.root->InvalidateStyle(true, true, true);
    EXPECT_FALSE(t.p->m_bStyleValid);
    EXPECT_FALSE(t.p->m_bRuleCached);
    EXPECT_EQ(t.p->GetStyle().m_nTextAlign, RichCode::AlignLeft);  // back to the default description
    EXPECT_EQ(&t.a->GetStyle(), &t.p->GetStyle());                 // runs use their element's style
}

TEST(RichTree, ObjectNamesAreNormalised) {
    CExtRichDocObjectContainer container;
    EXPECT_TRUE(container.Add(new CExtRichDocObjectLayoutKeeper(u"  'Logo.PNG'. "), false));
    EXPECT_NE(container.Find(u"LOGO.png"), nullptr);
    EXPECT_FALSE(container.Add(new CExtRichDocObjectLayoutKeeper(u"logo.png"), false));
    auto* replacement = new CExtRichDocObjectLayoutKeeper(u"logo.png");
    EXPECT_TRUE(container.Add(replacement, true));
    EXPECT_EQ(container.Find(u"logo.png"), replacement);
    EXPECT_FALSE(container.Add(new CExtRichDocObjectLayoutKeeper(u" . "), false));
    EXPECT_TRUE(container.Remove(u"Logo.png"));
    EXPECT_EQ(container.GetCount(), 0u);

    // A document looks in its own container first, then in the process-wide one.
    CExtRichContentLayout doc;
    auto* global = new CExtRichDocObjectLayoutKeeper(u"shared");
    RichGlobalContainer().Add(global, true);
    EXPECT_EQ(doc.FindObject(u"SHARED"), global);
    auto* local = new CExtRichDocObjectLayoutKeeper(u"shared");
    doc.GetLocalContainer()->Add(local, false);
    EXPECT_EQ(doc.FindObject(u"shared"), local);
    RichGlobalContainer().Remove(u"shared");
    EXPECT_EQ(doc.FindObject(u"nothing"), nullptr);
}

}  // namespace
