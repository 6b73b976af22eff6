// Access to the program's module as a data file, and to its resources as pixels and bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace res {

// The program file next to the test program, loaded once as a data file.
HMODULE Module();
std::wstring ModulePath();

// Raw bytes of a resource (empty when it is missing).
std::string_view Bytes(LPCWSTR name, LPCWSTR type);
inline std::string_view Bytes(int id, LPCWSTR type) { return Bytes(MAKEINTRESOURCEW(id), type); }

// A bitmap resource decoded to 32-bit pixels, top row first; empty when it cannot be loaded.
struct Pixels {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // as stored in the resource
    std::uint32_t* data = nullptr;
    std::basic_string<std::uint32_t> store;

    bool empty() const { return width == 0; }
    // RGB as 0xRRGGBB.
    std::uint32_t at(int x, int y) const { return store[static_cast<size_t>(y) * width + x]; }
};
Pixels LoadPixels(int id);

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

inline int Red(std::uint32_t c) { return (c >> 16) & 0xFF; }
inline int Green(std::uint32_t c) { return (c >> 8) & 0xFF; }
inline int Blue(std::uint32_t c) { return c & 0xFF; }
// Relative luminance of the mean colour of a rectangle, 0 (black) to 1 (white).
double MeanLuminance(const Pixels& p, int x0, int y0, int x1, int y1);

// A data file of the program by name, as a path Windows functions accept.
std::wstring DataFile(const wchar_t* name);

}  // namespace res
