// The XP theme, the holder's default theme. Its colour map and drawing overrides belong to the
// XP family's own code; this declares the class the holder creates.
#pragma once

#include "toolkit/paint/paint_manager.h"

class CExtPaintManagerXP : public CExtPaintManager {
  DECLARE_SERIAL(CExtPaintManagerXP)

 public:
  CExtPaintManagerXP();
  ~CExtPaintManagerXP() override;

  int GetThemeKindCode() const override { return ThemeKindXP; }
  int GetMenuSeparatorHeight() const override { return 1; }
  bool IsThemedDrawingOn() override;
};
