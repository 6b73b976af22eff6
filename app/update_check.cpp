#include "app/update_check.h"

#include <cstdlib>
#include <memory>

#include "app/app_utils.h"
#include "app/settings.h"
#include "controls/module_version.h"
#include "framework/inet.h"

CString UpdateFileUrl(const CString& builtIn) {
  CString url = ReadProfileString(kSectionGlobal, kKeyUpdateURL);
  url.Trim();
  return url.IsEmpty() ? builtIn : url;
}

bool FetchVersionFile(const CString& url, DWORD timeoutMs, std::string* bytes) {
  bytes->clear();
  if (url.IsEmpty()) return false;
  try {
    CInternetSession session(nullptr, 1, PRE_CONFIG_INTERNET_ACCESS, nullptr, nullptr, 0);
    session.SetTimeout(timeoutMs);
    bool ok = false;
    try {
      std::unique_ptr<CStdioFile> file(
          session.OpenURL(url, 1, INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY, nullptr, 0));
      auto* http = dynamic_cast<CHttpFile*>(file.get());
      DWORD status = 0;
      // An error page is not a version file.
      if (http && http->QueryInfoStatusCode(status) && status >= 200 && status < 300) {
        std::string buffer(kVersionFileMaxBytes, '\0');
        const UINT got = file->Read(buffer.data(), kVersionFileMaxBytes);
        buffer.resize(got);
        *bytes = std::move(buffer);
        ok = true;
      }
      file->Close();
    } catch (CException* e) {
      e->Delete();
    }
    session.Close();
    return ok;
  } catch (CException* e) {
    e->Delete();
    bytes->clear();
    return false;
  }
}

namespace {

// The C library's long conversion, kept inside an int.
int ToInt(const std::wstring& text) {
  const long value = std::wcstol(text.c_str(), nullptr, 10);
  return static_cast<int>(std::max<long>(std::min<long>(value, INT_MAX), INT_MIN));
}

void SplitInto(const std::wstring& text, wchar_t separator, int version[4]) {
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    if (start > text.size()) {
      version[i] = 0;
      continue;
    }
    size_t end = text.find(separator, start);
    if (end == std::wstring::npos) end = text.size();
    version[i] = ToInt(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

void ParseVersionFile(const std::string& bytes, int version[4]) {
  for (int i = 0; i < 4; ++i) version[i] = -1;
  std::string text = bytes.substr(0, std::min<size_t>(bytes.size(), kVersionFileMaxBytes));
  text = text.substr(0, text.find('\0'));
  // Lines end with CR; line feeds and empty lines are skipped.
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\r', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    size_t first = 0;
    while (first < line.size() && line[first] == '\n') ++first;
    line.erase(0, first);
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0 || line.compare(0, eq, "Version") != 0) continue;
    const std::string value = line.substr(eq + 1);
    // Eight-bit text: only digits, signs and commas matter, so the bytes widen as they are.
    SplitInto(std::wstring(value.begin(), value.end()), L',', version);
  }
}

void ParseVersionText(const CString& text, int version[4]) {
  CString points = text;
  points.Replace(L',', L'.');
  SplitInto(std::wstring(points.GetString(), points.GetLength()), L'.', version);
}

void ReadOwnVersion(int version[4]) {
  for (int i = 0; i < 4; ++i) version[i] = -1;
  ParseVersionText(CModuleVersion(GetExeFileName()).Format(), version);
}

int CompareVersions(const int a[4], const int b[4]) {
  for (int i = 0; i < 4; ++i)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  return 0;
}

CString FormatVersion(int a, int b, int c, int d) {
  CString text;
  text.Format(L"%0d.%0d.%0d.%0d", a, b, c, d);
  return text;
}
