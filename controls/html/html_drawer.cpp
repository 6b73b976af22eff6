#include "controls/html/html_drawer.h"

#include <algorithm>
#include <memory>

namespace {

// A resource id as the loaders take it: MAKEINTRESOURCE of anything above 16 bits would be read
// as a pointer to a name.
bool IsResourceId(long long id) { return id > 0 && id <= 0xFFFF; }

// A library named by a text, mapped for its resources only (no code of it runs).
HMODULE LoadResourceLibrary(const std::wstring& name) {
  return ::LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

}  // namespace

// One image of a tag: a bitmap, an icon or an image-list icon, released with it unless it is a
// registered handle.
class CPPHtmlDrawer::GdiImage : public html::InlineImage {
 public:
  GdiImage(CPPHtmlDrawer& drawer, HDC hdc, html::ImageKind kind, HBITMAP bitmap, HICON icon, bool owned,
           bool fromList)
      : m_drawer(drawer), m_hdc(hdc), m_kind(kind), m_bitmap(bitmap), m_icon(icon), m_owned(owned),
        m_fromList(fromList) {}
  ~GdiImage() override {
    if (!m_owned) return;
    if (m_bitmap) ::DeleteObject(m_bitmap);
    if (m_icon) ::DestroyIcon(m_icon);
  }
  html::Size NaturalSize() const override {
    SIZE size = {0, 0};
    if (m_fromList) {
      size.cx = m_drawer.m_imageCellWidth;
      size.cy = m_drawer.m_imageCellHeight;
      if (size.cx <= 0 || size.cy <= 0) {
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(m_drawer.m_imageList, &cx, &cy);
        size.cx = cx;
        size.cy = cy;
      }
    } else if (m_icon) {
      CPPDrawManager::GetIconSize(m_icon, size);
    } else {
      CPPDrawManager::GetBitmapSize(m_bitmap, size);
    }
    return {size.cx, size.cy};
  }
  bool FromImageList() const override { return m_fromList; }
  void Draw(const html::ImageDraw& d, const html::ImageParams& p) override {
    CPPHtmlDrawer& dr = m_drawer;
    const COLORREF colour = dr.m_renderer.Colours().enabled ? dr.m_shadowColour : dr.m_renderer.Colours().disabled;
    if (m_icon) {
      dr.m_drawManager.PaintIcon(m_hdc, d.x, d.y, d.width, d.height, m_icon, d.shadow, dr.m_shadowDx, dr.m_shadowDy,
                                 dr.m_blurX, dr.m_blurY, colour, d.flags);
    } else if (m_kind == html::ImageKind::ImageStrip) {
      dr.m_drawManager.PaintImageListCell(m_hdc, d.x, d.y, d.width, d.height, m_bitmap, d.frame, d.cellWidth,
                                          d.cellHeight, p.mask != 0, p.maskColour, d.flags, d.shadow, dr.m_shadowDx,
                                          dr.m_shadowDy, dr.m_blurX, dr.m_blurY, colour);
    } else {
      dr.m_drawManager.PaintBitmap(m_hdc, d.x, d.y, d.width, d.height, m_bitmap, p.mask != 0, p.maskColour, d.flags,
                                   d.shadow, dr.m_shadowDx, dr.m_shadowDy, dr.m_blurX, dr.m_blurY, colour);
    }
  }

 private:
  CPPHtmlDrawer& m_drawer;
  HDC m_hdc;
  html::ImageKind m_kind;
  HBITMAP m_bitmap;
  HICON m_icon;
  bool m_owned;
  bool m_fromList;
};

// The renderer's surface on a device context: the pass's font, colours and justification, and
// the drawer's images, strings, backgrounds and frames.
class CPPHtmlDrawer::Surface : public html::HtmlSurface {
 public:
  Surface(HDC hdc, CPPHtmlDrawer& drawer) : m_hdc(hdc), m_drawManager(drawer.m_drawManager), m_drawer(drawer) {}
  ~Surface() override { FreeFont(); }

  html::FontMetrics BeginPass() override {
    m_oldFont = ::GetCurrentObject(m_hdc, OBJ_FONT);
    m_oldMode = ::GetBkMode(m_hdc);
    m_oldText = ::GetTextColor(m_hdc);
    m_oldBack = ::GetBkColor(m_hdc);
    m_saved = true;
    return Metrics();
  }
  void EndPass() override {
    if (!m_saved) return;
    ::SetBkMode(m_hdc, m_oldMode);
    ::SetBkColor(m_hdc, m_oldBack);
    ::SetTextColor(m_hdc, m_oldText);
    ::SelectObject(m_hdc, m_oldFont);
    FreeFont();
    m_saved = false;
  }
  html::FontMetrics ApplyStyle(const html::TextStyle& style) override {
    if (m_font) ::SelectObject(m_hdc, m_oldFont);
    FreeFont();
    LOGFONTW lf = {};
    // Hostile texts may ask for any height; beyond this the font mapper only wastes time.
    lf.lfHeight = std::clamp(style.fontSize, -1000, 1000);
    lf.lfWeight = std::clamp(style.weight, 0, 1000);
    lf.lfItalic = style.italic ? TRUE : FALSE;
    lf.lfUnderline = style.underline ? TRUE : FALSE;
    lf.lfStrikeOut = style.strikeout ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, style.faceName.c_str(), LF_FACESIZE);
    m_font = ::CreateFontIndirectW(&lf);
    if (m_font) ::SelectObject(m_hdc, m_font);
    ::SetBkMode(m_hdc, style.backgroundMode == html::kOpaque ? OPAQUE : TRANSPARENT);
    ::SetTextColor(m_hdc, style.textColour);
    ::SetBkColor(m_hdc, style.backgroundColour);
    return Metrics();
  }
  html::Size MeasureText(const std::wstring& text) override {
    SIZE s = {0, 0};
    if (!text.empty()) ::GetTextExtentPoint32W(m_hdc, text.c_str(), static_cast<int>(text.size()), &s);
    else s.cy = Metrics().height;
    return {s.cx, s.cy};
  }
  void SetJustification(int extra, int spaces) override { ::SetTextJustification(m_hdc, extra, spaces); }
  void DrawText(int x, int y, const std::wstring& text) override {
    ::TextOutW(m_hdc, x, y, text.c_str(), static_cast<int>(text.size()));
  }
  void DrawLine(int x1, int y1, int x2, int y2, html::Colour colour, int style, int width) override {
    m_drawManager.PaintLine(m_hdc, x1, y1, x2, y2, colour, style, width);
  }
  int DpiY() override { return ::GetDeviceCaps(m_hdc, LOGPIXELSY); }

  std::unique_ptr<html::InlineImage> OpenImage(html::ImageKind kind, const html::ImageParams& p) override {
    CPPHtmlDrawer& d = m_drawer;
    if (kind == html::ImageKind::Icon) {
      const auto found = p.handle != 0 && p.idres == 0 && p.iddll == 0 && p.file.empty() ? d.m_handles.find(p.handle)
                                                                                          : d.m_handles.end();
      if (found != d.m_handles.end())
        return found->second.icon ? std::make_unique<GdiImage>(d, m_hdc, kind, nullptr, found->second.icon, false, false)
                                  : nullptr;
      HICON icon = d.LoadIconImage(p);
      return icon ? std::make_unique<GdiImage>(d, m_hdc, kind, nullptr, icon, true, false) : nullptr;
    }
    if (kind == html::ImageKind::ImageStrip && !p.HasSource()) {
      if (!d.m_imageList || p.index < 0 || p.index >= ::ImageList_GetImageCount(d.m_imageList)) return nullptr;
      ::InitCommonControls();
      HICON icon = ::ImageList_GetIcon(d.m_imageList, p.index, 0);
      return icon ? std::make_unique<GdiImage>(d, m_hdc, kind, nullptr, icon, true, true) : nullptr;
    }
    if (p.idres == 0 && p.file.empty() && p.iddll == 0) {
      const auto found = d.m_handles.find(p.handle);
      if (found == d.m_handles.end() || !found->second.bitmap) return nullptr;
      return std::make_unique<GdiImage>(d, m_hdc, kind, found->second.bitmap, nullptr, false, false);
    }
    HBITMAP bitmap = d.LoadBitmapImage(p);
    return bitmap ? std::make_unique<GdiImage>(d, m_hdc, kind, bitmap, nullptr, true, false) : nullptr;
  }
  std::wstring LoadResourceString(int id) override {
    CString text;
    if (!IsResourceId(id) || !text.LoadString(static_cast<UINT>(id))) return {};
    return std::wstring(static_cast<LPCTSTR>(text), text.GetLength());
  }
  void PaintBackground(const html::Rect& r, int kind, html::Colour begin, html::Colour mid,
                       html::Colour end) override {
    if (kind < 0) return;
    if (kind > CPPDrawManager::kMetal) kind = CPPDrawManager::kSolid;
    m_drawManager.PaintBackground(m_hdc, RECT{r.left, r.top, r.right, r.bottom}, kind, begin, mid, end, 5, 0);
  }
  void PaintFrame(const html::Rect& r, html::Colour light, html::Colour dark, int style, int width) override {
    m_drawManager.PaintFrame(m_hdc, r.left, r.top, r.right, r.bottom, light, dark, style, width);
  }
  void PaintBackgroundImage(const html::Rect& r, const std::wstring& text) override {
    // One declaration: a kind and a value separated by ':'.
    const std::size_t colon = text.find(L':');
    if (colon == std::wstring::npos) return;
    std::wstring kind = text.substr(0, std::min(colon, text.find(L' ')));
    std::wstring value = text.substr(colon + 1);
    const std::size_t first = value.find_first_not_of(L" \t\"'");
    const std::size_t last = value.find_last_not_of(L" \t\"';");
    value = first == std::wstring::npos ? std::wstring() : value.substr(first, last - first + 1);
    HBITMAP bitmap = nullptr;
    const long long id = html::LeadingNumber(value);
    if (kind == L"idres" && IsResourceId(id))
      bitmap = static_cast<HBITMAP>(
          ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    else if (kind == L"iddll" && IsResourceId(id) && m_drawer.m_resourceModule)
      bitmap = static_cast<HBITMAP>(::LoadImageW(m_drawer.m_resourceModule, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0,
                                                 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    else if (kind == L"file" && !value.empty())
      bitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, value.c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE));
    if (!bitmap) return;
    SIZE size = {0, 0};
    CPPDrawManager::GetBitmapSize(bitmap, size);
    HDC memory = ::CreateCompatibleDC(m_hdc);
    if (memory && size.cx > 0 && size.cy > 0) {
      HGDIOBJ old = ::SelectObject(memory, bitmap);
      m_drawManager.TileBlit(m_hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, size.cx, size.cy);
      ::SelectObject(memory, old);
    }
    if (memory) ::DeleteDC(memory);
    ::DeleteObject(bitmap);
  }

 private:
  html::FontMetrics Metrics() const {
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(m_hdc, &tm);
    return {tm.tmHeight, tm.tmAscent};
  }
  void FreeFont() {
    if (m_font) ::DeleteObject(m_font);
    m_font = nullptr;
  }

  HDC m_hdc;
  CPPDrawManager& m_drawManager;
  CPPHtmlDrawer& m_drawer;
  HFONT m_font = nullptr;
  HGDIOBJ m_oldFont = nullptr;
  int m_oldMode = TRANSPARENT;
  COLORREF m_oldText = 0;
  COLORREF m_oldBack = 0;
  bool m_saved = false;
};

CPPHtmlDrawer::CPPHtmlDrawer() : m_renderer([](int index) { return static_cast<html::Colour>(::GetSysColor(index)); }) {
  m_renderer.Colours().disabled = ::GetSysColor(COLOR_BTNSHADOW);
  LoadHandCursor();
  SetShadow(true, 4, 4, 7, 7, 50);
}

CPPHtmlDrawer::~CPPHtmlDrawer() {
  if (m_ownsResourceModule && m_resourceModule) ::FreeLibrary(m_resourceModule);
  // The shared system hand cursor is not destroyed, only a copy of the help program's.
  if (m_ownsHandCursor && m_handCursor) ::DestroyCursor(m_handCursor);
}

void CPPHtmlDrawer::LoadHandCursor() {
  if (m_handCursor) return;
  m_handCursor = ::LoadCursor(nullptr, IDC_HAND);
  if (m_handCursor) return;
  wchar_t folder[MAX_PATH] = {};
  const UINT n = ::GetWindowsDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  HMODULE help = LoadResourceLibrary(std::wstring(folder, n) + L"\\winhlp32.exe");
  if (!help) return;
  if (HCURSOR cursor = ::LoadCursorW(help, MAKEINTRESOURCEW(106))) {
    m_handCursor = reinterpret_cast<HCURSOR>(::CopyIcon(reinterpret_cast<HICON>(cursor)));
    m_ownsHandCursor = m_handCursor != nullptr;
  }
  ::FreeLibrary(help);
}

HBITMAP CPPHtmlDrawer::LoadBitmapImage(const html::ImageParams& p) const {
  if (p.idres != 0)
    return IsResourceId(p.idres) ? static_cast<HBITMAP>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(p.idres),
                                                                      IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))
                                 : nullptr;
  if (!p.file.empty())
    return static_cast<HBITMAP>(::LoadImageW(nullptr, p.file.c_str(), IMAGE_BITMAP, 0, 0,
                                             LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE));
  if (p.iddll != 0 && IsResourceId(p.iddll)) {
    HMODULE library = p.srcdll.empty() ? m_resourceModule : LoadResourceLibrary(p.srcdll);
    if (!library) return nullptr;
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageW(library, MAKEINTRESOURCEW(p.iddll), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    if (!p.srcdll.empty()) ::FreeLibrary(library);
    return bitmap;
  }
  return nullptr;
}

HICON CPPHtmlDrawer::LoadIconImage(const html::ImageParams& p) const {
  // The requested size; a percentage is of the system's icon size.
  auto side = [](bool percent, int value, int metric) {
    const int v = percent ? ::MulDiv(::GetSystemMetrics(metric), value, 100) : value;
    return std::clamp(v, 0, 1024);
  };
  const int cx = side(p.widthPercent != 0, p.width, SM_CXICON);
  const int cy = side(p.heightPercent != 0, p.height, SM_CYICON);
  if (p.idres != 0)
    return IsResourceId(p.idres) ? static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(p.idres),
                                                                    IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR))
                                 : nullptr;
  if (!p.file.empty())
    return static_cast<HICON>(::LoadImageW(nullptr, p.file.c_str(), IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
  if (p.iddll != 0 && IsResourceId(p.iddll)) {
    HMODULE library = p.srcdll.empty() ? m_resourceModule : LoadResourceLibrary(p.srcdll);
    if (!library) return nullptr;
    HICON icon = static_cast<HICON>(
        ::LoadImageW(library, MAKEINTRESOURCEW(p.iddll), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    if (!p.srcdll.empty()) ::FreeLibrary(library);
    return icon;
  }
  return nullptr;
}

std::uint32_t CPPHtmlDrawer::RegisterBitmap(HBITMAP bitmap) {
  const auto number = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(bitmap));
  if (bitmap) m_handles[number] = Registered{bitmap, nullptr};
  return number;
}

std::uint32_t CPPHtmlDrawer::RegisterIcon(HICON icon) {
  const auto number = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(icon));
  if (icon) m_handles[number] = Registered{nullptr, icon};
  return number;
}

void CPPHtmlDrawer::UnregisterHandle(std::uint32_t number) { m_handles.erase(number); }

CSize CPPHtmlDrawer::MeasureMarkup(HDC hdc, const CString& text) {
  m_hdc = hdc;
  Surface surface(hdc, *this);
  const html::Size s = m_renderer.Measure(surface, std::wstring(static_cast<LPCTSTR>(text), text.GetLength()));
  return CSize(s.cx, s.cy);
}

void CPPHtmlDrawer::PaintMeasuredMarkup(HDC hdc, const RECT& rect) {
  if (m_renderer.PreparedText().empty()) return;
  m_hdc = hdc;
  Surface surface(hdc, *this);
  m_renderer.Paint(surface, html::Rect{rect.left, rect.top, rect.right, rect.bottom});
}

CSize CPPHtmlDrawer::RenderPass(const RECT& rect) {
  if (!m_hdc) return CSize(0, 0);
  Surface surface(m_hdc, *this);
  const html::Size s = m_renderer.RenderPass(surface, html::Rect{rect.left, rect.top, rect.right, rect.bottom});
  return CSize(s.cx, s.cy);
}

void CPPHtmlDrawer::SetStyleSheet(LPCTSTR text) {
  if (!text) {
    m_renderer.SetStyleSheet(nullptr);
    return;
  }
  const std::wstring sheet(text);
  m_renderer.SetStyleSheet(&sheet);
}

CString CPPHtmlDrawer::LoadTipText(UINT id) {
  CString text;
  if (!text.LoadString(id)) return CString();
  const int first = text.Find(L'\n');
  if (first < 0) return CString();
  const int second = text.Find(L'\n', first + 1);
  return second < 0 ? text.Mid(first + 1) : text.Mid(first + 1, second - first - 1);
}

void CPPHtmlDrawer::SetHotLinkTarget(HWND hwnd, UINT message, LPARAM lParam) {
  m_hotLinkWnd = hwnd;
  m_hotLinkMessage = message;
  m_hotLinkParam = lParam;
}

void CPPHtmlDrawer::SetMessageLinkTarget(HWND hwnd, UINT message, LPARAM lParam) {
  m_messageLinkWnd = hwnd;
  m_messageLinkMessage = message;
  m_messageLinkParam = lParam;
}

void CPPHtmlDrawer::SetImageList(HIMAGELIST list, int cellWidth, int cellHeight) {
  m_imageList = list;
  m_imageCellWidth = cellWidth;
  m_imageCellHeight = cellHeight;
}

void CPPHtmlDrawer::SetResourceModule(HMODULE module, bool owned) {
  if (m_ownsResourceModule && m_resourceModule && m_resourceModule != module) ::FreeLibrary(m_resourceModule);
  m_resourceModule = module;
  m_ownsResourceModule = owned;
}

void CPPHtmlDrawer::EnableColours(bool enabled, COLORREF disabled) {
  m_renderer.Colours().enabled = enabled;
  m_renderer.Colours().disabled = disabled;
}

void CPPHtmlDrawer::SetShadow(bool soft, int dx, int dy, int blurX, int blurY, int darkness) {
  m_renderer.Settings().softShadow = soft;
  m_renderer.Settings().shadowDx = dx;
  m_renderer.Settings().shadowDy = dy;
  m_softShadow = soft;
  m_shadowDx = dx;
  m_shadowDy = dy;
  m_blurX = blurX;
  m_blurY = blurY;
  m_darkness = std::clamp(darkness, 0, 255) & 0xFF;
  const int grey = ::MulDiv(255, m_darkness, 100) & 0xFF;
  m_shadowColour = RGB(grey, grey, grey);
}
