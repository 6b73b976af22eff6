// The plain-caption reader: words, space runs, tabs, line breaks and "&" mnemonics as the
// DrawText flags say; the kind detector and the angle normaliser of the drawing entry.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/richcontent/rich_layout.h"

namespace {

constexpr unsigned kSingleLine = 0x20, kExpandTabs = 0x40, kNoPrefix = 0x800, kEndEllipsis = 0x8000,
                   kHidePrefix = 0x100000, kPrefixOnly = 0x200000;

// The paragraph's runs: "w:" words, "s:" space runs, "br", with "_" after a mnemonic run and
// "!" after a prefix-only one.
std::string Runs(const char16_t* text, unsigned flags) {
  CExtRichContentLayout doc;
  doc.m_nLineHeight = 16;
  EXPECT_TRUE(doc.ParsePlainText(text, flags, 0, true));
  EXPECT_EQ(doc.m_nDocKind, kRichTextPlain);
  CExtRichContentItem* root = doc.GetRoot();
  if (!root) return "(none)";
  CExtRichContentItem* para = root->m_listChildren.GetHead();
  std::string out;
  for (CExtRichContentItem* run : para->m_listChildren) {
    if (!out.empty()) out += ' ';
    if (run->m_nKind == kRichItemElement) {
      out += "br";
    } else {
      out += run->m_nKind == kRichItemText ? "w:" : "s:";
      for (char16_t c : run->m_strName) out += c == u'\n' ? '~' : c == u'\t' ? '>' : static_cast<char>(c);
    }
    if (run->m_nReaderFlags & kRichRunMnemonic) out += '_';
    if (run->m_nReaderFlags & kRichRunPrefixOnly) out += '!';
  }
  return out;
}

TEST(PlainCaption, RunsAndMnemonics) {
  const struct {
    const char16_t* text;
    unsigned flags;
    const char* runs;
  } cases[] = {
      {u"&File", 0, "w:F_ w:ile"},
      {u"&File", kHidePrefix, "w:F w:ile"},
      {u"&File", kNoPrefix, "w:&File"},
      {u"A&&B", 0, "w:A&B"},
      {u"&A&B", 0, "w:A w:B_"},  // only the last mnemonic of a line keeps its flag
      {u"two  words", 0, "w:two s:   w:words"},
      {u"a\nb", 0, "w:a br w:b"},
      {u"a\nb", kSingleLine, "w:a w:~ w:b"},
      {u"a\r\nb", 0, "w:a br w:b"},
      {u"end\n", 0, "w:end br s:"},
      {u"\nx", 0, "s: br w:x"},
      {u"a\n\nb", 0, "w:a br s: br w:b"},
      {u"a\tb", 0, "w:a w:> w:b"},
      {u"a\tb", kExpandTabs, "w:a s:> w:b"},
      {u"& x", 0, "s: _ w:x"},
      {u"&F", kPrefixOnly, "w:F_!"},
      {u"ab cd", kEndEllipsis, "w:a w:b s:  w:c w:d"},
  };
  for (const auto& c : cases) EXPECT_EQ(Runs(c.text, c.flags), c.runs) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
}

TEST(PlainCaption, EmptyTextAndLineHeights) {
  CExtRichContentLayout doc;
  EXPECT_TRUE(doc.ParsePlainText(u"", 0, 0, true));
  EXPECT_TRUE(doc.m_listItems.IsEmpty());
  EXPECT_TRUE(doc.ParsePlainText(nullptr, 0, 0, true));
  EXPECT_TRUE(doc.m_listItems.IsEmpty());
  doc.m_nLineHeight = 16;
  doc.ParsePlainText(u"a\n\nb", 0, 0, true);
  CExtRichContentItem* para = doc.GetRoot()->m_listChildren.GetHead();
  std::vector<CExtRichContentItem*> runs;
  for (CExtRichContentItem* run : para->m_listChildren) runs.push_back(run);
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_EQ(runs[0]->m_nMinHeightHint, 16);
  EXPECT_EQ(runs[1]->m_nMinHeightHint, 0);
  // The empty line between the breaks is as high as the others.
  EXPECT_EQ(runs[2]->m_nMinHeightHint, 16);
}

TEST(PlainCaption, KindDetectionAndAngles) {
  EXPECT_EQ(DetectRichTextKind(u"File", -1), kRichTextPlain);
  EXPECT_EQ(DetectRichTextKind(nullptr, -1), kRichTextPlain);
  EXPECT_EQ(DetectRichTextKind(u"<htm", -1), kRichTextPlain);
  EXPECT_EQ(DetectRichTextKind(u"<html", -1), kRichTextHtml);
  EXPECT_EQ(DetectRichTextKind(u"<html>", 4), kRichTextPlain);
  EXPECT_EQ(DetectRichTextKind(u"  \t<HTML><b>x</b>", -1), kRichTextHtml);
  EXPECT_EQ(DetectRichTextKind(u"<h t m l>", -1), kRichTextHtml);
  EXPECT_EQ(DetectRichTextKind(u"<!DOCTYPE html>", -1), kRichTextPlain);
  EXPECT_EQ(DetectRichTextKind(u"x <html>", -1), kRichTextHtml);  // text before the first "<" is skipped
  const int angles[][2] = {{0, 0},   {359, 0},  {-1, 0},    {-45, 0},   {405, 90},  {-90, 270},
                           {44, 0},  {45, 90},  {134, 90},  {135, 180}, {314, 270}, {315, 0}};
  for (const auto& a : angles) EXPECT_EQ(NormalizeTextAngle(a[0]), a[1]) << a[0];
}

}  // namespace
