// A modal message box whose texts are HTML drawn by the HTML drawer: a header, the message and a
// collapsible "More" area, separators with labels, a background per area, the standard button
// sets, up to four buttons of the caller's own, a "Do not show again" check box whose answer is
// remembered in the registry, an auto-close countdown, a countdown that keeps the buttons
// disabled, and Help and Report buttons.
//
// Text fields hold a string or, as MAKEINTRESOURCE(id), a string resource of the string module.
#pragma once

#include <map>
#include <vector>

#include "controls/html/html_drawer.h"
#include "framework/afxwin.h"

// Own style bits above the standard message-box flags.
constexpr DWORD PPMB_REMEMBER = 0x1000000;                // check box; a remembered answer skips the box
constexpr DWORD PPMB_REMEMBER_CHECKED = 0x2000000;        // ticked at start; added to a ticked answer
constexpr DWORD PPMB_CHECKBOX_BELOW_BUTTONS = 0x4000000;  // check-box row below the buttons
constexpr DWORD PPMB_YES_TO_ALL = 0x8000000;              // "Yes to all" after "&Yes"
constexpr DWORD PPMB_NO_TO_ALL = 0x10000000;              // "No to all" after "&No"
constexpr DWORD PPMB_LITERAL_TEXTS = 0x20000000;          // resource ids are not loaded
constexpr DWORD PPMB_SILENT = 0x40000000;                 // no beep

// Button ids beyond the standard ones.
enum : int {
  PPMB_ID_SKIP = 14,
  PPMB_ID_SKIP_ALL = 15,
  PPMB_ID_IGNORE_ALL = 16,
  PPMB_ID_YES_TO_ALL = 19,
  PPMB_ID_NO_TO_ALL = 20,
  PPMB_ID_REPORT = 21,
  PPMB_ID_CUSTOM_FIRST = 23,  // the caller's buttons are 23 to 26
  PPMB_ID_CUSTOM_LAST = 26,
  PPMB_ID_LESS = 30,          // the More toggle while the More area is open
  PPMB_ID_MORE = 31,
};

// The look of one area: the separator at its edge and its background.
struct PPMessageBoxAreaStyle {
  int separatorType = 0;         // 0 none, 1 etched edge, 2 black line, 3 white line
  int separatorAlign = 0;        // label at 0 left, 1 right, 2 centre
  LPCWSTR separatorText = nullptr;
  int backgroundKind = -1;       // -1 none, else a CPPDrawManager background kind
  COLORREF beginColour = 0;
  COLORREF midColour = 0;
  COLORREF endColour = 0;
};

struct HtmlMessageBoxParams {
  HWND owner = nullptr;               // null: the active window's last active popup
  HINSTANCE stringModule = nullptr;   // null: the resource module, then the program
  HINSTANCE iconModule = nullptr;     // null: the program
  LPCWSTR caption = nullptr;          // null or empty: the owner's text, else "Error"
  LPCWSTR rememberPrefix = nullptr;   // registry value name prefix of the remembered answer
  LPCWSTR rememberCompany = nullptr;  // first key below "Software"
  int messageNumber = 0;              // appended to the prefix
  UINT reportMessage = 0;             // sent to the owner by the Report button
  PPMessageBoxAreaStyle boxStyle;     // whole box (its separator fields are not used)
  int headerMinHeight = 0;            // 0: no header
  LPCWSTR headerText = nullptr;
  PPMessageBoxAreaStyle headerStyle;
  LPCWSTR messageText = nullptr;
  int buttonAlign = 2;                // 0 left, 1 right, 2 centre
  DWORD flags = MB_ICONEXCLAMATION;
  PPMessageBoxAreaStyle buttonStyle;
  LPCWSTR moreText = nullptr;         // empty: no More button and no More area
  PPMessageBoxAreaStyle moreStyle;
  int autoCloseSeconds = 0;
  int disableSeconds = 0;
  BOOL countdownInCaption = FALSE;
  DWORD helpContextId = 0;
  LPCWSTR userIcon = nullptr;         // MB_USERICON: a name or MAKEINTRESOURCE id in the icon module
  LPCWSTR customButtons = nullptr;    // one button per non-empty line, at most four
  LPCWSTR checkBoxLabel = nullptr;
  const std::map<int, LPCWSTR>* customLabels = nullptr;  // button id to label text or string id
};

// Sets every field to its default (areas without background in the button-face colour).
void InitHtmlMessageBoxParams(HtmlMessageBoxParams* params);

// Shows the box and returns the id of the button that closed it, with PPMB_REMEMBER_CHECKED added
// when that flag was set and the check box was ticked; or a remembered answer without showing
// anything; or IDCANCEL when the dialog could not be made.
int PPMessageBox(const HtmlMessageBoxParams* params);

// The dialog of one PPMessageBox call, on the caller's stack.
class CPPMessageBoxTemplate {
 public:
  explicit CPPMessageBoxTemplate(const HtmlMessageBoxParams& params);
  ~CPPMessageBoxTemplate();
  CPPMessageBoxTemplate(const CPPMessageBoxTemplate&) = delete;
  CPPMessageBoxTemplate& operator=(const CPPMessageBoxTemplate&) = delete;

  // Runs the modal dialog from an in-memory template; IDCANCEL when it can't be made.
  int Run();

  // Layout constants in pixels.
  static constexpr int kIconCellPadding = 5;
  static constexpr int kSeparatorMargin = 5;
  static constexpr int kHtmlMargin = 14;
  static constexpr int kCheckBoxLeft = 10;
  static constexpr int kCheckBoxSize = 13;
  static constexpr int kButtonGap = 11;
  static constexpr int kButtonAreaMargin = 11;
  static constexpr int kMinButtonWidth = 75;
  static constexpr int kButtonHeight = 23;
  // Sent by the drawers when the hot link changes.
  static constexpr UINT kRepaintMessage = 0x8064;
  static constexpr UINT_PTR kCountdownTimer = 1;

 private:
  struct Button {
    int id;
    HWND hwnd;
  };

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

  // message_box.cpp
  BOOL OnInitDialog();
  void OnCommand(int id);
  void OnTimer();
  void CloseWith(int id);
  void SetCloseBoxEnabled(bool enabled);
  void ShowCountdown();
  int DefaultButtonId() const;
  HWND DefaultButtonWindow() const;
  void CenterOverOwner();
  void ToggleMore();

  // message_box_layout.cpp
  CString ResolveText(LPCWSTR text) const;
  CString Label(int id, LPCWSTR builtIn) const;
  CString BuildMessageHtml();
  CSize CreateControlsAndMeasure();
  void PlaceControls();
  void DestroyControls();

  // message_box_paint.cpp
  void OnPaint();
  void RepaintTextStrips();
  void BuildBackground(HDC dc, int width, int height);
  void PaintSeparator(HDC dc, const PPMessageBoxAreaStyle& style, int left, int right, int y);
  void PaintAreaBackground(HDC dc, const PPMessageBoxAreaStyle& style, const RECT& rect);
  void DrawTexts(HDC dc, const RECT& client);
  int BaseClientHeight() const { return m_headerHeight + m_messageHeight + m_buttonAreaHeight; }

  HtmlMessageBoxParams m_params;
  HWND m_hwnd = nullptr;
  std::vector<Button> m_buttons;
  HWND m_checkBox = nullptr;
  HWND m_checkBoxLabel = nullptr;
  HWND m_plainText = nullptr;
  CSize m_checkBoxLabelSize;
  int m_buttonWidth = kMinButtonWidth;
  int m_buttonHeight = kButtonHeight;
  HFONT m_font = nullptr;
  HICON m_icon = nullptr;
  bool m_ownsIcon = false;
  int m_defaultIndex = 0;
  int m_countdown = 0;
  int m_headerHeight = 0;
  int m_messageHeight = 0;
  int m_buttonAreaHeight = 0;
  int m_moreHeight = 0;
  bool m_moreOpen = false;
  bool m_closeAllowed = false;
  CString m_caption;
  CString m_captionFormat;
  CString m_defaultLabel;
  CString m_moreLabel;
  CString m_lessLabel;
  CString m_messageHtml;
  CPPHtmlDrawer m_headerDrawer;
  CPPHtmlDrawer m_messageDrawer;
  CPPHtmlDrawer m_moreDrawer;
  HBITMAP m_background = nullptr;
  int m_answer = IDCANCEL;
};
