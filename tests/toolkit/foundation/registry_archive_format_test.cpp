// The registry archive's layout without a registry: checksum values worked out by hand, the
// values a save writes, and a reader that takes back only archives that arrive whole. A
// bounded mutation run damages stored archives at random (under the sanitizers natively).
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/foundation/registry_archive_format.h"

namespace {

using regarchive::ReadResult;

// One registry key with subkeys, in memory. Values keep their type and bytes.
struct FakeKey : regarchive::ArchiveSink, regarchive::ArchiveSource {
  struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
  };
  // (subkey or "", name) -> value
  std::map<std::pair<std::wstring, std::wstring>, Value> values;
  int writesLeft = -1;  // fail the write after this many (negative: never)

  bool WriteValue(const wchar_t* subkey, const wchar_t* name, std::uint32_t type, const void* data,
                  std::size_t size) override {
    if (writesLeft == 0) return false;
    if (writesLeft > 0) --writesLeft;
    const auto* p = static_cast<const std::uint8_t*>(data);
    values[{subkey ? subkey : L"", name}] = Value{type, std::vector<std::uint8_t>(p, p + size)};
    return true;
  }
  bool ReadValue(const wchar_t* subkey, const wchar_t* name, std::size_t maxBytes, std::uint32_t* type,
                 std::vector<std::uint8_t>* bytes) override {
    auto it = values.find({subkey ? subkey : L"", name});
    if (it == values.end() || it->second.bytes.size() > maxBytes) return false;
    *type = it->second.type;
    *bytes = it->second.bytes;
    return true;
  }
  Value* Find(const std::wstring& subkey, const std::wstring& name) {
    auto it = values.find({subkey, name});
    return it == values.end() ? nullptr : &it->second;
  }
  std::wstring Text(const std::wstring& name) {
    std::wstring text;
    const Value* v = Find(L"", name);
    if (v == nullptr) return L"<missing>";
    for (std::size_t i = 0; i + 1 < v->bytes.size(); i += 2) {
      const wchar_t c = static_cast<wchar_t>(v->bytes[i] | (v->bytes[i + 1] << 8));
      if (c == 0) break;
      text += c;
    }
    return text;
  }
  std::uint32_t Dword(const std::wstring& name) {
    const Value* v = Find(L"", name);
    if (v == nullptr || v->bytes.size() != 4) return 0xDEADBEEF;
    return v->bytes[0] | (v->bytes[1] << 8) | (v->bytes[2] << 16) | (static_cast<std::uint32_t>(v->bytes[3]) << 24);
  }
};

std::vector<std::uint8_t> Bytes(std::size_t n, unsigned seed = 1) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> data(n);
  for (auto& b : data) b = static_cast<std::uint8_t>(random());
  return data;
}

std::wstring TextOf(const std::vector<std::uint8_t>& data) {
  CExtIntegrityCheckSum sum;
  sum.Update(data.data(), data.size());
  return sum.GetText();
}

TEST(IntegrityCheckSum, LanesAreElfHashesOfEveryFourthByte) {
  EXPECT_EQ(TextOf({}), L"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(TextOf({'a', 'b', 'c'}), L"00 00 00 61 00 00 00 62 00 00 00 63 00 00 00 00");
  // Lane 0 over "abcdefgh..." at every fourth byte: the textbook ELF hash of "aei" is
  // (((0x61 << 4) + 0x65) << 4) + 0x69 = 0x67B9.
  EXPECT_EQ(TextOf({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'}),
            L"00 00 67 B9 00 00 06 86 00 00 06 97 00 00 06 A8");
  // Eight bytes of 0xFF in one lane fold the high nibble back: 0x0FFFFFFF after eight
  // steps, then the ninth shifts 0xF into the top and it is folded away.
  std::vector<std::uint8_t> ones(36, 0xFF);
  std::uint32_t lane = 0;
  for (int i = 0; i < 9; ++i) {
    lane = (lane << 4) + 0xFF;
    const std::uint32_t high = lane & 0xF0000000u;
    if (high) lane = lane ^ (high >> 24) ^ high;
  }
  wchar_t group[16];
  swprintf(group, 16, L"%02X %02X %02X %02X", lane >> 24, (lane >> 16) & 0xFF, (lane >> 8) & 0xFF, lane & 0xFF);
  const std::wstring text = TextOf(ones);
  EXPECT_EQ(text.size(), 47u);
  EXPECT_EQ(text.substr(0, 11), group);
  // Feeding in pieces gives the same text as feeding at once.
  const auto data = Bytes(1000);
  CExtIntegrityCheckSum pieces;
  for (std::size_t i = 0; i < data.size(); i += 7) pieces.Update(data.data() + i, std::min<std::size_t>(7, data.size() - i));
  EXPECT_EQ(pieces.GetText(), TextOf(data));
}

TEST(LibraryVersion, NumberAndDottedText) {
  EXPECT_EQ(GetLibraryVersion(), 0x02090100u);
  EXPECT_EQ(GetLibraryVersion(true), 0x0209u);
  EXPECT_EQ(FormatLibraryVersionDotted(), L"2.9.1.0");
  EXPECT_EQ(FormatLibraryVersion(L','), L"2,9,1,0");
}

TEST(RegistryKeyPath, PartsJoinedAndUnsafeCharactersReplaced) {
  EXPECT_EQ(regarchive::BuildRegistryKeyPath(L"Maker", L"App", L"My*Profile?", L"CommandManager"),
            L"Software\\Maker\\App\\VuroRIZ\\Profiles\\My_Profile_\\CommandManager");
  EXPECT_EQ(regarchive::BuildRegistryKeyPath(L"a\tb", L"c\r\nd", L"p", L"CommandManager"),
            L"Software\\a_b\\c__d\\VuroRIZ\\Profiles\\p\\CommandManager");
  EXPECT_EQ(regarchive::BuildRegistryKeyPath(nullptr, nullptr, nullptr, L"X"), L"Software\\\\\\VuroRIZ\\Profiles\\\\X");
}

TEST(RegistryArchiveWrite, EmptyStreamHasSizeZeroNoLinesAndTheEmptyIntegrityText) {
  FakeKey key;
  ASSERT_TRUE(regarchive::WriteArchive(key, nullptr, 0));
  EXPECT_EQ(key.Dword(L"data_size"), 0u);
  EXPECT_EQ(key.Text(L"data_integrity"), L"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(key.Text(L"data_generator"), L"VuroRIZ registry archiver rev. 0");
  EXPECT_EQ(key.Text(L"library_version"), L"VuroRIZ v. 2.9.1.0");
  EXPECT_EQ(key.Dword(L"data_line_size"), 16u);
  EXPECT_EQ(key.Dword(L"data_block_size"), 128u);
  EXPECT_EQ(key.Dword(L"data_fmt_rev"), 0u);
  for (const auto& [where, value] : key.values) EXPECT_TRUE(where.first.empty()) << "no block keys";
  std::vector<std::uint8_t> back{1, 2, 3};
  EXPECT_EQ(regarchive::ReadArchive(key, &back), ReadResult::kOk);
  EXPECT_TRUE(back.empty());
}

TEST(RegistryArchiveWrite, LinesOfSixteenBytesNumberedOverTheWholeArchiveInBlocksOf128) {
  const auto data = Bytes(2050);
  FakeKey key;
  ASSERT_TRUE(regarchive::WriteArchive(key, data.data(), data.size()));
  EXPECT_EQ(key.Dword(L"data_size"), 2050u);
  int lines = 0;
  for (const auto& [where, value] : key.values) lines += !where.first.empty();
  EXPECT_EQ(lines, 129);
  const auto* first = key.Find(L"block_0x00000000", L"data_0x00000000");
  const auto* last127 = key.Find(L"block_0x00000000", L"data_0x0000007F");
  const auto* last = key.Find(L"block_0x00000001", L"data_0x00000080");
  ASSERT_TRUE(first && last127 && last);
  EXPECT_EQ(first->type, regarchive::kTypeBinary);
  EXPECT_EQ(first->bytes, std::vector<std::uint8_t>(data.begin(), data.begin() + 16));
  EXPECT_EQ(last->bytes, std::vector<std::uint8_t>(data.end() - 2, data.end()));
  EXPECT_EQ(key.Text(L"data_integrity"), TextOf(data));

  std::vector<std::uint8_t> back;
  EXPECT_EQ(regarchive::ReadArchive(key, &back), ReadResult::kOk);
  EXPECT_EQ(back, data);
}

TEST(RegistryArchiveWrite, AFailedValueFailsTheSave) {
  const auto data = Bytes(100);
  for (int allowed : {0, 1, 3, 7, 8, 12}) {
    FakeKey key;
    key.writesLeft = allowed;
    EXPECT_FALSE(regarchive::WriteArchive(key, data.data(), data.size())) << allowed;
  }
}

// Each row damages a saved 100-byte archive (7 lines: 6 full, one of 4 bytes); all are refused.
struct Damage {
  const char* what;
  void (*apply)(FakeKey&);
  ReadResult expected;
};

const Damage kDamages[] = {
    {"no size", [](FakeKey& k) { k.values.erase({L"", L"data_size"}); }, ReadResult::kNoSize},
    {"size as text", [](FakeKey& k) { k.Find(L"", L"data_size")->type = regarchive::kTypeString; }, ReadResult::kNoSize},
    {"size of two bytes", [](FakeKey& k) { k.Find(L"", L"data_size")->bytes.resize(2); }, ReadResult::kNoSize},
    {"size larger than the lines", [](FakeKey& k) { k.Find(L"", L"data_size")->bytes[0] = 120; },
     ReadResult::kBadLine},  // the stored last line falls short of its new share
    {"size one byte short", [](FakeKey& k) { k.Find(L"", L"data_size")->bytes[0] = 99; }, ReadResult::kMissingLine},
    {"size of whole lines only", [](FakeKey& k) { k.Find(L"", L"data_size")->bytes[0] = 96; },
     ReadResult::kBadIntegrity},
    {"huge size", [](FakeKey& k) { k.Find(L"", L"data_size")->bytes = {0xFF, 0xFF, 0xFF, 0xFF}; },
     ReadResult::kBadLine},
    {"a missing line", [](FakeKey& k) { k.values.erase({L"block_0x00000000", L"data_0x00000003"}); },
     ReadResult::kMissingLine},
    {"a short middle line", [](FakeKey& k) { k.Find(L"block_0x00000000", L"data_0x00000002")->bytes.resize(10); },
     ReadResult::kBadLine},
    {"a short last line", [](FakeKey& k) { k.Find(L"block_0x00000000", L"data_0x00000006")->bytes.resize(3); },
     ReadResult::kBadLine},
    {"an empty line", [](FakeKey& k) { k.Find(L"block_0x00000000", L"data_0x00000001")->bytes.clear(); },
     ReadResult::kBadLine},
    {"a long last line", [](FakeKey& k) { k.Find(L"block_0x00000000", L"data_0x00000006")->bytes.resize(16); },
     ReadResult::kMissingLine},
    {"a line as text", [](FakeKey& k) { k.Find(L"block_0x00000000", L"data_0x00000000")->type = regarchive::kTypeString; },
     ReadResult::kBadLine},
    {"a changed byte", [](FakeKey& k) { k.Find(L"block_0x00000000", L"data_0x00000004")->bytes[5] ^= 0x40; },
     ReadResult::kBadIntegrity},
    {"lines swapped",
     [](FakeKey& k) {
       std::swap(k.Find(L"block_0x00000000", L"data_0x00000001")->bytes,
                 k.Find(L"block_0x00000000", L"data_0x00000002")->bytes);
     },
     ReadResult::kBadIntegrity},
    {"integrity text one character off", [](FakeKey& k) { k.Find(L"", L"data_integrity")->bytes[0] ^= 1; },
     ReadResult::kBadIntegrity},
    {"integrity text missing", [](FakeKey& k) { k.values.erase({L"", L"data_integrity"}); }, ReadResult::kBadIntegrity},
    {"integrity text cut", [](FakeKey& k) { k.Find(L"", L"data_integrity")->bytes.resize(40); },
     ReadResult::kBadIntegrity},
    {"integrity text with a tail",
     [](FakeKey& k) {
       auto& b = k.Find(L"", L"data_integrity")->bytes;
       b.insert(b.end() - 2, {'0', 0});
     },
     ReadResult::kBadIntegrity},
    {"integrity as binary", [](FakeKey& k) { k.Find(L"", L"data_integrity")->type = regarchive::kTypeBinary; },
     ReadResult::kBadIntegrity},
};

TEST(RegistryArchiveRead, DamagedOrTruncatedArchivesAreRefused) {
  const auto data = Bytes(100, 7);
  for (const Damage& damage : kDamages) {
    FakeKey key;
    ASSERT_TRUE(regarchive::WriteArchive(key, data.data(), data.size()));
    damage.apply(key);
    std::vector<std::uint8_t> back;
    EXPECT_EQ(regarchive::ReadArchive(key, &back), damage.expected) << damage.what;
  }
}

TEST(RegistryArchiveRead, EmptyArchiveWithAWrongIntegrityTextIsRefused) {
  FakeKey key;
  ASSERT_TRUE(regarchive::WriteArchive(key, nullptr, 0));
  key.Find(L"", L"data_integrity")->bytes[2] = '1';
  std::vector<std::uint8_t> back;
  EXPECT_EQ(regarchive::ReadArchive(key, &back), ReadResult::kBadIntegrity);
}

TEST(RegistryArchiveRead, TheDescriptiveValuesAreNotNeeded) {
  const auto data = Bytes(40);
  FakeKey key;
  ASSERT_TRUE(regarchive::WriteArchive(key, data.data(), data.size()));
  for (const wchar_t* name : {L"data_generator", L"library_version", L"data_line_size", L"data_block_size", L"data_fmt_rev"})
    key.values.erase({L"", name});
  std::vector<std::uint8_t> back;
  EXPECT_EQ(regarchive::ReadArchive(key, &back), ReadResult::kOk);
  EXPECT_EQ(back, data);
}

// Random damage to random archives: whatever is accepted is exactly what the stored lines
// hold for the stored size, and nothing is read beyond a value (the sanitizers watch).
TEST(RegistryArchiveRead, RandomDamageIsRefusedOrReadConsistently) {
  std::mt19937 random(20261211);
  int refused = 0, accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    const auto data = Bytes(random() % 300, static_cast<unsigned>(round));
    FakeKey key;
    ASSERT_TRUE(regarchive::WriteArchive(key, data.data(), data.size()));
    const int edits = 1 + static_cast<int>(random() % 3);
    bool changed = false;
    for (int e = 0; e < edits; ++e) {
      auto it = key.values.begin();
      std::advance(it, random() % key.values.size());
      auto& value = it->second;
      switch (random() % 5) {
        case 0:
          if (!value.bytes.empty()) {
            value.bytes[random() % value.bytes.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
            changed = true;
          }
          break;
        case 1:
          value.bytes.resize(random() % (value.bytes.size() + 3));
          changed = true;
          break;
        case 2:
          value.type = random() % 8;
          changed = true;
          break;
        case 3:
          key.values.erase(it);
          changed = true;
          break;
        default:
          value.bytes.push_back(static_cast<std::uint8_t>(random()));
          changed = true;
          break;
      }
    }
    std::vector<std::uint8_t> back;
    const ReadResult result = regarchive::ReadArchive(key, &back);
    if (result != ReadResult::kOk) {
      ++refused;
      continue;
    }
    ++accepted;
    // Accepted: the bytes are the stored lines in order, matching the stored integrity text.
    const std::uint32_t size = key.Dword(L"data_size");
    ASSERT_EQ(back.size(), size);
    std::vector<std::uint8_t> lines;
    for (std::uint32_t line = 0; line * 16 < size; ++line) {
      const auto* v = key.Find(regarchive::BlockKeyName(line), regarchive::LineValueName(line));
      ASSERT_NE(v, nullptr);
      lines.insert(lines.end(), v->bytes.begin(), v->bytes.end());
    }
    EXPECT_EQ(back, lines);
    EXPECT_EQ(key.Text(L"data_integrity"), TextOf(back));
    (void)changed;
  }
  EXPECT_GT(refused, 2000);
  EXPECT_GT(accepted, 0);  // edits of the descriptive values leave the archive readable
}

}  // namespace
