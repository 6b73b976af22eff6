// The property-group value parsers, the value splitters and the content resolver.
#include "tests/toolkit/richcontent/rich_test_support.h"

#include <gtest/gtest.h>

using richtest::DocumentBuilder;
using richtest::Utf8;

namespace {

struct Parsers : DocumentBuilder {
    CExtRichContentItem* item = Element(root, u"p");
    CExtRichStyleRule rule;
    CExtRichStyleDescription parent;
    Parsers() {
        rule.Reset();
        parent.m_font.m_lf.lfHeight = -13;
    }
};

TEST(RichValueParsers, BoxEdges) {
    Parsers p;
    EXPECT_FALSE(p.item->ParseBorderStyle(p.rule, u"solid", false, false, false, false));
    EXPECT_TRUE(p.item->ParseBorderStyle(p.rule, u"hidden", true, false, false, false));
    EXPECT_EQ(p.rule.m_nBorderStyle[kRichSideLeft], RichCode::BorderHidden);
    EXPECT_TRUE(p.item->ParseBorderStyle(p.rule, u" INHERIT ", false, false, true, true));
    EXPECT_EQ(p.rule.m_nBorderStyle[kRichSideTop], RichCode::BorderInherit);
    EXPECT_FALSE(p.item->ParseBorderStyle(p.rule, u"wavy", true, true, true, true));
    EXPECT_EQ(p.rule.m_nBorderStyle[kRichSideRight], -1);

    EXPECT_TRUE(p.item->ParseBorderColor(p.rule, u"red", false, true, false, false));
    EXPECT_EQ(p.rule.m_clrBorder[kRichSideRight], RichRgb(255, 0, 0));
    EXPECT_FALSE(p.item->ParseBorderColor(p.rule, u"inherit", false, true, false, false));
    EXPECT_EQ(p.rule.m_clrBorder[kRichSideRight], kRichColorNone);
    EXPECT_TRUE(p.item->ParseBorderColor(p.rule, u"transparent", true, false, false, false));
    EXPECT_FALSE(p.item->ParseBorderColor(p.rule, u"nonsense", true, false, false, false));

    EXPECT_FALSE(p.item->ParseBorderWidth(p.rule, p.parent, u"thin", true, true, false, false));
    EXPECT_TRUE(p.item->ParseBorderWidth(p.rule, p.parent, u"2px", true, true, false, false));
    EXPECT_EQ(p.rule.m_rcBorderWidth, (RichRect{2, -1, 2, -1}));
    EXPECT_FALSE(p.item->ParseMargin(p.rule, p.parent, u"-2px", true, false, false, false));
    EXPECT_FALSE(p.item->ParsePadding(p.rule, p.parent, u"inherit", true, false, false, false));
    EXPECT_TRUE(p.item->ParsePadding(p.rule, p.parent, u"1em", false, false, true, true));
    EXPECT_EQ(p.rule.m_rcPadding, (RichRect{-1, 13, -1, 13}));
}

TEST(RichValueParsers, Fonts) {
    Parsers p;
    struct WeightCase {
        const char16_t* text;
        bool ok;
        int weight, delta;
    } weights[] = {{u"600", true, 600, 0},     {u"bold", true, 700, 0},  {u"normal", true, 400, 0},
                   {u"bolder", true, 0, 300},  {u"lighter", true, 0, -300}, {u"0", false, 0, 0},
                   {u"heavy", false, 0, 0},    {u"", false, 0, 0}};
    for (const WeightCase& c : weights) {
        CExtRichStyleRule r;
        EXPECT_EQ(p.item->ParseFontWeight(r, c.text), c.ok) << Utf8(c.text);
        EXPECT_EQ(r.m_nWeight, c.weight) << Utf8(c.text);
        EXPECT_EQ(r.m_nWeightDelta, c.delta) << Utf8(c.text);
    }
    struct SizeCase {
        const char16_t* text;
        bool ok;
        int size;
        double factor;
    } sizes[] = {{u"150%", true, 0, 1.5},  {u"12", true, 12, 1.0},   {u"0", false, 0, 1.0},
                 {u"larger", true, 0, 1.25}, {u"smaller", true, 0, 0.75}, {u"x-large", true, 24, 1.0},
                 {u"2em", true, 26, 1.0},  {u"inherit", true, 0, 1.0}, {u"-4px", true, 0, 1.0}};
    for (const SizeCase& c : sizes) {
        CExtRichStyleRule r;
        EXPECT_EQ(p.item->ParseFontSize(r, p.parent, c.text), c.ok) << Utf8(c.text);
        EXPECT_EQ(r.m_nFontSize, c.size) << Utf8(c.text);
        EXPECT_DOUBLE_EQ(r.m_dFontSizeFactor, c.factor) << Utf8(c.text);
    }
    CExtRichStyleRule r;
    EXPECT_TRUE(p.item->ParseLineHeight(r, p.parent, u"2"));
    EXPECT_EQ(r.m_nLineHeight, 26);
    EXPECT_TRUE(p.item->ParseLineHeight(r, p.parent, u"120%"));
    EXPECT_DOUBLE_EQ(r.m_dLineHeightFactor, 1.2);
    EXPECT_TRUE(p.item->ParseLineHeight(r, p.parent, u"normal"));
    EXPECT_EQ(r.m_nLineHeight, -1);
    EXPECT_FALSE(p.item->ParseLineHeight(r, p.parent, u"0"));
    EXPECT_TRUE(p.item->ParseFontStyle(r, u"Oblique"));
    EXPECT_EQ(r.m_nItalic, 1);
    EXPECT_FALSE(p.item->ParseFontStyle(r, u"slanted"));
    EXPECT_TRUE(p.item->ParseFontFamily(r, u"Verdana"));
    EXPECT_EQ(Utf8(r.m_strFontFamily), "verdana");
    EXPECT_TRUE(p.item->ParseFontFamily(r, u"menu"));
    EXPECT_EQ(Utf8(r.m_strFontFamily), "Tahoma");  // the stand-in platform's user-interface font
    EXPECT_FALSE(p.item->ParseFontFamily(r, u"inherit"));
}

TEST(RichValueParsers, OutlinesAndLists) {
    Parsers p;
    p.parent.m_nOutlineWidth = 9;
    p.parent.m_nListStyleType = RichCode::ListSquare;
    CExtRichStyleRule r;
    EXPECT_TRUE(p.item->ParseOutlineWidth(r, p.parent, u"medium"));
    EXPECT_EQ(r.m_nOutlineWidth, 5);
    EXPECT_FALSE(p.item->ParseOutlineWidth(r, p.parent, u"10%"));
    EXPECT_FALSE(p.item->ParseOutlineWidth(r, p.parent, u"4"));
    EXPECT_TRUE(p.item->ParseOutlineWidth(r, p.parent, u"inherit"));
    EXPECT_EQ(r.m_nOutlineWidth, 9);
    EXPECT_TRUE(p.item->ParseOutlineColor(r, p.parent, u"invert"));
    EXPECT_EQ(r.m_clrOutline, 0u);
    EXPECT_TRUE(p.item->ParseOutlineStyle(r, p.parent, u"ridge"));
    EXPECT_EQ(r.m_nOutlineStyle, RichCode::OutlineRidge);

    EXPECT_TRUE(p.item->ParseListStyleImage(r, p.parent, u"url('list.png')"));
    EXPECT_EQ(Utf8(r.m_strListStyleImage), "list.png");
    EXPECT_TRUE(p.item->ParseListStyleImage(r, p.parent, u"url(rules.png)"));
    EXPECT_EQ(Utf8(r.m_strListStyleImage), "rules.png");
    EXPECT_FALSE(p.item->ParseListStyleImage(r, p.parent, u"rules.png"));
    EXPECT_TRUE(p.item->ParseListStyleImage(r, p.parent, u"none"));
    EXPECT_TRUE(r.m_strListStyleImage.empty());
    EXPECT_TRUE(p.item->ParseListStyleType(r, p.parent, u"upper-roman"));
    EXPECT_EQ(r.m_nListStyleType, RichCode::ListUpperRoman);
    EXPECT_TRUE(p.item->ParseListStyleType(r, p.parent, u"inherit"));
    EXPECT_EQ(r.m_nListStyleType, RichCode::ListSquare);
    EXPECT_FALSE(p.item->ParseListStylePosition(r, p.parent, u"middle"));
}

TEST(RichValueParsers, PositionOffsetsAndBackgrounds) {
    Parsers p;
    CExtRichStyleRule r;
    p.item->ParsePositionOffset(r, p.parent, u"-5px", 0);
    p.item->ParsePositionOffset(r, p.parent, u"25%", 1);
    p.item->ParsePositionOffset(r, p.parent, u"auto", 2);
    EXPECT_EQ(r.m_rcPosition.left, -5);
    EXPECT_EQ(r.m_rcPositionPercent.left, kRichUnsetPixels);
    EXPECT_EQ(r.m_rcPosition.top, kRichUnsetPixels);
    EXPECT_EQ(r.m_rcPositionPercent.top, 25);
    EXPECT_EQ(r.m_rcPosition.right, kRichUnsetPixels);

    EXPECT_TRUE(p.item->ParseBackgroundImage(r, p.parent, u"url('bg.png')"));
    EXPECT_EQ(Utf8(r.m_strBackgroundImage), "bg.png");
    EXPECT_EQ(r.m_nBackgroundPosKind, RichCode::BackgroundPixelsOrImage);
    EXPECT_TRUE(p.item->ParseBackgroundColor(r, p.parent, u"transparent"));
    EXPECT_EQ(r.m_clrBackground, kRichColorTransparent);
    EXPECT_FALSE(p.item->ParseBackgroundRepeat(r, u"sometimes"));
    EXPECT_TRUE(p.item->ParseBackgroundRepeat(r, u"repeat-y"));
    EXPECT_EQ(r.m_nBackgroundRepeat, RichCode::RepeatY);

    struct Case {
        std::vector<const char16_t*> tokens;
        bool lastOk;
        int keywords, kind, x, y;
    } cases[] = {
        {{u"left"}, true, 9, RichCode::BackgroundKeywords, -1, -1},
        {{u"center", u"top"}, true, 6, RichCode::BackgroundKeywords, -1, -1},
        {{u"center", u"bottom"}, true, 14, RichCode::BackgroundKeywords, -1, -1},
        {{u"left", u"bottom"}, true, 13, RichCode::BackgroundKeywords, -1, -1},
        {{u"10%", u"20px"}, false, 0, RichCode::BackgroundNone, 10, -1},
        {{u"150%", u"-5%"}, true, 0, RichCode::BackgroundPercent, 100, 0},
        {{u"3px", u"4px"}, true, 0, RichCode::BackgroundPixelsOrImage, 3, 4},
        {{u"middle"}, false, 0, RichCode::BackgroundNone, -1, -1},
    };
    for (const Case& c : cases) {
        CExtRichStyleRule rule;
        bool ok = false;
        for (std::size_t i = 0; i < c.tokens.size(); ++i)
            ok = p.item->ParseBackgroundPosition(rule, p.parent, c.tokens[i], static_cast<int>(c.tokens.size()),
                                                 static_cast<int>(i + 1));
        const std::string what = Utf8(c.tokens[0]);
        EXPECT_EQ(ok, c.lastOk) << what;
        EXPECT_EQ(rule.m_nBackgroundPosKeywords, c.keywords) << what;
        EXPECT_EQ(rule.m_nBackgroundPosKind, c.kind) << what;
        EXPECT_EQ(rule.m_ptBackgroundPos.x, c.x) << what;
        EXPECT_EQ(rule.m_ptBackgroundPos.y, c.y) << what;
    }
    CExtRichStyleRule rule;
    EXPECT_FALSE(p.item->ParseBackgroundPosition(rule, p.parent, u"left", 3, 1));
}

std::string Tokens(CExtRichContentItem* style, const char16_t* value, bool content) {
    RichItemList tokens;
    if (content)
        style->SplitContentValue(tokens, value);
    else
        style->SplitDeclarationValue(tokens, value);
    std::string out;
    while (CExtRichContentItem* t = tokens.RemoveHead()) {
        out += "<" + Utf8(t->m_strValue) + ">";
        delete t;
    }
    return out;
}

TEST(RichValueParsers, Splitters) {
    DocumentBuilder d;
    CExtRichContentItem* e = d.Element(d.root, u"p");
    CExtRichContentItem* style = e->AddAttribute(u"style", u"");
    style->m_nKind = kRichItemStyleAttribute;
    struct Case {
        const char16_t* value;
        bool content;
        const char* tokens;
    } cases[] = {
        {u"1px solid  red", false, "<1px><solid><red>"},
        {u"'Times New Roman', serif", false, "<Times New Roman><serif>"},
        {u"rgb(1, 2, 3) url(a b)", false, "<rgb(1,2,3)><url(ab)>"},
        {u"12px/14px", false, "<12px/14px>"},
        {u"12px / 14px", false, "<12px / 14px>"},
        {u" , ,", false, ""},
        {u"", true, "<none>"},
        {u"\"\"", true, "<none>"},
        {u"\"(\" attr(TITLE) \")\"", true, "<(attr(title))>"},
        {u"open-quote", true, "<open-quote>"},
        {u"'unbalanced", true, "<'unbalanced>"},
    };
    for (const Case& c : cases) EXPECT_EQ(Tokens(style, c.value, c.content), c.tokens) << Utf8(c.value);
    // Only a parsed style attribute splits.
    CExtRichContentItem* plain = e->AddAttribute(u"title", u"");
    EXPECT_EQ(Tokens(plain, u"a b", false), "");
}

TEST(RichValueParsers, ContentText) {
    DocumentBuilder d;
    CExtRichContentItem* e = d.Element(d.root, u"q");
    e->AddAttribute(u"title", u"Hi");
    EXPECT_EQ(Utf8(e->ResolveContentText(u"open-quote attr(title) close-quote")), "\" Hi \"");
    EXPECT_EQ(Utf8(e->ResolveContentText(u"none")), "");
    EXPECT_EQ(Utf8(e->ResolveContentText(u"[attr( 'TITLE' )][attr(missing)]")), "[Hi][]");
    EXPECT_EQ(Utf8(e->ResolveContentText(u"attr(title")), "Hi");  // unterminated reference
}

}  // namespace
