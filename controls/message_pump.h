// Keeps the windows of the user-interface thread alive while a long computation runs on it.
#pragma once

#include "framework/afxwin.h"

// Takes every message waiting in the calling thread's queue, for any window, offers it to the
// dialog's IsDialogMessage (so Tab, Escape and the dialog's buttons act on that dialog) and
// translates and dispatches the others; returns 0 when the queue is empty. A quit message ends
// the pumping and is posted again, so the thread's message loop still sees it afterwards.
// dialog may be null or already destroyed: then every message is dispatched.
int PumpDialogMessages(CWnd* dialog);
