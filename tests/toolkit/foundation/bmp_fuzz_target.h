// One fuzz input through the BMP reader and, when it is accepted, through conversion, pixel
// reads and a write-and-read-back that must give the same pixels. Shared by the bounded
// mutation run of the test suite and the libFuzzer entry (bmp_libfuzzer.cpp) for long runs.
#pragma once

#include <cstddef>
#include <cstdint>

// Returns false when an accepted image does not survive the round trip (a fault).
bool BmpFuzzOneInput(const std::uint8_t* data, std::size_t size);
