// CImageList: an image list handle wrapper; the destructor deletes a list
// still attached.
#pragma once

#include "framework/geometry.h"
#include "framework/runtime.h"

class CBitmap;
class CDC;

class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
 public:
  CImageList() = default;
  ~CImageList() override;

  HIMAGELIST m_hImageList = nullptr;
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return fw::IsNull(this) ? nullptr : m_hImageList; }

  static CImageList* AFXAPI FromHandle(HIMAGELIST hImageList);
  static void AFXAPI DeleteTempMap();
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A strip of images cx wide from a bitmap resource; crMask is the
  // transparent colour (CLR_NONE for none).
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy);
  BOOL Create(CImageList* pImageList);
  BOOL DeleteImageList();

  int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
  BOOL SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
  COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
  COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
  }
  BOOL GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }
  BOOL SetIconSize(int cx, int cy) { return ImageList_SetIconSize(m_hImageList, cx, cy); }

  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
  BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
  int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
  HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
  BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);
  BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp);
  BOOL SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }
  BOOL Copy(int iDst, int iSrc, UINT uFlags = ILCF_MOVE) { return ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags); }

  BOOL BeginDrag(int nImage, CPoint ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
  static void AFXAPI EndDrag() { ImageList_EndDrag(); }
  static BOOL AFXAPI DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
  BOOL SetDragCursorImage(int nDrag, CPoint ptHotSpot) {
    return ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y);
  }
  static BOOL AFXAPI DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
  static BOOL AFXAPI DragEnter(CWnd* pWndLock, CPoint point);
  static BOOL AFXAPI DragLeave(CWnd* pWndLock);

 private:
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;
};
