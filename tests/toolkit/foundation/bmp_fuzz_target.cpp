#include "tests/toolkit/foundation/bmp_fuzz_target.h"

#include "tests/toolkit/foundation/bmp_test_support.h"

bool BmpFuzzOneInput(const std::uint8_t* data, std::size_t size) {
  // Small enough that every accepted header stays quick; the limit itself is what is tested.
  constexpr std::uint64_t kFuzzMaxPixels = 1u << 18;
  for (bool noFileHeader : {false, true}) {
    BmpMemorySource source(data, size);
    BmpReadOptions options;
    options.noFileHeader = noFileHeader;
    options.maxPixels = kFuzzMaxPixels;
    BmpReadResult r = ReadBmpStream(source, options);
    if (!r.block) continue;
    DibPtr working = r.block->Depth() == 32 ? DibDuplicate(*r.block) : ConvertDibTo32Bpp(*r.block);
    if (!working) return false;
    DibColor c{};
    const int w = working->Width(), h = working->Height();
    if (!DibReadPixel(*working, 0, 0, &c) || !DibReadPixel(*working, w - 1, h - 1, &c)) return false;
    working->flags = kDibFlagPremultiplied;
    DibWritePixel(*working, w / 2, h / 2, c, true, true, true, true);
    DibPremultiply(*working, false);
    BmpReadResult again = bmptest::Read(bmptest::Write(*r.block, r.block->Depth() == 8));
    if (!again.block || !bmptest::SamePixels(*r.block, *again.block)) return false;
  }
  return true;
}
