// The bidirectional algorithm against the Unicode conformance files BidiTest.txt (class
// sequences) and BidiCharacterTest.txt (code points, paired brackets), read from the Unicode
// Character Database folder (/usr/share/unicode, or OV_UNICODE_DIR). Every case is checked,
// except under the sanitizers, where every OV_BIDI_CASE_STRIDE-th data line keeps the run short.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "toolkit/richcontent/rich_bidi.h"

namespace {

#ifndef OV_BIDI_CASE_STRIDE
#define OV_BIDI_CASE_STRIDE 1
#endif
constexpr long kStride = OV_BIDI_CASE_STRIDE;

std::string UnicodeFile(const char* name) {
  const char* dir = std::getenv("OV_UNICODE_DIR");
  return std::string(dir && *dir ? dir : "/usr/share/unicode") + "/" + name;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::vector<int> Levels(const std::string& text) {
  std::vector<int> levels;
  for (const std::string& w : Words(text)) levels.push_back(w == "x" ? -1 : std::stoi(w));
  return levels;
}

std::vector<int> Numbers(const std::string& text) {
  std::vector<int> numbers;
  for (const std::string& w : Words(text)) numbers.push_back(std::stoi(w));
  return numbers;
}

std::string Show(const std::vector<int>& v) {
  std::string s;
  for (int x : v) s += (s.empty() ? "" : " ") + (x < 0 ? std::string("x") : std::to_string(x));
  return s;
}

// Counts cases and keeps the first few failures for the message.
struct Tally {
  long cases = 0;
  long failures = 0;
  std::string firstFailures;
  void Check(bool ok, const std::string& what) {
    ++cases;
    if (ok) return;
    if (++failures <= 10) firstFailures += what + "\n";
  }
  void Report(const char* file) const {
    std::printf("%s: %ld of %ld cases pass (%.3f%%)\n", file, cases - failures, cases,
                cases ? 100.0 * static_cast<double>(cases - failures) / static_cast<double>(cases) : 0.0);
  }
};

TEST(BidiConformance, BidiTestClassSequences) {
  std::ifstream in(UnicodeFile("BidiTest.txt"));
  ASSERT_TRUE(in) << UnicodeFile("BidiTest.txt")
                  << " is missing: install the Unicode Character Database (scripts/setup installs unicode-data)";
  const std::map<std::string, rich::BidiClass> names = {
      {"ON", rich::kBidiON},   {"L", rich::kBidiL},     {"R", rich::kBidiR},     {"AN", rich::kBidiAN},
      {"EN", rich::kBidiEN},   {"AL", rich::kBidiAL},   {"NSM", rich::kBidiNSM}, {"CS", rich::kBidiCS},
      {"ES", rich::kBidiES},   {"ET", rich::kBidiET},   {"BN", rich::kBidiBN},   {"S", rich::kBidiS},
      {"WS", rich::kBidiWS},   {"B", rich::kBidiB},     {"RLO", rich::kBidiRLO}, {"RLE", rich::kBidiRLE},
      {"LRO", rich::kBidiLRO}, {"LRE", rich::kBidiLRE}, {"PDF", rich::kBidiPDF}, {"LRI", rich::kBidiLRI},
      {"RLI", rich::kBidiRLI}, {"FSI", rich::kBidiFSI}, {"PDI", rich::kBidiPDI},
  };
  Tally tally;
  long dataLines = 0;
  std::vector<int> levels, order;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("@Levels:", 0) == 0) {
      levels = Levels(line.substr(8));
      continue;
    }
    if (line.rfind("@Reorder:", 0) == 0) {
      order = Numbers(line.substr(9));
      continue;
    }
    if (line[0] == '@' || dataLines++ % kStride != 0) continue;
    const auto fields = Split(line, ';');
    if (fields.size() < 2) continue;
    std::vector<rich::BidiClass> classes;
    for (const std::string& w : Words(fields[0])) classes.push_back(names.at(w));
    const int bits = std::stoi(fields[1], nullptr, 16);
    for (int bit = 0; bit < 3; ++bit) {
      if (!(bits & (1 << bit))) continue;
      const int paragraph = bit == 0 ? -1 : bit - 1;
      const rich::BidiLevels got = rich::ResolveBidiLevels(classes, nullptr, paragraph);
      const std::vector<int> gotOrder = rich::BidiVisualOrder(got.levels);
      tally.Check(got.levels == levels && gotOrder == order,
                  fields[0] + "; paragraph " + std::to_string(paragraph) + ": levels " + Show(got.levels) +
                      " (expected " + Show(levels) + "), order " + Show(gotOrder) + " (expected " + Show(order) +
                      ")");
    }
  }
  tally.Report("BidiTest.txt");
  EXPECT_GT(tally.cases, 400000 / kStride);
  EXPECT_EQ(tally.failures, 0) << tally.firstFailures;
}

TEST(BidiConformance, BidiCharacterTestCodePoints) {
  std::ifstream in(UnicodeFile("BidiCharacterTest.txt"));
  ASSERT_TRUE(in) << UnicodeFile("BidiCharacterTest.txt")
                  << " is missing: install the Unicode Character Database (scripts/setup installs unicode-data)";
  Tally tally;
  long dataLines = 0;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#' || dataLines++ % kStride != 0) continue;
    const auto fields = Split(line, ';');
    if (fields.size() < 5) continue;
    std::vector<char32_t> text;
    std::vector<rich::BidiClass> classes;
    for (const std::string& w : Words(fields[0])) {
      text.push_back(static_cast<char32_t>(std::stoul(w, nullptr, 16)));
      classes.push_back(rich::BidiClassOf(text.back()));
    }
    const int direction = std::stoi(fields[1]);
    const rich::BidiLevels got = rich::ResolveBidiLevels(classes, text.data(), direction == 2 ? -1 : direction);
    const std::vector<int> gotOrder = rich::BidiVisualOrder(got.levels);
    tally.Check(got.paragraphLevel == std::stoi(fields[2]) && got.levels == Levels(fields[3]) &&
                    gotOrder == Numbers(fields[4]),
                line + ": paragraph " + std::to_string(got.paragraphLevel) + ", levels " + Show(got.levels) +
                    ", order " + Show(gotOrder));
  }
  tally.Report("BidiCharacterTest.txt");
  EXPECT_GT(tally.cases, 90000 / kStride);
  EXPECT_EQ(tally.failures, 0) << tally.firstFailures;
}

}  // namespace
