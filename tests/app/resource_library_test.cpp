// The resource library search: a resource-only library replaces the program's resources; a
// library with code is never loaded, so it cannot run anything in the program.
#include <gtest/gtest.h>

#include "app/app_utils.h"
#include "app/resource_library.h"
#include "gui_harness.h"
#include "temp_folder.h"

namespace {

std::wstring Fixture(const wchar_t* name) { return gui::ExeFolder() + L"\\" + name; }

class ResourceLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t current[MAX_PATH] = L"";
    ::GetCurrentDirectoryW(MAX_PATH, current);
    previousFolder_ = current;
    // A planted library would leave its marker in the current folder.
    ::SetCurrentDirectoryW(folder_.Path().c_str());
  }
  void TearDown() override {
    ReleaseResourceLibrary();
    ::SetCurrentDirectoryW(previousFolder_.c_str());
  }
  void Place(const wchar_t* fixture, const wchar_t* name) {
    ASSERT_TRUE(::CopyFileW(Fixture(fixture).c_str(), (folder_ / name).c_str(), FALSE)) << fixture;
  }
  bool PlantedCodeRan() const { return apptest::FileExists(folder_ / L"planted_library_ran.txt"); }

  apptest::TempFolder folder_;
  std::wstring previousFolder_;
};

TEST_F(ResourceLibraryTest, NoLibraryMeansTheProgramsOwnResources) {
  ResourceLibrary library = FindResourceLibrary(folder_.Path().c_str());
  EXPECT_EQ(library.module, nullptr);
  EXPECT_TRUE(library.path.IsEmpty());
  UseResourceLibrary(library);
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
}

TEST_F(ResourceLibraryTest, AResourceOnlyLibraryReplacesTheResources) {
  Place(L"app_fixture_resource_only.dll", L"OmahaVantornEnglish.dll");
  EXPECT_TRUE(CheckResourceOnlyModule((folder_ / L"OmahaVantornEnglish.dll").c_str()).IsEmpty());

  ResourceLibrary library = FindResourceLibrary(folder_.Path().c_str());
  ASSERT_NE(library.module, nullptr);
  EXPECT_STREQ(library.path, (folder_ / L"OmahaVantornEnglish.dll").c_str());
  UseResourceLibrary(library);
  CString title;
  EXPECT_TRUE(title.LoadString(100));
  EXPECT_STREQ(title, L"Resource Library Title - Omaha");
  EXPECT_STREQ(GetResourceModulePath(), library.path) << "the path names the library in res:// addresses";

  ReleaseResourceLibrary();
  EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
  EXPECT_EQ(GetResourceModulePath().Right(25), CString(L"resource_library_test.exe"));
}

TEST_F(ResourceLibraryTest, ALibraryWithCodeIsNeverLoaded) {
  Place(L"app_fixture_planted.dll", L"OmahaVantornPlanted.dll");
  EXPECT_FALSE(CheckResourceOnlyModule((folder_ / L"OmahaVantornPlanted.dll").c_str()).IsEmpty());
  ResourceLibrary library = FindResourceLibrary(folder_.Path().c_str());
  EXPECT_EQ(library.module, nullptr);
  EXPECT_STREQ(library.path, (folder_ / L"OmahaVantornPlanted.dll").c_str());
  EXPECT_FALSE(PlantedCodeRan());
  EXPECT_EQ(::GetModuleHandleW((folder_ / L"OmahaVantornPlanted.dll").c_str()), nullptr);
}

TEST_F(ResourceLibraryTest, FilesThatAreNoModulesAreRefused) {
  struct Case {
    const char* bytes;
    size_t size;
  } cases[] = {
      {"", 0},
      {"just some text, not a module", 28},
      {"MZ\0\0\0\0", 6},                                   // cut after the signature
      {"MZ\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
       "\xff\xff\xff\x7f",
       64},  // header offset far past the end
  };
  for (const Case& c : cases) {
    const std::wstring path = folder_ / L"OmahaVantornBroken.dll";
    ASSERT_TRUE(apptest::WriteFileBytes(path, std::string(c.bytes, c.size)));
    EXPECT_FALSE(CheckResourceOnlyModule(path.c_str()).IsEmpty());
    EXPECT_EQ(FindResourceLibrary(folder_.Path().c_str()).module, nullptr);
  }
  EXPECT_FALSE(CheckResourceOnlyModule(Fixture(L"resource_library_test.exe").c_str()).IsEmpty()) << "a program";
}

TEST_F(ResourceLibraryTest, AMatchingFolderIsNoCandidate) {
  ASSERT_TRUE(::CreateDirectoryW((folder_ / L"OmahaVantornData.dll").c_str(), nullptr));
  EXPECT_EQ(FindResourceLibrary(folder_.Path().c_str()).module, nullptr);
  Place(L"app_fixture_resource_only.dll", L"OmahaVantornZ.dll");
  ResourceLibrary library = FindResourceLibrary(folder_.Path().c_str());
  EXPECT_NE(library.module, nullptr);
  EXPECT_STREQ(library.path, (folder_ / L"OmahaVantornZ.dll").c_str());
  ::FreeLibrary(library.module);
}

}  // namespace
