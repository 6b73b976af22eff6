// A bounded fuzz run over the resource readers: string-table blocks, accelerator tables, menu
// and dialog templates (and the font replacement of any template the reader accepts) must take
// any bytes without reading or writing outside them (the sanitizer build checks).
// OV_FUZZ_ROUNDS makes longer runs by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/mutation_fuzzer.h"
#include "toolkit/foundation/resource_formats.h"

namespace {

std::string Words(std::initializer_list<std::uint16_t> words) {
  std::string s;
  for (std::uint16_t w : words) {
    s.push_back(static_cast<char>(w & 0xFF));
    s.push_back(static_cast<char>(w >> 8));
  }
  return s;
}

TEST(ResourceFormatsFuzz, AnyBytesStayInsideTheirBuffer) {
  const std::vector<std::string> seeds = {
      // extended dialog: font, one static item
      Words({1, 0xFFFF, 0, 0, 0, 0, 0x00C0, 0x80C8, 1, 0, 0, 200, 90, 0, 0, 'T', 0, 8, 400, 0, 'M', 'S', 0, 0,
             0, 0, 0, 0, 0, 0x5000, 7, 7, 100, 10, 1001, 0, 0xFFFF, 0x82, 'x', 0, 0}),
      // classic dialog with one item
      Words({0x00C0, 0x80C8, 0, 0, 1, 0, 0, 160, 60, 0, 0, 'C', 0, 8, 'M', 'S', 0, 0, 0, 0x5000, 0, 0, 7, 7, 146,
             10, 1001, 0xFFFF, 0x82, 'T', 0, 0}),
      // menus: standard and extended
      Words({0, 0, 0x10, '&', 'F', 0, 0, 40002, 'O', 0, 0x80, 40001, 'X', 0, 0x80, 40003, 'H', 0}),
      Words({1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0x81, 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0x41, 0x9C, 0x80, 'X', 0, 0}),
      // a string block and an accelerator table
      Words({0, 0, 0, 0, 5, 'H', 'e', 'l', 'l', 'o', 0, 0, 0, 0, 2, 'O', 'K'}),
      Words({0x09, 'O', 40002, 0, 0x91, 'X', 40001, 0}),
  };
  ovtest::MutationFuzzer fuzzer(seeds);
  unsigned long accepted = 0;
  fuzzer.Run(20000, [&](const std::string& input) {
    // An exact-size copy, so that one byte too far is outside the allocation.
    std::vector<std::uint8_t> bytes(input.begin(), input.end());
    const std::uint8_t* data = bytes.empty() ? nullptr : bytes.data();
    std::u16string text;
    for (unsigned id : {0u, 5u, 15u}) extres::ReadStringTableEntry(data, bytes.size(), id, &text);
    extres::ReadAcceleratorTable(data, bytes.size());
    extres::IsSoundMenuTemplate(data, bytes.size());
    extres::DialogTemplateInfo info;
    if (extres::ParseDialogTemplate(data, bytes.size(), &info)) {
      ++accepted;
      ASSERT_LE(info.size, bytes.size());
      std::vector<std::uint8_t> changed = extres::ReplaceDialogFont(data, info, u"Tahoma", 9);
      extres::DialogTemplateInfo again;
      if (!changed.empty()) {
        ASSERT_TRUE(extres::ParseDialogTemplate(changed.data(), changed.size(), &again));
        extres::AddDialogExStyle(changed.data(), again, 0x00400000);
      }
    }
  });
  EXPECT_GT(accepted, 0u);  // the run reached the accepting paths too
}

}  // namespace
