// Entities, text runs and tags, attributes and the table searches.
#include <gtest/gtest.h>

#include "controls/html/markup_scanner.h"

namespace {

using namespace html;

TEST(PrepareText, EntitiesAreReplacedOnceAndBreaksBecomeTags) {
  const struct {
    const wchar_t* in;
    bool convert;
    const wchar_t* out;
  } kCases[] = {
      {L"a&lt;b", true, L"a<<b"},
      {L"&amp;lt;", true, L"&lt;"},  // unescaped once: the text shows "&lt;"
      {L"&amp;&amp;", true, L"&&"},
      {L"&copy;&euro;&trade;&bull;", true, L"\xA9\x20AC\x2122\x2022"},
      {L"&nbsp;&quot;&gt;", true, L" \">"},
      {L"&unknown; &amp", true, L"&unknown; &amp"},
      {L"one\r\ntwo\tthree", true, L"one<br>two<t>three"},
      {L"one\r\ntwo\tthree", false, L"onetwothree"},
      {L"", true, L""},
      {L"&", true, L"&"},
  };
  for (const auto& c : kCases) EXPECT_EQ(PrepareText(c.in, c.convert), c.out) << c.in;
}

TEST(NextRunAndTag, SplitsRunsFromTagsAndKeepsEscapedLessThan) {
  const std::wstring text = L"a<<b<b>bold</b> x<no end";
  std::size_t pos = 0;
  std::wstring run, tag;
  std::vector<std::pair<std::wstring, std::wstring>> got;
  while (pos < text.size()) {
    NextRunAndTag(text, pos, run, tag);
    got.emplace_back(run, tag);
  }
  const std::vector<std::pair<std::wstring, std::wstring>> want = {
      {L"a<b", L"b"}, {L"bold", L"/b"}, {L" x", L""}, {L"no end", L""}};
  EXPECT_EQ(got, want);

  pos = 0;
  const std::wstring trailing = L"end<";
  NextRunAndTag(trailing, pos, run, tag);
  EXPECT_EQ(run, L"end<");
  EXPECT_EQ(tag, L"");
}

TEST(SplitTag, NameEndsAtSpaceOrEquals) {
  const struct {
    const wchar_t* tag;
    const wchar_t* name;
    const wchar_t* attributes;
  } kCases[] = {
      {L"font color=red", L"font", L"color=red"},
      {L"br=2", L"br", L"=2"},
      {L"br   2", L"br", L"2"},
      {L"br/", L"br/", L""},
      {L"/b", L"/b", L""},
  };
  for (const auto& c : kCases) {
    std::wstring name, attributes;
    SplitTag(c.tag, name, attributes);
    EXPECT_EQ(name, c.name) << c.tag;
    EXPECT_EQ(attributes, c.attributes) << c.tag;
  }
}

TEST(NextAttribute, QuotedBareAndValuelessAttributes) {
  const std::wstring text = L"face='Times New Roman' size = 3 bare color=\"#ff0000\" x='open";
  std::size_t pos = 0;
  std::wstring name, value;
  std::vector<std::pair<std::wstring, std::wstring>> got;
  while (NextAttribute(text, pos, name, value)) got.emplace_back(name, value);
  const std::vector<std::pair<std::wstring, std::wstring>> want = {
      {L"face", L"Times New Roman"}, {L"size", L"3"}, {L"bare", L""}, {L"color", L"#ff0000"}, {L"x", L"open"}};
  EXPECT_EQ(got, want);
}

TEST(FindTag, SkipsEscapedTagsAndFindsMatchingEnds) {
  EXPECT_EQ(FindTag(L"table", L"x<<table><table>", 0), 9u);
  EXPECT_EQ(FindTag(L"table", L"no tables", 0), 9u);
  const std::wstring nested = L"<table><tr><td><table>in</table></td></tr></table>tail";
  EXPECT_EQ(FindTableEnd(nested, 0), nested.find(L"</table>tail"));
  const std::wstring open = L"<table><tr><td>x";
  EXPECT_EQ(FindTableEnd(open, 0), open.size());
  const std::wstring row = L"<tr><td><table><tr><td>a</td></tr></table></td></tr>";
  EXPECT_EQ(FindRowEnd(row, 0), row.rfind(L"</tr>"));
  EXPECT_EQ(FindCellEnd(row, 4), row.rfind(L"</td>"));
}

}  // namespace
