// The off-screen drawing surface: a device context over an area of a target DC that collects
// one paint in a bitmap and copies the finished picture back in one block transfer.
#pragma once

#include "framework/afxwin.h"

class CExtMemoryDC : public CDC {
 public:
  enum OffscreenFlags : DWORD {
    ToMemory = 0x0001,           // draw into an off-screen bitmap (not on a printing target)
    FillBackground = 0x0002,     // fill the area with the target's background colour
    Monochrome = 0x0004,         // a 1-bit bitmap
    Dib32 = 0x0008,              // a 32-bit DIB section whose bits are readable
    NoMapping = 0x0010,          // the area is in device units; no layout or mapping copied
    CopyTarget = 0x0020,         // start from the target's pixels (wins over FillBackground)
    DibWidthFromRight = 0x0040,  // with Dib32: width taken as left minus right
    DibTopDown = 0x0080,         // with Dib32: rows top-down
    ForceMemory = 0x0100,        // off-screen even on a printing target
  };

  // A null area means the target's clip box.
  explicit CExtMemoryDC(CDC* target = nullptr, const RECT* area = nullptr, DWORD flags = ToMemory | FillBackground);
  ~CExtMemoryDC() override;
  CExtMemoryDC(const CExtMemoryDC&) = delete;
  CExtMemoryDC& operator=(const CExtMemoryDC&) = delete;

  void BeginOffscreen(CDC* target, const RECT* area, DWORD flags);
  // Ends the drawing; with copy the picture goes to the target.
  void CopyBackAndDetach(bool copy = true);

  // First pixel of a Dib32 surface, else null.
  void* GetBits() const { return m_bits; }
  const RECT& GetArea() const { return m_area; }
  CDC* GetTarget() const { return m_target; }
  bool IsOffscreen() const { return m_offscreen; }

 private:
  CBitmap m_bitmap;
  HGDIOBJ m_hOldBitmap = nullptr;
  CDC* m_target = nullptr;
  RECT m_area{};
  bool m_offscreen = false;
  void* m_bits = nullptr;
};
