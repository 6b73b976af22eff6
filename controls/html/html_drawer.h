// Draws the small HTML dialect with its style sheet into a device context. An owner measures a
// text (MeasureMarkup), sizes its window from the result and draws the measured text into a
// rectangle of that size (PaintMeasuredMarkup); owners that manage the device context themselves
// set it and the pass mode and call RenderPass.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "controls/html/draw_manager.h"
#include "controls/html/markup_renderer.h"
#include "framework/afxwin.h"

class CPPHtmlDrawer {
 public:
  CPPHtmlDrawer();
  virtual ~CPPHtmlDrawer();
  CPPHtmlDrawer(const CPPHtmlDrawer&) = delete;
  CPPHtmlDrawer& operator=(const CPPHtmlDrawer&) = delete;

  // The size the text needs, one pixel more each way; 0 × 0 for a text that shows nothing.
  CSize MeasureMarkup(HDC hdc, const CString& text);
  // Draws the measured text into a rectangle at least as large as the measured size.
  void PaintMeasuredMarkup(HDC hdc, const RECT& rect);
  // One pass in the current mode on the current device context.
  CSize RenderPass(const RECT& rect);
  void SetDC(HDC hdc) { m_hdc = hdc; }
  void SetMeasureMode(bool measure) { m_renderer.SetMeasuring(measure); }

  // Replaces the style rules; null loads the default style sheet.
  void SetStyleSheet(LPCTSTR text);
  // The part of a string resource after its first line feed, up to the second one.
  static CString LoadTipText(UINT id);

  // Settings the owners write.
  void SetMaxWidth(int width) { m_renderer.Settings().maxWidth = width; }
  int GetMaxWidth() { return m_renderer.Settings().maxWidth; }
  void SetTabWidth(int width) { m_renderer.Settings().tabWidth = width; }
  void SetLineFeedConversion(bool convert) { m_renderer.Settings().convertBreaks = convert; }
  void SetHotLinkTarget(HWND hwnd, UINT message, LPARAM lParam);
  void SetMessageLinkTarget(HWND hwnd, UINT message, LPARAM lParam);
  void SetImageList(HIMAGELIST list, int cellWidth, int cellHeight);
  void SetResourceModule(HMODULE module, bool owned);
  void EnableColours(bool enabled, COLORREF disabled);
  // Drop shadows of images: offsets, blur and darkness (a percentage that makes the shadow grey).
  void SetShadow(bool soft, int dx, int dy, int blurX, int blurY, int darkness);
  COLORREF ShadowColour() const { return m_shadowColour; }

  CPPDrawManager& DrawManager() { return m_drawManager; }
  html::MarkupRenderer& Renderer() { return m_renderer; }
  HCURSOR HandCursor() const { return m_handCursor; }

  // Images a text may name by "handle=": only handles registered here are drawn (a text is
  // never trusted with a raw handle). The owner keeps them valid while the text is shown.
  // Returns the number to write after "handle=" (the handle's low 32 bits).
  std::uint32_t RegisterBitmap(HBITMAP bitmap);
  std::uint32_t RegisterIcon(HICON icon);
  void UnregisterHandle(std::uint32_t number);

  // The owner forwards mouse moves (or cursor requests), left clicks and timer ticks. HoverAt is
  // true when the pointer is over a link with a target and the hand cursor was set.
  bool HoverAt(POINT point);
  void ClickAt(POINT point);
  // True when an animated strip changed its frame (the owner repaints then).
  bool AdvanceAnimations() { return m_renderer.AdvanceAnimations(); }
  int HotLink() const { return m_renderer.hotLink; }

  // Opens an address link's target with the shell, as one argument; targets that are not
  // web or mail addresses are refused. False when nothing was opened.
  static bool OpenAddress(const std::wstring& address);
  static bool IsAddress(const std::wstring& text);
  // Test seam: replaces the shell for address links (an empty function puts the shell back).
  static void SetAddressOpener(std::function<bool(const std::wstring&)> opener);

 private:
  class Surface;
  class GdiImage;
  struct Registered {
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
  };

  void LoadHandCursor();
  HBITMAP LoadBitmapImage(const html::ImageParams& params) const;
  HICON LoadIconImage(const html::ImageParams& params) const;

  html::MarkupRenderer m_renderer;
  CPPDrawManager m_drawManager;
  HWND m_hotLinkWnd = nullptr;
  UINT m_hotLinkMessage = 0;
  LPARAM m_hotLinkParam = 0;
  HWND m_messageLinkWnd = nullptr;
  UINT m_messageLinkMessage = 0;
  LPARAM m_messageLinkParam = 0;
  HIMAGELIST m_imageList = nullptr;
  int m_imageCellWidth = 0;
  int m_imageCellHeight = 0;
  HMODULE m_resourceModule = nullptr;
  bool m_ownsResourceModule = false;
  HCURSOR m_handCursor = nullptr;
  bool m_ownsHandCursor = false;
  std::map<std::uint32_t, Registered> m_handles;
  HDC m_hdc = nullptr;
  bool m_softShadow = true;
  int m_shadowDx = 4;
  int m_shadowDy = 4;
  int m_blurX = 7;
  int m_blurY = 7;
  int m_darkness = 50;
  COLORREF m_shadowColour = RGB(128, 128, 128);
};
