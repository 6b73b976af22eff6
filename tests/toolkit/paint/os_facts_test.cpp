// System version flags, product texts, the XP colour scheme and wheel lines.
#include "toolkit/paint/os_facts.h"

#include <gtest/gtest.h>

namespace {

using namespace extpaint;

extpaint::OsVersion V(unsigned long platform, unsigned long major, unsigned long minor, unsigned long build = 0,
                      const wchar_t* sp = L"") {
  extpaint::OsVersion v;
  v.platform = platform;
  v.major = major;
  v.minor = minor;
  v.build = build;
  v.servicePack = sp;
  return v;
}

TEST(OsFlags, EveryKnownVersion) {
  struct Case {
    OsVersion v;
    std::uint16_t flags;
    const wchar_t* product;
  } cases[] = {
      {V(0, 0, 0), OsIsWin32s, L"Win32s"},
      {V(1, 4, 0), OsIs9x | OsIsWin95, L"Windows 95"},
      {V(1, 4, 10), OsIs9x | OsIsWin98 | Os9xLaterThan95, L"Windows 98"},
      {V(1, 5, 0), OsIs9x | Os9xLaterThan95, L"Windows 98 or later"},
      {V(2, 3, 51), OsIsNT, L"Windows NT"},
      {V(2, 4, 0), OsIsNT | OsIsNT4 | OsNTAbove3, L"Windows NT"},
      {V(2, 5, 0), OsIsNT | OsIsWin2000 | OsNTAbove3 | OsNT5OrLater, L"Windows 2000"},
      {V(2, 5, 1), OsIsNT | OsIsXP | OsNTAbove3 | OsNT5OrLater | OsLaterThan2000, L"Windows XP"},
      {V(2, 5, 2), OsIsNT | OsNTAbove3 | OsNT5OrLater | OsLaterThan2000, L""},
      {V(2, 6, 0), OsIsNT | OsNTAbove3 | OsNT5OrLater | OsLaterThan2000 | OsIsVista | OsNT6OrLater, L"Windows Vista"},
      {V(2, 6, 1),
       OsIsNT | OsNTAbove3 | OsNT5OrLater | OsLaterThan2000 | OsNT6OrLater | OsIsWin7 | OsNT61OrLater, L"Windows 7"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OsFlagsFor(c.v), c.flags) << c.v.platform << " " << c.v.major << "." << c.v.minor;
    const std::wstring text = OsDescriptionFor(c.v);
    EXPECT_EQ(text.substr(0, text.find(L" v.")), c.product);
  }
}

TEST(OsDescription, VersionBuildAndServicePack) {
  EXPECT_EQ(OsDescriptionFor(V(2, 5, 1, 2600, L"Service Pack 3")), L"Windows XP v.5.1 (build 2600) Service Pack 3");
  // A failed version query leaves zeros: Win32s 0.0, build 0.
  EXPECT_EQ(OsDescriptionFor(OsVersion{}), L"Win32s v.0.0 (build 0) ");
}

TEST(XpColorScheme, StyleFileAndColourName) {
  struct Case {
    const wchar_t* file;
    const wchar_t* color;
    int scheme;
  } cases[] = {
      {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", 1},
      {L"c:\\themes\\LUNA.MSSTYLES", L"HomeStead", 2},
      {L"luna.msstyles", L"Metallic", 3},
      {L"luna.msstyles", L"metallicx", 0},
      {L"C:\\Themes\\Royale.msstyles", L"NormalColor", 4},
      {L"Royale.msstyles", L"Metallic", 0},
      {L"aero.msstyles", L"NormalColor", 0},
      {L"", L"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(XpColorSchemeFor(c.file, c.color), c.scheme) << c.file << " " << c.color;
}

TEST(WheelLines, NeverBelowTwo) {
  EXPECT_EQ(WheelLinesFor(true, true, 9), 3u);
  EXPECT_EQ(WheelLinesFor(false, true, 0), 2u);
  EXPECT_EQ(WheelLinesFor(false, true, 1), 2u);
  EXPECT_EQ(WheelLinesFor(false, true, 5), 5u);
  EXPECT_EQ(WheelLinesFor(false, false, 0), 3u);
  EXPECT_EQ(WheelLinesFor(false, true, 0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
