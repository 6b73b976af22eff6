// The bounded readers of string tables, accelerator tables, menu and dialog templates: what they
// read from sound data, and that data cut short anywhere is refused without reading past it
// (each prefix is copied to a buffer of exactly its size, so the sanitizers see any overread).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/foundation/resource_formats.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Builder {
  Bytes b;
  Builder& W(std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
  }
  Builder& D(std::uint32_t v) { return W(static_cast<std::uint16_t>(v & 0xFFFF)).W(static_cast<std::uint16_t>(v >> 16)); }
  Builder& S(const std::u16string& s) {
    for (char16_t c : s) W(static_cast<std::uint16_t>(c));
    return W(0);
  }
  Builder& Align() {
    while (b.size() % 4) b.push_back(0);
    return *this;
  }
};

// An extended template with a font and two items (a static with a string class, a button by
// class ordinal with creation data).
Bytes ExtendedTemplate(const std::u16string& face, std::uint16_t points) {
  Builder t;
  t.W(1).W(0xFFFF).D(0).D(0).D(0x80C800C0u).W(2).W(0).W(0).W(200).W(90);
  t.W(0).W(0).S(u"Title");
  t.W(points).W(400).W(0).S(face);
  t.Align().D(0).D(0).D(0x50000000).W(7).W(7).W(100).W(10).D(1001).S(u"Static").S(u"Label").W(0);
  t.Align().D(0).D(0).D(0x50010001).W(140).W(66).W(50).W(14).D(1).W(0xFFFF).W(0x80).S(u"OK").W(4).D(0xDEADBEEF);
  return t.b;
}

// The classic form with one item.
Bytes ClassicTemplate(const std::u16string& face, std::uint16_t points) {
  Builder t;
  t.D(0x80C800C0u).D(0).W(1).W(0).W(0).W(160).W(60);
  t.W(0).W(0).S(u"Classic");
  t.W(points).S(face);
  t.Align().D(0x50000000).D(0).W(7).W(7).W(146).W(10).W(1001).W(0xFFFF).W(0x82).S(u"Text").W(0);
  return t.b;
}

// Copies the first n bytes into a buffer of exactly that size.
bool ParsePrefix(const Bytes& whole, std::size_t n, extres::DialogTemplateInfo* info = nullptr) {
  Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
  return extres::ParseDialogTemplate(cut.data(), cut.size(), info);
}

TEST(StringTable, ReadsEntriesAndRefusesBlocksCutShort) {
  Builder block;
  for (int i = 0; i < 16; ++i) {
    if (i == 4) block.W(5).W('H').W('e').W('l').W('l').W('o');
    else if (i == 9) block.W(2).W('O').W('K');
    else block.W(0);
  }
  std::u16string text;
  EXPECT_TRUE(extres::ReadStringTableEntry(block.b.data(), block.b.size(), 100, &text));  // 100 % 16 == 4
  EXPECT_EQ(u"Hello", text);
  EXPECT_TRUE(extres::ReadStringTableEntry(block.b.data(), block.b.size(), 9, &text));
  EXPECT_EQ(u"OK", text);
  // A zero-length entry is found and empty.
  text = u"stale";
  EXPECT_TRUE(extres::ReadStringTableEntry(block.b.data(), block.b.size(), 5, &text));
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(7u, extres::StringBlockOf(100));

  // Every shorter copy refuses entry 9 or answers it whole.
  for (std::size_t n = 0; n < block.b.size(); ++n) {
    Bytes cut(block.b.begin(), block.b.begin() + static_cast<std::ptrdiff_t>(n));
    std::u16string got;
    const bool ok = extres::ReadStringTableEntry(cut.data(), cut.size(), 9, &got);
    if (ok) {
      EXPECT_EQ(u"OK", got) << n;
    }
  }
  // An entry that claims more characters than follow.
  Builder liar;
  liar.W(40).W('a');
  EXPECT_FALSE(extres::ReadStringTableEntry(liar.b.data(), liar.b.size(), 0, &text));
  EXPECT_FALSE(extres::ReadStringTableEntry(nullptr, 0, 0, &text));
}

TEST(Accelerators, EightByteEntriesAndNoPartialOne) {
  Builder a;
  a.W(0x09).W('O').W(40002).W(0);
  a.W(0x11).W('X').W(40001).W(0);
  a.W(0x95).W(0x73).W(40001).W(0);
  auto entries = extres::ReadAcceleratorTable(a.b.data(), a.b.size());
  ASSERT_EQ(3u, entries.size());  // 24 bytes
  EXPECT_EQ(0x09, entries[0].flags);
  EXPECT_EQ('O', entries[0].key);
  EXPECT_EQ(40002, entries[0].command);
  EXPECT_EQ(0x15, entries[2].flags);  // the last-entry mark 0x80 is not an accelerator flag
  a.b.resize(20);
  EXPECT_EQ(2u, extres::ReadAcceleratorTable(a.b.data(), a.b.size()).size());
}

TEST(MenuTemplate, SoundFormsPassAndEveryCutIsRefused) {
  Builder m;  // standard: File > (Open, Exit), then Help (last)
  m.W(0).W(0);
  m.W(0x10).S(u"&File");
  m.W(0).W(40002).S(u"&Open");
  m.W(0x80).W(40001).S(u"E&xit");
  m.W(0x80).W(40003).S(u"&Help");
  EXPECT_TRUE(extres::IsSoundMenuTemplate(m.b.data(), m.b.size()));
  for (std::size_t n = 0; n < m.b.size(); ++n) {
    Bytes cut(m.b.begin(), m.b.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(extres::IsSoundMenuTemplate(cut.data(), cut.size())) << n;
  }

  Builder x;  // extended: one pop-up with one item
  x.W(1).W(4).D(0);
  x.D(0).D(0).D(0).W(0x81).S(u"&File").Align().D(0);
  x.D(0).D(0).D(40001).W(0x80).S(u"E&xit").Align();
  EXPECT_TRUE(extres::IsSoundMenuTemplate(x.b.data(), x.b.size()));
  for (std::size_t n = 0; n + 2 < x.b.size(); ++n) {  // the last item's padding may be missing
    Bytes cut(x.b.begin(), x.b.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(extres::IsSoundMenuTemplate(cut.data(), cut.size())) << n;
  }

  Builder deep;  // pop-ups nested far deeper than any menu: refused, not recursed without end
  deep.W(0).W(0);
  for (int i = 0; i < 100; ++i) deep.W(0x10).S(u"p");
  EXPECT_FALSE(extres::IsSoundMenuTemplate(deep.b.data(), deep.b.size()));
  Builder version;
  version.W(2).W(0).W(0x80).W(1).S(u"x");
  EXPECT_FALSE(extres::IsSoundMenuTemplate(version.b.data(), version.b.size()));
}

TEST(DialogTemplate, ReadsBothFormsAndRefusesEveryCut) {
  struct Case {
    const char* name;
    Bytes data;
    bool extended;
  };
  const Case cases[] = {{"extended", ExtendedTemplate(u"MS Shell Dlg", 8), true},
                        {"classic", ClassicTemplate(u"MS Sans Serif", 8), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    extres::DialogTemplateInfo info;
    ASSERT_TRUE(ParsePrefix(c.data, c.data.size(), &info));
    EXPECT_EQ(c.extended, info.extended);
    EXPECT_TRUE(info.hasFont);
    EXPECT_EQ(8, info.pointSize);
    EXPECT_EQ(c.data.size(), info.size);
    EXPECT_EQ(0x80C800C0u, info.style);
    for (std::size_t n = 0; n < c.data.size(); ++n) EXPECT_FALSE(ParsePrefix(c.data, n)) << n;
  }
  // An item count larger than the items that follow.
  Bytes more = ExtendedTemplate(u"MS Shell Dlg", 8);
  more[16] = 3;
  EXPECT_FALSE(ParsePrefix(more, more.size()));
  // Creation data longer than the template.
  Bytes extra = ClassicTemplate(u"MS Shell Dlg", 8);
  extra[extra.size() - 2] = 0x40;
  EXPECT_FALSE(ParsePrefix(extra, extra.size()));
  // An extended form of another version.
  Bytes v2 = ExtendedTemplate(u"MS Shell Dlg", 8);
  v2[0] = 2;
  EXPECT_FALSE(ParsePrefix(v2, v2.size()));
}

TEST(DialogTemplate, FontReplacementKeepsItemsAndStyles) {
  for (bool extended : {true, false}) {
    SCOPED_TRACE(extended ? "extended" : "classic");
    const Bytes original = extended ? ExtendedTemplate(u"MS Shell Dlg", 8) : ClassicTemplate(u"MS Shell Dlg", 8);
    extres::DialogTemplateInfo before;
    ASSERT_TRUE(ParsePrefix(original, original.size(), &before));
    // Longer and shorter faces move the items to new DWORD boundaries.
    for (const std::u16string& face : {std::u16string(u"Tahoma"), std::u16string(u"A much longer face name")}) {
      Bytes changed = extres::ReplaceDialogFont(original.data(), before, face, 9);
      extres::DialogTemplateInfo after;
      ASSERT_TRUE(extres::ParseDialogTemplate(changed.data(), changed.size(), &after));
      EXPECT_EQ(face, after.faceName);
      EXPECT_EQ(9, after.pointSize);
      EXPECT_EQ(before.itemCount, after.itemCount);
      EXPECT_EQ(before.style, after.style);
      EXPECT_EQ(0u, after.itemsOffset % 4);
      EXPECT_EQ(changed.size(), after.size);
      // The items are byte for byte the same.
      EXPECT_TRUE(std::equal(original.begin() + static_cast<std::ptrdiff_t>(before.itemsOffset), original.end(),
                             changed.begin() + static_cast<std::ptrdiff_t>(after.itemsOffset), changed.end()));
      extres::AddDialogExStyle(changed.data(), after, 0x00400000);
      ASSERT_TRUE(extres::ParseDialogTemplate(changed.data(), changed.size(), &after));
      EXPECT_EQ(0x00400000u, after.exStyle);
    }
  }
  // Without a font there is nothing to replace.
  Builder plain;
  plain.D(0x80C80080u).D(0).W(0).W(0).W(0).W(10).W(10).W(0).W(0).S(u"x");
  extres::DialogTemplateInfo info;
  ASSERT_TRUE(extres::ParseDialogTemplate(plain.b.data(), plain.b.size(), &info));
  EXPECT_FALSE(info.hasFont);
  EXPECT_TRUE(extres::ReplaceDialogFont(plain.b.data(), info, u"Tahoma", 8).empty());
}

}  // namespace
