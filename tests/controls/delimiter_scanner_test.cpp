// The delimiter scanner over card lists, version files, lines and range expressions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/delimiter_scanner.h"

namespace {

std::wstring W(const CString& s) { return std::wstring(s.GetString(), s.GetLength()); }

struct TokenCase {
  const char* name;
  wchar_t delimiter;  // 0: the default set ",&!|() "
  const wchar_t* text;
  std::vector<std::wstring> tokens;  // successive NextToken results
};

class NextTokenTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(NextTokenTest, YieldsTheTokensInOrder) {
  const TokenCase& c = GetParam();
  CDelimiterScanner scanner = c.delimiter ? CDelimiterScanner(c.delimiter) : CDelimiterScanner();
  scanner.SetText(c.text);
  for (size_t i = 0; i < c.tokens.size(); ++i) EXPECT_EQ(W(scanner.NextToken()), c.tokens[i]) << "token " << i;
  EXPECT_TRUE(scanner.AtEnd());
  EXPECT_EQ(W(scanner.NextToken()), L"") << "past the end";
}

const TokenCase kTokenCases[] = {
    {"BlankSeparatedCards", L' ', L"Ah  Kd", {L"Ah", L"Kd", L""}},
    {"VersionNumber", L'.', L"1.2.3.4", {L"1", L"2", L"3", L"4", L""}},
    {"LinesAtCarriageReturn", L'\r', L"Version=1,2,3,4\r\nUrl=x", {L"Version=1,2,3,4", L"Url=x", L""}},
    {"TrailingDelimiterGivesEmptyToken", L' ', L"Ah Kd ", {L"Ah", L"Kd", L""}},
    {"LeadingDelimiterGivesEmptyToken", L' ', L"  Ah", {L"", L"Ah", L""}},
    {"LineBreaksSkippedAtTokenStart", L' ', L"\r\n\n\rAh Kd", {L"Ah", L"Kd", L""}},
    {"LineBreakInsideTokenStays", L' ', L"A\r\nB C", {L"A\r\nB", L"C", L""}},
    {"EmptyText", L' ', L"", {L""}},
    {"OnlyDelimiters", L',', L",,,", {L"", L""}},
    {"OnlyLineBreaks", L' ', L"\r\n\r\n", {L""}},
    {"DefaultSetSplitsOperators", 0, L"AA, KK!QQ&(JJ|TT)", {L"AA", L"KK", L"QQ", L"JJ", L"TT", L""}},
    {"SingleCharacter", L' ', L"x", {L"x", L""}},
};

INSTANTIATE_TEST_SUITE_P(Scanner, NextTokenTest, ::testing::ValuesIn(kTokenCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct WithDelimitersStep {
  BOOL result;
  std::wstring token;
  std::wstring delimiters;
};

struct WithDelimitersCase {
  const char* name;
  const wchar_t* text;
  std::vector<WithDelimitersStep> steps;
};

class WithDelimitersTest : public ::testing::TestWithParam<WithDelimitersCase> {};

TEST_P(WithDelimitersTest, KeepsTheOperators) {
  const WithDelimitersCase& c = GetParam();
  CDelimiterScanner scanner;
  scanner.SetText(c.text);
  for (size_t i = 0; i < c.steps.size(); ++i) {
    CString token = L"stale", delimiters = L"stale";
    EXPECT_EQ(scanner.NextTokenWithDelimiters(token, delimiters), c.steps[i].result) << "step " << i;
    EXPECT_EQ(W(token), c.steps[i].token) << "step " << i;
    EXPECT_EQ(W(delimiters), c.steps[i].delimiters) << "step " << i;
  }
}

const WithDelimitersCase kWithDelimitersCases[] = {
    {"CommaBlankAndBang", L"AA, KK!QQ",
     {{TRUE, L"AA", L", "}, {TRUE, L"KK", L"!"}, {TRUE, L"QQ", L""}, {FALSE, L"", L""}}},
    {"OpeningBracketFirst", L"(AA|KK)",
     {{FALSE, L"", L"("}, {TRUE, L"AA", L"|"}, {TRUE, L"KK", L")"}, {FALSE, L"", L""}}},
    {"NestedBrackets", L"((AA))&!KK",
     {{FALSE, L"", L"(("}, {TRUE, L"AA", L"))&!"}, {TRUE, L"KK", L""}}},
    {"Empty", L"", {{FALSE, L"", L""}}},
};

INSTANTIATE_TEST_SUITE_P(Scanner, WithDelimitersTest, ::testing::ValuesIn(kWithDelimitersCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DelimiterScanner, ReadDelimitersTakesTheRunAtThePosition) {
  CDelimiterScanner scanner;
  scanner.SetText(L"((AA) | KK");
  EXPECT_EQ(W(scanner.ReadDelimiters()), L"((");
  EXPECT_EQ(W(scanner.ReadDelimiters()), L"") << "no delimiter at the token";
  CString token, delimiters;
  EXPECT_TRUE(scanner.NextTokenWithDelimiters(token, delimiters));
  EXPECT_EQ(W(token), L"AA");
  EXPECT_EQ(W(delimiters), L") | ");
  EXPECT_EQ(W(scanner.NextToken()), L"KK");
  EXPECT_EQ(W(scanner.ReadDelimiters()), L"");
}

TEST(DelimiterScanner, SetTextRestarts) {
  CDelimiterScanner scanner(L',');
  scanner.SetText(L"a,b");
  EXPECT_EQ(W(scanner.NextToken()), L"a");
  scanner.SetText(L"c");
  EXPECT_EQ(W(scanner.NextToken()), L"c");
  EXPECT_TRUE(scanner.AtEnd());
  scanner.SetText(L"d,e");
  EXPECT_FALSE(scanner.AtEnd());
  EXPECT_EQ(W(scanner.NextToken()), L"d");
}

TEST(DelimiterScanner, WithoutTextGivesNothing) {
  CDelimiterScanner blank(L' ');
  EXPECT_EQ(W(blank.NextToken()), L"");
  CDelimiterScanner operators;
  CString token = L"x", delimiters = L"y";
  EXPECT_FALSE(operators.NextTokenWithDelimiters(token, delimiters));
  EXPECT_EQ(W(token), L"");
  EXPECT_EQ(W(delimiters), L"");
}

TEST(DelimiterScanner, ZeroDelimiterCharacterNeverMatchesTextCharacters) {
  CDelimiterScanner scanner(L'\0');
  scanner.SetText(L"no delimiters here");
  EXPECT_EQ(W(scanner.NextToken()), L"no delimiters here");
  EXPECT_EQ(W(scanner.NextToken()), L"");
}

TEST(DelimiterScanner, VeryLongTextYieldsEveryToken) {
  CString text;
  const int kCards = 200000;
  for (int i = 0; i < kCards; ++i) text += (i % 2) ? L"Kd " : L"Ah ";
  CDelimiterScanner scanner(L' ');
  scanner.SetText(text);
  int count = 0;
  for (CString t = scanner.NextToken(); !t.IsEmpty(); t = scanner.NextToken()) {
    ASSERT_EQ(W(t), (count % 2) ? L"Kd" : L"Ah");
    ++count;
  }
  EXPECT_EQ(count, kCards);
  EXPECT_TRUE(scanner.AtEnd());
}

}  // namespace
