// Writes 32-bit top-down BGRA pixels as an RGB PNG file (uncompressed
// deflate blocks: simple and dependency-free; the test images are small).
#pragma once

#include <cstdint>
#include <string>

namespace fwtest {

bool WritePng(const std::wstring& path, const std::uint8_t* bgra, int width, int height, int stride);

}  // namespace fwtest
