// The application-wide font cache.
#include <gtest/gtest.h>

#include <cstring>

#include "controls/font_container.h"

namespace {

LOGFONTW LogFontOf(CFont* font) {
  LOGFONTW lf;
  std::memset(&lf, 0, sizeof lf);
  font->GetLogFont(&lf);
  return lf;
}

TEST(FontContainer, SameRequestSameFont) {
  CFontContainer fonts;
  CFont* a = fonts.GetFont(L"Tahoma", 14, 0, 0, 0);
  CFont* b = fonts.GetFont(L"Tahoma", 14, 0, 0, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_NE(a->GetSafeHandle(), nullptr);
  EXPECT_EQ(fonts.GetCount(), 1);
}

TEST(FontContainer, EachDifferenceIsAnEntry) {
  CFontContainer fonts;
  CFont* plain = fonts.GetFont(L"Arial", 14, 0, 0, 0);
  CFont* bold = fonts.GetFont(L"Arial", 14, 1, 0, 0);
  CFont* italic = fonts.GetFont(L"Arial", 14, 0, 1, 0);
  CFont* underline = fonts.GetFont(L"Arial", 14, 0, 0, 1);
  CFont* taller = fonts.GetFont(L"Arial", 20, 0, 0, 0);
  CFont* otherFace = fonts.GetFont(L"Tahoma", 14, 0, 0, 0);
  CFont* all[] = {plain, bold, italic, underline, taller, otherFace};
  for (size_t i = 0; i < 6; ++i)
    for (size_t j = i + 1; j < 6; ++j) EXPECT_NE(all[i], all[j]) << i << " and " << j;
  EXPECT_EQ(fonts.GetCount(), 6);
  // Any non-zero bold flag is the same request.
  EXPECT_EQ(fonts.GetFont(L"Arial", 14, 7, 0, 0), bold);
}

TEST(FontContainer, LogicalFontOfARequest) {
  CFontContainer fonts;
  LOGFONTW lf = LogFontOf(fonts.GetFont(L"Arial", 20, 1, 1, 0));
  EXPECT_EQ(lf.lfHeight, 20);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_EQ(lf.lfUnderline, 0);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(lf.lfQuality, DEFAULT_QUALITY);
  EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH);
  EXPECT_STREQ(lf.lfFaceName, L"Arial");
  EXPECT_EQ(LogFontOf(fonts.GetFont(L"Arial", 20, 0, 0, 0)).lfWeight, FW_NORMAL);
}

TEST(FontContainer, WingdingsExactlyIsASymbolFont) {
  CFontContainer fonts;
  EXPECT_EQ(LogFontOf(fonts.GetFont(L"Wingdings", 14, 0, 0, 0)).lfCharSet, SYMBOL_CHARSET);
  EXPECT_EQ(LogFontOf(fonts.GetFont(L"wingdings", 14, 0, 0, 0)).lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(LogFontOf(fonts.GetFont(L"Wingdings 2", 14, 0, 0, 0)).lfCharSet, ANSI_CHARSET);
}

TEST(FontContainer, KeyIsEveryByteOfTheLogicalFont) {
  CFontContainer fonts;
  LOGFONTW clean;
  std::memset(&clean, 0, sizeof clean);
  clean.lfHeight = 14;
  std::wcscpy(clean.lfFaceName, L"Tahoma");
  LOGFONTW dirty = clean;
  dirty.lfFaceName[LF_FACESIZE - 1] = L'x';  // after the terminating zero
  CFont* a = fonts.FindOrCreate(clean);
  CFont* b = fonts.FindOrCreate(dirty);
  EXPECT_NE(a, b);
  EXPECT_EQ(fonts.FindOrCreate(clean), a);
  EXPECT_EQ(fonts.FindOrCreate(dirty), b);
  EXPECT_EQ(fonts.GetCount(), 2);
}

TEST(FontContainer, RequestsReadBackFromAFontMatchTheFont) {
  // Labels start from the logical font of a cached font and change one field.
  CFontContainer fonts;
  CFont* base = fonts.GetFont(L"Tahoma", 14, 0, 0, 0);
  LOGFONTW lf = LogFontOf(base);
  EXPECT_EQ(fonts.FindOrCreate(lf), base);
  lf.lfWeight = FW_BOLD;
  CFont* bold = fonts.FindOrCreate(lf);
  EXPECT_NE(bold, base);
  EXPECT_EQ(fonts.GetFont(L"Tahoma", 14, 1, 0, 0), bold);
}

TEST(FontContainer, RemoveAllDeletesTheFonts) {
  CFontContainer fonts;
  HGDIOBJ handle = fonts.GetFont(L"Tahoma", 14, 0, 0, 0)->GetSafeHandle();
  ASSERT_NE(handle, nullptr);
  EXPECT_NE(::GetObjectType(handle), 0u);
  fonts.RemoveAll();
  EXPECT_EQ(fonts.GetCount(), 0);
  EXPECT_EQ(::GetObjectType(handle), 0u) << "the GDI font is gone";
  EXPECT_NE(fonts.GetFont(L"Tahoma", 14, 0, 0, 0), nullptr);
}

TEST(FontContainer, LongFaceNameIsCutToTheField) {
  CFontContainer fonts;
  const wchar_t* longName = L"A face name that is far longer than thirty-one characters";
  CFont* a = fonts.GetFont(longName, 14, 0, 0, 0);
  EXPECT_EQ(fonts.GetFont(longName, 14, 0, 0, 0), a);
  EXPECT_EQ(LogFontOf(a).lfFaceName[LF_FACESIZE - 1], L'\0');
}

}  // namespace
