#include "controls/html/html_drawer.h"

#include <algorithm>

// The renderer's surface on a device context: the pass's font, colours and justification.
class CPPHtmlDrawer::Surface : public html::HtmlSurface {
 public:
  Surface(HDC hdc, CPPDrawManager& drawManager) : m_hdc(hdc), m_drawManager(drawManager) {}
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
  HFONT m_font = nullptr;
  HGDIOBJ m_oldFont = nullptr;
  int m_oldMode = TRANSPARENT;
  COLORREF m_oldText = 0;
  COLORREF m_oldBack = 0;
  bool m_saved = false;
};

CPPHtmlDrawer::CPPHtmlDrawer() : m_renderer([](int index) { return static_cast<html::Colour>(::GetSysColor(index)); }) {
  m_renderer.Colours().disabled = ::GetSysColor(COLOR_BTNSHADOW);
  m_handCursor = ::LoadCursor(nullptr, IDC_HAND);
  SetShadow(true, 4, 4, 7, 7, 50);
}

CPPHtmlDrawer::~CPPHtmlDrawer() {
  if (m_ownsResourceModule && m_resourceModule) ::FreeLibrary(m_resourceModule);
  // The shared system hand cursor is not destroyed.
}

CSize CPPHtmlDrawer::MeasureMarkup(HDC hdc, const CString& text) {
  m_hdc = hdc;
  Surface surface(hdc, m_drawManager);
  const html::Size s = m_renderer.Measure(surface, std::wstring(static_cast<LPCTSTR>(text), text.GetLength()));
  return CSize(s.cx, s.cy);
}

void CPPHtmlDrawer::PaintMeasuredMarkup(HDC hdc, const RECT& rect) {
  if (m_renderer.PreparedText().empty()) return;
  m_hdc = hdc;
  Surface surface(hdc, m_drawManager);
  m_renderer.Paint(surface, html::Rect{rect.left, rect.top, rect.right, rect.bottom});
}

CSize CPPHtmlDrawer::RenderPass(const RECT& rect) {
  if (!m_hdc) return CSize(0, 0);
  Surface surface(m_hdc, m_drawManager);
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
  m_softShadow = soft;
  m_shadowDx = dx;
  m_shadowDy = dy;
  m_blurX = blurX;
  m_blurY = blurY;
  m_darkness = std::clamp(darkness, 0, 255) & 0xFF;
  const int grey = ::MulDiv(255, m_darkness, 100) & 0xFF;
  m_shadowColour = RGB(grey, grey, grey);
}
