#include "dialogs/range_dialog_support.h"

#include <string>

#include "app/app_utils.h"
#include "app/omaha_app.h"
#include "button_images.h"
#include "controls/delimiter_scanner.h"
#include "core/range_item.h"
#include "dialogs/handrange_explorer_dialog.h"
#include "string_table.h"

namespace {

std::wstring_view View(const CString& text) { return std::wstring_view(text.GetString(), text.GetLength()); }

}  // namespace

CString DescribeRangeText(const CString& text) {
  const COmahaVantornApp* app = GetOmahaApp();
  const std::wstring randomWord = app ? app->m_handBase.m_rangeSettings.randomWord : std::wstring(kDefaultRandomWord);
  CDelimiterScanner scanner;
  scanner.SetText(text);
  CString description = scanner.ReadDelimiters();
  CString token, delimiters;
  while (scanner.NextTokenWithDelimiters(token, delimiters)) {
    const COmahaHand item(View(token), randomWord);
    description += item.FormatDescription().c_str();
    description += delimiters;
  }
  return description;
}

CString FormatRangeSummary(int classCount, int handCount) {
  const COmahaVantornApp* app = GetOmahaApp();
  if (!app) return CString();
  CString distinct, combos;
  if (!distinct.LoadString(IDS_DISTINCT_HANDS)) distinct = L"Distinct hands";
  if (!combos.LoadString(IDS_COMBOS)) combos = L"Combos";
  return app->m_handBase.FormatSelectionSummary(classCount, handCount, View(distinct), View(combos)).c_str();
}

void SelectAndCount(const CString& text, int* classCount, int* handCount) {
  *classCount = 0;
  *handCount = 0;
  COmahaVantornApp* app = GetOmahaApp();
  if (!app) return;
  CWaitCursor wait;
  app->m_handBase.SelectRange(View(text));
  *classCount = app->m_handBase.CountSelectedClasses();
  *handCount = app->m_handBase.CountSelectedHands();
}

POINT PlaceAtAnchor(const RECT& workArea, int width, int height, int anchorX, int anchorY, bool above) {
  if (anchorX + width > workArea.right) anchorX = workArea.right - width + 1;
  if (above) {
    if (anchorY - height < workArea.top) anchorY = workArea.top + height;
    return POINT{anchorX, anchorY - height};
  }
  if (anchorY + height > workArea.bottom) anchorY = workArea.bottom - height + 1;
  return POINT{anchorX, anchorY};
}

void PlaceDialogAtAnchor(CWnd* dialog, int anchorX, int anchorY, bool above) {
  if (anchorX < 0 || anchorY < 0 || !dialog) return;
  RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CRect window;
  dialog->GetWindowRect(&window);
  const POINT at = PlaceAtAnchor(work, window.Width(), window.Height(), anchorX, anchorY, above);
  dialog->SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

void SetUpExplorerButton(CXPStyleButtonST& button, UINT tooltipId) {
  CThemeHelperST* theme = AppThemeHelper();
  button.m_themeHelper = theme;
  if (!theme || !theme->IsAppThemed()) button.m_drawBorder = 1;
  HBITMAP image = static_cast<HBITMAP>(
      ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_BUTTON_EXPLORER), IMAGE_BITMAP, 0, 0, 0));
  if (!image)
    image = static_cast<HBITMAP>(
        ::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(IDB_BUTTON_EXPLORER), IMAGE_BITMAP, 0, 0, 0));
  if (image) button.SetStateBitmaps(image);
  button.SetTooltipFromResource(tooltipId);
}

CString LabelTextAsRange(const CString& label) {
  CString text = label;
  StripEscCodes(text);
  text.Replace(L"\r\n", L"");
  return text;
}

void OpenHandrangeExplorer(CWnd* parent, const CString& rangeText) {
  CHandrangeExplorerDialog explorer(parent);
  explorer.m_rangeText = rangeText;
  explorer.DoModal();
}
