#include "controls/equity_diagram.h"

#include "controls/app_services.h"

namespace {

constexpr UINT kStrEquity = 385;
constexpr UINT kStrPercentageOfFlops = 386;  // 387 turns, 388 rivers
constexpr UINT kStrEquityGraph = 389;
constexpr UINT kStrLegendRangeVsRange = 390;
constexpr UINT kStrLegendHandVsHand = 391;
constexpr UINT kStrLegendHandVsRange = 394;
constexpr UINT kStrGameOmaha = 402;
constexpr UINT kStrGameOmahaHiLo = 403;

constexpr int kOriginX = 588;
constexpr int kOriginY = 433;
constexpr int kPlotWidth = 550;
constexpr int kPlotHeight = 360;

CString Load(UINT id) {
  CString s;
  s.LoadString(id);
  return s;
}

// Draws one text in a font, colour and format, and undoes the font change.
void DrawLabel(CDC* pDC, CFont* font, COLORREF color, const CString& text, CRect rect, UINT format) {
  CFont* old = pDC->SelectObject(font);
  pDC->SetTextColor(color);
  pDC->DrawText(text, &rect, format);
  if (old) pDC->SelectObject(old);
}

}  // namespace

BEGIN_MESSAGE_MAP(COwnerdrawedDiagramm, CButton)
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

COwnerdrawedDiagramm::COwnerdrawedDiagramm() {
  for (int i = 0; i < kLevels; ++i) m_rangeVsRange[i] = m_handVsHand[i] = m_handVsRange[i] = 0;
  for (int& total : m_totals) total = kFlopCount;
  m_background.LoadBitmap(kBackgroundBitmapId);
}

COwnerdrawedDiagramm::~COwnerdrawedDiagramm() = default;

CPoint COwnerdrawedDiagramm::PointOf(int level, int count, int total) {
  // 64-bit products: counts of large simulations would overflow count * 550.
  const long long dx = total > 0 ? static_cast<long long>(count) * kPlotWidth / total : 0;
  return CPoint(kOriginX - static_cast<int>(dx), kOriginY - kPlotHeight * level / 100);
}

CString COwnerdrawedDiagramm::OwnFontFace() {
  HFONT font = m_hWnd ? reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) : nullptr;
  if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW lf = {};
  ::GetObjectW(font, sizeof lf, &lf);
  return lf.lfFaceName;
}

void COwnerdrawedDiagramm::DrawBackground(CDC* pDC) {
  CDC memDC;
  memDC.CreateCompatibleDC(nullptr);
  CBitmap* oldBitmap = memDC.SelectObject(&m_background);
  pDC->BitBlt(0, 0, 1000, 1000, &memDC, 0, 0, SRCCOPY);
  if (oldBitmap) memDC.SelectObject(oldBitmap);

  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF oldColor = pDC->GetTextColor();
  CFontContainer* fonts = AppFonts();

  if (!m_title.IsEmpty())
    DrawLabel(pDC, fonts->GetFont(OwnFontFace(), 16, 1, 0, 0), RGB(26, 23, 27), m_title, CRect(44, 0, 586, 60),
              DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX | DT_END_ELLIPSIS);

  // "Omaha - Equity Graph": the graph's name loses its blanks and its leading dash.
  CString rest = Load(kStrEquityGraph);
  rest.Trim();
  if (!rest.IsEmpty() && rest[0] == L'-') rest.Delete(0);
  rest.Trim();
  const CString game = Load(AppUsesHiLo() ? kStrGameOmahaHiLo : kStrGameOmaha);
  const CString heading = game.IsEmpty() ? rest : game + L" - " + rest;
  DrawLabel(pDC, fonts->GetFont(L"Arial", 20, 1, 0, 0), RGB(64, 64, 64), heading, CRect(288, 0, 589, 35),
            DT_SINGLELINE | DT_BOTTOM | DT_RIGHT | DT_END_ELLIPSIS);

  CFont* small = fonts->GetFont(L"Arial", 14, 1, 0, 0);
  if (m_street >= 1 && m_street <= 3)
    DrawLabel(pDC, small, RGB(96, 96, 96), Load(kStrPercentageOfFlops + m_street - 1), CRect(38, 457, 583, 1000),
              DT_SINGLELINE | DT_CENTER);

  DrawLabel(pDC, small, kHandVsHandColor, Load(kStrLegendHandVsHand), CRect(42, 420, 1000, 1000), 0);
  DrawLabel(pDC, small, kHandVsRangeColor, Load(kStrLegendHandVsRange), CRect(42, 409, 1000, 1000), 0);
  DrawLabel(pDC, small, kRangeVsRangeColor, Load(kStrLegendRangeVsRange), CRect(42, 398, 1000, 1000), 0);

  // The y-axis caption runs upward from (6, 269).
  LOGFONTW lf = {};
  lf.lfHeight = 12;
  lf.lfWeight = FW_BOLD;
  lf.lfEscapement = 900;
  lf.lfOrientation = 900;
  lf.lfPitchAndFamily = VARIABLE_PITCH;
  ::lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  CFont upward;
  upward.CreateFontIndirect(&lf);
  // The rectangle's bottom lies above its top: the text starts at its top-left corner.
  DrawLabel(pDC, &upward, RGB(96, 96, 96), Load(kStrEquity), CRect(6, 269, 20, 0), DT_SINGLELINE);

  pDC->SetTextColor(oldColor);
  pDC->SetBkMode(oldMode);
}

void COwnerdrawedDiagramm::DrawCurve(CDC* pDC, const int* counts, int total, COLORREF color, bool steps) {
  if (total <= 0) return;  // nothing to divide by: no curve
  CPoint last(kOriginX, kOriginY);
  pDC->MoveTo(last);
  auto visit = [&](CPoint next) {
    if (m_antialiased) {
      m_graphics.DrawSmoothLine(pDC, last.x, last.y, next.x, next.y, color);
      m_graphics.DrawSmoothLine(pDC, last.x, last.y + 1, next.x, next.y + 1, color);
      m_graphics.DrawSmoothLine(pDC, last.x - 1, last.y + 1, next.x - 1, next.y + 1, color);
    } else {
      pDC->LineTo(next);
    }
    last = next;
  };
  for (int i = 0; i < kLevels; ++i) {
    const CPoint p = PointOf(i, counts[i], total);
    if (steps && i > 0) visit(CPoint(PointOf(i - 1, counts[i - 1], total).x, p.y));
    visit(p);
  }
}

void COwnerdrawedDiagramm::DrawCurves(CDC* pDC) {
  CPen blue(PS_SOLID, 2, kRangeVsRangeColor);
  CPen* oldPen = pDC->SelectObject(&blue);
  if (m_showRangeVsRange) DrawCurve(pDC, m_rangeVsRange, m_totals[0], kRangeVsRangeColor, m_smooth == 0);
  CPen red(PS_SOLID, 2, kHandVsHandColor);
  if (m_showHandVsHand) {
    pDC->SelectObject(&red);
    DrawCurve(pDC, m_handVsHand, m_totals[1], kHandVsHandColor, false);
  }
  CPen green(PS_SOLID, 2, kHandVsRangeColor);
  if (m_showHandVsRange) {
    pDC->SelectObject(&green);
    DrawCurve(pDC, m_handVsRange, m_totals[2], kHandVsRangeColor, false);
  }
  if (oldPen) pDC->SelectObject(oldPen);
}

void COwnerdrawedDiagramm::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr) return;
  DrawCurves(CDC::FromHandle(lpDrawItemStruct->hDC));
}

BOOL COwnerdrawedDiagramm::OnEraseBkgnd(CDC* pDC) {
  DrawBackground(pDC);
  return TRUE;
}

void COwnerdrawedDiagramm::OnLButtonDown(UINT, CPoint) {}
