// The program's ways out to the system: the clipboard, the user's web browser and the
// message box every part of the program shows its messages with.
#pragma once

#include "framework/afxwin.h"

// Puts the text on the clipboard as Unicode text; a clipboard that does not open is left
// alone.
void CopyTextToClipboard(const CString& text);

// Opens an address or an HTML file in the user's browser: through the shell, else with the
// command registered for ".htm" files. Above 32 on success, else the failing call's code.
INT_PTR OpenInWebBrowser(const CString& target);
// The command line OpenInWebBrowser runs for a registered ".htm" open command: the command up
// to its file placeholder ("%1", quoted or not), a blank and the target (quoted when it holds
// a blank and is not quoted yet).
CString BuildBrowserCommandLine(const CString& openCommand, const CString& target);

// Shows plain text in the program's HTML message box (the text is escaped, so it shows as it
// stands) and returns the pressed button's id. The owner is
// parent, else the program's main window (the frame, or before it exists the active window),
// else the desktop; the caption is the main window's text, or the program's name without one.
int ShowMessageBoxText(CWnd* parent, const CString& text, UINT type);

// The same with a printf-style format and its arguments (strings may be passed as CString).
template <typename... Args>
int ShowMessageBox(CWnd* parent, LPCTSTR format, UINT type, const Args&... args) {
  CString text;
  if constexpr (sizeof...(Args) == 0)
    text = format;
  else
    text.Format(format, args...);
  return ShowMessageBoxText(parent, text, type);
}
