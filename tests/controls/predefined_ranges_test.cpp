// Reading the predefined-ranges section (of any length, restoring the profile name) and the
// grammar of its lines.
#include <gtest/gtest.h>

#include "controls/predefined_ranges.h"
#include "ini_fixture.h"

namespace {

// The program's application object: the reader points its profile name at the ranges file
// while it reads.
CWinApp g_app(L"ranges test");

TEST(PredefinedRangeLine, Grammar) {
  struct Case {
    const wchar_t* line;
    int depth;
    const wchar_t* name;
    const wchar_t* range;
    bool bold;
    int colour;
    int image;
    bool selectable;
  } cases[] = {
      {L"Premium hands\u00B0a", 0, L"Premium hands", L"", false, 0, 0, false},
      {L".Aces {AA**}\u00B01", 1, L"Aces", L"AA**", true, 1, -1, true},
      {L"..AA{AAxx}", 2, L"A", L"AAxx", true, 0, -1, true},  // the character before the brace is dropped
      {L"...Deep { KK** , QQ** }  \t", 3, L"Deep", L" KK** , QQ** ", true, 0, -1, true},
      {L".Group\u00B0b", 1, L"Group", L"", false, 0, 1, false},
      {L".Zero marker\u00B00", 1, L"Zero marker", L"", false, 0, -1, false},
      {L"NONE", 0, L"NONE", L"", false, 0, -1, true},
      {L".none\u00B02", 1, L"none", L"", false, 2, -1, true},
      {L"Ends in a marker\u00B0", 0, L"Ends in a marker", L"", false, 0, -'a', false},
      {L"Capital\u00B0A", 0, L"Capital", L"", false, 0, 'A' - 'a', false},
      {L"{AA**}", 0, L"", L"AA**", true, 0, -1, true},
      {L"Unclosed {AA**", 0, L"Unclosed", L"AA**", true, 0, -1, true},
      {L"Empty {}", 0, L"Empty", L"", true, 0, -1, false},
      {L".....", 5, L"", L"", false, 0, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(CStringA(c.line).GetString());
    PredefinedRangeLine parsed;
    ASSERT_TRUE(ParsePredefinedRangeLine(c.line, parsed));
    EXPECT_EQ(parsed.depth, c.depth);
    EXPECT_EQ(parsed.name, CString(c.name));
    EXPECT_EQ(parsed.range, CString(c.range));
    EXPECT_EQ(parsed.hasBrace, c.bold);
    EXPECT_EQ(parsed.colourFlag, c.colour);
    EXPECT_EQ(parsed.imageLetter, c.image);
    EXPECT_EQ(parsed.selectable, c.selectable);
  }
  PredefinedRangeLine parsed;
  EXPECT_FALSE(ParsePredefinedRangeLine(L"", parsed));
  EXPECT_FALSE(ParsePredefinedRangeLine(L" \t ", parsed));
}

TEST(PredefinedRanges, SplitsAtNulsUpToTheFirstEmptyLine) {
  const wchar_t raw[] = L"a\0.b {AA}\0\0after the end\0";
  const std::vector<CString> lines = SplitProfileSection(CString(raw, static_cast<int>(std::size(raw)) - 1));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], CString(L"a"));
  EXPECT_EQ(lines[1], CString(L".b {AA}"));
  EXPECT_TRUE(SplitProfileSection(CString()).empty());
}

TEST(PredefinedRanges, ReadsTheSectionAndRestoresTheProfileName) {
  ctltest::RangesFolder folder(L"ranges_read");
  ASSERT_TRUE(folder.Write(L"; comment\r\n[Other]\r\nx=1\r\n[Predefined]\r\nGroup\u00B0a\r\n.Aces {AA**}\u00B01\r\n"));
  g_app.m_pszProfileName = _wcsdup(L"C:\\settings\\OmahaVantorn.ini");
  LPCTSTR own = g_app.m_pszProfileName;

  CString section;
  const int copied = ReadPredefinedRanges(section, nullptr);
  EXPECT_EQ(copied, section.GetLength());
  const std::vector<CString> lines = SplitProfileSection(section);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], CString(L"Group\u00B0a"));
  EXPECT_EQ(lines[1], CString(L".Aces {AA**}\u00B01"));
  EXPECT_EQ(g_app.m_pszProfileName, own);

  // A given name replaces the profile name afterwards.
  LPCTSTR given = _wcsdup(L"C:\\elsewhere.ini");
  ReadPredefinedRanges(section, given);
  EXPECT_EQ(g_app.m_pszProfileName, given);
  free(const_cast<LPTSTR>(own));
}

TEST(PredefinedRanges, MissingFileOrSectionReadsNothing) {
  ctltest::RangesFolder folder(L"ranges_missing");
  CString section = L"stale";
  EXPECT_EQ(ReadPredefinedRanges(section, nullptr), 0);
  EXPECT_TRUE(section.IsEmpty());
  ASSERT_TRUE(folder.Write(L"[Elsewhere]\r\nGroup\r\n"));
  EXPECT_EQ(ReadPredefinedRanges(section, nullptr), 0);
}

TEST(PredefinedRanges, ASectionOverFifteenThousandCharactersLoadsWhole) {
  ctltest::RangesFolder folder(L"ranges_long");
  std::wstring text = L"[Predefined]\r\nMany\u00B0a\r\n";
  int written = 0;
  for (int i = 0; i < 2000; ++i) {
    std::wstring line = L".Range number " + std::to_wstring(i) + L" {AA**,KK" + std::to_wstring(i % 10) + L"*}";
    written += static_cast<int>(line.size()) + 1;
    text += line + L"\r\n";
  }
  text += L"Last line {QQ**}\r\n";
  ASSERT_GT(written, 50000);
  ASSERT_TRUE(folder.Write(text));

  CString section;
  const int copied = ReadPredefinedRanges(section, nullptr);
  EXPECT_GT(copied, 50000);
  const std::vector<CString> lines = SplitProfileSection(section);
  ASSERT_EQ(lines.size(), 2002u);
  EXPECT_EQ(lines[1000], CString(L".Range number 999 {AA**,KK9*}"));
  EXPECT_EQ(lines.back(), CString(L"Last line {QQ**}"));
}

}  // namespace
