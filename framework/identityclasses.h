// Classes this program never makes, kept so that code can ask whether an
// object is one of them (IsKindOf, DYNAMIC_DOWNCAST) and get "no": multiple-
// document frames, the print-preview view, property sheets and pages, and
// embedded-object documents and controls. They do only what such a question
// needs; their other answers are those of an object with nothing in it.
#pragma once

#include "framework/dialog.h"
#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/view.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
 public:
  HWND m_hWndMDIClient = nullptr;  // never made here
  // The active document window: none.
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd*) {}
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
 public:
  CMDIFrameWnd* GetMDIFrame() const { return nullptr; }
  void MDIActivate() {}
};

class CPreviewView : public CView {
  DECLARE_DYNCREATE(CPreviewView)
 protected:
  void OnDraw(CDC*) override {}
};

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
};

class COleClientItem : public CCmdTarget {
  DECLARE_DYNAMIC(COleClientItem)
};

class COleDocument : public CDocument {
  DECLARE_DYNAMIC(COleDocument)
 public:
  // The item active in place in pWndContainer: none.
  COleClientItem* GetInPlaceActiveItem(CWnd* pWndContainer) const;
};

class COleControl : public CWnd {
  DECLARE_DYNAMIC(COleControl)
 public:
  // The container's user-mode ambient property: a control is always in use.
  BOOL AmbientUserMode() const { return TRUE; }
};
