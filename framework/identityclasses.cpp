#include "framework/identityclasses.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CPreviewView, CView)
IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)
IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)
IMPLEMENT_DYNAMIC(COleControl, CWnd)

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  if (pbMaximized != nullptr) *pbMaximized = FALSE;
  return nullptr;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd*) const { return nullptr; }
