// What the range dialogs share: the readable description of a range text, the selection
// summary, placing a dialog at its seat's launcher, the explorer button and opening the hand
// range explorer on a text.
#pragma once

#include "controls/xp_style_button.h"
#include "framework/afxwin.h"

// Each item of the range text in its display form (with the labels' emphasis codes), joined by
// the operators, brackets and blanks that stand between the items in the text.
CString DescribeRangeText(const CString& text);

// The summary of a selection ("12 / 16432 Distinct hands = 0.07%, ...") with the labels' codes.
CString FormatRangeSummary(int classCount, int handCount);

// Selects the text in the application's hand base and counts its classes and hands (0 and 0
// without an application); the shared selection then holds this text.
void SelectAndCount(const CString& text, int* classCount, int* handCount);

// Where a dialog of the given size goes for an anchor within the work area: its top-left corner
// at the anchor (its bottom-left corner with above), moved left and up so it ends at most one
// pixel past the area's right and bottom edges, and never above the area.
POINT PlaceAtAnchor(const RECT& workArea, int width, int height, int anchorX, int anchorY, bool above);
// Moves the dialog there (no resize) when both anchor coordinates are 0 or more. The z-order
// stays: a modal dialog must stay above the window that owns it.
void PlaceDialogAtAnchor(CWnd* dialog, int anchorX, int anchorY, bool above);

// The explorer button of a range dialog: picture 2018, the tooltip string, its own border
// without visual styles.
void SetUpExplorerButton(CXPStyleButtonST& button, UINT tooltipId);

// A label's text as a range text: escape codes and line breaks removed.
CString LabelTextAsRange(const CString& label);

// The hand range explorer on the text, modal over parent; nothing comes back.
void OpenHandrangeExplorer(CWnd* parent, const CString& rangeText);
