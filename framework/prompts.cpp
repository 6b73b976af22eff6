#include "framework/prompts.h"

#include "framework/fwres.h"

namespace {

struct BuiltInPrompt {
  UINT id;
  const wchar_t* text;
};

const BuiltInPrompt kPrompts[] = {
    {AFX_IDS_IDLEMESSAGE, L"Ready"},
    {AFX_IDS_HELPMODEMESSAGE, L"Select an object on which to get Help"},
    {ID_FILE_NEW, L"Create a new document\nNew"},
    {ID_FILE_OPEN, L"Open an existing document\nOpen"},
    {ID_FILE_CLOSE, L"Close the active document\nClose"},
    {ID_FILE_SAVE, L"Save the active document\nSave"},
    {ID_FILE_SAVE_AS, L"Save the active document under a new name\nSave As"},
    {ID_APP_ABOUT, L"Show the program's information, version and copyright\nAbout"},
    {ID_APP_EXIT, L"Quit the program; asks to save documents\nExit"},
    {ID_HELP_INDEX, L"Open the help\nHelp Topics"},
    {ID_HELP_FINDER, L"List the help topics\nHelp Topics"},
    {ID_HELP_USING, L"Show how to use the help\nHelp"},
    {ID_CONTEXT_HELP, L"Show help for the buttons, menus and windows clicked next\nHelp"},
    {ID_HELP, L"Show help for the current task or command\nHelp"},
    {ID_VIEW_TOOLBAR, L"Show or hide the tool bar\nToggle Tool Bar"},
    {ID_VIEW_STATUS_BAR, L"Show or hide the status bar\nToggle Status Bar"},
    {ID_INDICATOR_EXT, L"EXT"},
    {ID_INDICATOR_CAPS, L"CAP"},
    {ID_INDICATOR_NUM, L"NUM"},
    {ID_INDICATOR_SCRL, L"SCRL"},
    {ID_INDICATOR_OVR, L"OVR"},
    {ID_INDICATOR_REC, L"REC"},
    {ID_INDICATOR_KANA, L"KANA"},
    {AFX_IDS_SCFIRST + 0x00, L"Change the window's size"},
    {AFX_IDS_SCFIRST + 0x01, L"Change the window's position"},
    {AFX_IDS_SCFIRST + 0x02, L"Reduce the window to an icon"},
    {AFX_IDS_SCFIRST + 0x03, L"Enlarge the window to full size"},
    {AFX_IDS_SCFIRST + 0x04, L"Switch to the next window"},
    {AFX_IDS_SCFIRST + 0x05, L"Switch to the previous window"},
    {AFX_IDS_SCFIRST + 0x06, L"Close the window"},
    {AFX_IDS_SCFIRST + 0x12, L"Restore the window to its normal size"},
    {AFX_IDS_SCFIRST + 0x13, L"Show the task list"},
};

}  // namespace

BOOL AFXAPI AfxLoadPromptString(UINT nID, CString& rString) {
  rString.Empty();
  if (nID == 0) return FALSE;
  if (nID <= 0xFFFF && rString.LoadString(nID)) return TRUE;
  if (nID >= ID_FILE_MRU_FIRST && nID <= ID_FILE_MRU_LAST) {
    rString = L"Open this document";
    return TRUE;
  }
  for (const BuiltInPrompt& p : kPrompts) {
    if (p.id == nID) {
      rString = p.text;
      return TRUE;
    }
  }
  return FALSE;
}

CString AFXAPI AfxPromptPart(const CString& full, int nSubString) {
  int start = 0;
  for (int i = 0; i < nSubString; ++i) {
    const int lf = full.Find(L'\n', start);
    if (lf < 0) return CString();
    start = lf + 1;
  }
  const int end = full.Find(L'\n', start);
  return end < 0 ? full.Mid(start) : full.Mid(start, end - start);
}
