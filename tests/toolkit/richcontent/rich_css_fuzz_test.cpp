// A bounded fuzz run over CSS text: style sheets, style attributes, tag texts and the value
// grammars must take any input without crashing, hanging or touching memory they do not own
// (the sanitizer build checks). OV_FUZZ_ROUNDS makes longer runs by hand.
#include "tests/support/mutation_fuzzer.h"
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_handlers.h"

#include <gtest/gtest.h>

namespace {

using richtest::DocumentBuilder;

// Every token of every declaration goes through the grammars and the value parsers.
void FuzzProperty(CExtRichContentItem* item, CExtRichContentItem* declaration, CExtRichStyleRule& rule,
                  const CExtRichStyleDescription& parent) {
    CExtRichContentLayout* doc = item->GetLayout();
    int index = 0;
    const int count = static_cast<int>(declaration->m_listAttributes.GetCount());
    for (CExtRichContentItem* token : declaration->m_listAttributes) {
        const RichString& v = token->m_strValue;
        doc->ParseLength(v, true, parent, -1);
        doc->ParseColor(v, 0);
        doc->DecodeEntity(v);
        item->ParseBorderStyle(rule, v, true, true, true, true);
        item->ParseBorderColor(rule, v, true, false, true, false);
        item->ParseBorderWidth(rule, parent, v, true, true, true, true);
        item->ParseMargin(rule, parent, v, true, true, true, true);
        item->ParseFontFamily(rule, v);
        item->ParseFontWeight(rule, v);
        item->ParseFontSize(rule, parent, v);
        item->ParseLineHeight(rule, parent, v);
        item->ParseOutlineWidth(rule, parent, v);
        item->ParseListStyleImage(rule, parent, v);
        item->ParsePositionOffset(rule, parent, v, index % 4);
        item->ParseBackgroundImage(rule, parent, v);
        item->ParseBackgroundPosition(rule, parent, v, count, ++index);
        item->ResolveContentText(v);
    }
}

TEST(RichCssFuzz, StyleSheetsAndDeclarationsTakeAnyInput) {
    RichSetCssPropertyHandler(u"x", FuzzProperty);
    RichSetCssPropertyHandler(u"color", FuzzProperty);
    RichSetCssPropertyHandler(u"content", FuzzProperty);
    const std::vector<std::string> seeds = {
        "p { color: red; x: 1px solid #f80 } .a, h1:hover:focus { x: rgb(1%, 2, 3) }",
        "/* c */ a:first-line { content: \"(\" attr(title) \")\" } <!-- b { x: hsl(120, 100%, 50%) } -->",
        "div.x { x: 12pt 1.5em 50% -3px 2ex 1in 2cm 10mm 1pc; color: ThreeDLightShadow }",
        "q { x: url('list.png') center top; x: 'Times New Roman', serif; color: #12345 }",
        "img src=a.png alt=\"two words\" style=\"x: 1px; color: \\\"q\\\"\" title='it''s'",
        "x { x: 99999999999999999999px 1e400em -1e400% &#65; &amp; }",
    };
    ovtest::MutationFuzzer fuzzer(seeds);
    fuzzer.Run(20000, [](const std::string& input) {
        const RichString text = richtest::WidenFuzzBytes(input);
        CExtRichContentLayout css(text.c_str(), kRichTextCss, 0);

        DocumentBuilder d;
        CExtRichContentItem* p = d.Element(d.root, u"p");
        p->AddAttribute(u"class", u"a x");
        CExtRichContentItem* style = p->AddAttribute(u"style", text);
        style->ParseStyleAttribute();
        CExtRichContentItem* a = d.Element(p, u"a");
        a->m_states[RichUiState::Hover] = RichUiState::On;
        d.Text(a, u"w");
        CExtRichContentItem* tag = d.Element(d.root, text.c_str());
        tag->ParseTagText();
        d.doc.ParseStyleSheet(text);
        d.doc.m_listStyleSheets.AddTail(&css);
        d.doc.AttachSelf();
        CExtRichStyleDescription start;
        start.m_font.m_lf.lfHeight = -13;
        d.root->RefreshStyle(nullptr, start, true, true);
        a->MatchStateRule(a->m_states);
        d.doc.ParseColor(text, 0);
        d.doc.ParseLength(text, false, start, 0);
    });
    RichSetCssPropertyHandler(u"x", nullptr);
    RichSetCssPropertyHandler(u"color", nullptr);
    RichSetCssPropertyHandler(u"content", nullptr);
}

}  // namespace
