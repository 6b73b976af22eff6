// The module version read from real files: one with a known version, one without a version
// resource, a missing one, and the test program itself, which carries the program's version.
#include <gtest/gtest.h>

#include <string>

#include "controls/module_version.h"
#include "gui_harness.h"
#include "resources/resource.h"

namespace {

std::wstring Fixture(const wchar_t* name) { return gui::ExeFolder() + L"\\" + name; }

TEST(ModuleVersion, ReadsTheFixedFileVersionOfAFile) {
  CModuleVersion version(Fixture(L"ctl_version_fixture.exe").c_str());
  EXPECT_EQ(version.m_versionMS, 0x00010002u);
  EXPECT_EQ(version.m_versionLS, 0x00030028u);
  EXPECT_EQ(version.Format(), CString(L"1.2.3.40"));
}

TEST(ModuleVersion, FilesWithoutVersionGiveZeros) {
  const std::wstring plain = Fixture(L"module_version_plain.txt");
  HANDLE file = ::CreateFileW(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(file, "no version here", 15, &written, nullptr);
  ::CloseHandle(file);

  for (const std::wstring& path : {plain, Fixture(L"does_not_exist.exe"), std::wstring()}) {
    SCOPED_TRACE(testing::Message() << "path " << CStringA(path.c_str()).GetString());
    CModuleVersion version(path.c_str());
    EXPECT_EQ(version.m_versionMS, 0u);
    EXPECT_EQ(version.m_versionLS, 0u);
    EXPECT_EQ(version.Format(), CString(L"0.0.0.0"));
  }
  CModuleVersion none(nullptr);
  EXPECT_EQ(none.Format(), CString(L"0.0.0.0"));
  ::DeleteFileW(plain.c_str());
}

TEST(ModuleVersion, FormatsEveryPartInDecimalWithoutLeadingZeros) {
  CModuleVersion version(nullptr);
  version.m_versionMS = 0xFFFF0000;
  version.m_versionLS = 0x000A0100;
  EXPECT_EQ(version.Format(), CString(L"65535.0.10.256"));
}

TEST(ModuleVersion, TheProgramCarriesItsOwnVersion) {
  CString expected;
  expected.Format(L"%d.%d.%d.%d", OV_VERSION_MAJOR, OV_VERSION_MINOR, OV_VERSION_PATCH, OV_VERSION_BUILD);
  // This test program links the program's resources; the program itself sits beside it.
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  for (const std::wstring& path : {std::wstring(self), Fixture(L"OmahaVantorn.exe")}) {
    SCOPED_TRACE(CStringA(path.c_str()).GetString());
    EXPECT_EQ(CModuleVersion(path.c_str()).Format(), expected);
  }
}

}  // namespace
