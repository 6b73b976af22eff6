// Walking GIF blocks: frames with their delays, disposals and rectangles, extensions before and
// between frames, unknown blocks and cut-off data, and no read past the end of the data.
#include <gtest/gtest.h>

#include <cstring>

#include "controls/gif_stream.h"
#include "gif_builder.h"

namespace {

using giftest::GifBuilder;

const std::vector<COLORREF> kPalette = {RGB(255, 255, 255), RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 220)};

GifBuilder ThreeFrames() {
  GifBuilder gif(16, 12, kPalette);
  gif.Application().Comment("made for a test");
  gif.Control(10, 2).Fill(0, 0, 16, 12, 1);
  gif.Comment("between").Control(0, 3, 0).Fill(2, 3, 5, 4, 2);
  gif.Control(5, 1).Application("OTHERAPP1.0").Comment("inside").Fill(8, 6, 8, 6, 3);
  gif.Trailer();
  return gif;
}

TEST(GifStream, FramesCarryTheirDelaysDisposalsAndRectangles) {
  GifBuilder gif = ThreeFrames();
  GifStream stream(gif.Bytes().data(), gif.Size());
  ASSERT_TRUE(stream.IsGif());
  ASSERT_TRUE(stream.ReadHeader());
  EXPECT_EQ(stream.ScreenWidth(), 16);
  EXPECT_EQ(stream.ScreenHeight(), 12);
  EXPECT_EQ(stream.GlobalTableSize(), 12u);
  EXPECT_EQ(stream.CountFrames(), 3);

  struct Want {
    DWORD delay;
    int disposal;
    RECT rect;
  } want[] = {{10, 2, {0, 0, 16, 12}}, {0, 3, {2, 3, 7, 7}}, {5, 1, {8, 6, 16, 12}}};
  stream.Rewind();
  const std::size_t head = 13 + 12;
  for (const Want& w : want) {
    GifFrameData frame;
    ASSERT_TRUE(stream.ExtractFrame(frame));
    EXPECT_EQ(frame.delay, w.delay);
    EXPECT_EQ(frame.disposal, w.disposal);
    EXPECT_TRUE(frame.hasImage);
    EXPECT_EQ(frame.left, w.rect.left);
    EXPECT_EQ(frame.top, w.rect.top);
    EXPECT_EQ(frame.width, w.rect.right - w.rect.left);
    EXPECT_EQ(frame.height, w.rect.bottom - w.rect.top);
    // A stand-alone GIF: the same header and table, the frame's blocks, a trailer.
    ASSERT_GT(frame.bytes.size(), head + 1);
    EXPECT_EQ(std::memcmp(frame.bytes.data(), gif.Bytes().data(), head), 0);
    EXPECT_EQ(frame.bytes.back(), 0x3B);
    GifStream single(frame.bytes.data(), frame.bytes.size());
    ASSERT_TRUE(single.ReadHeader());
    EXPECT_EQ(single.CountFrames(), 1);
  }
  GifFrameData end;
  EXPECT_FALSE(stream.ExtractFrame(end));
}

TEST(GifStream, AFrameWithoutControlExtensionWaitsForEver) {
  GifBuilder gif(8, 8, kPalette);
  gif.Fill(0, 0, 8, 8, 1).Control(7, 2).Fill(0, 0, 4, 4, 2).Trailer();
  GifStream stream(gif.Bytes().data(), gif.Size());
  ASSERT_TRUE(stream.ReadHeader());
  GifFrameData frame;
  ASSERT_TRUE(stream.ExtractFrame(frame));
  EXPECT_EQ(frame.delay, 0xFFFFFFFFu);
  EXPECT_EQ(frame.disposal, 0);
  ASSERT_TRUE(stream.ExtractFrame(frame));
  EXPECT_EQ(frame.delay, 7u);
}

TEST(GifStream, FrameCountsOfDamagedAndUnusualData) {
  struct Case {
    const char* name;
    GifBuilder gif;
    int frames;
  };
  auto base = [] { return GifBuilder(8, 8, kPalette); };
  std::vector<Case> cases;
  cases.push_back({"unknown block ends the frames", base().Control(10, 0).Fill(0, 0, 8, 8, 1).Unknown().Control(10, 0).Fill(0, 0, 8, 8, 2).Trailer(), 1});
  cases.push_back({"no trailer", base().Fill(0, 0, 8, 8, 1).Fill(0, 0, 8, 8, 2), 2});
  cases.push_back({"control extension then trailer", base().Fill(0, 0, 8, 8, 1).Control(10, 0).Trailer(), 1});
  cases.push_back({"plain text frame", base().Control(10, 0).PlainText().Fill(0, 0, 8, 8, 1).Trailer(), 2});
  cases.push_back({"only extensions", base().Application().Comment("x").Trailer(), 0});
  cases.push_back({"no global table", GifBuilder(4, 4, {}).Fill(0, 0, 4, 4, 0).Trailer(), 1});
  // A chain of sub-blocks whose terminator never comes: the GIF ends before it.
  cases.push_back({"chain without terminator", base().Fill(0, 0, 8, 8, 1).Raw({0x21, 0xFE, 5, 'a', 'b', 'c', 'd', 'e'}), 1});
  cases.push_back({"image cut short", base().Fill(0, 0, 8, 8, 1).Raw({0x2C, 0, 0, 0, 0, 8, 0, 8, 0, 0, 7, 20, 1}), 1});
  // A local colour table that claims more bytes than there are.
  cases.push_back({"local table past the end", base().Fill(0, 0, 8, 8, 1).Raw({0x2C, 0, 0, 0, 0, 8, 0, 8, 0, 0x87, 7}), 1});
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    GifStream stream(c.gif.Bytes().data(), c.gif.Size());
    ASSERT_TRUE(stream.ReadHeader());
    EXPECT_EQ(stream.CountFrames(), c.frames);
    int extracted = 0;
    GifFrameData frame;
    while (stream.ExtractFrame(frame)) ++extracted;
    EXPECT_EQ(extracted, c.frames);
  }
}

TEST(GifStream, ShortOrForeignDataIsNoGif) {
  const BYTE bmp[] = {'B', 'M', 0, 0};
  EXPECT_FALSE(GifStream(bmp, sizeof bmp).IsGif());
  const BYTE shortGif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0};
  GifStream stream(shortGif, sizeof shortGif);
  EXPECT_TRUE(stream.IsGif());
  EXPECT_FALSE(stream.ReadHeader());
  EXPECT_FALSE(GifStream(nullptr, 0).IsGif());
  GifStream empty(nullptr, 0);
  EXPECT_FALSE(empty.SkipBlock());
}

// The data ends right before a page that may not be read: any read past the end faults.
class GuardedCopy {
 public:
  explicit GuardedCopy(const std::vector<std::uint8_t>& bytes) {
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    const std::size_t page = info.dwPageSize;
    const std::size_t pages = (bytes.size() + page - 1) / page + 1;
    m_base = static_cast<BYTE*>(::VirtualAlloc(nullptr, pages * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old = 0;
    ::VirtualProtect(m_base + (pages - 1) * page, page, PAGE_NOACCESS, &old);
    m_data = m_base + (pages - 1) * page - bytes.size();
    if (!bytes.empty()) std::memcpy(m_data, bytes.data(), bytes.size());
  }
  ~GuardedCopy() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
  const BYTE* data() const { return m_data; }

 private:
  BYTE* m_base = nullptr;
  BYTE* m_data = nullptr;
};

TEST(GifStream, EveryCutOfTheDataStaysWithinIt) {
  const GifBuilder gif = ThreeFrames();
  int previous = 0;
  for (std::size_t size = 0; size <= gif.Size(); ++size) {
    std::vector<std::uint8_t> cut(gif.Bytes().begin(), gif.Bytes().begin() + static_cast<long>(size));
    GuardedCopy copy(cut);
    GifStream stream(copy.data(), size);
    if (!stream.ReadHeader()) {
      EXPECT_LT(size, 13u);
      continue;
    }
    const int frames = stream.CountFrames();
    EXPECT_GE(frames, previous) << "size " << size;
    previous = frames;
    GifFrameData frame;
    int extracted = 0;
    while (stream.ExtractFrame(frame)) ++extracted;
    EXPECT_EQ(extracted, frames) << "size " << size;
  }
  EXPECT_EQ(previous, 3);
}

}  // namespace
