#include "controls/font_container.h"

#include <cstring>

static_assert(sizeof(LOGFONTW) == 92, "the cache key is the 92-byte wide logical font");

CFontContainer::CFontEntry::CFontEntry(const LOGFONTW& logFont) : m_fontLogFont(logFont) {
  m_font.CreateFontIndirect(&m_fontLogFont);
}

CFontContainer::CFontEntry::~CFontEntry() = default;

CFontContainer::~CFontContainer() { RemoveAll(); }

CFont* CFontContainer::GetFont(LPCWSTR faceName, int height, int bold, int italic, int underline) {
  LOGFONTW lf;
  std::memset(&lf, 0, sizeof lf);
  lf.lfHeight = height;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = static_cast<BYTE>(italic);
  lf.lfUnderline = static_cast<BYTE>(underline);
  lf.lfCharSet = (faceName && std::wcscmp(faceName, L"Wingdings") == 0) ? SYMBOL_CHARSET : ANSI_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = VARIABLE_PITCH;
  if (faceName) ::lstrcpynW(lf.lfFaceName, faceName, LF_FACESIZE);
  return FindOrCreate(lf);
}

CFont* CFontContainer::FindOrCreate(LOGFONTW logFont) {
  for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) {
    CFontEntry* entry = m_entries[i];
    if (std::memcmp(&entry->m_fontLogFont, &logFont, sizeof logFont) == 0) return &entry->m_font;
  }
  auto* entry = new CFontEntry(logFont);
  m_entries.Add(entry);
  return &entry->m_font;
}

void CFontContainer::RemoveAll() {
  for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) delete m_entries[i];
  m_entries.RemoveAll();
}
