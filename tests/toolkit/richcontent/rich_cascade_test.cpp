// Style sheets, selectors and the cascade: rule holders made from CSS text, the declarations of
// style attributes, state matching and which declaration wins for an element.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_doc_objects.h"
#include "toolkit/richcontent/rich_handlers.h"

#include <gtest/gtest.h>

using richtest::DocumentBuilder;
using richtest::Utf8;

namespace {

// Property handlers for the test: "color" and "margin-left" through the engine's own grammars.
void TestColor(CExtRichContentItem* item, CExtRichContentItem* declaration, CExtRichStyleRule& rule,
               const CExtRichStyleDescription&) {
    if (declaration->m_listAttributes.GetCount() != 1) return;
    const RichColor c = item->GetLayout()->ParseColor(declaration->m_listAttributes.GetHead()->m_strValue, kRichColorNone);
    if (c != kRichColorNone) rule.m_clrText = c;
}
void TestMarginLeft(CExtRichContentItem* item, CExtRichContentItem* declaration, CExtRichStyleRule& rule,
                    const CExtRichStyleDescription& parent) {
    if (declaration->m_listAttributes.GetCount() == 1)
        item->ParseMargin(rule, parent, declaration->m_listAttributes.GetHead()->m_strValue, true, false, false, false);
}

class RichCascade : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RichSetCssPropertyHandler(u"color", TestColor);
        RichSetCssPropertyHandler(u"margin-left", TestMarginLeft);
    }
    static void TearDownTestSuite() {
        RichSetCssPropertyHandler(u"color", nullptr);
        RichSetCssPropertyHandler(u"margin-left", nullptr);
    }
};

std::string Declarations(CExtRichContentItem* holder) {
    std::string out;
    for (CExtRichContentItem* style : holder->m_listAttributes) {
        out += "[";
        for (CExtRichContentItem* d : style->m_listAttributes) {
            out += Utf8(d->m_strName) + ":";
            for (CExtRichContentItem* t : d->m_listAttributes) out += "<" + Utf8(t->m_strValue) + ">";
            out += ";";
        }
        out += "]";
    }
    return out;
}

TEST_F(RichCascade, StyleSheetTextIntoRuleHolders) {
    CExtRichContentLayout css(u"/* head */ P { color: red } p{margin-left:2px;color:blue}\n"
                              u"h1 , H2 { color : #00f }  .X { color: green } x { margin-left: 3px }\n"
                              u"div p { color: red } #main { color: red } a:hover { color: red }\n"
                              u"a::before { color: red } { color: red } b { } -->",
                              kRichTextCss, 0);
    EXPECT_EQ(css.m_nDocKind, kRichTextCss);
    ASSERT_NE(css.FindRuleHolder(u"p"), nullptr);
    EXPECT_EQ(Declarations(css.FindRuleHolder(u"p")), "[color:<red>;][margin-left:<2px>;color:<blue>;]");
    EXPECT_EQ(Declarations(css.FindRuleHolder(u"h1")), "[color:<#00f>;]");
    EXPECT_EQ(Declarations(css.FindRuleHolder(u"H2")), "[color:<#00f>;]");
    // A key is trimmed and lower-cased as the sheet's own keys are, whatever the caller passes.
    for (const char16_t* key : {u" h1 ", u"'H1'", u".h1", u"\th1\n", u"H1."})
        EXPECT_EQ(css.FindRuleHolder(key), css.FindRuleHolder(u"h1")) << static_cast<int>(key[0]);
    for (const char16_t* key : {u"", u" ", u"h3", u"h1 x"}) EXPECT_EQ(css.FindRuleHolder(key), nullptr);
    // A class rule and a tag rule of the same name share one holder.
    EXPECT_EQ(Declarations(css.FindRuleHolder(u"x")), "[color:<green>;][margin-left:<3px>;]");
    // Descendant and id selectors are kept under keys no element produces.
    EXPECT_NE(css.FindRuleHolder(u"div p"), nullptr);
    EXPECT_NE(css.FindRuleHolder(u"#main"), nullptr);
    // A pseudo-class rule is a state holder of its base.
    CExtRichContentItem* a = css.FindRuleHolder(u"a");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->GetStateHolders().GetCount(), 1u);
    EXPECT_EQ(a->GetStateHolders().GetHead()->m_states[RichUiState::Hover], RichUiState::On);
    // Blank declarations still name a holder, which gets no declaration.
    ASSERT_NE(css.FindRuleHolder(u"b"), nullptr);
    EXPECT_EQ(Declarations(css.FindRuleHolder(u"b")), "");
}

TEST_F(RichCascade, Selectors) {
    struct Case {
        const char16_t* selector;
        bool accepted;
        const char* key;
        std::vector<int> states;
    } cases[] = {
        {u"p", true, "p", {}},
        {u" 'P.' ", true, "p", {}},
        {u".warn", true, "warn", {}},
        {u"p.warn", true, "p.warn", {}},
        {u"a:hover", true, "a", {RichUiState::Hover}},
        {u"a:hover:focus", true, "a", {RichUiState::Hover, RichUiState::Focus}},
        {u"li:selection", true, "li", {RichUiState::Selected}},
        {u"p:first-line", true, "p", {RichUiState::FirstLine}},
        {u"p:after", true, "p", {RichUiState::After}},
        {u"a:hover:after", true, "a", {RichUiState::Hover}},  // pseudo-elements only on their own
        {u"a:nonsense", false, "a", {}},
        {u"a::before", false, "a", {}},
        {u":hover", false, "", {}},
        {u"", false, "", {}},
    };
    for (const Case& c : cases) {
        CExtRichContentLayout doc;
        CExtRichContentItem* holder = doc.ParseSelector(c.selector);
        const std::string what = Utf8(c.selector);
        EXPECT_EQ(holder != nullptr, c.accepted) << what;
        if (!*c.key) continue;
        CExtRichContentItem* base = doc.FindRuleHolder(rich::FromAscii(c.key));
        ASSERT_NE(base, nullptr) << what;  // the base holder stays even when the rule is dropped
        if (!holder) continue;
        RichUiStateSet expected;
        for (int s : c.states) expected[s] = RichUiState::On;
        EXPECT_EQ(holder->m_states, expected) << what;
        EXPECT_EQ(holder == base, c.states.empty()) << what;
    }
}

// A small document: root( p#first.note( "text" ) p( a ) div.note.wide )
struct Page : DocumentBuilder {
    CExtRichContentItem* p1 = Element(root, u"p");
    CExtRichContentItem* word = Text(p1, u"text");
    CExtRichContentItem* p2 = Element(root, u"p");
    CExtRichContentItem* a = Element(p2, u"a");
    CExtRichContentItem* div = Element(root, u"div");

    explicit Page(const char16_t* css) {
        p1->AddAttribute(u"class", u"note");
        p1->AddAttribute(u"id", u"first");
        div->AddAttribute(u"class", u"note wide");
        doc.ParseStyleSheet(css);
        doc.AttachSelf();
    }
    const CExtRichStyleDescription& Compute() {
        doc.m_listStyleSheets.RemoveAll();
        doc.AttachSelf();
        CExtRichStyleDescription start;
        start.m_font.m_lf.lfHeight = -10;
        root->InvalidateStyle(true, true, true);
        return root->RefreshStyle(nullptr, start, true, true);
    }
};

TEST_F(RichCascade, WinningDeclarations) {
    const RichColor red = RichRgb(255, 0, 0), green = RichRgb(0, 128, 0), blue = RichRgb(0, 0, 255),
                    black = RichRgb(0, 0, 0), yellow = RichRgb(255, 255, 0);
    struct Case {
        const char* what;
        const char16_t* css;
        CExtRichContentItem* Page::*item;
        RichColor color;
    } cases[] = {
        {"tag rule", u"p { color: red }", &Page::p1, red},
        {"later rule set wins", u"p { color: red } p { color: blue }", &Page::p1, blue},
        {"class beats tag", u".note { color: green } p { color: red }", &Page::p1, green},
        {"tag-qualified class", u"p.note { color: blue } .note { color: green }", &Page::p1, blue},
        {"other tag's qualified class", u"div.note { color: blue }", &Page::p1, kRichColorNone},
        {"second class name", u".wide { color: yellow } .note { color: red }", &Page::div, yellow},
        {"inherited colour", u"p { color: red }", &Page::a, red},
        {"own rule over inherited", u"p { color: red } a { color: blue }", &Page::a, blue},
        {"id selectors are never applied", u"#first { color: red }", &Page::p1, kRichColorNone},
        {"descendant selectors are never applied", u"p a { color: red }", &Page::a, kRichColorNone},
        {"pseudo-element applies as a whole", u"p:first-line { color: green }", &Page::p1, green},
        {"hover needs the state", u"a:hover { color: red }", &Page::a, kRichColorNone},
        {"bad value leaves the rule", u"p { color: red } p { color: nonsense }", &Page::p1, red},
        {"unknown property skipped", u"p { colour: red; color: black }", &Page::p1, black},
    };
    for (const Case& c : cases) {
        Page page(c.css);
        page.Compute();
        EXPECT_EQ((page.*c.item)->GetStyle().m_clrText, c.color) << c.what;
    }
}

TEST_F(RichCascade, StateRulesFollowTheItemsStates) {
    Page page(u"a:hover { color: red } a:hover:focus { color: blue } a:active { margin-left: 4px }");
    page.Compute();
    EXPECT_EQ(page.a->GetStyle().m_clrText, kRichColorNone);
    page.a->SetStates(RichUiStateSet::With(RichUiState::Hover), RichUiState::On, false);
    page.Compute();
    EXPECT_EQ(page.a->GetStyle().m_clrText, RichRgb(255, 0, 0));
    EXPECT_TRUE(page.a->MatchStateRule(RichUiStateSet::With(RichUiState::Hover)));
    EXPECT_FALSE(page.a->MatchStateRule(RichUiStateSet::With(RichUiState::Visited)));
    EXPECT_FALSE(page.a->MatchStateRule(RichUiStateSet{}));
    page.a->SetStates(RichUiStateSet::With(RichUiState::Focus), RichUiState::On, false);
    page.Compute();
    EXPECT_EQ(page.a->GetStyle().m_clrText, RichRgb(0, 0, 255));
    EXPECT_EQ(page.a->GetStyle().m_rcMargin.left, 0);
}

TEST_F(RichCascade, InlineStyleBeatsAttributesWhichBeatTheStyleSheet) {
    Page page(u"p { color: red; margin-left: 5px } .note { color: green }");
    CExtRichContentItem* style = page.p2->AddAttribute(u"style", u"color: blue; margin-left: 1em");
    ASSERT_TRUE(style->ParseStyleAttribute());
    page.Compute();
    EXPECT_EQ(page.p2->GetStyle().m_clrText, RichRgb(0, 0, 255));
    EXPECT_EQ(page.p2->GetStyle().m_rcMargin.left, 10);  // 1em of the parent's 10-pixel font
    EXPECT_EQ(page.p1->GetStyle().m_clrText, RichRgb(0, 128, 0));
    EXPECT_EQ(page.p1->GetStyle().m_rcMargin.left, 5);
    // Margins are not inherited, colours are.
    EXPECT_EQ(page.word->GetStyle().m_rcMargin.left, 5);  // a run uses its element's style
    EXPECT_EQ(page.a->GetStyle().m_rcMargin.left, 0);
    EXPECT_EQ(page.a->GetStyle().m_clrText, RichRgb(0, 0, 255));
    // The class attribute registers the item's class keys.
    EXPECT_EQ(page.p1->GetClassNames().size(), 2u);
    EXPECT_EQ(page.doc.FindById(u"FIRST"), page.p1);
}

TEST_F(RichCascade, TheDefaultStyleSheetComesFirst) {
    auto* keeper = new CExtRichDocObjectLayoutKeeper(kRichDefaultCssName);
    keeper->Parse(u"p { color: red; margin-left: 7px } a { color: green }", kRichTextCss);
    RichGlobalContainer().Add(keeper, true);
    Page page(u"p { color: blue }");
    page.doc.RebuildStyleSheets();
    ASSERT_EQ(page.doc.m_listStyleSheets.GetCount(), 2u);
    EXPECT_EQ(page.doc.m_listStyleSheets.GetHead(), &keeper->GetLayout());
    CExtRichStyleDescription start;
    page.root->RefreshStyle(nullptr, start, true, true);
    EXPECT_EQ(page.p1->GetStyle().m_clrText, RichRgb(0, 0, 255));
    EXPECT_EQ(page.p1->GetStyle().m_rcMargin.left, 7);
    EXPECT_EQ(page.a->GetStyle().m_clrText, RichRgb(0, 128, 0));
    RichGlobalContainer().Remove(kRichDefaultCssName);

    // A style sheet document that is not CSS is not attached.
    CExtRichContentLayout doc;
    auto* plain = new CExtRichDocObjectLayoutKeeper(u"plain");
    plain->Parse(u"", kRichTextHtml);
    doc.GetLocalContainer()->Add(plain, false);
    EXPECT_FALSE(doc.AttachStyleSheet(u"plain", false, true));
    EXPECT_FALSE(doc.AttachStyleSheet(u"missing", true, true));
}

TEST_F(RichCascade, StyleAttributeDeclarations) {
    struct Case {
        const char16_t* value;
        bool ok;
        const char* declarations;
    } cases[] = {
        {u"color: red; margin: 1px  solid   red", true, "[color:<red>;margin:<1px><solid><red>;]"},
        {u"font-family: 'Times New Roman', serif", true, "[font-family:<Times New Roman><serif>;]"},
        {u"color: rgb(1, 2, 3)", true, "[color:<rgb(1,2,3)>;]"},
        {u"font: 12px/14px arial", true, "[font:<12px/14px><arial>;]"},
        {u"COLOR:Red;", true, "[color:<Red>;]"},
        {u"color", true, "[color:;]"},
        {u"a: 1; : 2; b: 3", false, "[a:<1>;]"},
        {u"content: \"x\\\"y\"", true, "[content:<x\"y>;]"},
        {u"x: \"unterminated", true, "[x:<unterminated>;]"},
    };
    for (const Case& c : cases) {
        DocumentBuilder d;
        CExtRichContentItem* e = d.Element(d.root, u"p");
        CExtRichContentItem* style = e->AddAttribute(u"style", c.value);
        EXPECT_EQ(style->ParseStyleAttribute(), c.ok) << Utf8(c.value);
        EXPECT_EQ(style->m_nKind, kRichItemStyleAttribute);
        EXPECT_EQ(style->m_nParseState, c.ok ? kRichParseOk : kRichParseNoName);
        EXPECT_EQ(Declarations(e), c.declarations) << Utf8(c.value);
    }
}

TEST_F(RichCascade, TagTextIntoNameAndAttributes) {
    struct Case {
        const char16_t* tag;
        bool ok;
        const char* name;
        const char* attributes;
    } cases[] = {
        {u"img src=a.png alt=\"two words\"", true, "img", "src=a.png|alt=two words|"},
        {u"hr noshade size=2", true, "hr", "noshade size=2|"},
        {u"a href='x>y' title=\"it's\"", true, "a", "href=x>y|title=it's|"},
        {u"p style=\"font-family:'A B'\"", true, "p", "style=|"},
        {u"p  title = \"a\\\"b\"", true, "p", "title=a\"b|"},
        {u"p empty=\"\" x=1", true, "p", "empty=x=1|"},  // blanks start an empty value
        {u"p /* note */ x=1", true, "p", "x=1|"},
        {u"p =1", false, "p", ""},
        {u"br", true, "br", ""},
        {u"p x=\"unterminated", true, "p", "x=unterminated|"},
    };
    for (const Case& c : cases) {
        DocumentBuilder d;
        CExtRichContentItem* e = d.Element(d.root, c.tag);
        EXPECT_EQ(e->ParseTagText(), c.ok) << Utf8(c.tag);
        EXPECT_EQ(Utf8(e->m_strName), c.name);
        std::string attrs;
        for (CExtRichContentItem* a : e->m_listAttributes)
            attrs += Utf8(a->m_strName) + "=" + Utf8(a->m_strValue) + "|";
        // Quotes in stored values are escaped for the style grammar.
        std::string unescaped;
        for (std::size_t i = 0; i < attrs.size(); ++i)
            if (!(attrs[i] == '\\' && i + 1 < attrs.size() && attrs[i + 1] == '"')) unescaped += attrs[i];
        EXPECT_EQ(unescaped, c.attributes) << Utf8(c.tag);
        if (c.ok) {
            EXPECT_TRUE(e->m_strValue.empty());
        }
    }
}

}  // namespace
