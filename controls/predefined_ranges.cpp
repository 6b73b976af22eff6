#include "controls/predefined_ranges.h"

namespace {

constexpr DWORD kFirstBufferSize = 15000;
// A section this long is no ranges file; stop growing there.
constexpr DWORD kLargestBufferSize = 64u * 1024 * 1024;

CString PredefinedRangesPath() {
  CString folder;
  const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
  if (length > 0) {
    ::GetCurrentDirectoryW(length, folder.GetBuffer(static_cast<int>(length)));
    folder.ReleaseBuffer();
  }
  return folder + L"/" + kPredefinedRangesFile;
}

}  // namespace

int ReadPredefinedRanges(CString& section, LPCTSTR restoreProfileName) {
  section.Empty();
  const CString path = PredefinedRangesPath();
  CWinApp* app = AfxGetApp();
  LPCTSTR previous = app ? app->m_pszProfileName : nullptr;
  if (app) app->m_pszProfileName = path.GetString();

  // The profile call cuts a section that does not fit and then reports the buffer size - 2:
  // read again with more room until it fits.
  std::vector<wchar_t> buffer;
  DWORD copied = 0;
  for (DWORD size = kFirstBufferSize;; size *= 2) {
    buffer.assign(size, L'\0');
    copied = ::GetPrivateProfileSectionW(kPredefinedRangesSection, buffer.data(), size, path);
    if (copied < size - 2 || size >= kLargestBufferSize) break;
  }

  if (app) app->m_pszProfileName = restoreProfileName ? restoreProfileName : previous;
  section = CString(buffer.data(), static_cast<int>(copied));
  return static_cast<int>(copied);
}

std::vector<CString> SplitProfileSection(const CString& section) {
  std::vector<CString> lines;
  const int length = section.GetLength();
  int start = 0;
  while (start < length) {
    int end = start;
    while (end < length && section[end] != L'\0') ++end;
    if (end == start) break;  // an empty line ends the section
    lines.push_back(section.Mid(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool ParsePredefinedRangeLine(const CString& text, PredefinedRangeLine& parsed) {
  parsed = PredefinedRangeLine();
  CString line = text;
  line.TrimRight();
  if (line.IsEmpty()) return false;

  const int marker = line.Find(L'\u00B0');
  if (marker >= 0) {
    const wchar_t c = marker + 1 < line.GetLength() ? line[marker + 1] : L'\0';
    if (c >= L'0' && c <= L'9')
      parsed.colourFlag = c - L'0';
    else
      parsed.imageLetter = static_cast<int>(c) - static_cast<int>(L'a');
    line = line.Left(marker);
  }

  int dots = 0;
  while (dots < line.GetLength() && line[dots] == L'.') ++dots;
  parsed.depth = dots;
  line = line.Mid(dots);

  const int brace = line.Find(L'{');
  if (brace >= 0) {
    parsed.hasBrace = true;
    CString range = line.Mid(brace);
    range.TrimLeft();
    if (!range.IsEmpty() && range[0] == L'{') range = range.Mid(1);
    range.TrimRight();
    if (!range.IsEmpty() && range[range.GetLength() - 1] == L'}') range = range.Left(range.GetLength() - 1);
    parsed.range = range;
    // The separator right before the brace is not part of the name.
    parsed.name = line.Left(brace > 0 ? brace - 1 : 0);
  } else {
    parsed.name = line;
  }
  parsed.name.Trim();
  parsed.selectable = !parsed.range.IsEmpty() || parsed.name.CompareNoCase(L"none") == 0;
  return true;
}
