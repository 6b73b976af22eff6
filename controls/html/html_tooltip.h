// A balloon tooltip whose text is drawn by the HTML drawer: a rounded body with a tail pointing
// at the cursor, a background effect, a border, a soft shadow, optional fading and per-tool
// transparency; it flips its direction to stay on the screen.
//
// Owners create it for their window, set the public settings directly, add their controls as
// tools (usually with empty texts) and feed it every message from their PreTranslateMessage
// through RelayEvent. Just before a tip shows, the notify window gets WM_NOTIFY with the code
// TIPN_SHOWING and a PPToolTipShowing record whose tool text it may fill; an empty text shows
// nothing. Text that comes from the user or from files goes through html::EscapeText first.
#pragma once

#include <utility>
#include <vector>

#include "controls/html/html_drawer.h"
#include "framework/afxwin.h"

// Which fields of a tool record are given; the others come from the tooltip's defaults.
enum : UINT {
  TIPM_STYLE = 0x01,
  TIPM_EFFECT = 0x02,  // background kind and granularity
  TIPM_COLOURS = 0x04,
  TIPM_DIRECTION = 0x08,
  TIPM_BEHAVIOUR = 0x10,
  TIPM_TRANSPARENCY = 0x20,
};

// Behaviour bits of a tool.
enum : UINT {
  TIPB_RESHOW = 0x01,        // shown again on every move inside the tool; forgotten when hidden
  TIPB_FOLLOW = 0x02,        // while shown, the tip follows the cursor inside the tool
  TIPB_STAY_INSIDE = 0x04,   // moves inside the tool keep the tip and restart the automatic hide
  TIPB_STAY_OVER_TIP = 0x08, // the cursor over the tip keeps it
  TIPB_NO_AUTOHIDE = 0x10,
};

// Where the body lies relative to the point, and where its tail sits on the body's edge.
enum : UINT {
  TIPD_BELOW_TAIL_LEFT = 0x00, TIPD_BELOW_TAIL_RIGHT = 0x01, TIPD_BELOW_TAIL_CENTRE = 0x02,
  TIPD_ABOVE_TAIL_LEFT = 0x10, TIPD_ABOVE_TAIL_RIGHT = 0x11, TIPD_ABOVE_TAIL_CENTRE = 0x12,
  TIPD_RIGHT_TAIL_TOP = 0x20, TIPD_RIGHT_TAIL_BOTTOM = 0x21, TIPD_RIGHT_TAIL_CENTRE = 0x22,
  TIPD_LEFT_TAIL_TOP = 0x30, TIPD_LEFT_TAIL_BOTTOM = 0x31, TIPD_LEFT_TAIL_CENTRE = 0x32,
};

// WM_NOTIFY code sent to the notify window just before a tip shows.
constexpr UINT TIPN_SHOWING = 1124;

// One tool: a rectangle of a window (client coordinates; empty means the whole window).
struct PPToolInfo {
  UINT id = 0;
  CRect rect;
  CString text;  // the HTML shown
  UINT mask = 0;
  UINT style = 0;  // carried for the owner
  UINT direction = TIPD_ABOVE_TAIL_LEFT;
  UINT effect = 0;  // a background kind of the draw manager
  UINT behaviour = 0;
  BYTE granularity = 0;
  BYTE transparency = 0;  // percent: 0 opaque, 100 invisible
  COLORREF beginColour = 0;
  COLORREF midColour = 0;
  COLORREF endColour = 0;
};

// The record of TIPN_SHOWING; the receiver may change the tool record, its text in particular.
struct PPToolTipShowing {
  NMHDR hdr;
  HWND toolWnd;
  POINT* point;  // the cursor, screen coordinates
  PPToolInfo* tool;
};

class CPPToolTip : public CWnd {
 public:
  // Visual states.
  enum { kHidden = 0, kFadingIn = 1, kShown = 2, kHiding = 3 };
  // Window timers.
  enum : UINT_PTR { kShowTimer = 256, kHideTimer = 257, kFadeInTimer = 258, kFadeOutTimer = 259, kAnimationTimer = 260 };
  // Message the drawer sends when the link under the pointer changes.
  static constexpr UINT kHotLinkMessage = 0x465;

  CPPToolTip();
  ~CPPToolTip() override;

  // The popup window, owned by parent. False when it could not be made; an unregistrable
  // window class throws the framework's resource exception.
  BOOL Create(CWnd* parent);
  // Replaces the tool of that window with an equal rectangle, or adds one.
  void AddTool(CWnd* window, const PPToolInfo& tool);
  void AddTool(HWND window, const PPToolInfo& tool);
  void RemoveAllTools();
  // Every message the owner's PreTranslateMessage sees.
  void RelayEvent(MSG* msg);
  // Hides the tip at once.
  void HideNow();
  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  // Owners' usual set-up: notifications to the parent, text width, the vertical background
  // effect over white to a pale blue-grey, and the delays.
  void SetUpForDialog(CWnd* parent, int maxWidth, UINT initialDelay, UINT autoHideDelay);

  // Settings the owner sets directly.
  UINT m_initialDelay = 500;
  UINT m_autoHideDelay = 5000;
  UINT m_fadeInStep = 0;  // ms per step; 0: no fading
  UINT m_fadeOutStep = 0;
  BOOL m_fadeInEnabled = TRUE;
  BOOL m_fadeOutEnabled = TRUE;
  // Defaults for the fields a tool's mask does not give.
  PPToolInfo m_defaults;
  CBrush m_borderBrush;
  int m_borderWidth = 1;
  int m_borderHeight = 1;
  BOOL m_shadowSoft = TRUE;
  int m_shadowOffsetX = 6;
  int m_shadowOffsetY = 6;
  int m_shadowBlurX = 7;
  int m_shadowBlurY = 7;
  int m_shadowDarkness = 50;  // percent
  int m_cornerWidth = 16;
  int m_cornerHeight = 16;
  int m_marginX = 12;
  int m_marginY = 12;
  int m_tailWidth = 12;
  int m_tailLength = 16;
  int m_tailDistance = 16;  // from the body's corner
  HWND m_notifyWnd = nullptr;
  BOOL m_repaintOnHotLink = TRUE;
  BOOL m_windowInfoMode = FALSE;  // the tip describes the window under the cursor
  CPPHtmlDrawer m_drawer;

  // Where a tip goes: the direction after flipping, the window size without the shadow, the
  // tail's tip inside the window, and the body and text rectangles (window coordinates).
  struct Placement {
    UINT direction = 0;
    CSize window;
    CPoint anchor;
    CRect body;
    CRect text;
  };
  // Chooses the direction that keeps a tip for text of textSize at point on a screen of
  // screen size, starting from direction.
  Placement Place(UINT direction, POINT point, SIZE textSize, SIZE screen) const;

  // Read back by tests and owners.
  int State() const { return m_state; }
  int Transparency() const { return m_transparency; }
  UINT Direction() const { return m_placement.direction; }
  const Placement& CurrentPlacement() const { return m_placement; }
  HWND CurrentToolWindow() const { return m_currentWnd; }
  const PPToolInfo& CurrentTool() const { return m_current; }
  size_t ToolCount(HWND window) const;
  // The window description of the window-information mode for the window under point.
  static CString DescribeWindow(HWND window, POINT point, bool hasTooltip);

 protected:
  // Frames the balloon with the border brush.
  virtual void OnDrawBorder(HDC dc, HRGN region);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  afx_msg void OnActivateApp(BOOL active, DWORD threadId);
  afx_msg LRESULT OnHotLink(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  using ToolList = std::vector<PPToolInfo>;

  void MouseMoved(POINT screen, HWND msgWnd);
  // The tool under the point: its window and record, false when there is none.
  bool FindTool(POINT screen, HWND& window, PPToolInfo& tool) const;
  void PrepareTool(HWND window, const PPToolInfo& tool);
  void ShowStep();
  bool ShowAt(POINT screen);
  void StartHiding();
  void StartAutoHide();
  void FadeOutEnded();
  void ForgetCurrentTool();
  bool OverVisibleTip(POINT screen) const;
  void FillDefaults(PPToolInfo& tool) const;
  void BuildBalloon();
  void TakeSnapshot(const CRect& screenRect);
  void FreeShowResources();
  void PaintTip(HDC dc, int transparency);
  void Repaint(int transparency);

  std::vector<std::pair<HWND, ToolList>> m_tools;  // in insertion order
  CWnd* m_parent = nullptr;
  CPoint m_lastPos{-100000, -100000};
  HWND m_pendingWnd = nullptr;
  PPToolInfo m_pending;
  bool m_hasPending = false;
  HWND m_currentWnd = nullptr;
  PPToolInfo m_current;
  bool m_hasCurrent = false;
  bool m_pendingShow = false;
  bool m_restartDelay = false;
  int m_state = kHidden;
  int m_transparency = 0;
  Placement m_placement;
  CSize m_windowSize;  // with the shadow
  HRGN m_balloon = nullptr;
  HBITMAP m_bodyBitmap = nullptr;
  HBITMAP m_snapshot = nullptr;
  bool m_firstPaint = false;
};
