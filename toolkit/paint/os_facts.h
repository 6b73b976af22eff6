// Facts about the running system that every theme reads: version flags and the product text,
// the XP colour scheme named by the current visual style, and the wheel-scroll setting.
// Pure rules over values the holder reads from the system, so they build natively.
#pragma once

#include <cstdint>
#include <string>

namespace extpaint {

// The version flags, two bytes as one 16-bit value (first byte low).
enum OsFlag : std::uint16_t {
  OsIsWin32s = 0x0001,
  OsIs9x = 0x0002,
  OsIsWin95 = 0x0004,
  OsIsWin98 = 0x0008,
  Os9xLaterThan95 = 0x0010,
  OsIsNT = 0x0020,
  OsIsNT4 = 0x0040,
  OsIsWin2000 = 0x0080,
  OsIsXP = 0x0100,
  OsNTAbove3 = 0x0200,
  OsNT5OrLater = 0x0400,
  OsLaterThan2000 = 0x0800,
  OsIsVista = 0x1000,
  OsNT6OrLater = 0x2000,
  OsIsWin7 = 0x4000,
  OsNT61OrLater = 0x8000,
};

struct OsVersion {
  unsigned long platform = 0;  // 0 Win32s, 1 the 9x family, 2 the NT family
  unsigned long major = 0;
  unsigned long minor = 0;
  unsigned long build = 0;
  std::wstring servicePack;
};

std::uint16_t OsFlagsFor(const OsVersion& v);
// "Windows XP v.5.1 (build 2600) Service Pack 3" and the like.
std::wstring OsDescriptionFor(const OsVersion& v);

// 0 none, 1 blue, 2 olive, 3 silver, 4 royale, from the visual style's file and colour names.
int XpColorSchemeFor(const std::wstring& themeFile, const std::wstring& colorName);

// Lines per wheel notch: 3 on Windows 95, else the setting, never below 2 (all bits set, the
// page-scroll value, passes unchanged).
unsigned WheelLinesFor(bool isWin95, bool settingRead, unsigned setting);

}  // namespace extpaint
