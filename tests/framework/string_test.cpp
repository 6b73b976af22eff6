#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <vector>

#include "framework/afx.h"
#include "resources.h"
#include "test_util.h"

namespace {

template <typename... Args>
CString Fmt(const wchar_t* format, const Args&... args) {
  CString s;
  s.Format(format, args...);
  return s;
}

// Format strings the program's own code uses, with their arguments.
TEST(CStringFormat, FormatsTheProgramsFormatStrings) {
  EXPECT_EQ(Fmt(L"Player%0d=%s\n", 3, L"AA**"), L"Player3=AA**\n");
  EXPECT_EQ(Fmt(L"%0.0lf %% complete", 42.4), L"42 % complete");
  EXPECT_EQ(Fmt(L"%0.0lf %% complete", 99.6), L"100 % complete");
  EXPECT_EQ(Fmt(L"%0.2lf%%", 45.678), L"45.68%");
  EXPECT_EQ(Fmt(L"%0.1lf", 0.05), L"0.1");
  EXPECT_EQ(Fmt(L"&#%0d;", 176), L"&#176;");
  EXPECT_EQ(Fmt(L"<font color=#EE0000>%c%c</font>", L'A', L'h'), L"<font color=#EE0000>Ah</font>");
  EXPECT_EQ(Fmt(L"<bmp idres=%0d mask>", 3300 + 2 * 13 + 4), L"<bmp idres=3330 mask>");
  EXPECT_EQ(Fmt(L"%0d.%0d.%0d.%0d", 1, 0, 12, 345), L"1.0.12.345");
  EXPECT_EQ(Fmt(L"data_0x%08lX", 0xBEEFUL), L"data_0x0000BEEF");
  EXPECT_EQ(Fmt(L"0x%08X", 0xDEADBEEFu), L"0xDEADBEEF");
  EXPECT_EQ(Fmt(L"%5d\t", 42), L"   42\t");
  EXPECT_EQ(Fmt(L"%0s-%0s%%", L"10", L"20"), L"10-20%");
  EXPECT_EQ(Fmt(L"%s (%d seconds remaining)", L"Update", 7), L"Update (7 seconds remaining)");
  EXPECT_EQ(Fmt(L"%d,%d,%d,%d,%d,%d", 1, 2, 3, -4, 5, 6), L"1,2,3,-4,5,6");
  EXPECT_EQ(Fmt(L"\x1b" L"E%0d\x1b" L"F / 16432", 12), L"\x1b" L"E12\x1b" L"F / 16432");
  EXPECT_EQ(Fmt(L"COmahaBase::GetSingleHand (%0d): invalid Index\n", -1),
            L"COmahaBase::GetSingleHand (-1): invalid Index\n");
  EXPECT_EQ(Fmt(L"GetLastError () return %0ld", 5L), L"GetLastError () return 5");
  EXPECT_EQ(Fmt(L"\t%s\t%0.2lf%%\t%0.2lf%%\t%0.2lf%%\r\n", L"UTG", 50.0, 25.126, 1.0 / 3),
            L"\tUTG\t50.00%\t25.13%\t0.33%\r\n");
}

// The BBCode writer builds a format with a format, then uses it.
TEST(CStringFormat, TwoStageFormatting) {
  CString layout = Fmt(L"[b]%%-5s[/b] [COLOR=#FF0000]%%%0d.2lf%%%%[/COLOR] %%%0d.2lf%%%% {", 6, 5);
  EXPECT_EQ(layout, L"[b]%-5s[/b] [COLOR=#FF0000]%6.2lf%%[/COLOR] %5.2lf%% {");
  EXPECT_EQ(Fmt(layout, L"UTG", 45.5, 3.25), L"[b]UTG  [/b] [COLOR=#FF0000] 45.50%[/COLOR]  3.25% {");
}

TEST(CStringFormat, FlagsWidthsAndLengths) {
  EXPECT_EQ(Fmt(L"[%+d|% d|%-4d|%04d|%.3d]", 5, 5, 5, -5, 7), L"[+5| 5|5   |-005|007]");
  EXPECT_EQ(Fmt(L"[%x|%#x|%#o|%o|%X]", 255u, 255u, 8u, 0u, 0xabcu), L"[ff|0xff|010|0|ABC]");
  EXPECT_EQ(Fmt(L"%u", -1), L"4294967295");
  EXPECT_EQ(Fmt(L"%hd", 70000), L"4464");
  EXPECT_EQ(Fmt(L"%I64d %lld %Id", 1LL << 40, -(1LL << 40), static_cast<INT_PTR>(1) << 33),
            L"1099511627776 -1099511627776 8589934592");
  EXPECT_EQ(Fmt(L"%d", INT_MIN), L"-2147483648");
  EXPECT_EQ(Fmt(L"[%*d|%-*s|%.*s]", 4, 7, 3, L"ab", 2, L"xyz"), L"[   7|ab |xy]");
  EXPECT_EQ(Fmt(L"%.3s|%5.1s|", L"abcdef", L"qrs"), L"abc|    q|");
  EXPECT_EQ(Fmt(L"%e|%g|%G", 12345.678, 0.0001, 1e20), L"1.234568e+04|0.0001|1E+20");
  EXPECT_EQ(Fmt(L"%.0f|%.1f|%8.3f|%-8.2f|", 0.4, -0.05, 3.14159, 2.5), L"0|-0.1|   3.142|2.50    |");
}

TEST(CStringFormat, StringArgumentsOfEveryKind) {
  CString wide(L"wide");
  CStringA narrow("narrow");
  // The string classes themselves can be passed for %s.
  EXPECT_EQ(Fmt(L"%s/%S/%hs/%ls", wide, narrow, "bytes", L"chars"), L"wide/narrow/bytes/chars");
  CStringA a;
  a.Format("%s/%S/%ls/%c", narrow, wide, L"w", 'z');
  EXPECT_EQ(a, "narrow/wide/w/z");
  EXPECT_EQ(Fmt(L"%s|%s", static_cast<const wchar_t*>(nullptr), L""), L"(null)|");
}

TEST(CStringFormat, MalformedFormatsAreSafe) {
  // Missing arguments read as zero or empty instead of reading the stack.
  EXPECT_EQ(Fmt(L"%d-%s-%0.1f"), L"0--0.0");
  EXPECT_EQ(Fmt(L"50%"), L"50%");
  EXPECT_EQ(Fmt(L"%y%d", 3), L"%y3");
  int written = 0;
  EXPECT_EQ(Fmt(L"a%nb", &written), L"ab");
  EXPECT_EQ(written, 0);
  // A number passed for %s is not dereferenced.
  EXPECT_EQ(Fmt(L"%s", 1234), L"(null)");
  EXPECT_EQ(Fmt(static_cast<const wchar_t*>(nullptr)), L"");
}

CString CallFormatV(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  CString s;
  s.FormatV(format, args);
  va_end(args);
  return s;
}

TEST(CStringFormat, FormatVReadsAVaList) {
  EXPECT_EQ(CallFormatV(L"%d|%s|%0.2lf|%I64d|%c", 7, L"seven", 7.0, 7LL << 33, L'x'),
            L"7|seven|7.00|60129542144|x");
}

TEST(CStringFormat, AppendFormatAndFormatMessage) {
  CString s(L"Board:");
  s.AppendFormat(L" %s%s", L"Ah", L"Kd");
  EXPECT_EQ(s, L"Board: AhKd");
  CString m;
  m.FormatMessage(L"%1 vs %2 (%3)", L"AA", CString(L"KK"));
  EXPECT_EQ(m, L"AA vs KK ()");
  m.FormatMessage(L"%1!d! hands", 12);
  EXPECT_EQ(m, L"12 hands");
}

TEST(CStringResources, LoadsStringsAndFormatsFromTheStringTable) {
  CString s;
  ASSERT_TRUE(s.LoadString(IDS_GREETING));
  EXPECT_EQ(s, L"Hello from the string table");
  EXPECT_FALSE(s.LoadString(9999));
  EXPECT_EQ(s, L"Hello from the string table");  // unchanged on failure
  CString byId(MAKEINTRESOURCE(IDS_GREETING));
  EXPECT_EQ(byId, L"Hello from the string table");
  CString f;
  f.Format(IDS_PLAYER_FORMAT, 9, L"random");
  EXPECT_EQ(f, L"Player9=random\n");
  CString two;
  AfxFormatString2(two, IDS_TWO_ARGS, L"AA", L"KK");
  EXPECT_EQ(two, L"AA against KK");
}

TEST(CStringExtraction, ClampsOutOfRangeArguments) {
  CString s(L"AsKdQh");
  EXPECT_EQ(s.Mid(2), L"KdQh");
  EXPECT_EQ(s.Mid(2, 2), L"Kd");
  EXPECT_EQ(s.Mid(-3, 2), L"As");
  EXPECT_EQ(s.Mid(4, 100), L"Qh");
  EXPECT_EQ(s.Mid(10), L"");
  EXPECT_EQ(s.Mid(1, -1), L"");
  EXPECT_EQ(s.Left(2), L"As");
  EXPECT_EQ(s.Left(-1), L"");
  EXPECT_EQ(s.Left(99), L"AsKdQh");
  EXPECT_EQ(s.Right(2), L"Qh");
  EXPECT_EQ(s.Right(99), L"AsKdQh");
  EXPECT_EQ(CString(L"123abc").SpanIncluding(L"0123456789"), L"123");
  EXPECT_EQ(CString(L"key=value").SpanExcluding(L"="), L"key");
}

TEST(CStringSearch, FindsCharactersAndSubstrings) {
  CString s(L"Player12=AA|KK");
  EXPECT_EQ(s.Find(L'='), 8);
  EXPECT_EQ(s.Find(L"Player"), 0);
  EXPECT_EQ(s.Find(L'K', 12), 12);
  EXPECT_EQ(s.Find(L'K', 14), -1);
  EXPECT_EQ(s.Find(L"zz"), -1);
  EXPECT_EQ(s.Find(L""), 0);
  EXPECT_EQ(s.Find(L"A", -5), 9);
  EXPECT_EQ(s.ReverseFind(L'K'), 13);
  EXPECT_EQ(s.ReverseFind(L'z'), -1);
  EXPECT_EQ(s.FindOneOf(L"|="), 8);
  EXPECT_EQ(s.FindOneOf(L""), -1);
}

TEST(CStringModification, ReplacesRemovesInsertsDeletes) {
  CString s(L"a*b*c");
  EXPECT_EQ(s.Replace(L'*', L'x'), 2);
  EXPECT_EQ(s, L"axbxc");
  CString t(L"aaaa");
  EXPECT_EQ(t.Replace(L"aa", L"b"), 2);
  EXPECT_EQ(t, L"bb");
  EXPECT_EQ(t.Replace(L"", L"z"), 0);
  CString path(L"a/b/c");
  EXPECT_EQ(path.Replace(L"/", L"-"), 2);
  EXPECT_EQ(path, L"a-b-c");
  CString blanks(L" A s K d ");
  EXPECT_EQ(blanks.Remove(L' '), 5);
  EXPECT_EQ(blanks, L"AsKd");
  EXPECT_EQ(blanks.Insert(2, L"|"), 5);
  EXPECT_EQ(blanks.Insert(99, L'!'), 6);
  EXPECT_EQ(blanks, L"As|Kd!");
  EXPECT_EQ(blanks.Delete(2), 5);
  EXPECT_EQ(blanks.Delete(3, 100), 3);
  EXPECT_EQ(blanks, L"AsK");
  EXPECT_EQ(blanks.Delete(10, 1), 3);
}

TEST(CStringModification, TrimsAndChangesCase) {
  CString s(L" \t AhKs \r\n");
  EXPECT_EQ(s.Trim(), L"AhKs");
  EXPECT_EQ(CString(L"xxAxx").Trim(L'x'), L"A");
  EXPECT_EQ(CString(L"-+A+-").TrimLeft(L"-+"), L"A+-");
  EXPECT_EQ(CString(L"-+A+-").TrimRight(L"-+"), L"-+A");
  EXPECT_EQ(CString(L"   ").Trim(), L"");
  EXPECT_EQ(CString(L"abc").MakeUpper(), L"ABC");
  EXPECT_EQ(CString(L"ÄBC").MakeLower(), L"äbc");
  EXPECT_EQ(CString(L"abc").MakeReverse(), L"cba");
  // The 8-bit string folds ASCII only: the range parser sees bytes unchanged.
  EXPECT_EQ(CStringA("aB\xe9").MakeUpper(), "AB\xe9");
}

TEST(CStringCompare, OrdinalCaseInsensitiveAndOperators) {
  CString a(L"Flop"), b(L"flop");
  EXPECT_NE(a, b);
  EXPECT_LT(a.Compare(b), 0);
  EXPECT_EQ(a.CompareNoCase(b), 0);
  EXPECT_EQ(a.CompareNoCase(L"FLOPS"), -1);
  EXPECT_TRUE(a == L"Flop");
  EXPECT_TRUE(L"Flop" == a);
  EXPECT_TRUE(a != L"Turn");
  EXPECT_TRUE(a < b);
  EXPECT_TRUE(CString(L"x") == L'x');
  EXPECT_EQ(a + L" " + b + L'!', L"Flop flop!");
  EXPECT_EQ(L'<' + a, L"<Flop");
}

TEST(CStringTokenize, SplitsRangeTextOnTheParsersDelimiters) {
  CString text(L"AA, KK|(QQ&!JJ)");
  int pos = 0;
  std::vector<CString> tokens;
  for (CString t = text.Tokenize(L",&!|() ", pos); pos != -1; t = text.Tokenize(L",&!|() ", pos))
    tokens.push_back(t);
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[0], L"AA");
  EXPECT_EQ(tokens[3], L"JJ");
  // No delimiters: the rest is one token, then the scan ends.
  int p = 2;
  EXPECT_EQ(text.Tokenize(L"", p), L", KK|(QQ&!JJ)");
  EXPECT_EQ(text.Tokenize(L"", p), L"");
  EXPECT_EQ(p, -1);
  int past = 99;
  EXPECT_EQ(text.Tokenize(L",", past), L"");
  EXPECT_EQ(past, -1);
}

TEST(CStringBuffer, GetBufferAndReleaseBuffer) {
  CString s;
  wchar_t* p = s.GetBuffer(10);
  wcscpy(p, L"Kc");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 2);
  EXPECT_EQ(s, L"Kc");
  p = s.GetBufferSetLength(4);
  p[2] = L'9';
  p[3] = L'h';
  s.ReleaseBuffer(4);
  EXPECT_EQ(s, L"Kc9h");
  s.Truncate(1);
  EXPECT_EQ(s, L"K");
  s.Truncate(10);
  EXPECT_EQ(s, L"K");
}

TEST(CStringAccess, OutOfRangeElementAccessRaises) {
  CString s(L"ab");
  EXPECT_EQ(s[1], L'b');
  EXPECT_EQ(s[size_t{0}], L'a');
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { s.GetAt(2); }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { s.SetAt(-1, L'x'); }));
  EXPECT_TRUE(fwtest::Raises<CInvalidArgException>([&] { (void)CString()[0]; }));
}

TEST(CStringConversion, NarrowAndWideConvertThroughTheCodePage) {
  CStringA narrow("Ah Kd");
  CString wide(narrow);
  EXPECT_EQ(wide, L"Ah Kd");
  CStringA back(wide);
  EXPECT_EQ(back, "Ah Kd");
  CString fromLiteral = "literal";
  EXPECT_EQ(fromLiteral, L"literal");
  CString repeated(L'-', 3);
  EXPECT_EQ(repeated, L"---");
  BSTR b = wide.AllocSysString();
  EXPECT_EQ(SysStringLen(b), 5u);
  SysFreeString(b);
}

TEST(AfxExtractSubString, ReturnsTheNthField) {
  CString field;
  EXPECT_TRUE(AfxExtractSubString(field, L"one\ntwo\nthree", 1));
  EXPECT_EQ(field, L"two");
  EXPECT_TRUE(AfxExtractSubString(field, L"a|b|", 2, L'|'));
  EXPECT_EQ(field, L"");
  EXPECT_FALSE(AfxExtractSubString(field, L"a|b", 5, L'|'));
}

}  // namespace
