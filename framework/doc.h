// CDocument: the data of a document/view program, shown by one or more views
// and created by a document template. CCreateContext carries what a frame
// needs to create its view.
#pragma once

#include "framework/cmdtarget.h"
#include "framework/collections.h"
#include "framework/cstring.h"

class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;  // the view to create
  CDocument* m_pCurrentDoc = nullptr;        // the document it shows
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // Sets the full path and the title (the file name); with bAddToMRU the
  // path joins the application's recent-file list.
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  // Views.
  virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  virtual CView* GetNextView(POSITION& rPosition) const { return static_cast<CView*>(m_viewList.GetNext(rPosition)); }
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);

  // Life cycle. OnNewDocument and OnOpenDocument empty the document first
  // (DeleteContents); OnOpenDocument and OnSaveDocument run Serialize over an
  // archive of the file and report failures to the user.
  virtual void DeleteContents();
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  // Destroys the frames of the document's views, then the document (when
  // m_bAutoDelete).
  virtual void OnCloseDocument();
  // Asks whether to save a modified document: FALSE when the user cancels.
  virtual BOOL SaveModified();
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
  virtual void OnChangedViewList();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;

 protected:
  // Saves to the current path, or asks for one when there is none.
  virtual BOOL DoFileSave();
  virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;

  friend class CDocTemplate;
  friend class CSingleDocTemplate;
  DECLARE_MESSAGE_MAP()
};
