#include "framework/doctempl.h"

#include "framework/app.h"
#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/fwres.h"
#include "framework/view.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {
  LoadTemplate();
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  rString.Empty();
  int start = 0;
  for (int i = 0; i < static_cast<int>(index); ++i) {
    int next = m_strDocStrings.Find(L'\n', start);
    if (next < 0) return FALSE;
    start = next + 1;
  }
  int end = m_strDocStrings.Find(L'\n', start);
  rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (pDoc->m_pDocTemplate == this) pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (m_pDocClass == nullptr) return nullptr;
  CObject* object = m_pDocClass->CreateObject();
  auto* pDocument = DYNAMIC_DOWNCAST(CDocument, object);
  if (pDocument == nullptr) {
    delete object;
    return nullptr;
  }
  AddDocument(pDocument);
  return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  if (m_pFrameClass == nullptr) return nullptr;
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass->CreateObject();
  auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, object);
  if (pFrame == nullptr) {
    delete object;
    return nullptr;
  }
  // A frame whose creation fails deletes itself (PostNcDestroy).
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  POSITION pos = GetFirstDocPosition();
  while (pos != nullptr) {
    CDocument* pDoc = GetNextDoc(pos);
    if (!pDoc->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  POSITION pos = GetFirstDocPosition();
  while (pos != nullptr) {
    CDocument* pDoc = GetNextDoc(pos);
    pDoc->OnCloseDocument();
  }
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  // At the end of the program its windows are gone; only the data remains.
  if (m_pOnlyDoc != nullptr) {
    CDocument* pDoc = m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
    pDoc->m_pDocTemplate = nullptr;
    if (pDoc->m_bAutoDelete) delete pDoc;
  }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc == nullptr ? nullptr : BEFORE_START_POSITION;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* pDoc = rPos == BEFORE_START_POSITION ? m_pOnlyDoc : nullptr;
  rPos = nullptr;
  return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString title;
  if (!GetDocString(title, docName) || title.IsEmpty()) {
    if (!title.LoadString(AFX_IDS_UNTITLED) || title.IsEmpty()) title = L"Untitled";
  }
  pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* pDocument = m_pOnlyDoc;
  CFrameWnd* pFrame = nullptr;
  BOOL bCreated = FALSE;
  if (pDocument != nullptr) {
    if (!pDocument->SaveModified()) return nullptr;
    POSITION pos = pDocument->GetFirstViewPosition();
    if (pos != nullptr) pFrame = pDocument->GetNextView(pos)->GetParentFrame();
  } else {
    pDocument = CreateNewDocument();
    if (pDocument == nullptr) return nullptr;
    bCreated = TRUE;
  }

  BOOL bCreatedFrame = FALSE;
  if (pFrame == nullptr) {
    // The document must outlive a failed frame creation (its view leaving
    // would delete it).
    BOOL autoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = autoDelete;
    if (pFrame == nullptr) {
      if (bCreated) delete pDocument;
      return nullptr;
    }
    bCreatedFrame = TRUE;
  }

  if (lpszPathName == nullptr) {
    SetDefaultTitle(pDocument);
    if (!pDocument->OnNewDocument()) {
      if (bCreatedFrame) pFrame->DestroyWindow();
      return nullptr;
    }
  } else {
    CWaitCursor wait;
    BOOL bWasModified = pDocument->IsModified();
    pDocument->SetModifiedFlag(FALSE);
    if (!pDocument->OnOpenDocument(lpszPathName)) {
      if (bCreatedFrame) {
        pFrame->DestroyWindow();
      } else if (!pDocument->IsModified()) {
        pDocument->SetModifiedFlag(bWasModified);
      } else {
        // The old contents are gone: fall back to a new, empty document.
        SetDefaultTitle(pDocument);
        pDocument->OnNewDocument();
      }
      return nullptr;
    }
    pDocument->SetPathName(lpszPathName);
  }

  CWinApp* app = AfxGetApp();
  if (bCreatedFrame && app != nullptr && app->m_pMainWnd == nullptr) app->m_pMainWnd = pFrame;
  InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
  return pDocument;
}
