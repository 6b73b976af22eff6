// The program's own pages through the HTML reader: the range syntax page, the result pages of
// an Evaluate run (the fixtures the result page is checked against) and the result page's style
// element. No text may be lost, and the style rules must reach the elements.
#include "tests/toolkit/richcontent/rich_html_test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using richtest::Utf8;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The pages are ASCII with Latin-1 at most: one byte a character.
RichString Widen(const std::string& bytes) {
    RichString out;
    for (unsigned char c : bytes) out.push_back(c);
    return out;
}

// The words a reader must keep, found without the reader: comments, style elements and tags
// removed, the page's few references decoded, white space split.
std::vector<std::string> ExpectedWords(std::string page) {
    auto cut = [&page](const std::string& open, const std::string& close) {
        for (std::size_t at; (at = page.find(open)) != std::string::npos;) {
            const std::size_t end = page.find(close, at + open.size());
            page.replace(at, end == std::string::npos ? std::string::npos : end + close.size() - at, " ");
        }
    };
    cut("<!--", "-->");
    cut("<style", "</style>");
    std::string text;
    for (std::size_t i = 0; i < page.size(); ++i) {
        const char next = i + 1 < page.size() ? page[i + 1] : '\0';
        if (page[i] == '<' && (std::isalpha(static_cast<unsigned char>(next)) || next == '/' || next == '!')) {
            const std::size_t end = page.find('>', i);
            i = end == std::string::npos ? page.size() : end;
            text += ' ';  // the test pages never join words across a tag
            continue;
        }
        text += page[i];
    }
    const std::pair<const char*, const char*> refs[] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"},
                                                         {"&nbsp;", " "}, {"&quot;", "\""}};
    for (const auto& [ref, ch] : refs)
        for (std::size_t at; (at = text.find(ref)) != std::string::npos;) text.replace(at, std::strlen(ref), ch);
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// The words of the tree, without the style sheet texts; a no-break space splits like a space
// here, as the reference cannot tell them apart.
std::vector<std::string> TreeWords(const CExtRichContentLayout& doc) {
    std::string text;
    for (const CExtRichContentItem* item = doc.GetRoot(); item; item = item->GetNextItem()) {
        if (item->m_nKind != kRichItemText || (item->m_pParent && item->m_pParent->m_nKind == kRichItemStyle)) continue;
        for (char16_t c : item->m_strName) text += c == 0xA0 ? ' ' : static_cast<char>(c);
        text += ' ';
    }
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

const std::string kRoot = OV_SOURCE_DIR;

TEST(RichHtmlPages, EveryWordOfTheProgramsPagesIsKept) {
    const char* pages[] = {"data/Syntax.html", "tests/app/fixtures/results/hi_one_column.html",
                           "tests/app/fixtures/results/hi_all_streets.html",
                           "tests/app/fixtures/results/hilo_one_column.html",
                           "tests/app/fixtures/results/hilo_all_streets.html"};
    for (const char* name : pages) {
        SCOPED_TRACE(name);
        const std::string page = ReadFile(kRoot + "/" + name);
        ASSERT_FALSE(page.empty());
        CExtRichContentLayout doc;
        const RichString text = Widen(page);
        EXPECT_TRUE(doc.ParseHtml(text.c_str(), true));
        const std::vector<std::string> expected = ExpectedWords(page);
        EXPECT_GT(expected.size(), 20u);
        EXPECT_EQ(TreeWords(doc), expected);
        for (const CExtRichContentItem* item : doc.m_listItems) EXPECT_EQ(item->m_nParseState, kRichParseOk);
    }
}

TEST(RichHtmlPages, TheResultStyleReachesTheCells) {
    std::string page = ReadFile(kRoot + "/resources/html/result_style.html");
    ASSERT_FALSE(page.empty());
    page += "<table><tr><td>a</td><td class=w>b</td></tr></table>";
    const RichString text = Widen(page);
    CExtRichContentLayout doc;
    ASSERT_TRUE(doc.ParseHtml(text.c_str(), true));
    for (const char16_t* key : {u"body", u"table", u"tr", u"td", u"td.w"}) EXPECT_NE(doc.FindRuleHolder(key), nullptr);
    doc.RebuildStyleSheets();
    doc.ComputeStyles(nullptr, true, true);
    CExtRichContentItem* table = doc.GetRoot()->m_listChildren.GetTail();
    ASSERT_EQ(Utf8(table->m_strName), "table");
    CExtRichContentItem* row = table->m_listChildren.GetHead();
    CExtRichContentItem* plain = row->m_listChildren.GetHead();
    CExtRichContentItem* white = row->m_listChildren.GetTail();
    EXPECT_EQ(plain->GetStyle().m_clrBackground, RichRgb(0xE8, 0xE8, 0xE8));
    EXPECT_EQ(white->GetStyle().m_clrBackground, RichRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(row->GetStyle().m_nVerticalAlign, RichCode::VAlignTop);
    // 9pt at 96 dots per inch is 12 pixels.
    EXPECT_EQ(table->GetStyle().m_font.m_lf.lfHeight, -12);
    EXPECT_EQ(Utf8(table->GetStyle().m_font.m_lf.lfFaceName), "arial");
}

}  // namespace
