// Lengths, colours, declarations and style sheet rules.
#include <gtest/gtest.h>

#include "controls/html/style_sheet.h"

namespace {

using namespace html;

const LengthUnits kUnits{16, 7, 96};

ColourNames Names() {
  return ColourNames([](int index) { return static_cast<Colour>(0x010101 * index); });
}

TEST(ParseLength, UnitsPercentagesAndHtmlSizes) {
  const struct {
    int current;
    const wchar_t* text;
    bool fontMode;
    int want;
  } kCases[] = {
      {13, L"65%", false, 8},    // MulDiv(13, 65, 100)
      {13, L"", false, 13},      // empty keeps the value
      {0, L"3", true, 12},       // HTML size 3
      {0, L"12", true, 12},      // a plain number above 7
      {0, L"+2", true, 10},      // the sign is dropped: HTML size 2
      {0, L"-1", true, 8},
      {0, L"10pt", false, 13},   // 960 / 72
      {0, L"1in", false, 96},
      {0, L"2cm", false, 75},    // 192 / 2.54
      {0, L"10mm", false, 37},   // 960 / 25.4
      {0, L"2pc", false, 32},    // 192 / 6
      {0, L"5px", false, 5},
      {0, L"2em", false, 32},
      {0, L"3ex", false, 21},
      {0, L"10pt ", false, 10},  // a space after the unit: a plain number
      {0, L"0x10", false, 16},   // C base detection
      {0, L"010", false, 8},
      {0, L"abc", false, 0},
      {0, L"99999999999in", false, 2147483647},  // saturates instead of wrapping
      {5, L"x%", false, 0},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(ParseLength(c.current, c.text, c.fontMode, kUnits), c.want) << static_cast<const void*>(c.text)
                                                                           << " " << std::string(c.text, c.text + wcslen(c.text));
}

TEST(ParseColour, HashNumbersNamesAndBadValues) {
  const ColourNames names = Names();
  const Colour keep = 0x123456;
  const struct {
    const wchar_t* text;
    Colour want;
  } kCases[] = {
      {L"#ff9900", Rgb(0xFF, 0x99, 0x00)},
      {L"#FF9900", Rgb(0xFF, 0x99, 0x00)},
      {L"#f90", keep},           // three digits keep the colour
      {L"#ff99001", keep},
      {L"0x0000FF", Rgb(0xFF, 0, 0)},  // a raw colour reference
      {L"255", Rgb(0xFF, 0, 0)},
      {L"red", Rgb(0xFF, 0, 0)},
      {L"Red", keep},            // names are case-sensitive
      {L"grey", keep},           // only "gray" is known
      {L"gray", Rgb(0x80, 0x80, 0x80)},
      {L"lightgrey", Rgb(0xD3, 0xD3, 0xD3)},
      {L"infobackground", 0x010101 * 24},
      {L"", keep},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(ParseColour(keep, c.text, names), c.want) << std::string(c.text, c.text + wcslen(c.text));
  EXPECT_EQ(names.Count(), 140u + 28u);
}

TEST(ParseColour, DisabledColoursGiveTheDisabledColour) {
  ColourNames names = Names();
  names.enabled = false;
  names.disabled = 0x808080;
  EXPECT_EQ(names.Lookup(L"red", 1), 0x808080u);
  TextStyle s;
  ApplyDeclarations(L"color: red; background-color: blue", s, names, kUnits);
  EXPECT_EQ(s.textColour, 0x808080u);
  EXPECT_EQ(s.backgroundMode, kTransparent);
}

TEST(ApplyDeclarations, PropertiesAndKeywords) {
  const ColourNames names = Names();
  TextStyle s;
  ApplyDeclarations(L"Font-Size: 10pt; COLOR: Red; font-family:\"Courier New\"; font-weight: bold;"
                    L"text-align:center; text-transform:capitalize; vertical-align: bottom; font-style: oblique",
                    s, names, kUnits);
  EXPECT_EQ(s.fontSize, 13);
  EXPECT_EQ(s.textColour, Rgb(0xFF, 0, 0));
  EXPECT_EQ(s.faceName, L"courier new");  // the block is lower-cased
  EXPECT_EQ(s.weight, 700);
  EXPECT_EQ(s.hAlign, kAlignCenter);
  EXPECT_EQ(s.textTransform, kCapitalise);
  EXPECT_EQ(s.vAlign, kVAlignBottom);
  EXPECT_EQ(s.italic, 1);

  TextStyle w;
  const struct {
    const wchar_t* value;
    int weight;
  } kWeights[] = {{L"normal", 400}, {L"bolder", 900}, {L"lighter", 100}, {L"600", 600}, {L"heavy", 0}};
  for (const auto& c : kWeights) {
    ApplyDeclarations(std::wstring(L"font-weight:") + c.value, w, names, kUnits);
    EXPECT_EQ(w.weight, c.weight);
  }

  TextStyle d;
  ApplyDeclarations(L"text-decoration: underline overline", d, names, kUnits);
  EXPECT_EQ(d.underline + d.overline + d.strikeout, 2);
  ApplyDeclarations(L"text-decoration: line-through", d, names, kUnits);
  EXPECT_EQ(d.underline + d.overline + d.strikeout, 3);
  ApplyDeclarations(L"text-decoration: none", d, names, kUnits);
  EXPECT_EQ(d.underline + d.overline + d.strikeout, 0);

  TextStyle b;
  ApplyDeclarations(L"background-color: yellow", b, names, kUnits);
  EXPECT_EQ(b.backgroundMode, kOpaque);
  EXPECT_EQ(b.backgroundColour, Rgb(0xFF, 0xFF, 0));
  ApplyDeclarations(L"background-color: transparent", b, names, kUnits);
  EXPECT_EQ(b.backgroundMode, kTransparent);

  TextStyle f;
  ApplyDeclarations(L"border-style: dashed", f, names, kUnits);
  EXPECT_EQ(f.borderStyle, 2);
  EXPECT_EQ(f.borderWidth, 1);
  ApplyDeclarations(L"border-width: 0", f, names, kUnits);
  EXPECT_EQ(f.borderStyle, 0);
  ApplyDeclarations(L"size: 8; margin: 1in; padding: 50%", f, names, kUnits);
  EXPECT_EQ(f.borderWidth, 8);
  EXPECT_EQ(f.borderStyle, 1);
  EXPECT_EQ(f.margin, 96);
  EXPECT_EQ(f.padding, 0);
  ApplyDeclarations(L"border-width: thin", f, names, kUnits);
  EXPECT_EQ(f.borderWidth, 6);

  TextStyle u;  // unknown properties and values change nothing; a missing ':' gives an empty value
  ApplyDeclarations(L"colour: red; text-align: justify; font-size; ;;: x", u, names, kUnits);
  EXPECT_EQ(u.textColour, 0u);
  EXPECT_EQ(u.hAlign, kAlignLeft);
  EXPECT_EQ(u.fontSize, 16);
}

TEST(StyleSheet, DefaultRulesReplacementAndMalformedRules) {
  StyleSheet sheet;
  EXPECT_EQ(sheet.Count(), 17u);
  ASSERT_NE(sheet.Find(L"A:HOVER"), nullptr);
  EXPECT_EQ(*sheet.Find(L".cpp-comment"), L"color:green; font-style:italic");

  const std::wstring text = L"H1 {color:red}\nh1 {color:blue}\n.note{font-size:9pt}\nbad {}\n{x} td {margin:1\n";
  sheet.Set(&text);
  EXPECT_EQ(sheet.Text(), text);
  ASSERT_NE(sheet.Find(L"h1"), nullptr);
  EXPECT_EQ(*sheet.Find(L"h1"), L"color:blue");
  EXPECT_NE(sheet.Find(L".NOTE"), nullptr);
  EXPECT_EQ(sheet.Find(L"bad"), nullptr);
  EXPECT_EQ(sheet.Find(L"td"), nullptr);
  EXPECT_EQ(sheet.Find(L"body"), nullptr);

  sheet.Set(nullptr);
  EXPECT_EQ(sheet.Count(), 17u);
}

}  // namespace
