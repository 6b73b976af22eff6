// The Unicode Bidirectional Algorithm, rules P2 to L2 and L4 of UAX #9 (Unicode 15), over the
// generated character data in rich_bidi_tables.cpp.
#include "toolkit/richcontent/rich_bidi.h"

#include <algorithm>
#include <new>

#include "toolkit/richcontent/rich_bidi_tables.h"

namespace rich {

namespace {

constexpr int kMaxDepth = 125;
constexpr int kMaxBracketPairs = 63;

using namespace bidi_data;

bool IsRemovedByX9(BidiClass c) {
  return c == kBidiRLE || c == kBidiLRE || c == kBidiRLO || c == kBidiLRO || c == kBidiPDF || c == kBidiBN;
}
bool IsIsolateInitiator(BidiClass c) { return c == kBidiLRI || c == kBidiRLI || c == kBidiFSI; }
bool IsIsolateControl(BidiClass c) { return IsIsolateInitiator(c) || c == kBidiPDI; }
bool IsNeutralOrIsolate(BidiClass c) {
  return c == kBidiON || c == kBidiWS || c == kBidiS || c == kBidiB || IsIsolateControl(c);
}
// Strong direction for N0 and N1: numbers count as R.
BidiClass StrongOf(BidiClass c) {
  if (c == kBidiL) return kBidiL;
  if (c == kBidiR || c == kBidiAL || c == kBidiEN || c == kBidiAN) return kBidiR;
  return kBidiON;
}

const Bracket* FindBracket(char32_t cp) {
  const Bracket* end = kBrackets + kBracketCount;
  const Bracket* it =
      std::lower_bound(kBrackets, end, cp, [](const Bracket& b, char32_t value) { return b.codePoint < value; });
  return it != end && it->codePoint == cp ? it : nullptr;
}
char32_t CanonicalBracket(char32_t cp) {
  const Bracket* b = FindBracket(cp);
  return b ? b->canonical : cp;
}

struct Paragraph {
  const std::vector<BidiClass>& original;
  const char32_t* text;
  std::size_t n;
  std::vector<BidiClass> types;
  std::vector<int> levels;
  std::vector<int> explicitLevels;  // after X1-X8: what sos and eos compare, whatever is resolved first
  std::vector<int> matchingPdi;  // for isolate initiators: index of the matching PDI, or -1
  std::vector<bool> matchedPdi;  // PDIs that close an initiator
  int paragraphLevel = 0;

  Paragraph(const std::vector<BidiClass>& classes, const char32_t* chars)
      : original(classes), text(chars), n(classes.size()), types(classes), levels(classes.size(), 0),
        matchingPdi(classes.size(), -1), matchedPdi(classes.size(), false) {}

  bool Removed(std::size_t i) const { return IsRemovedByX9(original[i]); }

  // BD9: isolate initiators and their matching PDIs.
  void MatchIsolates() {
    std::vector<int> open;
    for (std::size_t i = 0; i < n; ++i) {
      if (IsIsolateInitiator(original[i])) {
        open.push_back(static_cast<int>(i));
      } else if (original[i] == kBidiPDI && !open.empty()) {
        matchingPdi[open.back()] = static_cast<int>(i);
        matchedPdi[i] = true;
        open.pop_back();
      }
    }
  }

  // P2, P3 over [from, to): 0 or 1 from the first strong character outside isolates, -1 if none.
  int FirstStrongLevel(std::size_t from, std::size_t to) const {
    for (std::size_t i = from; i < to; ++i) {
      const BidiClass c = original[i];
      if (IsIsolateInitiator(c)) {
        if (matchingPdi[i] < 0) return -1;
        i = static_cast<std::size_t>(matchingPdi[i]);
      } else if (c == kBidiL) {
        return 0;
      } else if (c == kBidiR || c == kBidiAL) {
        return 1;
      }
    }
    return -1;
  }

  // X1 to X8.
  void ExplicitLevels() {
    struct Entry {
      int level;
      BidiClass override;
      bool isolate;
    };
    std::vector<Entry> stack;
    stack.reserve(kMaxDepth + 2);
    stack.push_back({paragraphLevel, kBidiON, false});
    int overflowIsolates = 0, overflowEmbeddings = 0, validIsolates = 0;
    auto nextLevel = [](int level, bool rtl) { return rtl ? (level + 1) | 1 : (level + 2) & ~1; };
    for (std::size_t i = 0; i < n; ++i) {
      const BidiClass c = original[i];
      switch (c) {
      case kBidiRLE:
      case kBidiLRE:
      case kBidiRLO:
      case kBidiLRO: {
        levels[i] = stack.back().level;
        const int level = nextLevel(stack.back().level, c == kBidiRLE || c == kBidiRLO);
        if (level <= kMaxDepth && overflowIsolates == 0 && overflowEmbeddings == 0)
          stack.push_back({level, c == kBidiRLO ? kBidiR : c == kBidiLRO ? kBidiL : kBidiON, false});
        else if (overflowIsolates == 0)
          ++overflowEmbeddings;
        break;
      }
      case kBidiRLI:
      case kBidiLRI:
      case kBidiFSI: {
        levels[i] = stack.back().level;
        if (stack.back().override != kBidiON) types[i] = stack.back().override;
        bool rtl = c == kBidiRLI;
        if (c == kBidiFSI) {
          const std::size_t end = matchingPdi[i] < 0 ? n : static_cast<std::size_t>(matchingPdi[i]);
          rtl = FirstStrongLevel(i + 1, end) == 1;
        }
        const int level = nextLevel(stack.back().level, rtl);
        if (level <= kMaxDepth && overflowIsolates == 0 && overflowEmbeddings == 0) {
          ++validIsolates;
          stack.push_back({level, kBidiON, true});
        } else {
          ++overflowIsolates;
        }
        break;
      }
      case kBidiPDI:
        if (overflowIsolates > 0) {
          --overflowIsolates;
        } else if (validIsolates > 0) {
          overflowEmbeddings = 0;
          while (!stack.back().isolate) stack.pop_back();
          stack.pop_back();
          --validIsolates;
        }
        levels[i] = stack.back().level;
        if (stack.back().override != kBidiON) types[i] = stack.back().override;
        break;
      case kBidiPDF:
        if (overflowIsolates > 0) {
        } else if (overflowEmbeddings > 0) {
          --overflowEmbeddings;
        } else if (!stack.back().isolate && stack.size() >= 2) {
          stack.pop_back();
        }
        levels[i] = stack.back().level;
        break;
      case kBidiB:
        levels[i] = paragraphLevel;
        break;
      case kBidiBN:
        levels[i] = stack.back().level;
        break;
      default:
        levels[i] = stack.back().level;
        if (stack.back().override != kBidiON) types[i] = stack.back().override;
        break;
      }
    }
  }

  // X10: the isolating run sequences, each a list of indices of characters X9 keeps.
  std::vector<std::vector<int>> RunSequences() const {
    std::vector<std::vector<int>> runs;
    std::vector<int> runStartingAt(n, -1);
    int previousLevel = -1;
    for (std::size_t i = 0; i < n; ++i) {
      if (Removed(i)) continue;
      if (runs.empty() || levels[i] != previousLevel) {
        runStartingAt[i] = static_cast<int>(runs.size());
        runs.emplace_back();
      }
      runs.back().push_back(static_cast<int>(i));
      previousLevel = levels[i];
    }
    std::vector<std::vector<int>> sequences;
    for (const auto& run : runs) {
      if (original[run.front()] == kBidiPDI && matchedPdi[run.front()]) continue;  // joined to its initiator
      std::vector<int> sequence(run);
      for (;;) {
        const int last = sequence.back();
        if (!IsIsolateInitiator(original[last]) || matchingPdi[last] < 0) break;
        const int next = runStartingAt[matchingPdi[last]];
        if (next < 0) break;
        sequence.insert(sequence.end(), runs[next].begin(), runs[next].end());
      }
      sequences.push_back(std::move(sequence));
    }
    return sequences;
  }

  int LevelBefore(int index) const {
    for (int j = index - 1; j >= 0; --j)
      if (!Removed(j)) return explicitLevels[j];
    return paragraphLevel;
  }
  int LevelAfter(int index) const {
    if (IsIsolateInitiator(original[index])) return paragraphLevel;
    for (std::size_t j = static_cast<std::size_t>(index) + 1; j < n; ++j)
      if (!Removed(j)) return explicitLevels[j];
    return paragraphLevel;
  }

  void ResolveSequence(const std::vector<int>& seq) {
    const std::size_t len = seq.size();
    const int level = explicitLevels[seq.front()];
    const BidiClass sos = (std::max(level, LevelBefore(seq.front())) & 1) ? kBidiR : kBidiL;
    const BidiClass eos = (std::max(level, LevelAfter(seq.back())) & 1) ? kBidiR : kBidiL;
    auto t = [&](std::size_t k) -> BidiClass& { return types[seq[k]]; };

    // W1: marks take the type of what they follow; after an isolate control they are neutral.
    for (std::size_t k = 0; k < len; ++k) {
      if (t(k) != kBidiNSM) continue;
      if (k == 0)
        t(k) = sos;
      else
        t(k) = IsIsolateControl(t(k - 1)) ? kBidiON : t(k - 1);
    }
    // W2, W3: European numbers after Arabic letters are Arabic numbers; AL becomes R.
    BidiClass lastStrong = sos;
    for (std::size_t k = 0; k < len; ++k) {
      const BidiClass c = t(k);
      if (c == kBidiL || c == kBidiR || c == kBidiAL) lastStrong = c;
      else if (c == kBidiEN && lastStrong == kBidiAL) t(k) = kBidiAN;
    }
    for (std::size_t k = 0; k < len; ++k)
      if (t(k) == kBidiAL) t(k) = kBidiR;
    // W4: a single separator between two numbers of one kind.
    for (std::size_t k = 1; k + 1 < len; ++k) {
      const BidiClass before = t(k - 1), after = t(k + 1);
      if (t(k) == kBidiES && before == kBidiEN && after == kBidiEN) t(k) = kBidiEN;
      else if (t(k) == kBidiCS && before == kBidiEN && after == kBidiEN) t(k) = kBidiEN;
      else if (t(k) == kBidiCS && before == kBidiAN && after == kBidiAN) t(k) = kBidiAN;
    }
    // W5: terminators next to European numbers.
    for (std::size_t k = 0; k < len;) {
      if (t(k) != kBidiET) {
        ++k;
        continue;
      }
      std::size_t end = k;
      while (end < len && t(end) == kBidiET) ++end;
      const bool number = (k > 0 && t(k - 1) == kBidiEN) || (end < len && t(end) == kBidiEN);
      if (number)
        for (std::size_t j = k; j < end; ++j) t(j) = kBidiEN;
      k = end;
    }
    // W6: remaining separators and terminators are neutral.
    for (std::size_t k = 0; k < len; ++k)
      if (t(k) == kBidiES || t(k) == kBidiET || t(k) == kBidiCS) t(k) = kBidiON;
    // W7: European numbers after L are L.
    lastStrong = sos;
    for (std::size_t k = 0; k < len; ++k) {
      const BidiClass c = t(k);
      if (c == kBidiL || c == kBidiR) lastStrong = c;
      else if (c == kBidiEN && lastStrong == kBidiL) t(k) = kBidiL;
    }

    const BidiClass embedding = (level & 1) ? kBidiR : kBidiL;
    if (text) PairedBrackets(seq, sos, embedding);

    // N1, N2: neutrals between strong types of one direction take it, others the embedding's.
    for (std::size_t k = 0; k < len;) {
      if (!IsNeutralOrIsolate(t(k))) {
        ++k;
        continue;
      }
      std::size_t end = k;
      while (end < len && IsNeutralOrIsolate(t(end))) ++end;
      const BidiClass before = k == 0 ? sos : StrongOf(t(k - 1));
      const BidiClass after = end == len ? eos : StrongOf(t(end));
      const BidiClass resolved = before == after ? before : embedding;
      for (std::size_t j = k; j < end; ++j) t(j) = resolved;
      k = end;
    }
    // I1, I2.
    for (std::size_t k = 0; k < len; ++k) {
      int& lv = levels[seq[k]];
      const BidiClass c = t(k);
      if ((lv & 1) == 0) {
        if (c == kBidiR) lv += 1;
        else if (c == kBidiAN || c == kBidiEN) lv += 2;
      } else if (c == kBidiL || c == kBidiAN || c == kBidiEN) {
        lv += 1;
      }
    }
  }

  // N0: paired brackets take the direction of what they enclose, or of their context.
  void PairedBrackets(const std::vector<int>& seq, BidiClass sos, BidiClass embedding) {
    struct Open {
      char32_t closer;
      std::size_t at;
    };
    std::vector<Open> stack;
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t k = 0; k < seq.size(); ++k) {
      const int i = seq[k];
      if (types[i] != kBidiON) continue;
      const Bracket* b = FindBracket(text[i]);
      if (!b) continue;
      if (b->kind == 1) {
        if (stack.size() == kMaxBracketPairs) break;  // BD16: stop looking for pairs
        stack.push_back({CanonicalBracket(b->pair), k});
      } else {
        const char32_t closer = b->canonical;
        for (std::size_t s = stack.size(); s-- > 0;) {
          if (stack[s].closer != closer) continue;
          pairs.emplace_back(stack[s].at, k);
          stack.resize(s);
          break;
        }
      }
    }
    std::sort(pairs.begin(), pairs.end());
    const BidiClass opposite = embedding == kBidiL ? kBidiR : kBidiL;
    for (const auto& [open, close] : pairs) {
      bool sameInside = false, oppositeInside = false;
      for (std::size_t k = open + 1; k < close; ++k) {
        const BidiClass s = StrongOf(types[seq[k]]);
        if (s == embedding) sameInside = true;
        else if (s == opposite) oppositeInside = true;
      }
      BidiClass resolved;
      if (sameInside) {
        resolved = embedding;
      } else if (oppositeInside) {
        BidiClass context = sos;
        for (std::size_t k = open; k-- > 0;) {
          const BidiClass s = StrongOf(types[seq[k]]);
          if (s != kBidiON) {
            context = s;
            break;
          }
        }
        resolved = context == opposite ? opposite : embedding;
      } else {
        continue;
      }
      for (std::size_t at : {open, close}) {
        types[seq[at]] = resolved;
        for (std::size_t k = at + 1; k < seq.size() && original[seq[k]] == kBidiNSM; ++k) types[seq[k]] = resolved;
      }
    }
  }

  // L1: separators, and white space before them or at the line's end, at the paragraph level.
  void LineLevels() {
    bool reset = true;
    for (std::size_t i = n; i-- > 0;) {
      const BidiClass c = original[i];
      if (c == kBidiS || c == kBidiB) {
        levels[i] = paragraphLevel;
        reset = true;
      } else if (c == kBidiWS || IsIsolateControl(c) || Removed(i)) {
        if (reset) levels[i] = paragraphLevel;
      } else {
        reset = false;
      }
    }
  }
};

}  // namespace

BidiClass BidiClassOf(char32_t cp) {
  const ClassRange* end = kClassRanges + kClassRangeCount;
  const ClassRange* it =
      std::upper_bound(kClassRanges, end, cp, [](char32_t value, const ClassRange& r) { return value < r.first; });
  if (it == kClassRanges) return kBidiL;
  --it;
  return cp <= it->last ? static_cast<BidiClass>(it->bidiClass) : kBidiL;
}

char32_t BidiMirrorOf(char32_t cp) {
  const Mirror* end = kMirrors + kMirrorCount;
  const Mirror* it =
      std::lower_bound(kMirrors, end, cp, [](const Mirror& m, char32_t value) { return m.codePoint < value; });
  return it != end && it->codePoint == cp ? static_cast<char32_t>(it->mirror) : cp;
}

BidiLevels ResolveBidiLevels(const std::vector<BidiClass>& classes, const char32_t* text, int paragraphLevel) {
  Paragraph p(classes, text);
  p.MatchIsolates();
  if (paragraphLevel < 0) paragraphLevel = p.FirstStrongLevel(0, p.n) == 1 ? 1 : 0;
  p.paragraphLevel = paragraphLevel & 1;
  p.ExplicitLevels();
  p.explicitLevels = p.levels;
  for (const auto& sequence : p.RunSequences()) p.ResolveSequence(sequence);
  p.LineLevels();
  BidiLevels result;
  result.paragraphLevel = p.paragraphLevel;
  result.levels = std::move(p.levels);
  for (std::size_t i = 0; i < p.n; ++i)
    if (p.Removed(i)) result.levels[i] = -1;
  return result;
}

std::vector<int> BidiVisualOrder(const std::vector<int>& levels) {
  std::vector<int> order, orderLevels;
  int highest = 0, lowestOdd = 1000;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (levels[i] < 0) continue;
    order.push_back(static_cast<int>(i));
    orderLevels.push_back(levels[i]);
    highest = std::max(highest, levels[i]);
    if (levels[i] & 1) lowestOdd = std::min(lowestOdd, levels[i]);
  }
  for (int level = highest; level >= lowestOdd; --level) {
    for (std::size_t k = 0; k < order.size();) {
      if (orderLevels[k] < level) {
        ++k;
        continue;
      }
      std::size_t end = k;
      while (end < order.size() && orderLevels[end] >= level) ++end;
      std::reverse(order.begin() + static_cast<std::ptrdiff_t>(k), order.begin() + static_cast<std::ptrdiff_t>(end));
      std::reverse(orderLevels.begin() + static_cast<std::ptrdiff_t>(k),
                   orderLevels.begin() + static_cast<std::ptrdiff_t>(end));
      k = end;
    }
  }
  return order;
}

}  // namespace rich
