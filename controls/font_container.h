// The application-wide cache of GDI fonts. The same request gives the same CFont for the rest
// of the run; users never delete the fonts they get.
#pragma once

#include "framework/afxwin.h"

class CFontContainer {
 public:
  class CFontEntry : public CObject {
   public:
    explicit CFontEntry(const LOGFONTW& logFont);
    ~CFontEntry() override;

    CFont m_font;
    LOGFONTW m_fontLogFont;  // the font was created from it; the cache key
  };

  CFontContainer() = default;
  ~CFontContainer();
  CFontContainer(const CFontContainer&) = delete;
  CFontContainer& operator=(const CFontContainer&) = delete;

  // A variable-pitch font of the face; height as a logical-font height; weight 700 when bold;
  // the symbol character set for exactly "Wingdings", else ANSI.
  CFont* GetFont(LPCWSTR faceName, int height, int bold, int italic, int underline);
  // The entry whose logical font equals this one in every byte (face-name bytes after the
  // terminating zero included), or a new entry.
  CFont* FindOrCreate(LOGFONTW logFont);
  // Deletes every cached font. Pointers handed out before become invalid.
  void RemoveAll();

  INT_PTR GetCount() const { return m_entries.GetSize(); }

 private:
  CTypedPtrArray<CObArray, CFontEntry*> m_entries;
};
