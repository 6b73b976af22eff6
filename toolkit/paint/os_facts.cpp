#include "toolkit/paint/os_facts.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace extpaint {

std::uint16_t OsFlagsFor(const OsVersion& v) {
  std::uint16_t f = 0;
  const unsigned long mj = v.major, mn = v.minor;
  switch (v.platform) {
    case 0:
      f |= OsIsWin32s;
      break;
    case 1:
      f |= OsIs9x;
      if (mj == 4 && mn == 0) f |= OsIsWin95;
      if (mj == 4 && mn > 0) f |= OsIsWin98;
      if (mj > 4 || (mj == 4 && mn > 0)) f |= Os9xLaterThan95;
      break;
    case 2:
      f |= OsIsNT;
      if (mj == 4) f |= OsIsNT4;
      if (mj == 5 && mn == 0) f |= OsIsWin2000;
      if (mj == 5 && mn == 1) f |= OsIsXP;
      if (mj >= 4) f |= OsNTAbove3;
      if (mj >= 5) f |= OsNT5OrLater;
      if (mj >= 5 && !(mj == 5 && mn == 0)) f |= OsLaterThan2000;
      if (mj == 6 && mn == 0) f |= OsIsVista;
      if (mj >= 6) f |= OsNT6OrLater;
      if (mj == 6 && mn != 0) f |= OsIsWin7;
      if (mj >= 6 && mn >= 1) f |= OsNT61OrLater;
      break;
    default:
      break;
  }
  return f;
}

std::wstring OsDescriptionFor(const OsVersion& v) {
  const std::uint16_t f = OsFlagsFor(v);
  std::wstring product;
  if (v.platform == 0) {
    product = L"Win32s";
  } else if (v.platform == 1) {
    product = L"Windows ";
    if ((f & Os9xLaterThan95) == 0) product += L"95";
    else product += v.major == 4 ? L"98" : L"98 or later";
  } else if (v.platform == 2) {
    if (v.major == 6 && v.minor == 0) product = L"Windows Vista";
    else if (v.major == 6) product = L"Windows 7";
    else if (v.major == 5 && v.minor == 0) product = L"Windows 2000";
    else if (v.major == 5 && v.minor == 1) product = L"Windows XP";
    else if (v.major == 5) product.clear();
    else product = L"Windows NT";
  }
  wchar_t buf[512];
  std::swprintf(buf, sizeof buf / sizeof buf[0], L"%ls v.%lu.%lu (build %lu) %ls", product.c_str(), v.major, v.minor,
                v.build, v.servicePack.c_str());
  return buf;
}

namespace {
std::wstring Lower(std::wstring s) {
  std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return s;
}
}  // namespace

int XpColorSchemeFor(const std::wstring& themeFile, const std::wstring& colorName) {
  const std::wstring file = Lower(themeFile), color = Lower(colorName);
  if (file.find(L"luna.msstyles") != std::wstring::npos) {
    if (color == L"normalcolor") return 1;
    if (color == L"homestead") return 2;
    if (color == L"metallic") return 3;
    return 0;
  }
  if (file.find(L"royale.msstyles") != std::wstring::npos && color == L"normalcolor") return 4;
  return 0;
}

unsigned WheelLinesFor(bool isWin95, bool settingRead, unsigned setting) {
  unsigned lines = 3;
  if (!isWin95 && settingRead) lines = setting;
  if (lines < 2) lines = 2;
  return lines;
}

}  // namespace extpaint
