// The profile redirect: the framework's profile calls read and write the ini file in the
// program's application-data folder, and the framework gets its own name back.
#include <gtest/gtest.h>

#include "app/app_utils.h"
#include "app/settings.h"
#include "temp_folder.h"

namespace {

CWinApp g_testApp(L"SettingsTest");

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", root_.Path().c_str());
    ResetAppDataFolderCache();
  }
  void TearDown() override {
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);
    ResetAppDataFolderCache();
  }
  apptest::TempFolder root_;
};

TEST_F(SettingsTest, RedirectWritesKeysIntoTheProgramsIniAndRestores) {
  LPCTSTR own = g_testApp.m_pszProfileName;
  ProfileNameSwap* swap = RedirectProfileToAppData();
  const std::wstring ini = root_.Path() + L"\\OmahaVantorn\\OmahaVantorn.ini";
  EXPECT_STREQ(swap->m_iniPath, ini.c_str());
  EXPECT_EQ(g_testApp.m_pszProfileName, swap->m_iniPath.GetString());

  EXPECT_EQ(g_testApp.GetProfileInt(kSectionGlobal, kKeyEvaluationTime, 5000), 5000u) << "default without a file";
  EXPECT_TRUE(g_testApp.WriteProfileInt(kSectionGlobal, kKeyEvaluationTime, 7500));
  EXPECT_TRUE(g_testApp.WriteProfileString(kSectionGlobal, kKeySuppressUpdateVersion, L"1.2.3.4"));
  EXPECT_EQ(g_testApp.GetProfileInt(kSectionGlobal, kKeyEvaluationTime, 5000), 7500u);
  EXPECT_STREQ(ReadProfileString(kSectionGlobal, kKeySuppressUpdateVersion), L"1.2.3.4");
  EXPECT_TRUE(ReadProfileString(kSectionGlobal, kKeyDirectoryScenarioLoad).IsEmpty());

  // Written at once, as text a person can read.
  const std::string content = apptest::ReadFileBytes(ini);
  EXPECT_NE(content.find("[Global]"), std::string::npos);
  EXPECT_NE(content.find("EvaluationTime=7500"), std::string::npos);
  EXPECT_NE(content.find("SuppressUpdateVersion=1.2.3.4"), std::string::npos);

  swap->Restore(&g_testApp);
  EXPECT_EQ(g_testApp.m_pszProfileName, own);
  swap->Restore(&g_testApp);  // a second restore changes nothing
  EXPECT_EQ(g_testApp.m_pszProfileName, own);
  delete swap;
}

TEST_F(SettingsTest, RestoreLeavesANameSetByOthersAlone) {
  ProfileNameSwap* swap = RedirectProfileToAppData();
  LPCTSTR other = L"other.ini";
  LPCTSTR saved = g_testApp.m_pszProfileName;
  g_testApp.m_pszProfileName = other;
  swap->Restore(&g_testApp);
  EXPECT_EQ(g_testApp.m_pszProfileName, other);
  g_testApp.m_pszProfileName = saved;
  swap->Restore(&g_testApp);
  delete swap;
}

}  // namespace
