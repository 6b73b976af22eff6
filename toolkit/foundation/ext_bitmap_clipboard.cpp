// The clipboard exchange: the private format "VuroRIZ-ExtBitmap" carries the archive form of the
// bitmap; CF_DIB is placed beside it for other programs, and pasting takes CF_BITMAP/CF_DIB.
// Whatever is pasted goes through the same BMP reader checks as a file.
#include "framework/sharedfile.h"
#include "toolkit/foundation/ext_bitmap.h"

namespace {

// Registered once per process; 0 until then.
WORD g_clipboardFormat = 0;

// Another program may hold the clipboard for a moment: retry briefly before giving up.
bool OpenClipboardFor(HWND window) {
  if (!window) window = ::GetDesktopWindow();
  for (int attempt = 0; attempt < 25; ++attempt) {
    if (::OpenClipboard(window)) return true;
    ::Sleep(20);
  }
  return false;
}

}  // namespace

CString CExtBitmap::GetClipboardFormatName() const { return CString(L"VuroRIZ-ExtBitmap"); }

UINT CExtBitmap::GetClipboardFormat() const {
  if (g_clipboardFormat != 0) return g_clipboardFormat;
  const CString name = GetClipboardFormatName();
  if (name.IsEmpty()) return 0;
  g_clipboardFormat = static_cast<WORD>(::RegisterClipboardFormatW(name));
  return g_clipboardFormat;
}

bool CExtBitmap::CanCopyToClipboard(bool standardBitmap, bool ownFormat) const {
  if ((!standardBitmap && !ownFormat) || IsBlank()) return false;
  return standardBitmap || (ownFormat && GetClipboardFormat() != 0);
}

bool CExtBitmap::CanPasteFromClipboard(HWND window, bool standardBitmap, bool ownFormat) const {
  if (!standardBitmap && !ownFormat) return false;
  if (!OpenClipboardFor(window)) return false;
  const UINT format = GetClipboardFormat();
  const bool answer = (ownFormat && format != 0 && ::IsClipboardFormatAvailable(format)) ||
                      (standardBitmap && (::IsClipboardFormatAvailable(CF_BITMAP) || ::IsClipboardFormatAvailable(CF_DIB)));
  ::CloseClipboard();
  return answer;
}

bool CExtBitmap::CopyToClipboard(HWND window, bool standardBitmap, bool ownFormat) {
  if (!standardBitmap && !ownFormat) return false;
  if (IsPremultiplied()) {
    // The clipboard gets straight colours; this image stays as it is.
    CExtBitmap copy(*this);
    if (copy.IsBlank()) return false;
    copy.Premultiply(false);
    copy.MarkPremultiplied(false);
    return copy.CopyToClipboard(window, standardBitmap, ownFormat);
  }
  if (IsBlank()) return false;
  if (!OpenClipboardFor(window)) return false;
  if (!::EmptyClipboard()) {
    ::CloseClipboard();
    return false;
  }
  bool placed = false;
  const UINT format = GetClipboardFormat();
  if (ownFormat && format != 0) {
    try {
      CSharedFile file(GMEM_MOVEABLE, 4096);
      CArchive ar(&file, CArchive::store, 4096);
      Serialize(ar);
      ar.Flush();
      ar.Close();
      HGLOBAL data = file.Detach();
      if (data && ::SetClipboardData(format, data))
        placed = true;
      else if (data)
        ::GlobalFree(data);
    } catch (CException* e) {
      e->Delete();
    }
  }
  if (standardBitmap) {
    HBITMAP composite = nullptr;
    COLORREF key = 0;
    if (CreateBitmapWithKeyColor(&composite, &key, nullptr, nullptr) && composite) {
      if (HGLOBAL dib = CreatePackedDibFromHBITMAP(composite, nullptr)) {
        if (::SetClipboardData(CF_DIB, dib))
          placed = true;
        else
          ::GlobalFree(dib);
      }
      ::DeleteObject(composite);
    }
  }
  ::CloseClipboard();
  return placed;
}

bool CExtBitmap::PasteFromClipboard(HWND window, bool standardBitmap, bool ownFormat) {
  Empty();
  if (!standardBitmap && !ownFormat) return false;
  if (!OpenClipboardFor(window)) return false;
  const UINT format = GetClipboardFormat();
  if (ownFormat && format != 0 && ::IsClipboardFormatAvailable(format)) {
    if (HGLOBAL data = ::GetClipboardData(format)) {
      CSharedFile file(GMEM_MOVEABLE, 4096);
      try {
        file.SetHandle(data, FALSE);
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar);
      } catch (CException* e) {
        e->Delete();
        Empty();
      }
      file.Detach();  // the clipboard keeps its memory
      if (!IsBlank()) {
        ::CloseClipboard();
        return true;
      }
    }
  }
  if (standardBitmap && (::IsClipboardFormatAvailable(CF_BITMAP) || ::IsClipboardFormatAvailable(CF_DIB))) {
    if (HBITMAP bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) ImportHBITMAP(bitmap, false, false);
    if (IsBlank()) {
      // No bitmap synthesised from the DIB: read the packed DIB itself, with the reader's checks.
      if (HGLOBAL dib = ::GetClipboardData(CF_DIB)) {
        const SIZE_T size = ::GlobalSize(dib);
        if (const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(dib))) {
          if (size <= 0xFFFFFFFFu) LoadFromMemory(bytes, static_cast<UINT>(size), true, false, true);
          ::GlobalUnlock(dib);
        }
      }
    }
  }
  ::CloseClipboard();
  return !IsBlank();
}
