// The command icon's images: copying, building from handles and glyphs, archiving, the
// generated disabled image and scaling. Painting is in cmd_icon_paint.cpp.
#include "toolkit/foundation/cmd_icon.h"

#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

CExtCmdIcon::CExtCmdIcon(const CExtCmdIcon& other) { Assign(other); }

CExtCmdIcon& CExtCmdIcon::operator=(const CExtCmdIcon& other) {
  Assign(other);
  return *this;
}

CExtCmdIcon::~CExtCmdIcon() {
  // Not the virtual Empty: a derived icon is already gone here.
  m_dwFlags = 0;
  m_bmpPressed.Empty();
  m_bmpHover.Empty();
  m_bmpDisabled.Empty();
  m_bmpNormal.Empty();
}

void CExtCmdIcon::Assign(const CExtCmdIcon& other) {
  if (&other == this) return;
  Empty();
  m_dwFlags = other.m_dwFlags;
  m_bmpNormal.Assign(other.m_bmpNormal, false);
  // Generated images are not copied: the copy builds its own when it needs them.
  if (other.IsDisabledExplicit()) m_bmpDisabled.Assign(other.m_bmpDisabled, false);
  if (other.IsHoverExplicit()) m_bmpHover.Assign(other.m_bmpHover, false);
  if (other.IsPressedExplicit()) m_bmpPressed.Assign(other.m_bmpPressed, false);
  OnIconChanged();
}

void CExtCmdIcon::ImportHICON(HICON icon, bool keepHandle, bool skipImageList) {
  Empty();
  if (!icon) return;
  m_bmpNormal.AssignFromHICON(icon, skipImageList);
  if (!keepHandle) ::DestroyIcon(icon);
  OnIconChanged();
}

void CExtCmdIcon::AssignFromHBITMAP(HBITMAP bitmap, COLORREF key, const RECT* part, bool keepHandle) {
  Empty();
  if (!bitmap) return;
  if (m_bmpNormal.ImportHBITMAP(bitmap, part, false, false) && key != static_cast<COLORREF>(-1) &&
      m_bmpNormal.PromoteTo32Bpp(false))
    m_bmpNormal.SetAlphaByColorKey(key, 0, 0);
  if (!keepHandle) ::DeleteObject(bitmap);  // handed over: deleted also when the import failed
  OnIconChanged();
}

bool CExtCmdIcon::IsBlank() const { return m_bmpNormal.IsBlank(); }

void CExtCmdIcon::Empty() {
  m_dwFlags = 0;
  m_bmpNormal.Empty();
  m_bmpDisabled.Empty();
  m_bmpHover.Empty();
  m_bmpPressed.Empty();
  OnIconChanged();
}

void CExtCmdIcon::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwFlags;
    m_bmpNormal.Serialize(ar);
    if (IsDisabledExplicit()) m_bmpDisabled.Serialize(ar);
    if (IsHoverExplicit()) m_bmpHover.Serialize(ar);
    if (IsPressedExplicit()) m_bmpPressed.Serialize(ar);
    return;
  }
  Empty();
  try {
    DWORD flags = 0;
    ar >> flags;
    m_dwFlags = flags;
    m_bmpNormal.Serialize(ar);
    if (IsDisabledExplicit()) m_bmpDisabled.Serialize(ar);
    if (IsHoverExplicit()) m_bmpHover.Serialize(ar);
    if (IsPressedExplicit()) m_bmpPressed.Serialize(ar);
  } catch (...) {
    Empty();  // nothing half-read stays behind
    throw;
  }
  OnIconChanged();
}

CSize CExtCmdIcon::GetPixelSize() const { return m_bmpNormal.GetPixelSize(); }

void CExtCmdIcon::OnPaintManagerChanged() { DropGeneratedImages(); }

void CExtCmdIcon::DropGeneratedImages() {
  if (!IsDisabledExplicit()) m_bmpDisabled.Empty();
  if (!IsHoverExplicit()) m_bmpHover.Empty();
  if (!IsPressedExplicit()) m_bmpPressed.Empty();
}

void CExtCmdIcon::OnIconChanged() {}

void CExtCmdIcon::BuildDisabledImage(CExtPaintManager* pm) {
  if (IsBlank()) return;
  if (pm) {
    if (pm->BuildDisabledIconImage(this)) OnIconChanged();
    return;
  }
  if (IsDisabledExplicit()) return;  // an explicit image stays as it was set
  m_bmpDisabled.Empty();
  if (!m_bmpDisabled.Assign(m_bmpNormal, false) || !m_bmpDisabled.PromoteTo32Bpp(false)) {
    m_bmpDisabled.Empty();
    return;
  }
  m_bmpDisabled.GrayAndTint(::GetSysColor(COLOR_BTNFACE));
  m_bmpDisabled.ScaleOpacity(-0.5);
  OnIconChanged();
}

void CExtCmdIcon::RefreshGeneratedImages(CExtPaintManager* pm) {
  DropGeneratedImages();
  BuildDisabledImage(pm);
}

void CExtCmdIcon::OnSettingChange(CExtPaintManager* pm, UINT /*flags*/, LPCTSTR /*section*/) {
  RefreshGeneratedImages(pm);
}

void CExtCmdIcon::OnDisplayChange(CExtPaintManager* pm, UINT /*depth*/, int /*cx*/, int /*cy*/) {
  RefreshGeneratedImages(pm);
}

void CExtCmdIcon::OnThemeChanged(CExtPaintManager* pm, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  RefreshGeneratedImages(pm);
}

bool CExtCmdIcon::Rescale(const SIZE& size) {
  if (IsBlank() || size.cx <= 0 || size.cy <= 0) return false;
  const CSize current = GetPixelSize();
  if (current.cx == size.cx && current.cy == size.cy) return true;
  for (CExtBitmap* image : {&m_bmpNormal, &m_bmpDisabled, &m_bmpHover, &m_bmpPressed})
    if (!image->IsBlank() && !image->Scale(size.cx, size.cy)) return false;
  OnIconChanged();
  return true;
}

bool CExtCmdIcon::AssignScaled(const CExtCmdIcon& other, const SIZE& size) {
  if (other.IsBlank() || size.cx <= 0 || size.cy <= 0) return false;
  if (&other != this) {
    Empty();
    Assign(other);
  }
  return Rescale(size);
}

bool CExtCmdIcon::CreateGlyphIcon(CExtPaintManager* pm, COLORREF glyph, COLORREF background, int cx, int cy,
                                  int which) {
  if (cx <= 0 || cy <= 0) return false;
  Empty();
  if (glyph == static_cast<COLORREF>(-1)) {
    if (!pm) pm = g_PaintManagerHolder.CurrentManager();
    glyph = pm ? pm->LookupColor(1015) : ::GetSysColor(COLOR_BTNTEXT);
  }
  if (background == static_cast<COLORREF>(-1)) background = glyph == RGB(255, 0, 255) ? RGB(128, 255, 128) : RGB(255, 0, 255);
  HDC screen = ::GetDC(nullptr);
  HDC memory = screen ? ::CreateCompatibleDC(screen) : nullptr;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = memory ? ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (screen) ::ReleaseDC(nullptr, screen);
  if (!section) {
    if (memory) ::DeleteDC(memory);
    return false;
  }
  HGDIOBJ old = ::SelectObject(memory, section);
  const RECT all{0, 0, cx, cy};
  HBRUSH brush = ::CreateSolidBrush(background);
  ::FillRect(memory, &all, brush);
  ::DeleteObject(brush);
  CDC dc;
  dc.Attach(memory);
  const int x = cx / 2 - 3, y = cy / 2 - 3;
  if (which == 0)
    CExtPaintManager::DrawCheckMarkGlyph(dc, x, y, glyph);
  else if (which == 1)
    CExtPaintManager::DrawSquareBullet(dc, x, y, glyph);
  else
    CExtPaintManager::DrawRoundBullet(dc, x, y, glyph);
  dc.Detach();
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  AssignFromHBITMAP(section, background, nullptr, false);
  return true;
}

bool CExtCmdIcon::CreateCheckMarkIcon(CExtPaintManager* pm, COLORREF glyph, COLORREF background, int cx, int cy) {
  return CreateGlyphIcon(pm, glyph, background, cx, cy, 0);
}

bool CExtCmdIcon::CreateSquareBulletIcon(CExtPaintManager* pm, COLORREF glyph, COLORREF background, int cx, int cy) {
  return CreateGlyphIcon(pm, glyph, background, cx, cy, 1);
}

bool CExtCmdIcon::CreateRoundBulletIcon(CExtPaintManager* pm, COLORREF glyph, COLORREF background, int cx, int cy) {
  return CreateGlyphIcon(pm, glyph, background, cx, cy, 2);
}

bool CExtCmdIcon::CreateTransparentIcon(CExtPaintManager* /*pm*/, COLORREF color, int cx, int cy) {
  if (cx <= 0 || cy <= 0) return false;
  Empty();
  if (color == static_cast<COLORREF>(-1)) color = RGB(255, 0, 255);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return false;
  auto* px = static_cast<RGBQUAD*>(bits);
  const RGBQUAD fill{GetBValue(color), GetGValue(color), GetRValue(color), 0};
  for (long long i = 0; i < static_cast<long long>(cx) * cy; ++i) px[i] = fill;
  AssignFromHBITMAP(section, color, nullptr, false);
  return true;
}

HICON CExtCmdIcon::CreateHICON(bool mapSystemColors, COLORREF key) const {
  return IsBlank() ? nullptr : m_bmpNormal.CreateHICON(mapSystemColors, key);
}

bool CExtCmdIcon::CreateBitmapWithKeyColor(HBITMAP* result, COLORREF* key, CArray<COLORREF, COLORREF>* colors,
                                           void** bits) const {
  return IsBlank() ? false : m_bmpNormal.CreateBitmapWithKeyColor(result, key, colors, bits);
}

CExtBitmap& CExtCmdIcon::GetStateBitmap(int state, CExtPaintManager* pm) {
  switch (state) {
  case StateDisabled:
    if (m_bmpDisabled.IsBlank() && !m_bmpNormal.IsBlank()) BuildDisabledImage(pm);
    if (!m_bmpDisabled.IsBlank()) return m_bmpDisabled;
    break;
  case StateHover:
    if (!m_bmpHover.IsBlank()) return m_bmpHover;
    break;
  case StatePressed:
    if (!m_bmpPressed.IsBlank()) return m_bmpPressed;
    break;
  default:
    break;
  }
  return m_bmpNormal;
}

bool CExtCmdIcon::SetStateBitmap(CExtBitmap& target, DWORD flag, const CExtBitmap& image) {
  if (image.IsBlank()) {
    target.Empty();
    m_dwFlags &= ~flag;
    OnIconChanged();
    return true;
  }
  if (!target.Assign(image, false)) {
    m_dwFlags &= ~flag;
    return false;
  }
  m_dwFlags |= flag;
  OnIconChanged();
  return true;
}

bool CExtCmdIcon::SetNormalBitmap(const CExtBitmap& image) {
  if (!m_bmpNormal.Assign(image, false)) return false;
  DropGeneratedImages();  // the generated images showed the old picture
  OnIconChanged();
  return true;
}

bool CExtCmdIcon::SetDisabledBitmap(const CExtBitmap& image) {
  return SetStateBitmap(m_bmpDisabled, FlagDisabledExplicit, image);
}

bool CExtCmdIcon::SetHoverBitmap(const CExtBitmap& image) { return SetStateBitmap(m_bmpHover, FlagHoverExplicit, image); }

bool CExtCmdIcon::SetPressedBitmap(const CExtBitmap& image) {
  return SetStateBitmap(m_bmpPressed, FlagPressedExplicit, image);
}

bool CExtCmdIcon::ResolvePaintSize(int& cx, int& cy) const {
  const CSize own = GetPixelSize();
  if (cx < 0) cx = own.cx;
  if (cy < 0) cy = own.cy;
  return cx != 0 && cy != 0;
}
