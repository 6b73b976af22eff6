// A bounded fuzz run over the BMP reader: any input is read or refused without crashing,
// hanging or touching memory it does not own (the sanitizer build checks), and every accepted
// image survives a write and a second read. Seeds are the round-trip streams of every depth and
// the run-length and header forms. OV_FUZZ_ROUNDS makes longer runs by hand; OV_BMP_CORPUS=dir
// writes the seeds as files for the libFuzzer entry (bmp_libfuzzer.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/mutation_fuzzer.h"
#include "tests/toolkit/foundation/bmp_fuzz_target.h"
#include "tests/toolkit/foundation/bmp_test_support.h"

namespace {

using bmptest::Bytes;

std::string AsString(const std::vector<std::uint8_t>& v) { return std::string(v.begin(), v.end()); }

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds;
  const DibMasks masks16[] = {kDibMasks565, kDibMasks555};
  for (int depth : {1, 4, 8, 16, 24, 32})
    for (int width : {1, 6, 17}) {
      DibPtr b = bmptest::PatternBlock(width, 3, depth, masks16[width % 2]);
      seeds.push_back(AsString(bmptest::Write(*b, false)));
      if (depth == 8) seeds.push_back(AsString(bmptest::Write(*b, true)));
    }
  DibPtr runs = bmptest::Block8(40, {std::vector<std::uint8_t>(40, 3), std::vector<std::uint8_t>(40, 200)});
  seeds.push_back(AsString(bmptest::Write(*runs, true)));
  Bytes rle4;
  rle4.fileHeader().info(6, 3, 4, kDibCompressionRle4, 16).zeros(64);
  rle4.raw({5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 0, 0, 2, 2, 0, 4, 0x77, 0, 1});
  seeds.push_back(AsString(rle4.v));
  Bytes v5;
  v5.fileHeader().info(2, -2, 32, kDibCompressionBitfields, 0, 124);
  v5.u32(0xFF0000).u32(0xFF00).u32(0xFF).u32(0xFF000000).zeros(124 - 56).zeros(16);
  seeds.push_back(AsString(v5.v));
  Bytes packed;
  packed.info(3, 2, 16, kDibCompressionBitfields).u32(0xF800).u32(0x7E0).u32(0x1F).zeros(16);
  seeds.push_back(AsString(packed.v));
  return seeds;
}

TEST(BmpFuzz, ReaderTakesAnyInputAndAcceptedImagesRoundTrip) {
  const std::vector<std::string> seeds = Seeds();
  if (const char* dir = std::getenv("OV_BMP_CORPUS")) {
    std::filesystem::create_directories(dir);
    for (std::size_t i = 0; i < seeds.size(); ++i)
      std::ofstream(std::filesystem::path(dir) / ("seed" + std::to_string(i) + ".bmp"), std::ios::binary) << seeds[i];
  }
  for (const std::string& s : seeds)
    ASSERT_TRUE(BmpFuzzOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()));
  ovtest::MutationFuzzer fuzzer(seeds);
  int faults = 0;
  fuzzer.Run(40000, [&](const std::string& input) {
    if (!BmpFuzzOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()) && faults++ < 3)
      ADD_FAILURE() << "an accepted input did not survive the round trip (" << input.size() << " bytes)";
  }, 1 << 14);
  EXPECT_EQ(faults, 0);
}

}  // namespace
