#include "app/app_utils.h"

#include <shlobj.h>

#include "app/resource_library.h"

namespace {

CString g_appDataFolder;

const wchar_t kProgramFolder[] = L"\\OmahaVantorn";

// The user's application-data folder through the shell folder library, loaded only for the
// query; empty when the library or the function is missing or the query fails.
CString QueryShellAppDataFolder() {
  CString folder;
  HMODULE library = ::LoadLibraryW(L"shfolder.dll");
  if (!library) return folder;
  using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  auto getFolderPath = reinterpret_cast<GetFolderPathFn>(
      reinterpret_cast<void (*)()>(::GetProcAddress(library, "SHGetFolderPathW")));
  if (getFolderPath) {
    wchar_t path[MAX_PATH] = L"";
    if (SUCCEEDED(getFolderPath(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) folder = path;
  }
  ::FreeLibrary(library);
  return folder;
}

CString ModulePath(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return CString();
    if (n < path.size()) return CString(path.c_str(), static_cast<int>(n));
    path.resize(path.size() * 2);
  }
}

}  // namespace

CString GetSeatPositionName(int seat) {
  static const wchar_t* const kNames[] = {L"UTG", L"UTG+1", L"UTG+2", L"MP1", L"MP2",
                                          L"MP3", L"CO",    L"BU",    L"SB",  L"BB"};
  if (seat < 0 || seat >= 10) return CString();
  return kNames[seat];
}

void StripEscCodes(CString& text) {
  CString result;
  const int length = text.GetLength();
  for (int i = 0; i < length; ++i) {
    const wchar_t c = text[i];
    if (c != 27) {
      result += c;
      continue;
    }
    // The code letter; a colour code carries one more character, its digit.
    if (i + 1 < length && text[i + 1] == L'C') ++i;
    ++i;
  }
  text = result;
}

void EscapeNonAsciiForHtml(CString& text) {
  CString result;
  const int length = text.GetLength();
  for (int i = 0; i < length; ++i) {
    const wchar_t c = text[i];
    if (static_cast<unsigned>(c) >= 128)
      result.AppendFormat(L"&#%d;", static_cast<int>(static_cast<unsigned>(c)));
    else
      result += c;
  }
  text = result;
}

CString ExeFileNameFromPath(const CString& path) {
  int slash = path.ReverseFind(L'\\');
  if (slash < 0) slash = path.ReverseFind(L'/');
  CString name = path.Mid(slash + 1);
  const int point = name.ReverseFind(L'.');
  if (point >= 0) name = name.Left(point);
  return name + L".exe";
}

CString GetExeFileName() { return ExeFileNameFromPath(ModulePath(nullptr)); }

CString GetAppDataFolder() {
  if (g_appDataFolder.IsEmpty()) {
    wchar_t overridePath[MAX_PATH] = L"";
    const DWORD n = ::GetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", overridePath, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
      g_appDataFolder = overridePath;
    else
      g_appDataFolder = QueryShellAppDataFolder();
    g_appDataFolder.TrimRight(L'\\');
    g_appDataFolder += kProgramFolder;
    ::CreateDirectoryW(g_appDataFolder, nullptr);  // an existing folder is fine
  }
  return g_appDataFolder;
}

void ResetAppDataFolderCache() { g_appDataFolder.Empty(); }

void SetWindowTextFromResource(HWND hwnd, UINT stringId) {
  if (!::IsWindow(hwnd)) return;
  CString text;
  if (!text.LoadString(stringId)) text.Empty();
  ::SetWindowTextW(hwnd, text);
}

CString GetResourceModulePath() {
  const HINSTANCE resources = AfxGetResourceHandle();
  CString library = ResourceLibraryPath(resources);
  return library.IsEmpty() ? ModulePath(resources) : library;
}

CString FormatHandAsCardImages(LPCTSTR text, int gaps) {
  const CString module = GetResourceModulePath();
  return CString(::FormatHandAsCardImages(text ? text : L"", gaps,
                                          std::wstring_view(module.GetString(), module.GetLength()))
                     .c_str());
}
