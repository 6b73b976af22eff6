// Walks the blocks of GIF data and cuts out each displayable frame as a stand-alone
// single-frame GIF (header, screen descriptor and global colour table, the frame's blocks,
// trailer), which the system's picture loader can decode on its own. Every read stays within
// the data: a block that would run past the end is invalid.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

enum class GifBlock { kApplication, kComment, kGraphicControl, kPlainText, kImage, kTrailer, kUnknown };

// One frame cut out of the data.
struct GifFrameData {
  std::vector<BYTE> bytes;  // a complete GIF with this frame only
  DWORD delay = 0xFFFFFFFF;  // hundredths of a second; 0xFFFFFFFF without a graphic control extension
  int disposal = 0;          // 0-7; 0 without a graphic control extension
  bool hasImage = false;     // false for a plain-text frame: size and position below are unset
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
};

class GifStream {
 public:
  GifStream(const BYTE* data, std::size_t size) : m_data(data), m_size(size) {}

  // The data begins with "GIF".
  bool IsGif() const;
  // Reads the logical screen descriptor and moves to the first block; false when the data is
  // too short for it.
  bool ReadHeader();
  int ScreenWidth() const { return m_screenWidth; }
  int ScreenHeight() const { return m_screenHeight; }
  std::size_t GlobalTableSize() const { return m_globalTableSize; }
  // Back to the first block after the header.
  void Rewind() { m_offset = 13 + m_globalTableSize; }
  std::size_t Offset() const { return m_offset; }

  GifBlock Kind() const;
  // Length of the block at the offset; -1 when it is unrecognised or runs past the end.
  long BlockLength() const;
  bool SkipBlock();
  // Advances over one displayable frame (its extensions and its image or plain text).
  bool SkipGraphicBlock();
  // Counts the displayable frames from the first block on, then rewinds.
  int CountFrames();
  // Cuts out the next displayable frame; false at the end or at an invalid block.
  bool ExtractFrame(GifFrameData& frame);

 private:
  unsigned Byte(std::size_t at) const { return at < m_size ? m_data[at] : 0u; }
  unsigned Word(std::size_t at) const { return Byte(at) | (Byte(at + 1) << 8); }
  // Length of the sub-block chain starting at 'at' (every length byte, data byte and the
  // terminator); -1 when it runs past the end.
  long ChainLength(std::size_t at) const;
  bool SkipExtensionsBeforeFrame();

  const BYTE* m_data;
  std::size_t m_size;
  std::size_t m_offset = 0;
  std::size_t m_globalTableSize = 0;
  int m_screenWidth = 0;
  int m_screenHeight = 0;
};
