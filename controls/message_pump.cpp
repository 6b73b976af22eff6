#include "controls/message_pump.h"

int PumpDialogMessages(CWnd* dialog) {
  const HWND hDialog = dialog ? dialog->GetSafeHwnd() : nullptr;
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The quit belongs to the message loop outside the computation.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (hDialog != nullptr && ::IsWindow(hDialog) && ::IsDialogMessageW(hDialog, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
