#include "toolkit/paint/paint_manager.h"

#include <cstddef>
#include <vector>

#include "toolkit/foundation/cmd_icon.h"
#include "toolkit/paint/paint_manager_xp.h"

IMPLEMENT_SERIAL(CExtPaintManager, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

// Base colour-id map: id -> system colour index.
struct BaseMapping {
  int firstId, lastId, sysColor;
};
constexpr BaseMapping kBaseMapping[] = {
    {1000, 1002, COLOR_BTNFACE},      {1003, 1005, COLOR_3DLIGHT},      {1006, 1008, COLOR_BTNHIGHLIGHT},
    {1009, 1011, COLOR_BTNSHADOW},    {1012, 1014, COLOR_3DDKSHADOW},   {1015, 1016, COLOR_WINDOWTEXT},
    {1017, 1017, COLOR_GRAYTEXT},     {1018, 1018, COLOR_WINDOWTEXT},   {1019, 1019, COLOR_HIGHLIGHTTEXT},
    {1020, 1020, COLOR_GRAYTEXT},     {1021, 1022, COLOR_WINDOW},       {1023, 1024, COLOR_WINDOWTEXT},
    {1025, 1026, COLOR_HIGHLIGHTTEXT}, {1027, 1027, COLOR_BTNFACE},     {1028, 1028, COLOR_HIGHLIGHT},
    {1029, 1029, COLOR_BTNFACE},      {1030, 1030, COLOR_HIGHLIGHT},    {1031, 1031, COLOR_WINDOW},
    {1032, 1033, COLOR_BTNSHADOW},
};

constexpr int kSysColorCount = 50;

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool IsFontInstalled(const wchar_t* face) {
  if (face == nullptr || *face == 0) return false;
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  ::lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(screen, &lf, &FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

// The system's non-client metrics in the size every system version knows.
bool ReadNonClientMetrics(NONCLIENTMETRICSW& ncm) {
  ncm = NONCLIENTMETRICSW{};
  ncm.cbSize = 500;
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) return false;
  const BYTE charset = static_cast<BYTE>(::GetTextCharset(nullptr));
  ncm.lfMenuFont.lfCharSet = charset;
  ncm.lfSmCaptionFont.lfCharSet = charset;
  return true;
}

HFONT StockFontFallback() {
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  return font ? font : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
}

void RecreateFont(CFont& font, HFONT made) {
  font.DeleteObject();
  font.Attach(made);
}

void CreateFromLogFont(CFont& font, const LOGFONTW& lf) {
  font.DeleteObject();
  if (!font.CreateFontIndirect(&lf)) font.Attach(StockFontFallback());
}

bool LogFontOf(CFont& font, LOGFONTW& lf) {
  lf = LOGFONTW{};
  return font.GetSafeHandle() && ::GetObjectW(font.GetSafeHandle(), sizeof lf, &lf) == sizeof lf;
}

}  // namespace

LPCWSTR (*g_pfnPaintManagerFontFace)() = nullptr;

CExtPaintManager::CExtPaintManager() {
  m_bPreferTahoma = g_PaintManagerHolder.HasOs(extpaint::OsNT5OrLater);
  // 252 colours: seven red levels outermost, six green and six blue levels.
  std::vector<BYTE> block(offsetof(LOGPALETTE, palPalEntry) + 252 * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  auto* entries = reinterpret_cast<PALETTEENTRY*>(block.data() + offsetof(LOGPALETTE, palPalEntry));
  palette->palVersion = 0x300;
  palette->palNumEntries = 252;
  for (int i = 0; i < 252; ++i) {
    const extpaint::Color c = extpaint::PaletteEntry(i);
    entries[i] = PALETTEENTRY{static_cast<BYTE>(extpaint::Red(c)), static_cast<BYTE>(extpaint::Green(c)),
                              static_cast<BYTE>(extpaint::Blue(c)), 0};
  }
  m_PaletteWide.CreatePalette(palette);
}

CExtPaintManager::~CExtPaintManager() {
  m_colors.RemoveAll();
  m_sysBrushes.RemoveAll();
}

bool CExtPaintManager::IsDpiScalingOn(int axis) const {
  if (axis < 0 || axis > 2) return false;
  return (g_PaintManagerHolder.m_featureSwitches & (1u << axis)) != 0;
}

int CExtPaintManager::ScaleByDpi(int value, int axis) const {
  if (!IsDpiScalingOn(axis)) return value;
  const auto& h = g_PaintManagerHolder;
  const int dpi = axis == 0 ? h.m_dpiX : axis == 1 ? h.m_dpiY : h.m_dpiAverage;
  return ::MulDiv(value, dpi, 96);
}

int CExtPaintManager::GetSystemThemeKind() {
  auto& h = g_PaintManagerHolder;
  if (h.m_xpColorScheme == 0 && h.HasOs(extpaint::OsNT6OrLater)) {
    if (h.m_DWM.IsCompositionEnabled()) return 6;
    if (h.m_UxTheme.IsAppThemed()) return 5;
  }
  return h.m_xpColorScheme;
}

bool CExtPaintManager::IsMonochromeFace() const {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  return face == RGB(255, 255, 255) || face == RGB(0, 0, 0);
}

HFONT CExtPaintManager::CreateNormalFont() {
  NONCLIENTMETRICSW ncm;
  if (!ReadNonClientMetrics(ncm)) return nullptr;
  LPCWSTR face = g_pfnPaintManagerFontFace ? g_pfnPaintManagerFontFace() : nullptr;
  if (IsFontInstalled(face))
    ::lstrcpynW(ncm.lfMenuFont.lfFaceName, face, LF_FACESIZE);
  else if (m_bPreferTahoma && IsFontInstalled(L"Tahoma"))
    ::lstrcpynW(ncm.lfMenuFont.lfFaceName, L"Tahoma", LF_FACESIZE);
  HFONT font = ::CreateFontIndirectW(&ncm.lfMenuFont);
  return font ? font : StockFontFallback();
}

HFONT CExtPaintManager::CreateCaptionFont() {
  NONCLIENTMETRICSW ncm;
  if (!ReadNonClientMetrics(ncm)) return nullptr;
  ncm.lfSmCaptionFont.lfWeight = FW_NORMAL;
  HFONT font = ::CreateFontIndirectW(&ncm.lfSmCaptionFont);
  return font ? font : StockFontFallback();
}

void CExtPaintManager::RebuildFontsAndSysColors() {
  g_PaintManagerHolder.DetectXpColorScheme();

  HFONT normal = CreateNormalFont();
  RecreateFont(m_FontNormal, normal ? normal : StockFontFallback());
  HFONT caption = CreateCaptionFont();
  RecreateFont(m_FontCaption, caption ? caption : StockFontFallback());
  LOGFONTW lf;
  LogFontOf(m_FontNormal, lf);
  lf.lfWeight = 900;
  CreateFromLogFont(m_FontBold, lf);
  LOGFONTW lfCaption;
  LogFontOf(m_FontCaption, lfCaption);
  LOGFONTW lfBoldCaption = lfCaption;
  lfBoldCaption.lfWeight = 900;
  CreateFromLogFont(m_FontBoldCaption, lfBoldCaption);
  LogFontOf(m_FontNormal, lf);
  lf.lfCharSet = SYMBOL_CHARSET;
  lf.lfWeight = 0;
  lf.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
  ::lstrcpynW(lf.lfFaceName, L"Marlett", LF_FACESIZE);
  CreateFromLogFont(m_FontMarlett, lf);
  CreateFromLogFont(m_FontSecondCaption, lfCaption);
  CreateFromLogFont(m_FontSecondBoldCaption, lfBoldCaption);

  while (m_colors.GetSize() < kSysColorCount) m_colors.Add(::GetSysColor(COLOR_BTNFACE));
  while (m_sysBrushes.GetSize() < kSysColorCount) m_sysBrushes.Add(nullptr);
  for (int i = 0; i < kSysColorCount; ++i) {
    m_colors[i] = ::GetSysColor(i);
    m_sysBrushes[i] = ::GetSysColorBrush(i);
  }
}

HBRUSH CExtPaintManager::GetColorBrush(int index) {
  if (index < 0 || index >= m_sysBrushes.GetSize()) index = COLOR_BTNFACE;
  if (index >= m_sysBrushes.GetSize()) return ::GetSysColorBrush(COLOR_BTNFACE);
  return m_sysBrushes[index];
}

COLORREF CExtPaintManager::LookupColor(int idOrIndex, CObject*, LPARAM) {
  int index = idOrIndex;
  if (idOrIndex >= 1000 && !m_mapColorIdToIndex.Lookup(idOrIndex, index)) index = COLOR_BTNFACE;
  if (index < 0 || index >= m_colors.GetSize()) index = COLOR_BTNFACE;
  if (index >= m_colors.GetSize()) return ::GetSysColor(COLOR_BTNFACE);
  return m_colors[index];
}

int CExtPaintManager::InstallColor(COLORREF color, int index) {
  if (index >= 0 && index < m_colors.GetSize()) {
    m_colors[index] = color;
    return index;
  }
  return static_cast<int>(m_colors.Add(color));
}

void CExtPaintManager::BuildColorIdMap() {
  // Colours computed by an earlier build are never referenced again; dropping them keeps the
  // table from growing with every system change.
  if (m_colors.GetSize() > kSysColorCount) m_colors.SetSize(kSysColorCount);
  m_mapColorIdToIndex.RemoveAll();
  for (const BaseMapping& m : kBaseMapping)
    for (int id = m.firstId; id <= m.lastId; ++id) m_mapColorIdToIndex.SetAt(id, m.sysColor);
}

void CExtPaintManager::BuildHelperBrushes() {
  const COLORREF F = LookupColor(COLOR_BTNFACE), H = LookupColor(COLOR_BTNHIGHLIGHT),
                 S = LookupColor(COLOR_BTNSHADOW), D = LookupColor(COLOR_3DDKSHADOW);
  const COLORREF Fs = ::GetSysColor(COLOR_BTNFACE), Hs = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                 Ss = ::GetSysColor(COLOR_BTNSHADOW), Ds = ::GetSysColor(COLOR_3DDKSHADOW);
  for (CBrush& b : m_brushHelper) b.DeleteObject();
  if (ScreenBitsPerPixel() > 8) {
    const COLORREF solid[HelperBrushCount] = {
        extpaint::MixHalf(F, H),       extpaint::MixHalf(Fs, Hs),       extpaint::MixHalf(S, F),
        extpaint::MixHalf(Ss, Fs),     extpaint::MixFifths(F, H, 3),    extpaint::MixFifths(Fs, Hs, 3),
        extpaint::MixFifths(S, F, 2),  extpaint::MixFifths(Ss, Fs, 2),  extpaint::MixFifths(F, H, 4),
        extpaint::MixFifths(Fs, Hs, 4), extpaint::MixFifths(S, F, 1),   extpaint::MixFifths(Ss, Fs, 1)};
    for (int i = 0; i < HelperBrushCount; ++i) m_brushHelper[i].CreateSolidBrush(solid[i]);
    return;
  }
  // Palette screens: half-tone patterns instead of mixed colours.
  auto pattern = [](CBrush& brush, COLORREF a, COLORREF b, int xm, int ym, int xl, int yl, COLORREF c) {
    HBITMAP bmp = CreatePatternBitmap16(a, b, xm, ym, xl, yl, c);
    if (bmp == nullptr) return;
    brush.Attach(::CreatePatternBrush(bmp));
    ::DeleteObject(bmp);
  };
  pattern(m_brushHelper[0], F, H, 1, 1, 0, 0, F);
  pattern(m_brushHelper[1], Fs, Hs, 1, 1, 0, 0, Fs);
  pattern(m_brushHelper[2], S, F, 1, 1, 0, 0, S);
  pattern(m_brushHelper[3], Ss, Fs, 1, 1, 0, 0, Ss);
  pattern(m_brushHelper[4], F, F, 0, 0, 1, 1, H);
  pattern(m_brushHelper[5], Fs, Fs, 0, 0, 1, 1, Hs);
  m_brushHelper[6].CreateSolidBrush(S);
  m_brushHelper[7].CreateSolidBrush(Ss);
  pattern(m_brushHelper[8], F, H, 1, 1, 2, 2, H);
  pattern(m_brushHelper[9], Fs, Hs, 1, 1, 2, 2, Hs);
  pattern(m_brushHelper[10], D, S, 1, 1, 0, 0, D);
  pattern(m_brushHelper[11], Ds, Ss, 1, 1, 0, 0, Ds);
}

bool CExtPaintManager::BuildDisabledIconImage(CExtCmdIcon* icon) {
  if (!icon || icon->IsBlank() || icon->IsDisabledExplicit()) return false;
  // Grey, and three quarters of the opacity taken away.
  CExtBitmap& disabled = icon->GetDisabledBitmap();
  disabled.Empty();
  if (!disabled.Assign(icon->GetNormalBitmap(), false) || !disabled.PromoteTo32Bpp(false)) {
    disabled.Empty();
    return false;
  }
  disabled.GrayAndTint(static_cast<COLORREF>(-1));
  disabled.ScaleOpacity(-0.75);
  return true;
}

void CExtPaintManager::ReloadAll() {
  ReleasePaintCacheFor(this, 0);
  RebuildFontsAndSysColors();
  BuildColorIdMap();
  BuildHelperBrushes();
}

void CExtPaintManager::ReloadOnSysColorChange() { ReloadAll(); }
void CExtPaintManager::ReloadOnSettingChange(UINT, LPCTSTR) { ReloadAll(); }
void CExtPaintManager::ReloadOnDisplayChange(int, int, int) { ReloadAll(); }
void CExtPaintManager::ReloadOnThemeChange(WPARAM, LPARAM) { ReloadAll(); }

bool CExtPaintManager::MeasureSkinnedScrollBar(CObject*, int*, int*, int*, int*, int*, int*) { return false; }

void CExtPaintManager::DrawScrollBar(CDC& dc, PAINTSCROLLBARDATA& data) { data.PaintClassic(dc, this); }

bool CExtPaintManager::IsChildTransparentForClip(HWND child) {
  wchar_t cls[64] = {};
  if (child == nullptr || ::GetClassNameW(child, cls, 64) == 0) return false;
  for (const wchar_t* name : {L"VuroRIZ-SizeGripper", L"SysTabControl32", L"msctls_trackbar32", L"Static"})
    if (::lstrcmpiW(cls, name) == 0) return true;
  if (::lstrcmpiW(cls, L"Button") != 0) return false;
  if (g_PaintManagerHolder.m_taskbarColorsValid) return true;
  const LONG type = ::GetWindowLongW(child, GWL_STYLE) & 0x0F;
  return type <= 7 || type == 9;
}

bool CExtPaintManager::TransparentChildClipFilter(HDC, HWND, HWND child, LPARAM) {
  return IsChildTransparentForClip(child);
}
