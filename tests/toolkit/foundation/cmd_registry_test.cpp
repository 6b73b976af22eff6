// The usage archive in the registry of the test prefix: round trips of a profile's counts,
// the keys and values a save leaves, and loads that refuse damaged, foreign or truncated
// archives and leave the profile as it was. Every key is removed afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/foundation/cmd_profile.h"
#include "toolkit/foundation/registry_archive.h"

namespace {

const wchar_t kPart1[] = L"OmahaVantornTests";

class RegistryArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    part2 = L"cmd_registry_" + std::to_wstring(::GetCurrentProcessId());
    base = std::wstring(L"Software\\") + kPart1 + L"\\" + part2;
    profile = std::make_unique<CExtCmdProfile>(L"Main");
    for (UINT id : {0x8001u, 0x8002u, 0x8003u}) ASSERT_NE(profile->NewCommand(id), nullptr);
  }
  void TearDown() override {
    CExtRegistry key;
    if (key.Open(HKEY_CURRENT_USER, base.c_str(), KEY_ALL_ACCESS)) {
      RegistryDeleteSubkeys(key.GetKey());
      key.Close();
    }
    ::RegDeleteKeyW(HKEY_CURRENT_USER, base.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kPart1).c_str());  // when empty
    CExtRegistry gone;
    EXPECT_FALSE(gone.Open(HKEY_CURRENT_USER, base.c_str())) << "test keys left behind";
  }
  std::wstring KeyPath(const wchar_t* profileName = L"Main") const {
    return std::wstring(BuildCommandManagerKeyPath(kPart1, part2.c_str(), profileName).GetString());
  }
  void Use(UINT id, int times) {
    for (int i = 0; i < times; ++i) profile->FindCommand(id)->IncrementUsage();
  }
  UINT Count(CExtCmdProfile& p, UINT id) { return p.FindCommand(id)->GetUsageCount(); }
  bool Save() { return profile->ArchiveToRegistry(kPart1, part2.c_str(), true); }
  // A fresh profile with the same commands and some counts of its own, loaded from the registry.
  bool LoadInto(CExtCmdProfile& fresh, bool throwOnFailure = false) {
    for (UINT id : {0x8001u, 0x8002u, 0x8003u}) fresh.NewCommand(id);
    fresh.FindCommand(0x8003)->m_nUsageCount = 11;
    fresh.m_nTotalUsage = 11;
    return fresh.ArchiveToRegistry(kPart1, part2.c_str(), false, HKEY_CURRENT_USER, throwOnFailure);
  }
  void ExpectDefaults(CExtCmdProfile& fresh) {
    EXPECT_EQ(fresh.m_nTotalUsage, 11u);
    EXPECT_EQ(Count(fresh, 0x8001), 0u);
    EXPECT_EQ(Count(fresh, 0x8002), 0u);
    EXPECT_EQ(Count(fresh, 0x8003), 11u);
  }
  std::wstring LinePath(DWORD line) const { return KeyPath() + L"\\" + regarchive::BlockKeyName(line); }

  std::wstring part2, base;
  std::unique_ptr<CExtCmdProfile> profile;
};

TEST_F(RegistryArchiveTest, UsageRoundTripsAndRarelyUsedStateSurvives) {
  Use(0x8001, 19);
  Use(0x8002, 1);
  ASSERT_TRUE(Save());
  CExtCmdProfile fresh(L"Main");
  ASSERT_TRUE(LoadInto(fresh));
  EXPECT_EQ(fresh.m_nTotalUsage, 20u);
  EXPECT_EQ(Count(fresh, 0x8001), 19u);
  EXPECT_EQ(Count(fresh, 0x8002), 1u);
  EXPECT_EQ(Count(fresh, 0x8003), 11u);  // not in the archive: kept
  EXPECT_FALSE(fresh.FindCommand(0x8001)->IsRarelyUsed());
  EXPECT_TRUE(fresh.FindCommand(0x8002)->IsRarelyUsed());
}

TEST_F(RegistryArchiveTest, SaveWritesTheDocumentedValuesAndReplacesAnEarlierSave) {
  Use(0x8001, 7);
  ASSERT_TRUE(Save());
  CExtRegistry key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, KeyPath().c_str()));
  DWORD value = 0;
  ASSERT_TRUE(key.ReadDword(L"data_size", &value));
  EXPECT_EQ(value, 36u);  // five zeros, total, one pair, the closing zero
  ASSERT_TRUE(key.ReadDword(L"data_line_size", &value));
  EXPECT_EQ(value, 16u);
  ASSERT_TRUE(key.ReadDword(L"data_block_size", &value));
  EXPECT_EQ(value, 128u);
  ASSERT_TRUE(key.ReadDword(L"data_fmt_rev", &value));
  EXPECT_EQ(value, 0u);
  EXPECT_FALSE(key.ReadDword(L"data_integrity", &value));  // a text, not a DWORD
  wchar_t text[128];
  ASSERT_TRUE(RegistryReadString(key.GetKey(), nullptr, L"data_generator", text, 128));
  EXPECT_STREQ(text, L"VuroRIZ registry archiver rev. 0");
  ASSERT_TRUE(RegistryReadString(HKEY_CURRENT_USER, KeyPath().c_str(), L"library_version", text, 128));
  EXPECT_STREQ(text, L"VuroRIZ v. 2.9.1.0");
  EXPECT_FALSE(RegistryReadString(key.GetKey(), nullptr, L"library_version", text, 5));  // too small a buffer
  // Three lines: 16, 16 and 4 bytes, the last one holding 7 (count) and 0 (end) in part.
  BYTE line[32];
  DWORD type = 0, size = sizeof line;
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, LinePath(2).c_str(), L"data_0x00000002", RRF_RT_ANY, &type, line, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, 4u);
  key.Close();

  // A later save with more lines first removes the old key: no stale lines stay behind.
  ASSERT_TRUE(profile->ArchiveToRegistry(kPart1, part2.c_str(), true));
  CExtRegistry stale;
  ASSERT_TRUE(stale.Create(HKEY_CURRENT_USER, LinePath(200).c_str()));
  stale.Close();
  ASSERT_TRUE(Save());
  EXPECT_FALSE(stale.Open(HKEY_CURRENT_USER, LinePath(200).c_str()));
}

TEST_F(RegistryArchiveTest, ProfileNamesAreMadeSafeForTheKeyPath) {
  const CString path = BuildCommandManagerKeyPath(L"Maker", L"App", L"My*Profile?");
  EXPECT_STREQ(path, L"Software\\Maker\\App\\VuroRIZ\\Profiles\\My_Profile_\\CommandManager");
  CExtCmdProfile odd(L"My*Profile?");
  ASSERT_NE(odd.NewCommand(0x8001), nullptr);
  odd.FindCommand(0x8001)->IncrementUsage();
  ASSERT_TRUE(odd.ArchiveToRegistry(kPart1, part2.c_str(), true));
  CExtRegistry key;
  EXPECT_TRUE(key.Open(HKEY_CURRENT_USER, KeyPath(L"My_Profile_").c_str()));
}

TEST_F(RegistryArchiveTest, AnAbsentArchiveIsReportedAndThrowsOnlyWhenAsked) {
  CMemFile file;
  const CString path = BuildCommandManagerKeyPath(kPart1, part2.c_str(), L"Nobody");
  EXPECT_FALSE(RegistryReadStream(file, path, HKEY_CURRENT_USER, false));
  bool thrown = false;
  try {
    RegistryReadStream(file, path, HKEY_CURRENT_USER, true);
  } catch (CUserException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  EXPECT_FALSE(RegistryReadStream(file, nullptr, HKEY_CURRENT_USER, false));
  CExtCmdProfile fresh(L"Main");
  EXPECT_FALSE(LoadInto(fresh, false));
  EXPECT_FALSE(LoadInto(fresh, true));  // caught inside
  ExpectDefaults(fresh);
}

TEST_F(RegistryArchiveTest, AStreamOf2050BytesFillsTwoBlocks) {
  std::vector<BYTE> data(2050);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<BYTE>(i * 7 + 3);
  CMemFile out;
  out.Write(data.data(), static_cast<UINT>(data.size()));
  const std::wstring path = KeyPath(L"Stream");
  ASSERT_TRUE(RegistryWriteStream(out, path.c_str()));
  CExtRegistry block;
  EXPECT_TRUE(block.Open(HKEY_CURRENT_USER, (path + L"\\block_0x00000001").c_str()));
  BYTE last[16];
  DWORD type = 0, size = sizeof last;
  EXPECT_EQ(::RegQueryValueExW(block.GetKey(), L"data_0x00000080", nullptr, &type, last, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 2u);
  CMemFile in;
  ASSERT_TRUE(RegistryReadStream(in, path.c_str()));
  ASSERT_EQ(in.GetLength(), 2050u);
  EXPECT_EQ(in.GetPosition(), 0u);
  std::vector<BYTE> back(2050);
  in.Read(back.data(), 2050);
  EXPECT_EQ(back, data);
}

// Damage done to a saved archive; each one is refused and the loading profile keeps its counts.
struct Damage {
  const char* what;
  void (*apply)(const std::wstring& key);
};

void SetBinary(const std::wstring& key, const wchar_t* name, const std::vector<BYTE>& bytes) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

std::vector<BYTE> GetBinary(const std::wstring& key, const wchar_t* name) {
  BYTE bytes[64];
  DWORD size = sizeof bytes;
  ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, nullptr, bytes, &size);
  return std::vector<BYTE>(bytes, bytes + size);
}

const Damage kDamages[] = {
    {"one changed byte",
     [](const std::wstring& key) {
       auto line = GetBinary(key + L"\\block_0x00000000", L"data_0x00000001");
       line[3] ^= 0x10;
       SetBinary(key + L"\\block_0x00000000", L"data_0x00000001", line);
     }},
    {"a short middle line",
     [](const std::wstring& key) {
       auto line = GetBinary(key + L"\\block_0x00000000", L"data_0x00000001");
       line.resize(8);
       SetBinary(key + L"\\block_0x00000000", L"data_0x00000001", line);
     }},
    {"a short last line",
     [](const std::wstring& key) {
       auto line = GetBinary(key + L"\\block_0x00000000", L"data_0x00000002");
       line.resize(line.size() - 1);
       SetBinary(key + L"\\block_0x00000000", L"data_0x00000002", line);
     }},
    {"a missing line",
     [](const std::wstring& key) { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, (key + L"\\block_0x00000000").c_str(), L"data_0x00000000"); }},
    {"a line stored as text",
     [](const std::wstring& key) {
       ::RegSetKeyValueW(HKEY_CURRENT_USER, (key + L"\\block_0x00000000").c_str(), L"data_0x00000000", REG_SZ,
                         L"0123456", 16);
     }},
    {"a wrong integrity text",
     [](const std::wstring& key) {
       const wchar_t text[] = L"00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01";
       ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"data_integrity", REG_SZ, text, sizeof text);
     }},
    {"no integrity text", [](const std::wstring& key) { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"data_integrity"); }},
    {"a size past the lines",
     [](const std::wstring& key) {
       DWORD size = 48;
       ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"data_size", REG_DWORD, &size, sizeof size);
     }},
    {"a size cut to whole lines",
     [](const std::wstring& key) {
       DWORD size = 32;
       ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"data_size", REG_DWORD, &size, sizeof size);
     }},
    {"a size as binary",
     [](const std::wstring& key) { SetBinary(key, L"data_size", {44, 0, 0, 0}); }},
};

TEST_F(RegistryArchiveTest, DamagedArchivesAreRefusedAndTheProfileKeepsItsCounts) {
  Use(0x8001, 5);
  Use(0x8002, 3);  // 44 bytes: lines of 16, 16 and 12
  for (const Damage& damage : kDamages) {
    ASSERT_TRUE(Save()) << damage.what;
    damage.apply(KeyPath());
    CExtCmdProfile fresh(L"Main");
    EXPECT_FALSE(LoadInto(fresh)) << damage.what;
    ExpectDefaults(fresh);
    CExtCmdProfile throwing(L"Main");
    EXPECT_FALSE(LoadInto(throwing, true)) << damage.what;
    ExpectDefaults(throwing);
  }
}

// Lines that pass every check but do not hold a whole usage archive are refused as well, and
// the counts read before the fault do not stay.
TEST_F(RegistryArchiveTest, AWellFormedButTruncatedUsageArchiveIsRefused) {
  struct Case {
    const char* what;
    std::vector<DWORD> words;
  };
  const Case cases[] = {
      {"list without its closing zero", {0, 0, 0, 0, 0, 40, 0x8001, 30}},
      {"no total", {0, 0, 0}},
      {"nothing at all", {}},
      {"bytes after the closing zero", {0, 0, 0, 0, 0, 40, 0x8001, 30, 0, 99}},
  };
  for (const Case& c : cases) {
    CMemFile stream;
    if (!c.words.empty()) stream.Write(c.words.data(), static_cast<UINT>(c.words.size() * 4));
    ASSERT_TRUE(SaveStreamToProfileKey(kPart1, part2.c_str(), L"Main", stream)) << c.what;
    CExtCmdProfile fresh(L"Main");
    EXPECT_FALSE(LoadInto(fresh)) << c.what;
    ExpectDefaults(fresh);
  }
}

}  // namespace
