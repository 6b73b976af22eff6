// The drawer's style sheet and the value grammar it shares with tag attributes: rules of one
// selector and a declaration block, CSS-like declarations applied to a text style, lengths with
// units, colours and colour names.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "controls/html/html_types.h"

namespace html {

// What lengths with relative or physical units are measured against: the selected font's cell
// height ("em") and the width of its "x"... as the font draws it ("ex"), and the vertical
// resolution in dots per inch.
struct LengthUnits {
  int em = 16;
  int ex = 8;
  int dpiY = 96;
};

// A length in pixels; `current` is what an empty value keeps and what percentages are of. In the
// font-size mode a plain 1 to 7 is an HTML font size.
int ParseLength(int current, const std::wstring& value, bool fontSizeMode, const LengthUnits& units);

// The leading decimal number of a text (0 when there is none), saturated to the int range.
int LeadingNumber(const std::wstring& text);
// The whole text as an unsigned number with C base detection, as 32 bits.
std::uint32_t ReadUnsigned(const std::wstring& text);

// Colour names and the colours-enabled switch: with colours disabled every colour is the
// disabled colour.
class ColourNames {
 public:
  // sysColour gives the system colour of a GetSysColor index.
  explicit ColourNames(const std::function<Colour(int)>& sysColour);
  Colour Lookup(const std::wstring& name, Colour fallback) const;
  bool Has(const std::wstring& name) const { return m_names.count(name) != 0; }
  std::size_t Count() const { return m_names.size(); }

  bool enabled = true;
  Colour disabled = 0x808080;

 private:
  std::map<std::wstring, Colour> m_names;
};

// "#rrggbb", a number (a raw colour reference) or a colour name; `current` when none applies.
Colour ParseColour(Colour current, const std::wstring& value, const ColourNames& names);

// Applies a declaration block ("font-size: 10pt; color: red") to a style.
void ApplyDeclarations(const std::wstring& block, TextStyle& style, const ColourNames& names,
                       const LengthUnits& units);

// Lower-cases ASCII letters (selectors and declaration blocks).
std::wstring AsciiLower(std::wstring text);

class StyleSheet {
 public:
  StyleSheet() { LoadDefault(); }
  // Removes every rule; then the default sheet when text is null, else the text's rules.
  void Set(const std::wstring* text);
  void LoadDefault();
  // Adds the rules of a style sheet text; a later rule replaces one with the same selector.
  void Parse(const std::wstring& text);
  // The declaration block of a selector (matched without regard to case), or null.
  const std::wstring* Find(const std::wstring& selector) const;
  const std::wstring& Text() const { return m_text; }
  std::size_t Count() const { return m_rules.size(); }

 private:
  std::map<std::wstring, std::wstring> m_rules;
  std::wstring m_text;
};

extern const wchar_t kDefaultStyleSheet[];

}  // namespace html
