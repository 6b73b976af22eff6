// The box's painting: one cached background (areas and separators) under the texts of the
// header, the message and the open More area, composed off screen.
#include "controls/html/message_box.h"
#include "controls/html/message_box_buttons.h"

void CPPMessageBoxTemplate::PaintAreaBackground(HDC dc, const PPMessageBoxAreaStyle& style, const RECT& rect) {
  if (style.backgroundKind < 0 || rect.bottom <= rect.top) return;
  m_messageDrawer.DrawManager().PaintBackground(dc, rect, style.backgroundKind, style.beginColour, style.midColour,
                                                style.endColour, 0, 0);
}

void CPPMessageBoxTemplate::PaintSeparator(HDC dc, const PPMessageBoxAreaStyle& style, int left, int right, int y) {
  left += kSeparatorMargin;
  right -= kSeparatorMargin;
  auto line = [&](int x1, int x2) {
    if (x2 <= x1) return;
    switch (style.separatorType) {
      case 1: {
        RECT edge = {x1, y, x2, y + 2};
        ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_TOP);
        break;
      }
      case 2:
      case 3:
        m_messageDrawer.DrawManager().PaintLine(dc, x1, y, x2, y, style.separatorType == 2 ? RGB(0, 0, 0)
                                                                                          : RGB(255, 255, 255),
                                                CPPDrawManager::kLineSolid, 1);
        break;
      default: break;
    }
  };
  const CString label = ResolveText(style.separatorText);
  if (label.IsEmpty()) {
    line(left, right);
    return;
  }
  HGDIOBJ oldFont = ::SelectObject(dc, m_font);
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(dc, label, label.GetLength(), &size);
  int labelLeft;
  switch (style.separatorAlign) {
    case 0:
      labelLeft = left;
      line(left + size.cx + kSeparatorMargin, right);
      break;
    case 1:
      labelLeft = right - size.cx;
      line(left, labelLeft - kSeparatorMargin);
      break;
    default:
      labelLeft = left + (right - left - size.cx) / 2;
      line(left, labelLeft - kSeparatorMargin);
      line(labelLeft + size.cx + kSeparatorMargin, right);
      break;
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(label.GetString()), label.GetLength(), labelLeft,
               y - size.cy / 2, size.cx, size.cy, DST_TEXT | DSS_DISABLED);
  ::SelectObject(dc, oldFont);
}

void CPPMessageBoxTemplate::BuildBackground(HDC dc, int width, int height) {
  HDC mem = ::CreateCompatibleDC(dc);
  m_background = ::CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ old = ::SelectObject(mem, m_background);

  const RECT whole = {0, 0, width, height};
  if (m_params.boxStyle.backgroundKind < 0)
    ::FillRect(mem, &whole, ::GetSysColorBrush(COLOR_BTNFACE));
  else
    PaintAreaBackground(mem, m_params.boxStyle, whole);

  if (m_headerHeight != 0) {
    PaintAreaBackground(mem, m_params.headerStyle, RECT{0, 0, width, m_headerHeight});
    PaintSeparator(mem, m_params.headerStyle, 0, width, m_headerHeight);
  }
  const int messageBottom = m_headerHeight + m_messageHeight;
  PaintAreaBackground(mem, m_params.buttonStyle, RECT{0, messageBottom, width, messageBottom + m_buttonAreaHeight});
  PaintSeparator(mem, m_params.buttonStyle, 0, width, messageBottom);
  if (m_moreHeight != 0) {
    const int moreTop = BaseClientHeight();
    PaintAreaBackground(mem, m_params.moreStyle, RECT{0, moreTop, width, height});
    PaintSeparator(mem, m_params.moreStyle, 0, width, moreTop);
  }
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
}

void CPPMessageBoxTemplate::DrawTexts(HDC dc, const RECT& client) {
  HGDIOBJ oldFont = ::SelectObject(dc, m_font);
  if (m_headerHeight != 0)
    m_headerDrawer.PaintMeasuredMarkup(
        dc, RECT{client.left + kHtmlMargin, client.top + kHtmlMargin, client.right - kHtmlMargin,
                 m_headerHeight - kHtmlMargin});
  if (m_moreOpen && m_moreHeight != 0)
    m_moreDrawer.PaintMeasuredMarkup(dc, RECT{client.left + kHtmlMargin, client.bottom - m_moreHeight + kHtmlMargin,
                                              client.right - kHtmlMargin, client.bottom});
  if (m_messageHeight != 0) {
    m_messageDrawer.SetDC(dc);
    m_messageDrawer.SetMeasureMode(false);
    m_messageDrawer.RenderPass(RECT{client.left + kHtmlMargin, m_headerHeight + kHtmlMargin,
                                    client.right - kHtmlMargin, m_headerHeight + m_messageHeight - kHtmlMargin});
    m_messageDrawer.SetDC(nullptr);
  }
  ::SelectObject(dc, oldFont);
}

namespace {

// A memory copy of the client area: the cached background with the texts on it.
class Composition {
 public:
  Composition(HDC dc, int width, int height) : m_width(width), m_height(height) {
    m_dc = ::CreateCompatibleDC(dc);
    m_bitmap = ::CreateCompatibleBitmap(dc, width, height);
    m_old = ::SelectObject(m_dc, m_bitmap);
  }
  ~Composition() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  HDC dc() const { return m_dc; }
  void CopyFrom(HBITMAP background) {
    HDC source = ::CreateCompatibleDC(m_dc);
    HGDIOBJ old = ::SelectObject(source, background);
    ::BitBlt(m_dc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
  }

 private:
  int m_width;
  int m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

}  // namespace

void CPPMessageBoxTemplate::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hwnd, &ps);
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width > 0 && height > 0) {
    if (!m_background) BuildBackground(dc, width, BaseClientHeight() + m_moreHeight);
    Composition composition(dc, width, height);
    composition.CopyFrom(m_background);
    DrawTexts(composition.dc(), client);
    ::BitBlt(dc, 0, 0, width, height, composition.dc(), 0, 0, SRCCOPY);
  }
  ::EndPaint(m_hwnd, &ps);
}

void CPPMessageBoxTemplate::RepaintTextStrips() {
  if (!m_background) return;
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  HDC dc = ::GetDC(m_hwnd);
  Composition composition(dc, width, height);
  composition.CopyFrom(m_background);
  DrawTexts(composition.dc(), client);
  ::BitBlt(dc, 0, 0, width, m_headerHeight + m_messageHeight, composition.dc(), 0, 0, SRCCOPY);
  if (m_moreOpen && m_moreHeight != 0)
    ::BitBlt(dc, 0, height - m_moreHeight, width, m_moreHeight, composition.dc(), 0, height - m_moreHeight, SRCCOPY);
  ::ReleaseDC(m_hwnd, dc);
}
