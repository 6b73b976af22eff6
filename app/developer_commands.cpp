// The developer commands without a menu entry: table dumps, the Hi/Lo ranking import and the
// table rewriter. They work on the program's current folder.
#include "app/app_shell.h"
#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "core/devdump_tables.h"

void CMainFrame::OnWriteTableFiles() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!app) return;
  TableWriteResult result;
  {
    CWaitCursor wait;
    result = WriteTableFiles(app->m_handBase);
  }
  if (!result.ok) ShowMessageBoxText(this, result.message.c_str(), MB_OK | MB_ICONWARNING);
}

void CMainFrame::OnImportHiLoRankings() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!app) return;
  CWaitCursor wait;
  ImportHiLoRankings(app->m_handBase);
}

void CMainFrame::OnDumpTables() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!app) return;
  bool written = false;
  {
    CWaitCursor wait;
    written = DumpTables(app->m_handBase);
  }
  if (!written)
    ShowMessageBoxText(this, L"The table dumps \"Omaha16432.txt\" and \"Omaha270725.txt\" could not be written whole.",
                       MB_OK | MB_ICONWARNING);
}
