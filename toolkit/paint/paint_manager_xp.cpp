#include "toolkit/paint/paint_manager_xp.h"

IMPLEMENT_SERIAL(CExtPaintManagerXP, CExtPaintManager, VERSIONABLE_SCHEMA | 1)

CExtPaintManagerXP::CExtPaintManagerXP() = default;
CExtPaintManagerXP::~CExtPaintManagerXP() = default;

bool CExtPaintManagerXP::IsThemedDrawingOn() {
  return GetSystemThemeKind() != 0 && g_PaintManagerHolder.m_UxTheme.IsAppThemed();
}
