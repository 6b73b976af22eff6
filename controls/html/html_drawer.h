// Draws the small HTML dialect with its style sheet into a device context. An owner measures a
// text (MeasureMarkup), sizes its window from the result and draws the measured text into a
// rectangle of that size (PaintMeasuredMarkup); owners that manage the device context themselves
// set it and the pass mode and call RenderPass.
#pragma once

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

 private:
  class Surface;

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
  HDC m_hdc = nullptr;
  bool m_softShadow = true;
  int m_shadowDx = 4;
  int m_shadowDy = 4;
  int m_blurX = 7;
  int m_blurY = 7;
  int m_darkness = 50;
  COLORREF m_shadowColour = RGB(128, 128, 128);
};
