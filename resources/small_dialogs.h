// Dialog templates of the small analysis dialogs (small_dialogs.rc): card selection, the HTML
// page viewer and the developer's number prompt.
#pragma once

// Card selection: the 52 card buttons are made at run time with ids 2000 + 13 * suit + rank.
#define IDD_CARD_SELECT 215
#define IDC_CARD_SELECT_NEXT 1015  // next street ("&Turn", "&River") or hidden
#define IDC_CARD_SELECT_FIRST 2000

// The HTML page viewer: a web-browser control over the whole client area.
#define IDD_HTML_VIEWER 203
#define IDC_HTML_VIEWER_BROWSER 1369

// The developer's number prompt: the class at which the random-hands experiment starts.
#define IDD_NUMBER_INPUT 205
#define IDC_NUMBER_LABEL 1296
#define IDC_NUMBER_EDIT 1063
