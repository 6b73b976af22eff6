// A modeless dialog made from an in-memory template that hosts controls under test, records
// the control notifications that reach it, answers measure-item requests, and a message pump
// that offers every message to the framework windows' PreTranslateMessage first.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "framework/afxwin.h"
#include "gui_harness.h"

namespace ctltest {

// Builds a DLGTEMPLATE with its items (Tahoma 8). Coordinates are dialog units.
class DialogTemplate {
 public:
  DialogTemplate(const wchar_t* caption, short cx, short cy);
  void Add(const wchar_t* className, const wchar_t* text, DWORD style, short x, short y, short cx, short cy, WORD id);
  LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

 private:
  void Word(WORD w) { m_words.push_back(w); }
  void Text(const wchar_t* s);
  void AlignDword();
  std::vector<WORD> m_words;
};

class HostDialog : public CDialog {
 public:
  // Notifications (control id, code) that reached the dialog after reflection.
  std::vector<std::pair<UINT, int>> m_notifications;
  // Height answered to WM_MEASUREITEM of owner-drawn combo boxes and list boxes.
  int m_itemHeight = 23;
  // Runs in OnInitDialog, after the controls exist: subclass them there.
  std::function<void(HostDialog&)> m_onInit;

  // Creates the dialog, shows it at (x, y) on the screen and pumps until it has painted.
  bool Open(const DialogTemplate& t, int x = 40, int y = 40);
  int Count(UINT id, int code) const;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  DECLARE_MESSAGE_MAP()
};

// Pumps this thread's messages for ms milliseconds, offering each to PreTranslateMessage.
void Pump(DWORD ms = 50);
// Moves the real cursor over a point of the window (client coordinates) and lets the window
// see the move.
void HoverAt(HWND hwnd, int x, int y);
// Real input through the system queue: moves the cursor to a point of the window (client
// coordinates) and, with flags such as MOUSEEVENTF_LEFTDOWN, presses or releases there.
void RealMouse(HWND hwnd, int x, int y, DWORD buttonFlags);
// Moves the cursor far away from every test window.
void HoverAway();

// The window (frame and children) as pixels after a full repaint with erasing.
gui::Image Capture(HWND hwnd);

}  // namespace ctltest
