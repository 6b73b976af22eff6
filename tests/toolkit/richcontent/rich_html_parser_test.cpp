// The HTML reader: snippets against the tree they give (a compact indented dump), the faults it
// counts and marks, what it hands to the style sheet reader and the registries, and inputs that
// once lost text or could crash or hang a reader.
#include "tests/toolkit/richcontent/rich_html_test_support.h"
#include "toolkit/richcontent/rich_doc_objects.h"

#include <gtest/gtest.h>

#include <string>

using richtest::DumpTree;
using richtest::Utf8;

namespace {

struct TreeCase {
    const char* name;
    const char16_t* html;
    const char* tree;
    bool clean;
};

// Dump: one item a line, two spaces a level; elements by name with [attribute=value], "/" for an
// empty element and "!n" for a parse status; words in quotes; "_" a white-space run. Items that
// never enter the tree but carry a status (closing tags) follow as "-- </name> !n".
const TreeCase kTrees[] = {
    {"word element then words", u"<b>one</b> two three", "b\n  \"one\"\n_\n\"two\"\n_\n\"three\"\n", true},
    {"second p closes the first; div end closes only the p", u"<div><p>a<p>b</div>",
     "div\n  p\n    \"a\"\n  p\n    \"b\"\n", true},
    {"li closes li; ul end closes li and ul", u"<ul><li>a<li>b</ul>x",
     "ul\n  li\n    \"a\"\n  li\n    \"b\"\n\"x\"\n", true},
    {"cells and rows close each other", u"<table><tr><td>a<td>b<tr><td>c</table>x",
     "table\n  tr\n    td\n      \"a\"\n    td\n      \"b\"\n  tr\n    td\n      \"c\"\n\"x\"\n", true},
    {"sections close sections and rows", u"<table><tbody><tr><td>a<tbody><tr><td>b</table>",
     "table\n  tbody\n    tr\n      td\n        \"a\"\n  tbody\n    tr\n      td\n        \"b\"\n", true},
    {"definitions close each other", u"<dl><dt>a<dd>b</dl>", "dl\n  dt\n    \"a\"\n  dd\n    \"b\"\n", true},
    {"body closes head", u"<head><title>T</title><body>x</body>",
     "head\n  title\n    \"T\"\nbody\n  \"x\"\n", true},
    {"unmatched end tag", u"<i>a</b>", "i\n  \"a\"\n-- </b> !1\n", false},
    {"misnested tags", u"<b><i>x</b></i>", "b\n  i\n    \"x\"\n-- </b> !1\n", false},
    {"elements left open", u"<div><b>x", "div !3\n  b !3\n    \"x\"\n", false},
    {"a section end without its section closes nothing",
     u"<div><table><tr><td>a</tbody>b</td></tr></table></div>",
     "div\n  table\n    tr\n      td\n        \"a\"\n        \"b\"\n-- </tbody> !1\n", false},
    {"spaces between tags count, line breaks alone do not", u"<b>x</b>  <i>y</i>\n\r\n<u>z</u>",
     "b\n  \"x\"\n_\ni\n  \"y\"\nu\n  \"z\"\n", true},
    {"an HTML comment joins the text around it", u"a<!-- <b>gone</b> -->b", "\"ab\"\n", true},
    {"an unclosed HTML comment ends the text", u"a <!-- b", "\"a\"\n_\n", true},
    {"a C comment in body text is text", u"a /* c */ b",
     "\"a\"\n_\n\"/*\"\n_\n\"c\"\n_\n\"*/\"\n_\n\"b\"\n", true},
    {"a C comment inside a tag is skipped", u"<p /* note */ class=x>a</p>", "p [class=x]\n  \"a\"\n", true},
    {"a C comment that outlives its tag is text of the tag", u"<a href=x/*y>b</a>*/",
     "a [href=x/*y]\n  \"b\"\n\"*/\"\n", true},
    {"a > inside a quoted value stays in the tag", u"<a title='x>y'>z</a>", "a [title=x>y]\n  \"z\"\n", true},
    {"a quote that does not close before the next tag protects nothing", u"<a title=\"x>y</a>z",
     "a [title=x]\n  \"y\"\n\"z\"\n", true},
    {"quotes in text are text", u"<i>\"No results.\"</i> <b>'s</b>",
     "i\n  \"\"No\"\n  _\n  \"results.\"\"\n_\nb\n  \"'s\"\n", true},
    {"names lower case, values as written", u"<IMG SRC=\"Card_Ah.PNG\" Class=Wide>",
     "img [src=Card_Ah.PNG] [class=Wide] /\n", true},
    {"attributes quoted, unquoted and escaped", u"<p a=1 b = \"two words\" c='x y' d=\\\"q\\\">",
     "p [a=1] [b=two words] [c=x y] [d=q\\\"]\n", true},
    {"an attribute without value joins the next name", u"<hr noshade size=2>", "hr [noshade size=2] /\n", true},
    {"an = without a name rejects the tag, not the page", u"<p =x>a</p>b", "p !2\n  \"a\"\n\"b\"\n", false},
    {"void and self-closed elements hold nothing", u"<br>a<br/>b</br><p/>c",
     "br /\n\"a\"\nbr /\n\"b\"\np /\n\"c\"\n", true},
    {"a document type is a sibling of html", u"<!DOCTYPE html><html><body>x</body></html>",
     "!doctype /\nhtml\n  body\n    \"x\"\n", true},
    {"pre turns line feeds into breaks", u"<pre>a\nb  c</pre>",
     "pre\n  \"a\"\n  br /\n  _\n  \"b\"\n  _\n  \"c\"\n", true},
    {"character references", u"a&amp;b &lt;c&gt; &#65;&#x41; &bogus; AT&T x & y&",
     "\"a&b\"\n_\n\"<c>\"\n_\n\"A&#x41;\"\n_\n\"&bogus;\"\n_\n\"AT&T\"\n_\n\"x\"\n_\n\"&\"\n_\n\"y&\"\n", true},
    {"a stray < is text", u"a < b <3 <", "\"a\"\n_\n\"<\"\n_\n\"b\"\n_\n\"<3\"\n_\n\"<\"\n", true},
    {"an unterminated tag at the end is dropped", u"abc <b class=x", "\"abc\"\n_\n", true},
    {"img is always empty", u"<img src=a.png>x</img>", "img [src=a.png] /\n\"x\"\n-- </img> !1\n", false},
};

TEST(RichHtmlParser, SnippetsGiveTheirTrees) {
    for (const TreeCase& c : kTrees) {
        SCOPED_TRACE(c.name);
        CExtRichContentLayout doc;
        EXPECT_EQ(doc.ParseHtml(c.html, true), c.clean);
        EXPECT_EQ(doc.m_nDocKind, kRichTextHtml);
        ASSERT_NE(doc.GetRoot(), nullptr);
        EXPECT_EQ(DumpTree(doc), c.tree);
    }
}

TEST(RichHtmlParser, EmptyTextsAndTheParseDispatch) {
    CExtRichContentLayout doc;
    EXPECT_TRUE(doc.ParseHtml(nullptr, true));
    EXPECT_TRUE(doc.ParseHtml(u"", true));
    EXPECT_TRUE(doc.m_listItems.IsEmpty());
    // Only line breaks: no item, so no root either.
    EXPECT_TRUE(doc.ParseHtml(u"\r\n\t\n", true));
    EXPECT_TRUE(doc.m_listItems.IsEmpty());

    CExtRichContentLayout html(u"<b>x</b>", kRichTextHtml, 0);
    EXPECT_EQ(DumpTree(html), "b\n  \"x\"\n");
    // A later parse replaces the earlier document.
    EXPECT_TRUE(html.Parse(u"y", kRichTextHtml, 0, 0, true));
    EXPECT_EQ(DumpTree(html), "\"y\"\n");
    EXPECT_FALSE(html.Parse(u"z", 7, 0, 0, true));
    // Kind 0 asks the detector: only a text that starts with the html tag is HTML.
    EXPECT_TRUE(html.Parse(u"<b>z</b>", kRichTextDetect, 0, 0, true));
    EXPECT_EQ(html.m_nDocKind, kRichTextPlain);
    EXPECT_TRUE(html.Parse(u"<html><b>z</b></html>", kRichTextDetect, 0, 0, true));
    EXPECT_EQ(html.m_nDocKind, kRichTextHtml);
    // Without a detector a text of kind 0 is not read.
    int (*detector)(const char16_t*, int) = g_pfnDetectRichTextKind;
    g_pfnDetectRichTextKind = nullptr;
    EXPECT_FALSE(html.Parse(u"<b>z</b>", kRichTextDetect, 0, 0, true));
    g_pfnDetectRichTextKind = detector;
}

TEST(RichHtmlParser, StyleElementsFeedTheStyleSheet) {
    CExtRichContentLayout doc;
    EXPECT_TRUE(doc.ParseHtml(u"<html><head><style type=\"text/css\">\n<!--\np { color: red }\n.W { margin: 1px }\n"
                              u"-->\n</style></head><body><p class=W>a</p></body></html>",
                              true));
    EXPECT_NE(doc.FindRuleHolder(u"p"), nullptr);
    EXPECT_NE(doc.FindRuleHolder(u"w"), nullptr);
    // The style text stays as the style element's one child; it makes no words.
    ASSERT_EQ(doc.m_listHeadElements.GetCount(), 2u);  // opening and closing tag
    CExtRichContentItem* style = doc.m_listHeadElements.GetHead();
    EXPECT_EQ(style->m_nKind, kRichItemStyle);
    ASSERT_EQ(style->m_listChildren.GetCount(), 1u);
    EXPECT_NE(style->m_listChildren.GetHead()->m_strName.find(u"color: red"), RichString::npos);
    EXPECT_EQ(DumpTree(doc), "html\n  head\n    style [type=text/css]\n      \"\n\np { color: red }\n"
                             ".W { margin: 1px }\n-->\n\"\n  body\n    p [class=W]\n      \"a\"\n");
    // A self-closed style element does not make the rest of the page a style sheet.
    CExtRichContentLayout empty;
    empty.ParseHtml(u"<style/>p { color: red }", true);
    EXPECT_EQ(empty.FindRuleHolder(u"p"), nullptr);
}

TEST(RichHtmlParser, HeadElementsGetTheirKinds) {
    CExtRichContentLayout doc;
    doc.ParseHtml(u"<title>t</title><style></style><script>s</script><meta name=a><link rel=x>", true);
    std::string kinds;
    for (CExtRichContentItem* item : doc.m_listHeadElements)
        kinds += std::to_string(item->m_nKind) + ((item->m_nTagFlags & kRichTagEnd) ? "e " : " ");
    EXPECT_EQ(kinds, "7 7e 8 8e 9 9e 10 11 ");
}

TEST(RichHtmlParser, LinkedStyleSheetsMustBeDefined) {
    const char16_t* page =
        u"<link rel=\"StyleSheet\" type='text/css' href=\"Known.css\"><link type=text/css rel=stylesheet href=missing>"
        u"<link rel=icon href=x.ico>x";
    CExtRichContentLayout doc;
    CExtRichDocObjectContainer* local = doc.GetLocalContainer();
    EXPECT_EQ(local, doc.GetLocalContainer());
    auto* keeper = new CExtRichDocObjectLayoutKeeper(u"known.css");
    keeper->Parse(u"b { color: red }", kRichTextCss);
    ASSERT_TRUE(local->Add(keeper, false));
    EXPECT_TRUE(doc.IsStyleSheetDefined(u"Known.css"));
    EXPECT_FALSE(doc.IsStyleSheetDefined(u"missing"));

    // The local container survives the parse's reset.
    EXPECT_FALSE(doc.ParseHtml(page, false));
    ASSERT_EQ(doc.m_listHeadElements.GetCount(), 3u);
    int statuses[3], i = 0;
    for (CExtRichContentItem* link : doc.m_listHeadElements) statuses[i++] = link->m_nParseState;
    EXPECT_EQ(statuses[0], kRichParseOk);
    EXPECT_EQ(statuses[1], kRichParseLinkUndefined);
    EXPECT_EQ(statuses[2], kRichParseOk);

    EXPECT_EQ(doc.ResolveLinkedStyleSheets(false, false), 0);
    EXPECT_EQ(doc.ResolveLinkedStyleSheets(false, true), 1);
    ASSERT_EQ(doc.m_listStyleSheets.GetCount(), 1u);
    EXPECT_EQ(doc.m_listStyleSheets.GetHead(), &keeper->GetLayout());
}

TEST(RichHtmlParser, AttributesRegisterTheirElements) {
    CExtRichContentLayout doc;
    doc.ParseHtml(u"<p id=Intro name=Top uiidsrc=S1 uiiddst=D1>a</p><p id=second>b</p>", true);
    doc.ComputeStyles(nullptr, true, true);
    CExtRichContentItem* first = doc.GetRoot()->m_listChildren.GetHead();
    EXPECT_EQ(doc.FindById(u"intro"), first);
    EXPECT_EQ(doc.FindById(u"INTRO"), first);
    EXPECT_EQ(doc.FindByName(u"Top"), first);
    EXPECT_EQ(doc.FindByName(u"top"), nullptr);  // names keep their case
    EXPECT_EQ(doc.FindUiIdSrc(u"s1"), first);
    EXPECT_EQ(doc.FindUiIdDst(u"d1"), first);
    EXPECT_EQ(doc.FindById(u"second"), doc.GetRoot()->m_listChildren.GetTail());
    EXPECT_EQ(Utf8(first->GetId()), "Intro");
}

// The faults of the old reader: any input, however malformed, gives a tree in bounded time.
TEST(RichHtmlParser, MalformedInputStillGivesATree) {
    const char16_t* snippets[] = {u"<",     u"</",       u"<a",      u"<a href=\"x",   u"<!--",  u"<!",
                                  u"</>",   u"<>",       u"&",       u"&#",            u"&#;",   u"a&",
                                  u"<p =",  u"<p a=\\",  u"<p a='",  u"<style>p{",      u"<pre>", u"/*",
                                  u"<a/*",  u"<a /* >",  u"</table>", u"</td></tr>x",  u"<td><tbody>"};
    for (const char16_t* s : snippets) {
        SCOPED_TRACE(Utf8(s));
        CExtRichContentLayout doc;
        doc.ParseHtml(s, true);
        if (!doc.m_listItems.IsEmpty()) {
            EXPECT_NE(doc.GetRoot(), nullptr);
        }
    }
}

TEST(RichHtmlParser, DeepNestingAndLongTexts) {
    // 10,000 open elements: the tree stops nesting at the deepest level the later passes
    // recurse through safely; the word stays, and the styles of the tree compute.
    RichString deep;
    for (int i = 0; i < 10000; ++i) deep += u"<div>";
    deep += u"x";
    for (int i = 0; i < 10000; ++i) deep += u"</div>";
    CExtRichContentLayout nested;
    EXPECT_FALSE(nested.ParseHtml(deep.c_str(), true));  // the closing tags left over are unmatched
    const CExtRichContentItem* word = nullptr;
    int elements = 0, unmatched = 0;
    for (const CExtRichContentItem* item : nested.m_listItems) {
        if (item->m_nKind == kRichItemText) word = item;
        if (item->m_nKind == kRichItemElement && !(item->m_nTagFlags & kRichTagEnd)) ++elements;
        if (item->m_nParseState == kRichParseUnmatchedClose) ++unmatched;
    }
    EXPECT_EQ(elements, 10000);
    EXPECT_EQ(unmatched, 10000 - kRichHtmlMaxDepth);
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(Utf8(word->m_strName), "x");
    int depth = 0;
    for (const CExtRichContentItem* e = word->m_pParent; e && !e->IsRoot(); e = e->m_pParent) ++depth;
    EXPECT_EQ(depth, kRichHtmlMaxDepth);
    nested.RebuildStyleSheets();
    nested.ComputeStyles(nullptr, true, true);

    // A megabyte of text in words of 100 letters; 16,384 closing tags without an opening.
    RichString words, strays;
    const RichString word100(100, u'w');
    while (words.size() < (1u << 20)) words += word100 + u' ';
    while (strays.size() < (1u << 16)) strays += u"</b>";
    CExtRichContentLayout text;
    EXPECT_TRUE(text.ParseHtml(words.c_str(), true));
    EXPECT_EQ(text.GetRoot()->m_listChildren.GetCount(), 2 * (words.size() / 101));
    CExtRichContentLayout closing;
    EXPECT_FALSE(closing.ParseHtml(strays.c_str(), true));
    EXPECT_EQ(closing.m_listItems.GetCount(), 1 + strays.size() / 4);

    // A megabyte inside one tag, made of comment openers that never close before its end.
    RichString tag = u"<p ";
    while (tag.size() < (1u << 20)) tag += u"/*a";
    tag += u">x*/";
    CExtRichContentLayout comments;
    comments.ParseHtml(tag.c_str(), true);
    EXPECT_EQ(DumpTree(comments), "p\n  \"x*/\"\n");
}

}  // namespace
