// The base paint manager: the fonts, colours, brushes and palette every theme shares, the
// colour lookup by colour id, DPI scaling, the reload on system changes, and the drawing
// operations of the plain classic look. Themes derive from it and override its virtual
// operations; every toolkit window reaches the current one through g_PaintManagerHolder.
#pragma once

#include "framework/afxwin.h"
#include "toolkit/paint/color_math.h"

class CExtCmdIcon;

class CExtPaintManager : public CObject {
  DECLARE_SERIAL(CExtPaintManager)

 public:
  class CExtPaintManagerAutoPtr;  // the global holder (pm_holder.h)
  struct PAINTSCROLLBARDATA;      // scroll-bar paint record (pm_scrollbar.h)
  struct SCROLLBARSKINDATA;       // bitmap skin of scroll bars (the skinned themes)

  // Rectangles of one monitor in screen coordinates.
  struct MonitorRects {
    RECT m_rcMonitor{};
    RECT m_rcWorkArea{};
    bool m_bPrimary = false;
  };

  // Theme kinds (GetThemeKindCode).
  enum : int { ThemeKindBase = 29750, ThemeKindXP = 29751 };
  // Indexes of the twelve mixed-colour brushes (see BuildHelperBrushes).
  enum : int { HelperBrushCount = 12 };

  CExtPaintManager();
  ~CExtPaintManager() override;

  // ---- Run-time identity, archiving, DPI ----
  void Serialize(CArchive& /*ar*/) override {}
  // Axis 0 horizontal, 1 vertical, 2 other metrics.
  virtual bool IsDpiScalingOn(int axis) const;
  virtual int ScaleByDpi(int value, int axis) const;
  virtual int GetThemeKindCode() const { return ThemeKindBase; }
  virtual int GetMenuSeparatorHeight() const { return 6; }
  virtual bool IsThemedDrawingOn() { return false; }
  // 0 classic, 1 blue, 2 olive, 3 silver, 4 royale, 5 themed NT 6, 6 with composition.
  virtual int GetSystemThemeKind();
  virtual bool IsMonochromeFace() const;
  virtual void SerializeSynchronizedState(CArchive& /*ar*/) {}
  virtual void ReleasePaintCacheFor(CObject* /*object*/, LPARAM /*value*/) {}

  // ---- Hooks the resource dialog base asks ----
  // A replacement dialog template for the dialog, or null (every theme answers null).
  virtual HGLOBAL DrawResDialogExtra(HGLOBAL /*hTemplate*/, CWnd* /*dialog*/, LPARAM /*reserved1*/,
                                     LPARAM /*reserved2*/) {
    return nullptr;
  }
  HGLOBAL ProvideDialogTemplate(HGLOBAL hTemplate, CWnd* dialog, LPARAM a, LPARAM b) {
    return DrawResDialogExtra(hTemplate, dialog, a, b);
  }

  // ---- Fonts, colours and brushes ----
  virtual HFONT CreateNormalFont();
  virtual HFONT CreateCaptionFont();
  virtual void RebuildFontsAndSysColors();
  // The system brush of a system colour index (colour ids are not translated).
  virtual HBRUSH GetColorBrush(int index);
  // A system colour index (below 1000) or a theme colour id (1000 and up); the two further
  // arguments let skins vary a colour by the asking object.
  virtual COLORREF LookupColor(int idOrIndex, CObject* source = nullptr, LPARAM value = 0);
  virtual void BuildColorIdMap();
  virtual void BuildHelperBrushes();

  // ---- Command icons ----
  // Fills the icon's disabled image from its normal image; false when the icon is null or its
  // disabled image was set explicitly.
  virtual bool BuildDisabledIconImage(CExtCmdIcon* icon);
  // Tint colour (-1 none) and opacity change of disabled command-icon images.
  virtual COLORREF GetThemeAccentColor() { return static_cast<COLORREF>(-1); }
  virtual double GetThemeBlendFactor() { return 0.0; }

  // ---- Reload on system changes ----
  virtual void ReloadOnSysColorChange();
  virtual void ReloadOnSettingChange(UINT flags, LPCTSTR section);
  virtual void ReloadOnDisplayChange(int bitsPerPixel, int cx, int cy);
  virtual void ReloadOnThemeChange(WPARAM wParam, LPARAM lParam);
  // Theme settings after the class record of the holder's archive format.
  virtual bool SerializeThemeState(CArchive& /*ar*/, bool /*rethrow*/) { return true; }

  // ---- Scroll bars ----
  // Sizes of skinned scroll-bar parts: bar thickness (horizontal bar height, vertical bar
  // width), arrow-button lengths and minimum thumb lengths. False when the theme does not skin
  // scroll bars; the caller then uses the system metrics and a minimum thumb of 9.
  virtual bool MeasureSkinnedScrollBar(CObject* bar, int* horzBarHeight, int* vertBarWidth, int* horzButtonWidth,
                                       int* vertButtonHeight, int* horzThumbMin, int* vertThumbMin);
  virtual void DrawScrollBar(CDC& dc, PAINTSCROLLBARDATA& data);
  virtual SCROLLBARSKINDATA* GetScrollBarSkinData(bool /*horizontal*/, CObject* /*bar*/, int /*lookupArg*/,
                                                  bool /*primary*/) {
    return nullptr;
  }

  // ---- Non-virtual helpers ----
  // Overwrites entry `index` of the colour table when it exists, else appends; returns the index.
  int InstallColor(COLORREF color, int index = -1);
  int ColorTableSize() const { return static_cast<int>(m_colors.GetSize()); }
  // Whether a parent keeps this child inside its clip (it paints over the parent's background).
  static bool IsChildTransparentForClip(HWND child);
  static bool TransparentChildClipFilter(HDC hDC, HWND parent, HWND child, LPARAM cookie);

  // ---- Glyph marks (pixel-drawn) ----
  static void DrawCheckMarkGlyph(CDC& dc, int x, int y, COLORREF color);
  static void DrawRoundBullet(CDC& dc, int x, int y, COLORREF color);
  static void DrawSquareBullet(CDC& dc, int x, int y, COLORREF color);
  static void DrawDottedLineH(CDC& dc, int xFrom, int xTo, int y, COLORREF color);
  static void DrawDottedLineV(CDC& dc, int x, int yFrom, int yTo, COLORREF color);
  static void DrawCornerlessFrame(CDC& dc, int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  static void DrawCornerlessFrameRect(CDC& dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight) {
    DrawCornerlessFrame(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, topLeft, bottomRight);
  }

  // ---- Drawing and window utilities ----
  static COLORREF ColorFromHls(double hue, double lightness, double saturation) {
    return extpaint::ColorFromHls(hue, lightness, saturation);
  }
  static COLORREF AdjustColorHls(COLORREF color, double hueChange, double lightnessChange, double saturationChange) {
    return extpaint::AdjustColorHls(color, hueChange, lightnessChange, saturationChange);
  }
  static COLORREF MixColors(COLORREF c1, COLORREF c2, int alpha) { return extpaint::MixColors(c1, c2, alpha); }
  static int ScreenBitsPerPixel();
  static void FillTwoColorGradient(CDC& dc, const RECT& rc, COLORREF first, COLORREF second, bool vertical,
                                   unsigned steps = 256);
  static void FillThreeColorGradient(CDC& dc, const RECT& rc, COLORREF c1, COLORREF c2, COLORREF c3, bool vertical,
                                     int numerator = 1, int denominator = 2, unsigned steps = 256);
  static HBITMAP CreatePatternBitmap16(COLORREF a = static_cast<COLORREF>(-1), COLORREF b = static_cast<COLORREF>(-1),
                                       int xMask = 1, int yMask = 1, int xLineMask = 0, int yLineMask = 0,
                                       COLORREF c = static_cast<COLORREF>(-1));
  static HICON CreateColorSwatchIcon(COLORREF color);
  static HICON CreateColorFrameIcon(COLORREF color);
  static HICON CreateLetterColorIcon(COLORREF color, HFONT font, wchar_t letter);
  static HICON CreateFontColorIcon(COLORREF color, HFONT font) { return CreateLetterColorIcon(color, font, L'A'); }
  static void GetPrimaryScreenRects(MonitorRects& out);
  static void GetMonitorRectsFromPoint(MonitorRects& out, POINT pt);
  static void GetMonitorRectsFromRect(MonitorRects& out, const RECT& rc);
  static void GetMonitorRectsFromHwnd(MonitorRects& out, HWND hWnd);
  static void GetMonitorRectsFromWnd(MonitorRects& out, CWnd* wnd) {
    GetMonitorRectsFromHwnd(out, wnd ? wnd->GetSafeHwnd() : nullptr);
  }
  static HBITMAP RenderWindowToDib(HWND hWnd, UINT printMessage, LPARAM printFlags, HDC source = nullptr,
                                   const RECT* sourceRect = nullptr);
  static void ForwardPrintToChildren(HWND parent, UINT printMessage, HDC hDC, LPARAM printFlags, bool recurse);
  static HBITMAP CaptureScreenRectToDib(const RECT& rc, void** bits = nullptr);
  using ChildClipFilter = bool (*)(HDC hDC, HWND parent, HWND child, LPARAM cookie);
  static void ExcludeChildWindowsFromClip(HDC hDC, HWND parent, ChildClipFilter filter = nullptr, LPARAM cookie = 0);
  // Dispatches the pending paint messages of the kinds asked for (a null window: every window
  // of the thread); returns how many were dispatched.
  static int FlushWindowPaintMessages(HWND hWnd, bool nonClient = true, bool erase = true, bool paint = true);
  static int FlushPaintMessages(bool nonClient = true, bool erase = true, bool paint = true) {
    return FlushWindowPaintMessages(nullptr, nonClient, erase, paint);
  }

  // ---- Shared resources (read by the drawing code of every subsystem) ----
  CFont m_FontNormal, m_FontBold, m_FontCaption, m_FontBoldCaption, m_FontSecondCaption, m_FontSecondBoldCaption,
      m_FontMarlett;
  CPalette m_PaletteWide;
  CBrush m_brushHelper[HelperBrushCount];
  int m_popupTextStyle = 32;  // style bits merged into popup-menu item text drawing
  bool m_bPreferTahoma = false;
  bool m_bInheritedBackground = false;
  int m_dockMarkerStyle = 3;
  bool m_bScrollBarOption = false;

 protected:
  // The colour table: 0-49 system colours, computed theme colours after them.
  CArray<COLORREF, COLORREF> m_colors;
  CArray<HBRUSH, HBRUSH> m_sysBrushes;
  CMap<int, int, int, int> m_mapColorIdToIndex{10};

  void ReloadAll();
};

#include "toolkit/paint/pm_holder.h"
#include "toolkit/paint/pm_scrollbar.h"
