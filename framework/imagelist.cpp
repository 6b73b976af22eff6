#include "framework/imagelist.h"

#include "framework/dc.h"
#include "framework/fwinternal.h"
#include "framework/fwstate.h"
#include "framework/gdi.h"
#include "framework/wnd.h"

using fw::detail::HandleKind;

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

void ReleaseTemporaryImageList(CObject* object) {
  auto* list = static_cast<CImageList*>(object);
  list->m_hImageList = nullptr;
  delete list;
}

}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

CImageList* AFXAPI CImageList::FromHandle(HIMAGELIST hImageList) {
  if (hImageList == nullptr) return nullptr;
  if (CObject* p = fw::detail::PermanentLookup(HandleKind::ImageList, hImageList)) return static_cast<CImageList*>(p);
  if (CObject* p = fw::detail::TemporaryLookup(HandleKind::ImageList, hImageList)) return static_cast<CImageList*>(p);
  CImageList* list = new CImageList;
  list->m_hImageList = hImageList;
  fw::detail::TemporaryAdd(HandleKind::ImageList, hImageList, list, &ReleaseTemporaryImageList);
  return list;
}

void AFXAPI CImageList::DeleteTempMap() { fw::detail::DeleteTemporaries(HandleKind::ImageList); }

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (hImageList == nullptr) return FALSE;
  if (m_hImageList != nullptr && m_hImageList != hImageList) DeleteImageList();
  m_hImageList = hImageList;
  fw::detail::PermanentAdd(HandleKind::ImageList, hImageList, this);
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  if (h != nullptr) fw::detail::PermanentRemove(HandleKind::ImageList, h, this);
  m_hImageList = nullptr;
  return h;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
  HINSTANCE h = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
  return Attach(ImageList_LoadImageW(h, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy) {
  return Attach(ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList, nImage2, dx, dy));
}

BOOL CImageList::Create(CImageList* pImageList) {
  if (pImageList == nullptr) return FALSE;
  return Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr) return FALSE;
  return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  if (pbmImage == nullptr) return -1;
  return ImageList_Add(m_hImageList, *pbmImage, pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  if (pbmImage == nullptr) return -1;
  return ImageList_AddMasked(m_hImageList, *pbmImage, crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
  if (pbmImage == nullptr) return FALSE;
  return ImageList_Replace(m_hImageList, nImage, *pbmImage, pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  if (pDC == nullptr) return FALSE;
  return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle) {
  if (pDC == nullptr) return FALSE;
  return ImageList_DrawEx(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp) {
  if (pimldp == nullptr) return FALSE;
  pimldp->himl = m_hImageList;
  return ImageList_DrawIndirect(pimldp);
}

BOOL AFXAPI CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
  return ImageList_DragEnter(pWndLock ? pWndLock->GetSafeHwnd() : nullptr, point.x, point.y);
}

BOOL AFXAPI CImageList::DragLeave(CWnd* pWndLock) {
  return ImageList_DragLeave(pWndLock ? pWndLock->GetSafeHwnd() : nullptr);
}
