// A small PNG writer (stored deflate blocks): captures are for review, not for size.
#include <cstdio>

#include "gui_harness.h"

namespace gui {
namespace {

std::uint32_t Crc32(const std::uint8_t* data, size_t n, std::uint32_t crc = 0) {
    static std::uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& body) {
    PutBE32(out, static_cast<std::uint32_t>(body.size()));
    std::vector<std::uint8_t> crcData(type, type + 4);
    crcData.insert(crcData.end(), body.begin(), body.end());
    out.insert(out.end(), crcData.begin(), crcData.end());
    PutBE32(out, Crc32(crcData.data(), crcData.size()));
}

std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t len = raw.size() - pos;
        if (len > 65535) len = 65535;
        bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(len));
        z.push_back(static_cast<std::uint8_t>(len >> 8));
        z.push_back(static_cast<std::uint8_t>(~len));
        z.push_back(static_cast<std::uint8_t>(~len >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + len);
        pos += len;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBE32(z, (b << 16) | a);
    return z;
}

}  // namespace

bool SavePng(const Image& image, const std::wstring& path) {
    if (image.Empty()) return false;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<size_t>(image.height) * (1 + 3 * image.width));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t p = image.At(x, y);
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
        }
    }
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> ihdr;
    PutBE32(ihdr, static_cast<std::uint32_t>(image.width));
    PutBE32(ihdr, static_cast<std::uint32_t>(image.height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", ZlibStored(raw));
    PutChunk(png, "IEND", {});

    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    bool ok = fwrite(png.data(), 1, png.size(), f) == png.size();
    return fclose(f) == 0 && ok;
}

}  // namespace gui
