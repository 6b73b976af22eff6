// The main dialog's side of scenario files: the Save and Load commands with their file
// dialogs and remembered folders, the default file name, and moving a scenario between the
// record and the controls.
#include <string>

#include "app/app_shell.h"
#include "app/main_dialog.h"
#include "app/omaha_app.h"
#include "app/scenario_file.h"
#include "app/settings.h"
#include "main_dialog_ids.h"
#include "string_table.h"

namespace {

// The file dialogs may change the process's current folder, and the table files and the other
// input files are read from it: it is put back when the command ends.
class CurrentFolderKeeper {
 public:
  CurrentFolderKeeper() {
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return;
    folder_.resize(size);
    const DWORD got = ::GetCurrentDirectoryW(size, folder_.data());
    folder_.resize(got < size ? got : 0);
  }
  ~CurrentFolderKeeper() {
    if (!folder_.empty()) ::SetCurrentDirectoryW(folder_.c_str());
  }
  CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
  CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

 private:
  std::wstring folder_;
};

CString ResourceText(UINT id, const wchar_t* fallback) {
  CString text;
  if (!text.LoadString(id) || text.IsEmpty()) text = fallback;
  return text;
}

CString Extension() { return ResourceText(IDS_SCENARIO_EXTENSION, L"vof"); }

CString Filter() { return ResourceText(IDS_SCENARIO_FILTER, L"Vantorn - Omaha Files (*.vof)|*.vof||"); }

bool FileExists(const CString& path) {
  const DWORD attributes = ::GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RememberFolder(LPCTSTR key, const CString& path) {
  if (CWinApp* app = AfxGetApp()) app->WriteProfileString(kSectionGlobal, key, ScenarioFolderOf(path));
}

}  // namespace

Scenario COmahaVantornDlg::CollectScenario() const {
  Scenario scenario = Scenario::Empty();
  for (int seat = 0; seat < kSeats; ++seat) m_rangeEdits[seat].GetWindowText(*scenario.players[seat]);
  m_boardEdits[kFlop].GetWindowText(*scenario.flop);
  m_boardEdits[kTurn].GetWindowText(*scenario.turn);
  m_boardEdits[kRiver].GetWindowText(*scenario.river);
  m_boardEdits[kDead].GetWindowText(*scenario.dead);
  return scenario;
}

// Values the scenario names go into their edits, seats first as the file lists them; each edit's
// change handlers and guards run as if the text had been typed. A seat of the first four with a
// range brings the ten-seat layout back for this run (the setting itself stays).
void COmahaVantornDlg::ApplyScenario(const Scenario& scenario) {
  CWaitCursor wait;
  bool firstFourUsed = false;
  for (int seat = 0; seat < kSeats; ++seat) {
    const std::optional<CString>& text = scenario.players[seat];
    if (!text) continue;
    m_rangeEdits[seat].SetWindowText(*text);
    if (seat <= 3 && !text->IsEmpty()) firstFourUsed = true;
  }
  const std::optional<CString>* streets[kStreets] = {&scenario.flop, &scenario.turn, &scenario.river, &scenario.dead};
  for (int s = 0; s < kStreets; ++s)
    if (*streets[s]) m_boardEdits[s].SetWindowText(**streets[s]);
  COmahaVantornApp* app = GetOmahaApp();
  if (firstFourUsed && app && app->m_onlyShorthanded) {
    app->m_onlyShorthanded = 0;
    ArrangeSeats();
  }
  UpdateControlStates();
  WriteResultsHi();  // the stored page again, for the seats now shown
}

bool COmahaVantornDlg::LoadScenarioFile(LPCTSTR path, bool clearFirst) {
  if (!GetSafeHwnd()) return false;
  // The whole file is read and checked before any input changes.
  Scenario scenario;
  CString error;
  bool loaded;
  {
    CWaitCursor wait;
    loaded = ::LoadScenarioFile(path, &scenario, &error);
  }
  if (!loaded) {
    ShowMessageBoxText(nullptr, error, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (clearFirst) ClearAll();
  ApplyScenario(scenario);
  return true;
}

void COmahaVantornDlg::OnLoadScenario() {
  CurrentFolderKeeper keeper;
  const CString extension = Extension();
  CString initial = ReadProfileString(kSectionGlobal, kKeyDirectoryScenarioLoad);
  if (!initial.IsEmpty()) initial += L"\\*." + extension;
  CFileDialog dialog(TRUE, extension, initial, OFN_HIDEREADONLY, Filter(), this);
  if (dialog.DoModal() != IDOK) return;
  const CString path = dialog.GetPathName();
  LoadScenarioFile(path, true);
  RememberFolder(kKeyDirectoryScenarioLoad, path);
}

void COmahaVantornDlg::SaveScenarioFile() {
  CurrentFolderKeeper keeper;
  const CString extension = Extension();
  CString initial = ReadProfileString(kSectionGlobal, kKeyDirectoryScenarioSave);
  if (!initial.IsEmpty()) initial += L"\\";
  initial += MakeScenarioFileName() + L"." + extension;
  // The overwrite question is the program's own.
  CFileDialog dialog(FALSE, extension, initial, OFN_HIDEREADONLY, Filter(), this);
  if (dialog.DoModal() != IDOK) return;
  const CString path = dialog.GetPathName();
  if (FileExists(path)) {
    const CString question = ResourceText(IDS_SCENARIO_EXISTS, L"This scenario [%s] already exist, overwrite?");
    if (ShowMessageBox(nullptr, question, MB_YESNO | MB_ICONQUESTION, path) != IDYES) return;
  }
  // The previous file is replaced only once the new one is completely written.
  CString error;
  if (::SaveScenarioFile(path, CollectScenario(), &error)) {
    if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(path);
  } else {
    ShowMessageBoxText(nullptr, error, MB_OK | MB_ICONWARNING);
  }
  RememberFolder(kKeyDirectoryScenarioSave, path);
}

CString COmahaVantornDlg::MakeScenarioFileName() const {
  std::array<CString, kScenarioSeats> texts;
  std::array<bool, kScenarioSeats> ticked{};
  for (int seat = 0; seat < kSeats; ++seat) {
    m_rangeEdits[seat].GetWindowText(texts[seat]);
    ticked[seat] = IsChecked(IDC_SEAT_CHECK + seat);
  }
  return DefaultScenarioName(texts, ticked, GetBoardText(), ResourceText(IDS_BOARD, L"Board:"));
}
