// Style codes of the owner-drawn labels, split into styled tokens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/escape_tokenizer.h"

namespace {

const COLORREF kInfo = ::GetSysColor(COLOR_INFOTEXT);

struct Tok {
  std::wstring text;
  int bold = 0, italic = 0, underline = 0, superscript = 0, subscript = 0;
  COLORREF color = kInfo;
};

Tok T(std::wstring text) { return Tok{std::move(text)}; }
Tok Bold(std::wstring text) {
  Tok t{std::move(text)};
  t.bold = 1;
  return t;
}
Tok Colored(std::wstring text, COLORREF color) {
  Tok t{std::move(text)};
  t.color = color;
  return t;
}

std::vector<Tok> Split(const std::wstring& text) {
  CEscapeTextTokenizer tokenizer;
  tokenizer.Reset();
  tokenizer.SetText(CString(text.c_str(), static_cast<int>(text.size())));
  std::vector<Tok> out;
  Tok t;
  CString token;
  while (tokenizer.NextToken(token, t.bold, t.italic, t.underline, t.superscript, t.subscript, t.color)) {
    t.text.assign(token.GetString(), token.GetLength());
    out.push_back(t);
    if (out.size() > text.size() + 2) break;  // every token but the last consumes a character
  }
  EXPECT_TRUE(token.IsEmpty()) << "the end gives an empty token";
  return out;
}

std::string Show(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) {
    if (c == 0x1B) out += "\\x1b";
    else if (c == L'\r') out += "\\r";
    else if (c == L'\n') out += "\\n";
    else if (c == L'\t') out += "\\t";
    else out += static_cast<char>(c < 128 ? c : '?');
  }
  return out;
}

struct TokenizerCase {
  const char* name;
  std::wstring text;
  std::vector<Tok> tokens;
};

class TokenizerTest : public ::testing::TestWithParam<TokenizerCase> {};

TEST_P(TokenizerTest, SplitsIntoStyledTokens) {
  const TokenizerCase& c = GetParam();
  const std::vector<Tok> got = Split(c.text);
  ASSERT_EQ(got.size(), c.tokens.size()) << "text " << Show(c.text);
  for (size_t i = 0; i < got.size(); ++i) {
    const Tok& e = c.tokens[i];
    const Tok& g = got[i];
    EXPECT_EQ(Show(g.text), Show(e.text)) << "token " << i;
    EXPECT_EQ(g.bold, e.bold) << "bold of token " << i;
    EXPECT_EQ(g.italic, e.italic) << "italic of token " << i;
    EXPECT_EQ(g.underline, e.underline) << "underline of token " << i;
    EXPECT_EQ(g.superscript, e.superscript) << "superscript of token " << i;
    EXPECT_EQ(g.subscript, e.subscript) << "subscript of token " << i;
    EXPECT_EQ(g.color, e.color) << "colour of token " << i;
  }
}

Tok Italic(std::wstring s) { Tok t{std::move(s)}; t.italic = 1; return t; }
Tok Under(std::wstring s) { Tok t{std::move(s)}; t.underline = 1; return t; }
Tok Sup(std::wstring s) { Tok t{std::move(s)}; t.superscript = 1; return t; }
Tok Sub(std::wstring s) { Tok t{std::move(s)}; t.subscript = 1; return t; }

const TokenizerCase kCases[] = {
    {"ClassRankFormat", L"\x1b" L"E12\x1b" L"F / 16432",
     {Bold(L"12"), T(L""), T(L" "), T(L"/"), T(L" "), T(L"16432")}},
    {"EquityFormat", L" = \x1b" L"E51.25%\x1b" L"F",
     {T(L" "), T(L"="), T(L" "), Bold(L"51.25%"), T(L"")}},
    {"ItalicAndUnderline", L"\x1b" L"4a\x1b" L"5b\x1b-c\x1b+d",
     {Italic(L"a"), T(L"b"), Under(L"c"), T(L"d")}},
    {"SuperscriptSubscriptNormal", L"\x1bSx\x1bsy\x1bSz\x1bTn\x1bsw\x1btv",
     {Sup(L"x"), Sub(L"y"), Sup(L"z"), T(L"n"), Sub(L"w"), T(L"v")}},
    {"ColourDigits", L"\x1b" L"C1a\x1b" L"C2b\x1b" L"C3c\x1b" L"C4d\x1b" L"C5e\x1b" L"C6f\x1b" L"C7g\x1b" L"C8h\x1b" L"C9i",
     {Colored(L"a", RGB(192, 0, 192)), Colored(L"b", RGB(238, 0, 0)), Colored(L"c", RGB(0, 192, 0)),
      Colored(L"d", RGB(0, 0, 238)), Colored(L"e", RGB(64, 64, 64)), Colored(L"f", RGB(0, 0, 128)),
      Colored(L"g", RGB(44, 44, 195)), Colored(L"h", RGB(0, 128, 0)), Colored(L"i", RGB(221, 0, 0))}},
    {"ColourBackToInfoText", L"\x1b" L"C6a\x1b" L"C0b\x1b" L"C6c\x1b" L"cd\x1b" L"C6e\x1b" L"Cxf",
     {Colored(L"a", RGB(0, 0, 128)), T(L"b"), Colored(L"c", RGB(0, 0, 128)), T(L"d"),
      Colored(L"e", RGB(0, 0, 128)), T(L"f")}},
    {"StylePersistsOverSeparators", L"\x1b" L"Ea b,c",
     {Bold(L"a"), Bold(L" "), Bold(L"b"), Bold(L","), Bold(L"c")}},
    {"EscapeAtTheEnd", L"abc\x1b", {T(L"abc"), T(L"")}},
    {"EscapeAloneIsOneEmptyToken", L"\x1b", {T(L"")}},
    {"ColourCodeAtTheEnd", L"ab\x1b" L"C", {T(L"ab"), T(L"")}},
    {"ColourCodeAtTheEndAfterAColour", L"\x1b" L"C9a\x1b" L"C", {Colored(L"a", RGB(221, 0, 0)), T(L"")}},
    {"EmptyText", L"", {}},
    {"UnknownCodeIsConsumed", L"\x1bZq", {T(L"q")}},
    {"EscapeAsCodeIsConsumed", L"\x1b\x1bq", {T(L"q")}},
    {"CodeDirectlyAfterCode", L"\x1b" L"E\x1b" L"4x", {Bold(L""), [] { Tok t = Bold(L"x"); t.italic = 1; return t; }()}},
    {"LineBreakRuns", L"a\nb\r\nc\r\n\r\nd",
     {T(L"a"), T(L"\n"), T(L"b"), T(L"\r\n"), T(L"c"), T(L"\r\n\r\n"), T(L"d")}},
    {"BlankAndTabRuns", L"a \t b", {T(L"a"), T(L" \t "), T(L"b")}},
    {"PunctuationRuns", L"<a>,;:b", {T(L"<"), T(L"a"), T(L">,;:"), T(L"b")}},
    {"EscapeEndsAPlainRunOnly", L"ab\x1b" L"Ecd", {T(L"ab"), Bold(L"cd")}},
    {"BlankBeforeCodeIsItsOwnToken", L"a \x1b" L"Eb", {T(L"a"), T(L" "), Bold(L"b")}},
};

INSTANTIATE_TEST_SUITE_P(Escape, TokenizerTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EscapeTextTokenizer, ResetRestoresPlainStyle) {
  CEscapeTextTokenizer tokenizer;
  tokenizer.SetText(L"\x1b" L"E\x1b" L"4\x1b-\x1bS\x1b" L"C2x");
  CString token;
  int b, i, u, sp, sb;
  COLORREF c;
  while (tokenizer.NextToken(token, b, i, u, sp, sb, c)) {
  }
  EXPECT_EQ(tokenizer.m_bold + tokenizer.m_italic + tokenizer.m_underline + tokenizer.m_superscript, 4);
  tokenizer.Reset();
  tokenizer.SetText(L"y");
  ASSERT_TRUE(tokenizer.NextToken(token, b, i, u, sp, sb, c));
  EXPECT_EQ(b + i + u + sp + sb, 0);
  EXPECT_EQ(c, kInfo);
}

TEST(EscapeTextTokenizer, VeryLongTexts) {
  std::wstring plain(100000, L'x');
  std::vector<Tok> one = Split(plain);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].text.size(), plain.size());

  std::wstring styled;
  const int kRepeats = 20000;
  for (int i = 0; i < kRepeats; ++i) styled += L"\x1b" L"Ea\x1b" L"Fb ";
  std::vector<Tok> many = Split(styled);
  ASSERT_EQ(many.size(), static_cast<size_t>(3 * kRepeats));  // "a", "b", " " per repeat
  EXPECT_EQ(many[3 * kRepeats - 3].bold, 1);
  EXPECT_EQ(many[3 * kRepeats - 2].bold, 0);
}

TEST(EscapeTextTokenizer, UnterminatedCodesNeverHang) {
  // Every prefix of a text full of codes ends after a bounded number of tokens.
  const std::wstring text = L"\x1b" L"C\x1b\x1b" L"E\x1b" L"C9\r\n\x1b";
  for (size_t n = 0; n <= text.size(); ++n) {
    std::vector<Tok> got = Split(text.substr(0, n));
    EXPECT_LE(got.size(), n + 1) << "prefix " << n;
  }
}

}  // namespace
