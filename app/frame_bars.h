// The frame's bars and theme: the one place where the frame meets the user-interface toolkit.
//
// Until the toolkit's bars exist the frame keeps the plain menu the framework made from menu
// resource 100, has no tool bar or status bar windows and installs no theme. The toolkit's
// command profile, menu bar, hidden icon tool bar, docking and Office 2003 theme replace the
// bodies of these functions; the frame calls nothing else of them.
#pragma once

#include "framework/afxwin.h"

class CFrameBars {
 public:
  // At the frame's construction: the theme every toolkit window draws with.
  static void InstallTheme();
  // In the frame's creation, after the framework made the frame: the command profile bound to
  // the frame under profileName, the menu bar and the tool bar, docking. FALSE on failure.
  BOOL Create(CFrameWnd* frame, LPCTSTR profileName);
  // Every message the frame pre-translates; TRUE when the bars consumed it.
  BOOL PreTranslateMessage(MSG* msg);
  // When the frame goes: the frame's binding to its command profile.
  void Unbind(CFrameWnd* frame);
};
