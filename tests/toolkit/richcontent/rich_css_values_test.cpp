// Lengths, colours and character references: tables of value texts and their results.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_css_tables.h"
#include "toolkit/richcontent/rich_platform.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct LengthCase {
    const char16_t* text;
    int expected;
    std::optional<double> fraction = std::nullopt;
    bool percent = false;
    bool noUnit = false;
    bool allowNegative = false;
};

TEST(RichCssValues, Lengths) {
    CExtRichContentLayout doc;
    CExtRichStyleDescription parent;
    parent.m_font.m_lf.lfHeight = -13;
    const int dflt = -99;
    const LengthCase cases[] = {
        {u"12px", 12},
        {u"-3px", -3},
        {u"  7.9px ", 7},
        {u"-3pt", dflt},
        {u"2.7", 2, std::nullopt, false, true},
        {u"12pt", 16},
        {u"1in", 96},
        {u"25.4mm", 96},
        {u"2.54cm", 96},
        {u"1pc", 16},
        {u"1.5em", 20},  // 19.5 goes up
        {u"1.5__qem", 20},
        {u"2ex", 13},    // half the font height per ex
        {u"1ex", 7},     // 6.5 goes up
        {u"50%", 7, 0.5, true},
        {u"-50%", dflt, dflt / 100.0, true},
        {u"-50%", dflt, -0.5, true, false, true},  // allowed, but the pixel result stays non-negative
        {u"thin", dflt},
        {u"MEDIUM", dflt},
        {u"", dflt},
        {u"px", 0},
        {u"abc", 0, std::nullopt, false, true},
        {u"1e400px", 2147483647},             // huge numbers saturate
        {u"99999999999999999999pt", 2147483647},
        {u"-1e400px", -2147483647 - 1},
    };
    for (const LengthCase& c : cases) {
        double fraction = 12345;
        bool percent = true, noUnit = true;
        const int got = doc.ParseLength(c.text, true, parent, dflt, &fraction, &percent, &noUnit, c.allowNegative);
        const std::string what = richtest::Utf8(c.text);
        EXPECT_EQ(got, c.expected) << what;
        EXPECT_EQ(percent, c.percent) << what;
        EXPECT_EQ(noUnit, c.noUnit) << what;
        if (c.fraction) {
            EXPECT_DOUBLE_EQ(fraction, *c.fraction) << what;
        }
    }
    // Without the optional outputs nothing is written.
    EXPECT_EQ(doc.ParseLength(u"10%", false, parent, 0), 1);
}

TEST(RichCssValues, Colors) {
    CExtRichContentLayout doc;
    const RichColor dflt = RichRgb(1, 2, 3);
    struct Case {
        const char16_t* text;
        RichColor expected;
    } cases[] = {
        {u"#FF8000", RichRgb(255, 128, 0)},
        {u"#ff8000", RichRgb(255, 128, 0)},
        {u"#f80", RichRgb(0xFF, 0x88, 0x00)},  // shorthand doubles each digit
        {u"#12345", RichRgb(0x12, 0x34, 0)},
        {u"#1234567", RichRgb(0x12, 0x34, 0x56)},
        {u"#zz0000", RichRgb(0, 0, 0)},
        {u"#", RichRgb(0, 0, 0)},
        {u"rgb(255, 0, 0)", RichRgb(255, 0, 0)},
        {u"rgb( 100% , 50%, 0% )", RichRgb(255, 128, 0)},
        {u"rgb(300, -5, 0)", RichRgb(255, 0, 0)},
        {u"rgb(1;2;3)", RichRgb(1, 2, 3)},
        {u"rgb(99999999999999,0,0)", RichRgb(255, 0, 0)},
        {u"rgb(1,2)", dflt},
        {u"rgb(1,2,3", dflt},  // unterminated: not a known name either
        {u"hsl(120, 100%, 50%)", RichRgb(0, 255, 0)},
        {u"hsl(0,100%,50%)", RichRgb(255, 0, 0)},
        {u"hsl(240,100%,25%)", RichRgb(0, 0, 128)},
        {u"hsl(0,0%,100%)", RichRgb(255, 255, 255)},
        {u"hsl(999,100%,50%)", RichRgb(255, 0, 0)},  // hue clamped to 360
        {u"hsl(120%,100%,50%)", dflt},
        {u"hsl(120,100%,50)", dflt},
        {u"hsl(120,,50%)", dflt},
        {u"RED", RichRgb(255, 0, 0)},
        {u"Navy", RichRgb(0, 0, 128)},
        {u"navyblue", RichRgb(0, 0, 128)},
        {u"lightgoldenrodyellow", RichRgb(0xFA, 0xFA, 0xD2)},
        {u"grey", RichRgb(128, 128, 128)},
        {u"light goldenrod yellow", RichRgb(0xFA, 0xFA, 0xD2)},  // inner blanks are removed
        {u"notacolor", dflt},
        {u"", dflt},
        {u"  \t ", dflt},
    };
    for (const Case& c : cases) EXPECT_EQ(doc.ParseColor(c.text, dflt), c.expected) << richtest::Utf8(c.text);
}

TEST(RichCssValues, SystemColorsComeFromThePlatform) {
    CExtRichContentLayout doc;
    CExtRichPlatform& p = RichPlatform();
    struct Case {
        const char16_t* text;
        int index;
    } cases[] = {{u"WindowText", RichSysColor::WindowText},       {u"windowtext", RichSysColor::WindowText},
                 {u"ThreeDLightShadow", RichSysColor::Light3D},   {u"ThreeDHighlight", RichSysColor::BtnHighlight},
                 {u"InfoBackground", RichSysColor::InfoBk},       {u"ButtonFace", RichSysColor::BtnFace},
                 {u"ThreeDDarkShadow", RichSysColor::DkShadow3D}, {u"Scrollbar", RichSysColor::Scrollbar}};
    for (const Case& c : cases)
        EXPECT_EQ(doc.ParseColor(c.text, kRichColorNone), p.SysColor(c.index)) << richtest::Utf8(c.text);
    // Light shadow and highlight are different colours in the classic scheme.
    EXPECT_NE(doc.ParseColor(u"ThreeDLightShadow", 0), doc.ParseColor(u"ThreeDHighlight", 0));
}

TEST(RichCssValues, ColorFromHlsAgreesWithKnownColors) {
    struct Case {
        double h, l, s;
        RichColor expected;
    } cases[] = {{0, 0.5, 1, RichRgb(255, 0, 0)},        {1.0 / 3, 0.5, 1, RichRgb(0, 255, 0)},
                 {2.0 / 3, 0.5, 1, RichRgb(0, 0, 255)},   {0.5, 0.25, 1, RichRgb(0, 128, 128)},
                 {0, 0.5, 0, RichRgb(128, 128, 128)},     {0, 1, 1, RichRgb(255, 255, 255)},
                 {1.0 / 6, 0.5, 1, RichRgb(255, 255, 0)}, {0, 0, 1, RichRgb(0, 0, 0)}};
    for (const Case& c : cases) EXPECT_EQ(RichColorFromHls(c.h, c.l, c.s), c.expected) << c.h << " " << c.l;
}

TEST(RichCssValues, CharacterReferences) {
    CExtRichContentLayout doc;
    struct Case {
        const char16_t* name;
        char16_t expected;
    } cases[] = {
        {u"#65", u'A'},      {u"#0", 0},           {u"#x41", 0},       {u"#", 0},
        {u"#8364", 0x20AC},  {u"#65535", 0xFFFF},  {u"#65536", 0xFFFD}, {u"#99999999999999999999", 0xFFFD},
        {u"amp", u'&'},      {u"lt", u'<'},        {u"apos", u'\''},   {u"nbsp", 0xA0},
        {u"Alpha", 0x391},   {u"alpha", 0x3B1},    {u"exists", 0x2203}, {u"exist", 0},
        {u"lArr", 0},        {u"rarr", 0x2192},    {u"AMP", 0},        {u"", 0},
        {u"euro", 0x20AC},   {u"yuml", 0xFF},      {u"Yuml", 0x178},   {u"notanentity", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(doc.DecodeEntity(c.name), c.expected) << richtest::Utf8(c.name);
    EXPECT_EQ(g_HtmlEntityCount, 241u);
    EXPECT_EQ(g_CssColorNameCount, 148u);
}

}  // namespace
