// The Unicode character data the bidirectional algorithm needs, generated from the Unicode
// Character Database by tools/unicode/gen_bidi_tables.py into rich_bidi_tables.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rich::bidi_data {

struct ClassRange {
  std::uint32_t first;
  std::uint32_t last;
  std::uint8_t bidiClass;  // a rich::BidiClass
};
struct Bracket {
  std::uint32_t codePoint;
  std::uint32_t pair;
  std::uint8_t kind;  // 1 opening, 2 closing
  std::uint32_t canonical;  // the canonically equivalent bracket (itself for most)
};
struct Mirror {
  std::uint32_t codePoint;
  std::uint32_t mirror;
};

extern const ClassRange kClassRanges[];
extern const std::size_t kClassRangeCount;
extern const Bracket kBrackets[];
extern const std::size_t kBracketCount;
extern const Mirror kMirrors[];
extern const std::size_t kMirrorCount;

}  // namespace rich::bidi_data
