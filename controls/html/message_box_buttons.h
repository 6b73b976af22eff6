// The message box's buttons without windows: which buttons a box shows, their labels' string
// ids and built-in texts, whether the close box may be used, and which answers the box can give.
#pragma once

#include <vector>

#include "controls/html/message_box.h"

namespace ppmb {

// A text field's text: a string as it stands, or (MAKEINTRESOURCE) a string resource of the
// module of at most 260 characters; nothing is loaded with PPMB_LITERAL_TEXTS.
CString ResolveText(LPCWSTR field, HINSTANCE module, DWORD flags);

// The string id and built-in label of a button id (also 0x1000000, the check box, and
// 0x80000000, the caption's countdown format); 0 and null for an unknown id.
UINT LabelStringId(int id);
LPCWSTR BuiltInLabel(int id);
constexpr int kCheckBoxLabelId = 0x1000000;
constexpr int kCaptionFormatId = static_cast<int>(0x80000000u);

struct ButtonPlan {
  std::vector<int> ids;                // left to right
  std::vector<CString> customLabels;   // labels of ids 23 to 26, in order
  bool closeAllowed = false;
};

// The buttons of a box: the caller's lines (every carriage return dropped, each non-empty line a
// button, at most four), else the set of the type bits; then Help with MB_HELP, Report when
// asked for, and the More toggle when there is a More text.
ButtonPlan PlanButtons(DWORD flags, const CString& customButtons, bool report, bool more);

// The default button's index: bits 8 to 11 of the flags, or 0 when not below the count.
int DefaultButtonIndex(DWORD flags, int buttonCount);

// True for a button that ends the box (Help, Report and the More toggle keep it open).
bool ClosesBox(int id);

// True when a stored answer is one the box could have given: one of its closing buttons, or
// Cancel through the close box where that is allowed; with PPMB_REMEMBER_CHECKED the answer
// carries that bit.
bool IsOwnAnswer(const ButtonPlan& plan, DWORD flags, DWORD answer);

// The registry key and value name of the remembered answer.
CString RememberKey(const CString& company, const CString& exeName);
CString RememberValueName(const CString& prefix, int number);

}  // namespace ppmb
