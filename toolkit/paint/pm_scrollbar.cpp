// The scroll-bar paint record: layout, hit testing and classic painting.
#include <vssym32.h>

#include "toolkit/paint/paint_manager.h"

namespace {

RECT ToRect(const extpaint::SbRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

CExtPaintManager::PAINTSCROLLBARDATA::PAINTSCROLLBARDATA()
    : m_bHorzBar(false), m_bEnabled(false), m_bPressed(false), m_bPrimarySkin(true) {}

void CExtPaintManager::PAINTSCROLLBARDATA::Layout(bool horizontal, bool enabled, const RECT& bar,
                                                  const SCROLLINFO& info, int buttonLength, int minThumb,
                                                  bool fixedThumb) {
  extpaint::SbLayoutInput in;
  in.horizontal = horizontal;
  in.enabled = enabled;
  in.bar = extpaint::SbRect{bar.left, bar.top, bar.right, bar.bottom};
  in.info = extpaint::SbInfo{info.nMin, info.nMax, info.nPage, info.nPos, info.nTrackPos};
  in.buttonLength = buttonLength;
  in.minThumb = minThumb;
  in.fixedThumb = fixedThumb;
  const extpaint::SbLayout out = extpaint::LayoutScrollBar(in);
  m_bHorzBar = horizontal;
  m_bEnabled = enabled;
  m_rcBar = bar;
  m_scrollInfo = SCROLLINFO{};
  m_scrollInfo.cbSize = sizeof m_scrollInfo;
  if (enabled) {
    m_scrollInfo.fMask = SIF_ALL;
    m_scrollInfo.nMin = out.info.min;
    m_scrollInfo.nMax = out.info.max;
    m_scrollInfo.nPage = out.info.page;
    m_scrollInfo.nPos = out.info.pos;
    m_scrollInfo.nTrackPos = out.info.trackPos;
  }
  m_rcButtonUp = ToRect(out.lineUp);
  m_rcButtonDown = ToRect(out.lineDown);
  m_rcThumb = ToRect(out.thumb);
  m_rcPageUp = ToRect(out.pageUp);
  m_rcPageDown = ToRect(out.pageDown);
  m_rcTrack = ToRect(out.track);
}

int CExtPaintManager::PAINTSCROLLBARDATA::HitTest(POINT pt) const {
  if (Empty(m_rcBar)) return PartNone;
  for (int part : {PartLineUp, PartLineDown, PartThumb, PartPageUp, PartPageDown}) {
    const RECT rc = GetPartRect(part);
    if (!Empty(rc) && ::PtInRect(&rc, pt)) return part;
  }
  return PartNone;
}

int CExtPaintManager::PAINTSCROLLBARDATA::HitTestAndRemember(POINT pt) {
  m_nCurrentPart = HitTest(pt);
  return m_nCurrentPart;
}

RECT CExtPaintManager::PAINTSCROLLBARDATA::GetPartRect(int part) const {
  switch (part) {
    case PartLineUp: return m_rcButtonUp;
    case PartLineDown: return m_rcButtonDown;
    case PartThumb: return m_rcThumb;
    case PartPageUp: return m_rcPageUp;
    case PartPageDown: return m_rcPageDown;
    default: return RECT{};
  }
}

void CExtPaintManager::PAINTSCROLLBARDATA::PaintSkinned(CDC&, CExtPaintManager*, SCROLLBARSKINDATA&, BYTE) {
  // Only the skinned themes hand out skins (GetScrollBarSkinData); they draw them.
}

void CExtPaintManager::PAINTSCROLLBARDATA::PaintClassic(CDC& dc, CExtPaintManager* manager) {
  if (manager == nullptr || Empty(m_rcBar) || !dc.RectVisible(&m_rcBar)) return;
  if (SCROLLBARSKINDATA* skin = manager->GetScrollBarSkinData(m_bHorzBar, m_pBar, m_nLookupArg, m_bPrimarySkin)) {
    PaintSkinned(dc, manager, *skin, 255);
    return;
  }
  HDC hdc = dc.GetSafeHdc();
  ::FillRect(hdc, &m_rcBar, static_cast<HBRUSH>(manager->m_brushHelper[1].GetSafeHandle()));
  auto visible = [&](const RECT& r) { return !Empty(r) && dc.RectVisible(&r); };
  const bool hotAny = m_bEnabled && m_nCurrentPart != PartNone;
  auto isHot = [&](int part) { return m_bEnabled && m_nCurrentPart == part; };
  auto isPressed = [&](int part) { return isHot(part) && m_bPressed; };

  CExtUxTheme& ux = g_PaintManagerHolder.m_UxTheme;
  if (ux.IsControlsThemed()) {
    HWND owner = m_pBar ? m_pBar->GetSafeHwnd() : nullptr;
    if (ux.OpenThemeData(owner ? owner : ::GetDesktopWindow(), L"SCROLLBAR") != nullptr) {
      const bool barHover = hotAny && g_PaintManagerHolder.HasOs(extpaint::OsNT6OrLater) && ux.IsThemeActive();
      auto arrowState = [&](int part, const int states[5]) {
        if (!m_bEnabled) return states[4];
        if (isPressed(part)) return states[0];
        if (isHot(part)) return states[1];
        if (barHover) return states[2];
        return states[3];
      };
      static const int kUpH[5] = {ABS_LEFTPRESSED, ABS_LEFTHOT, ABS_LEFTHOVER, ABS_LEFTNORMAL, ABS_LEFTDISABLED};
      static const int kUpV[5] = {ABS_UPPRESSED, ABS_UPHOT, ABS_UPHOVER, ABS_UPNORMAL, ABS_UPDISABLED};
      static const int kDownH[5] = {ABS_RIGHTPRESSED, ABS_RIGHTHOT, ABS_RIGHTHOVER, ABS_RIGHTNORMAL,
                                    ABS_RIGHTDISABLED};
      static const int kDownV[5] = {ABS_DOWNPRESSED, ABS_DOWNHOT, ABS_DOWNHOVER, ABS_DOWNNORMAL, ABS_DOWNDISABLED};
      auto plainState = [&](int part) {
        if (!m_bEnabled) return 4;
        if (isPressed(part)) return 3;
        if (isHot(part)) return 2;
        return 1;
      };
      auto draw = [&](const RECT& r, int themePart, int state) {
        if (visible(r)) ux.DrawThemeBackground(nullptr, hdc, themePart, state, &r, &r);
      };
      draw(m_rcButtonUp, SBP_ARROWBTN, arrowState(PartLineUp, m_bHorzBar ? kUpH : kUpV));
      draw(m_rcButtonDown, SBP_ARROWBTN, arrowState(PartLineDown, m_bHorzBar ? kDownH : kDownV));
      draw(m_rcPageDown, m_bHorzBar ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT, plainState(PartPageDown));
      draw(m_rcPageUp, m_bHorzBar ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT, plainState(PartPageUp));
      if (m_bEnabled && visible(m_rcThumb)) {
        draw(m_rcThumb, m_bHorzBar ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT, plainState(PartThumb));
        draw(m_rcThumb, m_bHorzBar ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT, 0);
      }
      ux.CloseThemeData(false);
      return;
    }
  }

  const UINT common = !m_bEnabled ? DFCS_INACTIVE : (!hotAny && manager->m_bScrollBarOption ? DFCS_FLAT : 0);
  auto frame = [&](RECT r, UINT type, UINT state) {
    if (visible(r)) ::DrawFrameControl(hdc, &r, type, state | common);
  };
  const UINT pressedUp = isPressed(PartLineUp) ? DFCS_PUSHED | DFCS_FLAT : 0;
  const UINT pressedDown = isPressed(PartLineDown) ? DFCS_PUSHED | DFCS_FLAT : 0;
  frame(m_rcButtonUp, DFC_SCROLL, (m_bHorzBar ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) | pressedUp);
  frame(m_rcButtonDown, DFC_SCROLL, (m_bHorzBar ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN) | pressedDown);
  for (int part : {PartPageUp, PartPageDown}) {
    const RECT r = GetPartRect(part);
    if (!isHot(part) || !visible(r)) continue;
    if (m_bPressed) ::FillRect(hdc, &r, static_cast<HBRUSH>(manager->m_brushHelper[11].GetSafeHandle()));
    else if (manager->m_bScrollBarOption)
      ::FillRect(hdc, &r, static_cast<HBRUSH>(manager->m_brushHelper[3].GetSafeHandle()));
  }
  if (m_bEnabled) {
    const UINT pressedThumb = isPressed(PartThumb) && manager->m_bScrollBarOption ? DFCS_PUSHED | DFCS_FLAT : 0;
    frame(m_rcThumb, DFC_BUTTON, DFCS_BUTTONPUSH | pressedThumb);
  }
}
