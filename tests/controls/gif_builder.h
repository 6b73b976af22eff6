// Writes small GIF files block by block for tests: any mix of extensions, frames, unknown
// blocks and cut-off data. Image data is LZW coded with a clear code often enough that the code
// width never grows, which every decoder reads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace giftest {

class GifBuilder {
 public:
  // Header and logical screen descriptor, with a global colour table when palette is not empty.
  GifBuilder(int width, int height, const std::vector<COLORREF>& palette);

  GifBuilder& Application(const std::string& identifier = "NETSCAPE2.0");
  GifBuilder& Comment(const std::string& text);
  // Graphic control extension; transparent < 0 means none.
  GifBuilder& Control(int delay, int disposal, int transparent = -1);
  // An image of palette indices, row by row; localPalette replaces the global table.
  GifBuilder& Image(int left, int top, int width, int height, const std::vector<std::uint8_t>& indices,
                    const std::vector<COLORREF>& localPalette = {});
  // A filled rectangle image.
  GifBuilder& Fill(int left, int top, int width, int height, std::uint8_t index);
  GifBuilder& PlainText();
  GifBuilder& Unknown();  // an extension label the format does not define
  GifBuilder& Trailer();
  GifBuilder& Raw(const std::vector<std::uint8_t>& bytes);

  const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
  std::size_t Size() const { return m_bytes.size(); }
  // The data as a movable global memory block the caller frees.
  HGLOBAL ToGlobal() const;

 private:
  void Word(int value);
  void Palette(const std::vector<COLORREF>& palette);
  void SubBlocks(const std::vector<std::uint8_t>& data);
  static int TableBits(std::size_t entries);

  std::vector<std::uint8_t> m_bytes;
};

}  // namespace giftest
