// Spaces between words in the laid-out lines: across element boundaries, across line feeds
// and with runs of blanks, which collapse to one space as wide as the font's space (the stand-in
// font: 8 pixels a character).
#include "tests/toolkit/richcontent/rich_layout_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using richtest::LaidOutPage;

// Text and left-right of every run below an item in document order: "text@left-right", blanks
// written as "_" and line feeds as "|".
void Describe(const CExtRichContentItem* item, std::string& out) {
    for (const CExtRichContentItem* child : item->m_listChildren) {
        if (child->m_nKind == kRichItemText || child->m_nKind == kRichItemWhiteSpace) {
            std::string text;
            for (char16_t c : child->m_strText)
                text.push_back(c == u' ' ? '_' : c == u'\n' ? '|' : static_cast<char>(c));
            out += (out.empty() ? "" : " ") + text + "@" + std::to_string(child->m_rcItem.left) + "-" +
                   std::to_string(child->m_rcItem.right);
        }
        Describe(child, out);
    }
}

struct SpacingCase {
    const char16_t* html;
    const char* runs;
};

class LayoutWhiteSpace : public ::testing::TestWithParam<SpacingCase> {};

TEST_P(LayoutWhiteSpace, WordsAreOneSpaceApart) {
    LaidOutPage page(GetParam().html, 1000);
    std::string runs;
    Describe(page.Id(u"p"), runs);
    EXPECT_EQ(runs, GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutWhiteSpace,
    ::testing::Values(
        // Blanks before, after and between inline elements.
        SpacingCase{u"<p id=p>The <b>most</b> common <a href=x>item</a></p>",
                    "The@0-24 _@24-32 most@32-64 _@64-72 common@72-120 _@120-128 item@128-160"},
        SpacingCase{u"<p id=p><b>a </b>b<i> c</i></p>", "a@0-8 _@8-16 b@16-24 _@24-32 c@32-40"},
        // A line feed of the source is a space; blanks, tabs and feeds together collapse to one.
        SpacingCase{u"<p id=p>most\ncommon   item \t\n  is</p>",
                    "most@0-32 _@32-40 common@40-88 _@88-96 item@96-128 _@128-136 is@136-152"},
        SpacingCase{u"<p id=p>range,\nand the <b>number</b>\n(<b># Combos</b>)</p>",
                    "range,@0-48 _@48-56 and@56-80 _@80-88 the@88-112 _@112-120 number@120-168 _@168-176 "
                    "(@176-184 #@184-192 _@192-200 Combos@200-248 )@248-256"},
        // No space where the source has none, even across a tag.
        SpacingCase{u"<p id=p>hand<b>pattern</b>s</p>", "hand@0-32 pattern@32-88 s@88-96"},
        // Blanks at the start and end of the paragraph take no room.
        SpacingCase{u"<p id=p>\n   word   \n</p>", "_@0-0 word@0-32 _@32-32"}));

}  // namespace
