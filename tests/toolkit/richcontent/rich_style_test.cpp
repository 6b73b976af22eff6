// Font descriptions and the transfer of a rule's declared values into a computed description.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_style.h"

#include <gtest/gtest.h>

#include <functional>
#include <unordered_set>

namespace {

CExtRichFontDescription Font(const char16_t* face, int height) {
    CExtRichFontDescription f;
    f.SetFaceName(face);
    f.m_lf.lfHeight = height;
    f.m_lf.lfWeight = 400;
    return f;
}

TEST(RichFontDescription, ComparisonOrderAndHashing) {
    const CExtRichFontDescription base = Font(u"Tahoma", -13);
    struct Case {
        const char* what;
        std::function<void(CExtRichFontDescription&)> change;
        int expected;  // base compared with the changed one
    } cases[] = {
        {"same", [](auto&) {}, 0},
        {"face", [](auto& f) { f.SetFaceName(u"Verdana"); }, -1},
        {"height", [](auto& f) { f.m_lf.lfHeight = -12; }, -1},
        {"weight", [](auto& f) { f.m_lf.lfWeight = 700; }, -1},
        {"line height", [](auto& f) { f.m_nLineHeight = 20; }, -1},
        {"line-height factor only", [](auto& f) { f.m_dLineHeightFactor = 1.5; }, -1},
        {"italic false sorts first", [](auto& f) { f.m_lf.lfItalic = 1; }, -1},
        {"italic 1 and 255 both true", [](auto&) {}, 0},
        {"charset", [](auto& f) { f.m_lf.lfCharSet = 0; }, 1},
        {"quality", [](auto& f) { f.m_lf.lfQuality = 5; }, -1},
    };
    for (const Case& c : cases) {
        CExtRichFontDescription other = base;
        c.change(other);
        EXPECT_EQ(base.Compare(other), c.expected) << c.what;
        EXPECT_EQ(other.Compare(base), -c.expected) << c.what;
        EXPECT_EQ(base == other, c.expected == 0) << c.what;
        if (c.expected == 0) {
            EXPECT_EQ(base.Hash(), other.Hash()) << c.what;
        }
    }
    CExtRichFontDescription a = base, b = base;
    a.m_lf.lfItalic = 1;
    b.m_lf.lfItalic = 255;
    EXPECT_EQ(a.Compare(b), 0);
    EXPECT_EQ(a.Hash(), b.Hash());

    std::unordered_set<CExtRichFontDescription, RichFontDescriptionHash> set;
    for (int h = -8; h >= -40; --h) set.insert(Font(u"Tahoma", h));
    set.insert(Font(u"Tahoma", -13));
    EXPECT_EQ(set.size(), 33u);
}

TEST(RichFontDescription, DefaultsAndLongFaceNames) {
    CExtRichFontDescription f;
    EXPECT_EQ(f.m_lf.lfCharSet, kRichDefaultCharset);
    EXPECT_EQ(f.m_nLineHeight, -1);
    EXPECT_EQ(f.m_dLineHeightFactor, 1.0);
    EXPECT_TRUE(f.GetFaceName().empty());

    const RichString longName = u"An Extraordinarily Long Font Family Name Beyond Limits";
    f.SetFaceName(longName);
    EXPECT_EQ(f.GetFaceName(), longName.substr(0, 31));
    EXPECT_EQ(f.m_lf.lfFaceName[31], 0);
    f.SetFaceName(u"Arial");
    EXPECT_EQ(f.GetFaceName(), u"Arial");  // no tail of the longer name stays behind
    EXPECT_EQ(f.m_lf.lfFaceName[6], 0);

    // A rule's face name goes through the same cut.
    CExtRichStyleRule rule;
    rule.m_strFontFamily = longName;
    CExtRichStyleDescription d;
    rule.ComputeDescription(CExtRichStyleDescription(), d);
    EXPECT_EQ(d.m_font.GetFaceName(), longName.substr(0, 31));
}

TEST(RichFontDescription, EscapementAndUnderlineForAngles) {
    const CExtRichFontDescription f = Font(u"Tahoma", -13);
    struct Case {
        int angle;
        bool underline;
        int escapement;
        int underlined;
    } cases[] = {{0, false, 0, 0}, {0, true, 0, 1}, {90, false, 2700, 0}, {270, false, 900, 0}, {180, true, 1800, 1}};
    for (const Case& c : cases) {
        const RichLogFont lf = f.LogFontFor(c.angle, c.underline);
        EXPECT_EQ(lf.lfEscapement, c.escapement) << c.angle;
        EXPECT_EQ(lf.lfUnderline, c.underlined) << c.angle;
    }
}

// Computes a description from a rule over a parent made by `parent`.
CExtRichStyleDescription Compute(const std::function<void(CExtRichStyleRule&)>& declare,
                                 const std::function<void(CExtRichStyleDescription&)>& parent = {}) {
    CExtRichStyleDescription p;
    p.m_font = Font(u"Tahoma", -16);
    if (parent) parent(p);
    CExtRichStyleRule rule;
    rule.Reset();
    declare(rule);
    CExtRichStyleDescription d;
    rule.ComputeDescription(p, d);
    return d;
}

TEST(RichStyleTransfer, FontSizesAndWeights) {
    EXPECT_EQ(Compute([](auto& r) { r.m_dFontSizeFactor = 1.25; }).m_font.m_lf.lfHeight, -20);
    EXPECT_EQ(Compute([](auto& r) { r.m_nFontSizeStep = 2; }).m_font.m_lf.lfHeight, -18);
    EXPECT_EQ(Compute([](auto& r) { r.m_nFontSizeStep = -20; }).m_font.m_lf.lfHeight, -1);
    EXPECT_EQ(Compute([](auto& r) { r.m_nFontSize = 24; }).m_font.m_lf.lfHeight, -24);
    auto weight = [](int parentWeight, int delta) {
        return Compute([&](auto& r) { r.m_nWeightDelta = delta; },
                       [&](auto& p) { p.m_font.m_lf.lfWeight = parentWeight; })
            .m_font.m_lf.lfWeight;
    };
    EXPECT_EQ(weight(800, 300), 900);
    EXPECT_EQ(weight(300, -300), 100);
    EXPECT_EQ(Compute([](auto& r) { r.m_nWeight = 50; }).m_font.m_lf.lfWeight, 100);
    const auto italic = Compute([](auto& r) { r.m_nItalic = 1; r.m_nUnderline = -1; },
                                [](auto& p) { p.m_font.m_lf.lfUnderline = 1; });
    EXPECT_EQ(italic.m_font.m_lf.lfItalic, 1);
    EXPECT_EQ(italic.m_font.m_lf.lfUnderline, 0);
}

TEST(RichStyleTransfer, VisibilityVisibleOverridesAnInheritedHidden) {
    auto hiddenParent = [](auto& p) { p.m_nVisibility = RichCode::VisibilityHidden; };
    EXPECT_EQ(Compute([](auto&) {}, hiddenParent).m_nVisibility, RichCode::VisibilityHidden);  // inherited
    EXPECT_EQ(Compute([](auto& r) { r.m_nVisibility = RichCode::VisibilityVisible; }, hiddenParent).m_nVisibility,
              RichCode::VisibilityVisible);
    EXPECT_EQ(Compute([](auto& r) { r.m_nVisibility = RichCode::VisibilityInherit; }, hiddenParent).m_nVisibility,
              RichCode::VisibilityHidden);
    EXPECT_EQ(Compute([](auto& r) { r.m_nVisibility = RichCode::VisibilityHidden; }).m_nVisibility,
              RichCode::VisibilityHidden);
}

TEST(RichStyleTransfer, SpansAreNeverZero) {
    struct Case {
        int declared;
        int computed;
        int ruleAfter;
    } cases[] = {{-1, 1, -1}, {0, 1, 1}, {1, 1, 1}, {3, 3, 3}};
    for (const Case& c : cases) {
        CExtRichStyleRule rule;
        rule.m_nColSpan = c.declared;
        rule.m_nRowSpan = c.declared;
        CExtRichStyleDescription parent, d;
        parent.m_nColSpan = parent.m_nRowSpan = 7;  // spans are never inherited
        rule.ComputeDescription(parent, d);
        EXPECT_EQ(d.m_nColSpan, c.computed) << c.declared;
        EXPECT_EQ(d.m_nRowSpan, c.computed) << c.declared;
        EXPECT_EQ(rule.m_nColSpan, c.ruleAfter) << c.declared;
    }
}

TEST(RichStyleTransfer, WhatIsInheritedAndWhatIsNot) {
    auto parent = [](CExtRichStyleDescription& p) {
        p.m_strBackgroundImage = u"bg.png";
        p.m_nBackgroundPosKind = RichCode::BackgroundPixelsOrImage;
        p.m_nBackgroundRepeat = RichCode::RepeatX;
        p.m_rcMargin = RichRect{5, 5, 5, 5};
        p.m_clrText = RichRgb(1, 2, 3);
        p.m_nPosition = RichCode::PositionAbsolute;
        p.m_rcPosition = RichRect{1, 2, 3, 4};
        p.m_clrBorder[0] = RichRgb(9, 9, 9);
        p.m_nBorderStyle[0] = RichCode::BorderDotted;
    };
    const CExtRichStyleDescription d = Compute([](auto& r) { r.m_nBorderStyle[0] = RichCode::BorderSolid; }, parent);
    EXPECT_TRUE(d.m_strBackgroundImage.empty());
    EXPECT_EQ(d.m_nBackgroundRepeat, RichCode::NoRepeat);
    EXPECT_EQ(d.m_nBackgroundAttachment, RichCode::AttachScroll);
    EXPECT_EQ(d.m_rcMargin, RichRect{});
    EXPECT_EQ(d.m_clrText, RichRgb(1, 2, 3));
    EXPECT_EQ(d.m_nPosition, RichCode::PositionStatic);
    EXPECT_EQ(d.m_rcPosition.left, kRichUnsetPixels);
    EXPECT_EQ(d.m_clrBorder[0], 0u);  // a reset rule declares black border colours
    EXPECT_EQ(d.m_nBorderStyle[0], RichCode::BorderSolid);
    EXPECT_EQ(d.m_clrBackground, kRichColorTransparent);

    const CExtRichStyleDescription inherit = Compute(
        [](auto& r) {
            r.m_nBackgroundPosKind = RichCode::BackgroundInherit;
            r.m_nPosition = RichCode::PositionInherit;
            r.m_nBorderStyle[0] = RichCode::BorderInherit;
            r.m_nBackgroundColorMode = RichCode::BackgroundColorInherit;
            r.m_clrText = kRichColorTransparent;
        },
        [&](auto& p) {
            parent(p);
            p.m_clrBackground = RichRgb(4, 4, 4);
            p.m_nBackgroundColorMode = RichCode::BackgroundColorGiven;
        });
    EXPECT_EQ(RichString(inherit.m_strBackgroundImage), u"bg.png");
    EXPECT_EQ(inherit.m_nBackgroundRepeat, RichCode::RepeatX);
    EXPECT_EQ(inherit.m_nPosition, RichCode::PositionAbsolute);
    EXPECT_EQ(inherit.m_rcPosition, (RichRect{1, 2, 3, 4}));
    EXPECT_EQ(inherit.m_nBorderStyle[0], RichCode::BorderDotted);
    EXPECT_EQ(inherit.m_clrBackground, RichRgb(4, 4, 4));
    EXPECT_EQ(inherit.m_clrText, kRichColorNone);  // "none" is stored as -1
}

TEST(RichStyleDescription, ResetKeepsTheFontAndQuotesAndCompareSeesEveryField) {
    CExtRichStyleDescription d;
    d.m_font = Font(u"Arial", -20);
    d.m_quotes.push_back({u"<", u">"});
    d.m_nDisplay = RichCode::DisplayBlock;
    d.Reset();
    EXPECT_EQ(d.m_font.GetFaceName(), u"Arial");
    EXPECT_EQ(d.m_quotes.size(), 1u);
    EXPECT_EQ(d.m_nDisplay, RichCode::DisplayInline);
    EXPECT_EQ(d.m_uiCaps[RichUiState::Hover], RichUiState::On);
    EXPECT_EQ(d.m_uiCaps[RichUiState::Focus], RichUiState::Unset);

    CExtRichStyleDescription a, b;
    EXPECT_EQ(a.Compare(b), 0);
    b.m_nFocusOffMakeUnselectedSibling = 2;  // the last field
    EXPECT_EQ(a.Compare(b), -1);
    b = a;
    b.m_quotes.push_back({u"a", u"b"});
    EXPECT_EQ(a.Compare(b), -1);
    EXPECT_EQ(b.Compare(a), 1);
}

TEST(RichStyleHelpers, QuotesSidesAndWhiteSpace) {
    using Q = CExtRichStyleDescription::QuoteList;
    EXPECT_EQ(CompareQuotes(Q{}, Q{{u"a", u"b"}}), -1);
    EXPECT_EQ(CompareQuotes(Q{{u"a", u"b"}}, Q{{u"a", u"c"}}), -1);
    EXPECT_EQ(CompareQuotes(Q{{u"b", u"a"}}, Q{{u"a", u"c"}}), 1);
    EXPECT_EQ(CompareQuotes(Q{{u"a", u"b"}}, Q{{u"a", u"b"}}), 0);

    struct Case {
        int angle, l, t, r, b;
    } cases[] = {{0, 1, 2, 3, 4}, {90, 4, 1, 2, 3}, {180, 3, 4, 1, 2}, {270, 2, 3, 4, 1}, {45, 1, 2, 3, 4}};
    for (const Case& c : cases) {
        int l = 1, t = 2, r = 3, b = 4;
        RotateBoxSides(c.angle, l, t, r, b);
        EXPECT_EQ((RichRect{l, t, r, b}), (RichRect{c.l, c.t, c.r, c.b})) << c.angle;
    }
    CExtRichStyleDescription d;
    for (int ws = 0; ws <= 4; ++ws) {
        d.m_nWhiteSpace = ws;
        EXPECT_EQ(PreservesWhiteSpace(d), ws >= 2) << ws;
    }
}

}  // namespace
