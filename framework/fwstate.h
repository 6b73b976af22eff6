// Process-wide framework state: the application object, the program module
// and the module that resources are loaded from.
#pragma once

#include "framework/fwdefs.h"

HINSTANCE AFXAPI AfxGetInstanceHandle();
// Normally set by the entry point; test programs may set it themselves.
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding resource lpszName of type lpszType: the resource module,
// else the program module.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
CWinApp* AFXAPI AfxGetApp();
LPCTSTR AFXAPI AfxGetAppName();
CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();

// Shows a message box owned by the main window with the application's name as
// caption (through CWinApp::DoMessageBox when an application object exists).
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
