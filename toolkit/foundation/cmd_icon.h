// CExtCmdIcon, the picture of one command: a normal image and up to three state images
// (disabled, hover, pressed). State images set explicitly stay until the icon is emptied or
// reassigned; a missing disabled image is generated on demand, by the current paint manager or
// by the icon's own recipe, and dropped again on every paint-manager or system change.
#pragma once

#include "framework/afxwin.h"
#include "toolkit/foundation/ext_bitmap.h"

class CExtPaintManager;

class CExtCmdIcon {
 public:
  // Bits of the flags word: which state images were set explicitly.
  enum : DWORD {
    FlagDisabledExplicit = 0x1,
    FlagHoverExplicit = 0x2,
    FlagPressedExplicit = 0x4,
    FlagsExplicitMask = 0x7,
  };
  // Paint states; StateNone paints nothing.
  enum : int { StateNormal = 0, StateDisabled = 1, StateHover = 2, StatePressed = 3, StateNone = 4 };

  CExtCmdIcon() = default;
  CExtCmdIcon(const CExtCmdIcon& other);
  CExtCmdIcon& operator=(const CExtCmdIcon& other);
  virtual ~CExtCmdIcon();

  virtual void Assign(const CExtCmdIcon& other);
  virtual void ImportHICON(HICON icon, bool keepHandle = false, bool skipImageList = false);
  virtual void AssignFromHBITMAP(HBITMAP bitmap, COLORREF key = static_cast<COLORREF>(-1), const RECT* part = nullptr,
                                 bool keepHandle = false);
  virtual bool IsBlank() const;
  virtual void Empty();
  virtual void Serialize(CArchive& ar);
  virtual CSize GetPixelSize() const;
  virtual void OnPaintManagerChanged();
  virtual void DropGeneratedImages();
  virtual void OnIconChanged();
  virtual void BuildDisabledImage(CExtPaintManager* pm);
  virtual void RefreshGeneratedImages(CExtPaintManager* pm);
  virtual void OnSettingChange(CExtPaintManager* pm, UINT flags, LPCTSTR section);
  virtual void OnDisplayChange(CExtPaintManager* pm, UINT depth, int cx, int cy);
  virtual void OnThemeChanged(CExtPaintManager* pm, WPARAM wParam, LPARAM lParam);
  virtual bool Rescale(const SIZE& size);
  virtual bool AssignScaled(const CExtCmdIcon& other, const SIZE& size);
  virtual bool CreateCheckMarkIcon(CExtPaintManager* pm, COLORREF glyph = static_cast<COLORREF>(-1),
                                   COLORREF background = static_cast<COLORREF>(-1), int cx = 16, int cy = 16);
  virtual bool CreateSquareBulletIcon(CExtPaintManager* pm, COLORREF glyph = static_cast<COLORREF>(-1),
                                      COLORREF background = static_cast<COLORREF>(-1), int cx = 16, int cy = 16);
  virtual bool CreateRoundBulletIcon(CExtPaintManager* pm, COLORREF glyph = static_cast<COLORREF>(-1),
                                     COLORREF background = static_cast<COLORREF>(-1), int cx = 16, int cy = 16);
  virtual bool CreateTransparentIcon(CExtPaintManager* pm, COLORREF color = static_cast<COLORREF>(-1), int cx = 16,
                                     int cy = 16);
  virtual HICON CreateHICON(bool mapSystemColors = false, COLORREF key = static_cast<COLORREF>(-1)) const;
  virtual CExtBitmap& GetStateBitmap(int state, CExtPaintManager* pm);
  virtual void Paint(CExtPaintManager* pm, HDC dc, int x, int y, int cx = -1, int cy = -1, int state = StateNormal,
                     BYTE alpha = 0xFF);
  virtual void PaintEmbossed(CExtPaintManager* pm, HDC dc, COLORREF color, int x, int y, int cx = -1, int cy = -1,
                             BYTE alpha = 0xFF);
  virtual void PaintSilhouette(CExtPaintManager* pm, HDC dc, COLORREF color, int x, int y, int cx = -1, int cy = -1,
                               BYTE alpha = 0xFF);
  virtual void PaintTinted(CExtPaintManager* pm, HDC dc, COLORREF color, int x, int y, int cx = -1, int cy = -1,
                           BYTE alpha = 0xFF);
  virtual bool CreateBitmapWithKeyColor(HBITMAP* result, COLORREF* key, CArray<COLORREF, COLORREF>* colors = nullptr,
                                        void** bits = nullptr) const;

  void PaintInRect(CExtPaintManager* pm, HDC dc, const RECT& rc, int state = StateNormal, BYTE alpha = 0xFF) {
    Paint(pm, dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, state, alpha);
  }

  // The explicit-image bits (the other bits of the word travel with the icon and mean nothing).
  DWORD GetFlags() const { return m_dwFlags; }
  bool IsDisabledExplicit() const { return (m_dwFlags & FlagDisabledExplicit) != 0; }
  bool IsHoverExplicit() const { return (m_dwFlags & FlagHoverExplicit) != 0; }
  bool IsPressedExplicit() const { return (m_dwFlags & FlagPressedExplicit) != 0; }

  // Direct access to the images. A state image stored through a setter counts as explicit;
  // a blank image clears it again (the state then falls back or is generated).
  CExtBitmap& GetNormalBitmap() { return m_bmpNormal; }
  const CExtBitmap& GetNormalBitmap() const { return m_bmpNormal; }
  CExtBitmap& GetDisabledBitmap() { return m_bmpDisabled; }
  const CExtBitmap& GetDisabledBitmap() const { return m_bmpDisabled; }
  CExtBitmap& GetHoverBitmap() { return m_bmpHover; }
  const CExtBitmap& GetHoverBitmap() const { return m_bmpHover; }
  CExtBitmap& GetPressedBitmap() { return m_bmpPressed; }
  const CExtBitmap& GetPressedBitmap() const { return m_bmpPressed; }
  bool SetNormalBitmap(const CExtBitmap& image);
  bool SetDisabledBitmap(const CExtBitmap& image);
  bool SetHoverBitmap(const CExtBitmap& image);
  bool SetPressedBitmap(const CExtBitmap& image);

 private:
  bool SetStateBitmap(CExtBitmap& target, DWORD flag, const CExtBitmap& image);
  bool CreateGlyphIcon(CExtPaintManager* pm, COLORREF glyph, COLORREF background, int cx, int cy, int which);
  // The size to paint: a negative extent means the icon's own.
  bool ResolvePaintSize(int& cx, int& cy) const;

  CExtBitmap m_bmpNormal;
  CExtBitmap m_bmpDisabled;
  CExtBitmap m_bmpHover;
  CExtBitmap m_bmpPressed;
  DWORD m_dwFlags = 0;
};
