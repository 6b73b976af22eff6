// The records the HTML drawer keeps while it lays out and paints a text: the style in force,
// one record per output line, link areas and animation slots. Portable: no window header, so
// the markup code builds natively too.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace html {

// A GDI colour reference: red in the low byte, then green, then blue.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct Size {
  int cx = 0;
  int cy = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

enum HAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignJustify = 3 };
enum VAlign { kVAlignTop = 0, kVAlignMiddle = 1, kVAlignBottom = 2, kVAlignBaseline = 3 };
enum BackgroundMode { kTransparent = 1, kOpaque = 2 };
enum TextTransform { kTransformNone = 0, kUpperCase = 1, kLowerCase = 2, kCapitalise = 3 };
enum LinkKind { kNoLink = 0, kAddressLink = 1, kMessageLink = 2 };

struct TextStyle {
  std::wstring name;
  int fontSize = 16;
  int weight = 400;
  int italic = 0;
  int underline = 0;
  int strikeout = 0;
  int overline = 0;
  std::wstring faceName = L"Verdana";
  Colour textColour = 0;
  Colour backgroundColour = 0xFFFFFF;
  Colour borderLight = 0;
  Colour borderDark = 0;
  Colour backgroundMid = 0xFFFFFF;
  Colour backgroundEnd = 0xFFFFFF;
  int backgroundMode = kTransparent;
  int backgroundKind = -1;
  std::wstring backgroundImage;
  int hAlign = kAlignLeft;
  int vAlign = kVAlignBaseline;
  int borderStyle = 0;
  int borderWidth = 0;
  int width = 0;
  int height = 0;
  int textTransform = kTransformNone;
  int margin = 2;
  int padding = 0;
  int linkKind = kNoLink;
  std::wstring linkTarget;
};

struct LineRecord {
  int width = 0;
  int ascent = 0;   // while measuring the largest ascent; as stored the line height
  int descent = 0;
  int rulePercent = 0;
  int align = kAlignLeft;
  int spaceCount = 0;
  int justify = 0;  // 1 when the line ended because the next content did not fit
};

struct LinkArea {
  Rect rect;
  int kind = kNoLink;
  int index = 0;
  std::wstring target;
};

struct AnimationSlot {
  int frame = 0;
  int frameCount = 0;
  int ticks = 0;
  int speed = 0;
};

// Image effect flags of the draw manager, as the "style" letters of images set them.
enum ImageEffect : unsigned {
  kFxGrey = 0x0001, kFxDarker = 0x0002, kFxBrighter = 0x0004, kFxSingleColour = 0x0008,
  kFxHardShadow = 0x0100, kFxSoftShadow = 0x0200,
};

// The attributes of "bmp", "icon" and "ilst".
struct ImageParams {
  int index = 0;
  int idres = 0;
  int iddll = 0;
  std::uint32_t handle = 0;  // a number the owner registered with the drawer, never a raw handle
  int cx = 0;
  int cy = 0;
  int width = 100;
  int height = 100;
  int speed = 0;
  unsigned style = 0;
  unsigned hotStyle = 0;
  int mask = 0;
  int widthPercent = 1;
  int heightPercent = 1;
  Colour maskColour = 0xFF00FF;
  std::wstring file;
  std::wstring srcdll;

  bool HasSource() const { return idres != 0 || iddll != 0 || handle != 0 || !file.empty(); }
};

// One grid slot of a table.
struct CellRecord {
  int colSpan = 0;  // -1: covered by an earlier cell's span; 0: no cell filled it
  int rowSpan = 0;
  int contentWidth = 0;
  int contentHeight = 0;
  int neededWidth = 0;
  int neededHeight = 0;
  int fixedWidth = 0;
};

// A table's grid and the sizes of its columns and rows, built by the measuring pass.
struct TableLayout {
  std::vector<std::vector<CellRecord>> cells;  // [row][column]
  std::vector<int> columnWidths;
  std::vector<int> rowHeights;
  std::vector<int> fixedColumns;
};

// Layout arithmetic saturates: a hostile text may ask for huge lengths and counts, and the
// coordinates must stay defined rather than wrap.
inline int Saturate(long long v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}
inline int SatAdd(int a, int b) { return Saturate(static_cast<long long>(a) + b); }
inline int SatSub(int a, int b) { return Saturate(static_cast<long long>(a) - b); }
inline int SatMul(int a, int b) { return Saturate(static_cast<long long>(a) * b); }

// a × b / c rounded half away from zero; -1 when c is 0 (the system's MulDiv).
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long n = static_cast<long long>(a) * b;
  const bool negative = (n < 0) != (c < 0);
  long long num = n < 0 ? -n : n;
  const long long den = c < 0 ? -static_cast<long long>(c) : c;
  long long q = (num + den / 2) / den;
  if (q > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(negative ? -q : q);
}

}  // namespace html
