// Plain text escaped for the markup draws exactly as it was typed, however it mixes the
// characters the markup gives a meaning to.
#include <gtest/gtest.h>

#include "controls/html/markup_escape.h"
#include "controls/html/markup_renderer.h"
#include "fake_surface.h"

namespace {

using namespace html;

std::wstring DrawnText(const std::wstring& markup) {
  MarkupRenderer renderer([](int) { return Colour{0}; });
  htmltest::FakeSurface surface;
  const Size s = renderer.Measure(surface, markup);
  renderer.Paint(surface, Rect{0, 0, s.cx, s.cy});
  std::wstring text;
  for (const auto& t : surface.texts) text += t.text;
  return text;
}

TEST(EscapeText, SpecialCharactersBecomeEntities) {
  EXPECT_EQ(EscapeText(L"a<b>&c"), L"a&lt;b&gt;&amp;c");
  EXPECT_EQ(EscapeText(L"&amp;"), L"&amp;amp;");
  EXPECT_EQ(EscapeText(L""), L"");
  EXPECT_EQ(EscapeText(L"KK/np \x00E9"), L"KK/np \x00E9");
}

TEST(EscapeText, EscapedTextDrawsAsTyped) {
  for (const wchar_t* typed : {L"AA<KK", L"<b>not bold</b>", L"Q&amp;A", L"x<<y", L"http://host/?a=1&b=2",
                               L"a < b & c > d", L"&lt;&"}) {
    EXPECT_EQ(DrawnText(EscapeText(typed)), typed) << typed;
  }
  // Unescaped, the same texts lose characters or become tags.
  EXPECT_NE(DrawnText(L"<b>not bold</b>"), L"<b>not bold</b>");
  EXPECT_NE(DrawnText(L"Q&amp;A"), L"Q&amp;A");
}

}  // namespace
