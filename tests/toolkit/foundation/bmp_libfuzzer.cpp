// libFuzzer entry for long runs by hand (clang only; not part of the test suite):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//     tests/toolkit/foundation/bmp_libfuzzer.cpp tests/toolkit/foundation/bmp_fuzz_target.cpp \
//     toolkit/foundation/bmp_stream.cpp toolkit/foundation/bmp_dib.cpp -o bmp_fuzz
//   OV_BMP_CORPUS=corpus build/asan/tests/toolkit/bmp_stream_fuzz_test   # writes the seed corpus
//   ./bmp_fuzz -max_total_time=600 corpus
#include <cstdlib>

#include "tests/toolkit/foundation/bmp_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!BmpFuzzOneInput(data, size)) std::abort();
  return 0;
}
