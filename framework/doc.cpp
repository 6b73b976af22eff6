#include "framework/doc.h"

#include "framework/app.h"
#include "framework/archive.h"
#include "framework/doctempl.h"
#include "framework/filedialog.h"
#include "framework/frame.h"
#include "framework/view.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument() {
  // Views outlive a document only when the program deletes it by hand.
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CView* view = GetNextView(pos);
    if (view->m_pDocument == this) view->m_pDocument = nullptr;
  }
  if (m_pDocTemplate != nullptr) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
  m_strTitle = lpszTitle;
  // Frames show the title.
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CView* view = GetNextView(pos);
    if (CFrameWnd* frame = view->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  wchar_t full[MAX_PATH * 4] = {};
  DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH * 4, full, nullptr);
  m_strPathName = (n > 0 && n < MAX_PATH * 4) ? CString(full) : CString(lpszPathName);
  CString title = m_strPathName.Mid(m_strPathName.ReverseFind(L'\\') + 1);
  SetTitle(title);
  if (bAddToMRU) {
    if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(m_strPathName);
  }
}

void CDocument::AddView(CView* pView) {
  if (pView == nullptr || m_viewList.Find(pView) != nullptr) return;
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  POSITION pos = m_viewList.Find(pView);
  if (pos == nullptr) return;
  m_viewList.RemoveAt(pos);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  // The last view gone: the document goes with it.
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CView* view = GetNextView(pos);
    if (CFrameWnd* frame = view->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CView* view = GetNextView(pos);
    if (view != pSender) view->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) {
  CString text;
  if (e != nullptr && !e->IsKindOf(RUNTIME_CLASS(CUserException))) text = e->GetErrorText();
  if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CUserException))) return;  // already reported
  if (text.IsEmpty() && nIDPDefault != 0) text.LoadString(nIDPDefault);
  if (text.IsEmpty()) {
    text.Format(bSaving ? L"The document %s could not be saved." : L"The document %s could not be opened.",
                lpszPathName ? lpszPathName : L"");
  }
  AfxMessageBox(text, MB_ICONEXCLAMATION);
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
  CFile file;
  CFileException error;
  if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
    ReportSaveLoadException(lpszPathName, &error, FALSE, 0);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(TRUE);  // dirty while loading
  try {
    CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
    CWaitCursor wait;
    Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    file.Abort();
    DeleteContents();
    ReportSaveLoadException(lpszPathName, e, FALSE, 0);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
  CFile file;
  CFileException error;
  if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &error)) {
    ReportSaveLoadException(lpszPathName, &error, TRUE, 0);
    return FALSE;
  }
  try {
    CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
    CWaitCursor wait;
    Serialize(ar);
    ar.Close();
    file.Close();
  } catch (CException* e) {
    file.Abort();
    ReportSaveLoadException(lpszPathName, e, TRUE, 0);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::OnCloseDocument() {
  // Closing the frames destroys the views, which leave the list; keep the
  // document alive meanwhile.
  BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* view = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* frame = view->GetParentFrame();
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) {
      frame->DestroyWindow();
    } else {
      RemoveView(view);
    }
    // A view that stays (its frame refused to close) must not loop here.
    if (!m_viewList.IsEmpty() && static_cast<CView*>(m_viewList.GetHead()) == view) RemoveView(view);
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*) { return SaveModified(); }

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  if (name.IsEmpty()) name = L"Untitled";
  CString prompt;
  prompt.Format(L"Save changes to %s?", name.GetString());
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
  }
}

BOOL CDocument::DoFileSave() {
  DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(m_strPathName);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) return DoSave(nullptr);
  return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
  CString path = lpszPathName;
  if (path.IsEmpty()) {
    CString filter, ext;
    if (m_pDocTemplate != nullptr) {
      CString name;
      if (m_pDocTemplate->GetDocString(name, CDocTemplate::filterName) &&
          m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt))
        filter = name + L"|*" + ext + L"||";
    }
    CFileDialog dialog(FALSE, ext.IsEmpty() ? nullptr : ext.Mid(1).GetString(), m_strTitle,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.IsEmpty() ? nullptr : filter.GetString());
    if (dialog.DoModal() != IDOK) return FALSE;
    path = dialog.GetPathName();
  }
  if (!OnSaveDocument(path)) return FALSE;
  if (bReplace) SetPathName(path);
  return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
