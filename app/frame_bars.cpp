#include "app/frame_bars.h"

void CFrameBars::InstallTheme() {
  // The plain frame draws with the system's own look.
}

BOOL CFrameBars::Create(CFrameWnd* frame, LPCTSTR) {
  // The framework loaded the menu with the frame; a frame without it has no commands.
  return frame && ::GetMenu(frame->GetSafeHwnd()) != nullptr;
}

BOOL CFrameBars::PreTranslateMessage(MSG*) {
  // The system's menu handles its own keys and mouse.
  return FALSE;
}

void CFrameBars::Unbind(CFrameWnd*) {}
