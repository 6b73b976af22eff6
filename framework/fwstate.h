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

// Module state. A program of one module has one state; AFX_MANAGE_STATE at
// the top of a function that other modules may call keeps the state as it
// was on entry: the resource module comes back when the scope ends.
struct AFX_MODULE_STATE;
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();

class AFX_MAINTAIN_STATE {
 public:
  explicit AFX_MAINTAIN_STATE(AFX_MODULE_STATE* pNewState);
  ~AFX_MAINTAIN_STATE();
  AFX_MAINTAIN_STATE(const AFX_MAINTAIN_STATE&) = delete;
  AFX_MAINTAIN_STATE& operator=(const AFX_MAINTAIN_STATE&) = delete;

 private:
  HINSTANCE m_hSavedResource;
};

#define FW_STATE_CONCAT2(a, b) a##b
#define FW_STATE_CONCAT(a, b) FW_STATE_CONCAT2(a, b)
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE FW_STATE_CONCAT(fwStateGuard_, __LINE__)(p)
