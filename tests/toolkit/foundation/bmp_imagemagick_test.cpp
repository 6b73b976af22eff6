// BMP files made by ImageMagick, an outside reference, in every depth and form it writes: the
// reader must see the pixels ImageMagick itself reports for the same file, and a file written
// back and read again must keep them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/toolkit/foundation/bmp_test_support.h"
#include "toolkit/foundation/bmp_stream.h"

#ifndef OV_IMAGEMAGICK_CONVERT
#define OV_IMAGEMAGICK_CONVERT ""
#endif

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 13;
constexpr int kHeight = 7;

std::vector<std::uint8_t> Load(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ImageMagickBmp : public testing::Test {
 protected:
  void SetUp() override {
    convert_ = OV_IMAGEMAGICK_CONVERT;
    ASSERT_FALSE(convert_.empty()) << "ImageMagick's convert was not found when configuring (scripts/setup installs it)";
    dir_ = fs::temp_directory_path() / ("ov_bmp_im_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::create_directories(dir_);
    // A picture with many colours and varied alpha, as a PAM file ImageMagick reads exactly.
    std::ofstream pam(dir_ / "src.pam", std::ios::binary);
    pam << "P7\nWIDTH " << kWidth << "\nHEIGHT " << kHeight << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const unsigned char px[4] = {static_cast<unsigned char>(x * 19 + y * 7), static_cast<unsigned char>(x * 5 + y * 31),
                                     static_cast<unsigned char>(x * x + y * 3), static_cast<unsigned char>(x * 17 + y * 40)};
        pam.write(reinterpret_cast<const char*>(px), 4);
      }
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  bool Run(const std::string& arguments) {
    const std::string command = "\"" + convert_ + "\" " + arguments + " 2>&1";
    return std::system(command.c_str()) == 0;
  }

  std::string convert_;
  fs::path dir_;
};

struct Variant {
  const char* name;
  const char* options;  // between the source and the output
  const char* format;   // BMP3: 40-byte header; BMP: version 5 header
  int depth;
  std::uint32_t compression;
  bool alpha;
  int tolerance;  // ImageMagick rounds 5- and 6-bit channels, the reader truncates
};

TEST_F(ImageMagickBmp, EveryDepthReadsAsImageMagickReportsAndSurvivesARoundTrip) {
  const Variant variants[] = {
      {"1", "-alpha off -monochrome", "BMP3", 1, 0, false, 0},
      {"4", "-alpha off -colors 12 -compress None", "BMP3", 4, 0, false, 0},
      {"8", "-alpha off -colors 200 -compress None", "BMP3", 8, 0, false, 0},
      {"8 rle", "-alpha off -colors 200 -compress RLE", "BMP3", 8, 1, false, 0},
      {"16 565", "-alpha off -define bmp:subtype=RGB565", "BMP", 16, 3, false, 1},
      {"16 555", "-alpha off -define bmp:subtype=RGB555", "BMP", 16, 3, false, 1},
      {"24", "-alpha off -type TrueColor", "BMP3", 24, 0, false, 0},
      {"24 v5 header", "-alpha off -type TrueColor", "BMP", 24, 0, false, 0},
      {"32 alpha", "-type TrueColorAlpha -define bmp3:alpha=true", "BMP3", 32, 0, true, 0},
      {"32 alpha bit fields v5 header", "-type TrueColorAlpha", "BMP", 32, 3, true, 0},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.name);
    const fs::path bmp = dir_ / "out.bmp";
    const fs::path rgba = dir_ / "out.rgba";
    ASSERT_TRUE(Run("\"" + (dir_ / "src.pam").string() + "\" " + v.options + " " + v.format + ":\"" + bmp.string() + "\""));
    ASSERT_TRUE(Run("\"" + bmp.string() + "\" -depth 8 rgba:\"" + rgba.string() + "\""));
    const std::vector<std::uint8_t> file = Load(bmp);
    const std::vector<std::uint8_t> reference = Load(rgba);
    ASSERT_EQ(reference.size(), static_cast<std::size_t>(kWidth * kHeight * 4));
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file[28], v.depth) << "ImageMagick wrote another depth than the case means";
    EXPECT_EQ(file[30], v.compression) << "ImageMagick wrote another compression than the case means";

    BmpReadResult r = bmptest::Read(file);
    ASSERT_EQ(r.error, BmpError::None) << BmpErrorText(r.error);
    ASSERT_EQ(r.block->Depth(), v.depth);
    DibPtr working = r.block->Depth() == 32 ? DibDuplicate(*r.block) : ConvertDibTo32Bpp(*r.block);
    ASSERT_TRUE(working);
    int mismatches = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        DibColor c{};
        ASSERT_TRUE(DibReadPixel(*working, x, y, &c));
        const std::uint8_t* want = &reference[static_cast<std::size_t>(y * kWidth + x) * 4];
        const int got[4] = {c.red, c.green, c.blue, v.alpha ? c.alpha : 255};
        for (int i = 0; i < 4; ++i)
          if (std::abs(got[i] - want[i]) > v.tolerance && mismatches++ < 5)
            ADD_FAILURE() << "(" << x << ", " << y << ") channel " << i << ": read " << got[i] << ", ImageMagick "
                          << int(want[i]);
      }
    EXPECT_EQ(mismatches, 0);

    BmpReadResult again = bmptest::Read(bmptest::Write(*r.block, v.compression == 1));
    ASSERT_EQ(again.error, BmpError::None);
    EXPECT_TRUE(bmptest::SamePixels(*r.block, *again.block));
  }
}

TEST_F(ImageMagickBmp, ImageMagickReadsWhatTheWriterWrites) {
  // Our 16-bit (bit fields) and run-length 8-bit streams, checked by the outside reader.
  struct Case {
    int depth;
    bool rle8;
  };
  for (const Case c : {Case{8, true}, Case{16, false}, Case{4, false}, Case{32, false}}) {
    SCOPED_TRACE(testing::Message() << c.depth << (c.rle8 ? " rle" : ""));
    DibPtr block = bmptest::PatternBlock(kWidth, kHeight, c.depth);
    if (c.depth == 32)
      for (int row = 0; row < kHeight; ++row)
        for (int x = 0; x < kWidth; ++x) block->Row(row)[4 * x + 3] = 255;  // opaque: no alpha questions
    const std::vector<std::uint8_t> bytes = bmptest::Write(*block, c.rle8);
    const fs::path bmp = dir_ / "ours.bmp";
    const fs::path rgba = dir_ / "ours.rgba";
    std::ofstream(bmp, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(Run("\"" + bmp.string() + "\" -depth 8 rgba:\"" + rgba.string() + "\""));
    const std::vector<std::uint8_t> reference = Load(rgba);
    ASSERT_EQ(reference.size(), static_cast<std::size_t>(kWidth * kHeight * 4));
    DibPtr working = c.depth == 32 ? DibDuplicate(*block) : ConvertDibTo32Bpp(*block);
    int mismatches = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        DibColor px{};
        ASSERT_TRUE(DibReadPixel(*working, x, y, &px));
        const std::uint8_t* want = &reference[static_cast<std::size_t>(y * kWidth + x) * 4];
        const int tolerance = c.depth == 16 ? 1 : 0;
        if (std::abs(px.red - want[0]) > tolerance || std::abs(px.green - want[1]) > tolerance ||
            std::abs(px.blue - want[2]) > tolerance)
          if (mismatches++ < 5) ADD_FAILURE() << "(" << x << ", " << y << ")";
      }
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
