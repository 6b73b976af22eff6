// Right-to-left reordering: the Unicode Bidirectional Algorithm (UAX #9) with the character
// classes, paired brackets and mirrored glyphs of the Unicode Character Database. Portable.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/richcontent/rich_types.h"

namespace rich {

enum BidiClass : std::uint8_t {
  kBidiON, kBidiL, kBidiR, kBidiAN, kBidiEN, kBidiAL, kBidiNSM, kBidiCS, kBidiES, kBidiET, kBidiBN, kBidiS,
  kBidiWS, kBidiB, kBidiRLO, kBidiRLE, kBidiLRO, kBidiLRE, kBidiPDF, kBidiLRI, kBidiRLI, kBidiFSI, kBidiPDI,
};

BidiClass BidiClassOf(char32_t codePoint);
// The character that shows the mirrored glyph, or the character itself.
char32_t BidiMirrorOf(char32_t codePoint);

// One paragraph's resolved levels (rules P2 to L1, the whole paragraph taken as one line).
// Characters that rule X9 removes get level -1.
struct BidiLevels {
  int paragraphLevel = 0;
  std::vector<int> levels;
};
// `paragraphLevel` 0 or 1, or negative to find it from the text (P2, P3). `text` (the code points,
// may be null) lets paired brackets take part (N0); without it no character is a bracket.
BidiLevels ResolveBidiLevels(const std::vector<BidiClass>& classes, const char32_t* text, int paragraphLevel);
// Visual order (rule L2) of the characters whose level is not negative: indices, left to right.
std::vector<int> BidiVisualOrder(const std::vector<int>& levels);

// Puts a text into display order for drawing left to right. Without singleLine each line (ended
// by LF or CR LF) is reordered on its own and the line ends stay in place; with it every CR and
// LF is removed first. baseLevel 1 reads right to left, 0 left to right, negative takes the
// direction of the first strong character. mirror shows mirrored glyphs at right-to-left levels;
// clean removes control characters (code units below 32) and the explicit embedding, override
// and isolate controls. caseFold is kept for callers; classes do not depend on letter case.
// False when a line reorders to nothing (it then keeps only the removal of its line breaks) or
// memory runs out (the line stays as it was).
bool ReorderRightToLeft(RichString& text, bool singleLine = true, int baseLevel = 1, bool mirror = true,
                        int caseFold = -1, bool clean = true);

}  // namespace rich
