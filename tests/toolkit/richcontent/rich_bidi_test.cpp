// ReorderRightToLeft on real text: Hebrew and Arabic from the Unicode data, numbers, mirrored
// brackets, line ends, controls, characters beyond the basic plane.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/richcontent/rich_bidi.h"

namespace {



struct Case {
  const char* name;
  RichString input;
  bool singleLine;
  int baseLevel;
  RichString expected;
};

TEST(Bidi, ClassesComeFromTheUnicodeData) {
  EXPECT_EQ(rich::BidiClassOf(U'a'), rich::kBidiL);
  EXPECT_EQ(rich::BidiClassOf(U'Z'), rich::kBidiL);
  EXPECT_EQ(rich::BidiClassOf(U'['), rich::kBidiON);
  EXPECT_EQ(rich::BidiClassOf(U'7'), rich::kBidiEN);
  EXPECT_EQ(rich::BidiClassOf(0x05D0), rich::kBidiR);    // alef
  EXPECT_EQ(rich::BidiClassOf(0x0627), rich::kBidiAL);   // Arabic alef
  EXPECT_EQ(rich::BidiClassOf(0x0661), rich::kBidiAN);   // Arabic-Indic one
  EXPECT_EQ(rich::BidiClassOf(0x05B4), rich::kBidiNSM);  // hiriq
  EXPECT_EQ(rich::BidiClassOf(0x202B), rich::kBidiRLE);
  EXPECT_EQ(rich::BidiClassOf(0x2067), rich::kBidiRLI);
  EXPECT_EQ(rich::BidiClassOf(0x2029), rich::kBidiB);
  EXPECT_EQ(rich::BidiClassOf(0x10900), rich::kBidiR);   // beyond the basic plane
  EXPECT_EQ(rich::BidiClassOf(0x05FF), rich::kBidiR);    // unassigned in a Hebrew block: R by default
  EXPECT_EQ(rich::BidiMirrorOf(U'('), U')');
  EXPECT_EQ(rich::BidiMirrorOf(U'\u00AB'), U'\u00BB');
  EXPECT_EQ(rich::BidiMirrorOf(U'a'), U'a');
}

TEST(Bidi, ReordersRealTextForDrawing) {
  const Case cases[] = {
      {"Hebrew word", u"\u05E9\u05DC\u05D5\u05DD", true, 1, u"\u05DD\u05D5\u05DC\u05E9"},
      {"Latin stays", u"abc def", true, 1, u"abc def"},
      {"Latin then Hebrew", u"abc \u05D0\u05D1\u05D2", true, 1, u"\u05D2\u05D1\u05D0 abc"},
      {"Arabic with digits", u"\u0627\u0644\u0639\u062F\u062F 123", true, 1, u"123 \u062F\u062F\u0639\u0644\u0627"},
      {"Hebrew with a number range", u"\u05D0 10-20", true, 1, u"10-20 \u05D0"},
      {"mirrored parentheses", u"\u05D0(\u05D1)", true, 1, u"(\u05D1)\u05D0"},
      {"brackets kept in captions", u"[abc]", true, 1, u"[abc]"},
      {"bracketed Latin after Hebrew", u"\u05D0 [abc]", true, 1, u"[abc] \u05D0"},
      {"left-to-right paragraph", u"abc \u05D0\u05D1", true, 0, u"abc \u05D1\u05D0"},
      {"direction from the text", u"\u05D0\u05D1 abc", true, -1, u"abc \u05D1\u05D0"},
      {"line breaks removed in one line", u"\u05D0\r\n\u05D1\n", true, 1, u"\u05D1\u05D0"},
      {"lines reordered apart", u"\u05D0\u05D1\r\n\u05D2\u05D3", false, 1, u"\u05D1\u05D0\r\n\u05D3\u05D2"},
      {"repeated line ends kept", u"\u05D0\u05D1\n\n\u05D2\u05D3\n", false, 1, u"\u05D1\u05D0\n\n\u05D3\u05D2\n"},
      {"embedding controls removed", u"\u202Babc\u202C d", true, 0, u"abc d"},
      {"override reverses Latin", u"\u202Eabc\u202C", true, 0, u"cba"},
      {"isolate keeps its content apart", u"\u05D0 \u2066abc 1\u2069", true, 1, u"abc 1 \u05D0"},
      {"joiners stay", u"\u0644\u200D\u0627", true, 1, u"\u0627\u200D\u0644"},
      {"tab is a control", u"a\tb", true, 0, u"ab"},
      {"surrogate pairs stay whole", u"\U00010900\U00010901", true, 1, u"\U00010901\U00010900"},
      {"paragraph separator splits", u"\u05D0\u05D1\u2029cd", true, -1, u"\u2029\u05D1\u05D0cd"},
  };
  for (const Case& c : cases) {
    RichString text = c.input;
    EXPECT_TRUE(rich::ReorderRightToLeft(text, c.singleLine, c.baseLevel, true, -1, true)) << c.name;
    EXPECT_EQ(text, c.expected) << c.name;
  }
}

TEST(Bidi, MirroringAndCleaningCanBeTurnedOff) {
  RichString text = u"\u05D0(\u05D1)";
  EXPECT_TRUE(rich::ReorderRightToLeft(text, true, 1, false, -1, true));
  EXPECT_EQ(text, u")\u05D1(\u05D0");
  text = u"\u202Babc\u202C";
  EXPECT_TRUE(rich::ReorderRightToLeft(text, true, 0, true, -1, false));
  EXPECT_EQ(text, u"\u202Babc\u202C");
  // Letter case never changes.
  text = u"Hello \u05D0";
  EXPECT_TRUE(rich::ReorderRightToLeft(text, true, 1, true, -1, true));
  EXPECT_EQ(text, u"\u05D0 Hello");
}

TEST(Bidi, EmptyAndControlOnlyTexts) {
  RichString empty;
  EXPECT_TRUE(rich::ReorderRightToLeft(empty));
  EXPECT_TRUE(empty.empty());
  RichString breaks = u"\r\n";
  EXPECT_TRUE(rich::ReorderRightToLeft(breaks));
  EXPECT_TRUE(breaks.empty());
  // Only controls: nothing to draw, so false; the line breaks are gone, the rest stays.
  RichString controls = u"\x01\r\n\x02";
  EXPECT_FALSE(rich::ReorderRightToLeft(controls));
  EXPECT_EQ(controls, u"\x01\x02");
  // Per line: the failing line stays as it was, the others are reordered.
  RichString lines = u"\x01\n\u05D0\u05D1";
  EXPECT_FALSE(rich::ReorderRightToLeft(lines, false));
  EXPECT_EQ(lines, u"\x01\n\u05D1\u05D0");
}

TEST(Bidi, EmbeddingsBeyondTheDeepestLevelAreIgnored) {
  // 63 RLEs reach level 125; the 64th overflows, and its PDF cancels that overflow only.
  std::vector<rich::BidiClass> classes(64, rich::kBidiRLE);
  classes.push_back(rich::kBidiPDF);
  classes.push_back(rich::kBidiL);
  const rich::BidiLevels got = rich::ResolveBidiLevels(classes, nullptr, 0);
  EXPECT_EQ(got.levels.back(), 126);  // L at the odd level 125 goes one up
  EXPECT_EQ(got.levels[0], -1);       // the controls themselves are set aside
  classes.push_back(rich::kBidiPDF);  // now the innermost real embedding ends
  classes.push_back(rich::kBidiL);
  EXPECT_EQ(rich::ResolveBidiLevels(classes, nullptr, 0).levels.back(), 124);
}

}  // namespace
