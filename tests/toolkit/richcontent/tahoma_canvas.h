// A white 32-bit canvas with 13-pixel Tahoma and black text selected, the surface the caption
// and painting tests draw on.
#pragma once

#include <cwchar>

#include "canvas.h"

namespace richtest {

const COLORREF kWhite = RGB(255, 255, 255);

class TahomaCanvas : public ctltest::Canvas {
 public:
  TahomaCanvas(int width, int height, int weight = FW_NORMAL, bool transparentText = true)
      : Canvas(width, height, kWhite) {
    LOGFONTW lf{};
    lf.lfHeight = -13;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    m_font = ::CreateFontIndirectW(&lf);
    m_old = ::SelectObject(Hdc(), m_font);
    ::SetTextColor(Hdc(), RGB(0, 0, 0));
    if (transparentText) ::SetBkMode(Hdc(), TRANSPARENT);
  }
  ~TahomaCanvas() {
    ::SelectObject(Hdc(), m_old);
    ::DeleteObject(m_font);
  }
  TahomaCanvas(const TahomaCanvas&) = delete;
  TahomaCanvas& operator=(const TahomaCanvas&) = delete;
  HDC Hdc() { return dc()->GetSafeHdc(); }

 private:
  HFONT m_font;
  HGDIOBJ m_old;
};

}  // namespace richtest
