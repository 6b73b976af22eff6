#include "app/scenario_file.h"

#include <windows.h>

#include <climits>

#include "core/cards.h"

namespace {

constexpr const char* kStreetKeys[] = {"Flop", "Turn", "River", "Dead"};

std::optional<CString>* StreetValue(Scenario* s, int index) {
  switch (index) {
    case 0: return &s->flop;
    case 1: return &s->turn;
    case 2: return &s->river;
    default: return &s->dead;
  }
}

const std::optional<CString>& StreetValue(const Scenario& s, int index) {
  return *StreetValue(const_cast<Scenario*>(&s), index);
}

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Bytes that never appear in a text file of this format.
bool IsBinaryByte(unsigned char c) { return c < 0x20 && c != '\t' && c != '\r' && c != '\n'; }

bool AppendLatin1(std::string* out, const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    const unsigned ch = static_cast<unsigned>(text[i]);
    if (ch > 0xFF) return false;
    out->push_back(static_cast<char>(ch));
  }
  return true;
}

CString FromLatin1(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  for (size_t i = 0; i < bytes.size(); ++i) wide[i] = static_cast<unsigned char>(bytes[i]);
  return CString(wide.c_str(), static_cast<int>(wide.size()));
}

// The seat named after "Player": leading digits after an optional sign, 0 without digits.
// Very long numbers saturate, so they stay out of range instead of wrapping into it.
long long SeatNumber(const std::string& rest) {
  size_t i = 0;
  bool negative = false;
  if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) negative = rest[i++] == '-';
  long long n = 0;
  for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) n = std::min<long long>(n * 10 + (rest[i] - '0'), INT_MAX);
  return negative ? -n : n;
}

}  // namespace

Scenario Scenario::Empty() {
  Scenario s;
  for (auto& p : s.players) p = CString();
  s.flop = s.turn = s.river = s.dead = CString();
  return s;
}

bool FormatScenario(const Scenario& scenario, std::string* bytes, CString* error) {
  std::string out;
  auto line = [&](const char* key, const std::optional<CString>& value) {
    out += key;
    out += '=';
    const bool ok = AppendLatin1(&out, value.value_or(CString()));
    if (!ok && error) error->Format(L"The text of \"%hs\" holds a character that a scenario file cannot store.", key);
    out += "\r\n";
    return ok;
  };
  for (int seat = 0; seat < kScenarioSeats; ++seat) {
    const std::string key = "Player" + std::to_string(seat);
    if (!line(key.c_str(), scenario.players[seat])) return false;
  }
  for (int i = 0; i < 4; ++i)
    if (!line(kStreetKeys[i], StreetValue(scenario, i))) return false;
  *bytes = std::move(out);
  return true;
}

bool ParseScenario(const std::string& bytes, Scenario* scenario, CString* error) {
  auto fail = [&](const wchar_t* message) {
    if (error) *error = message;
    return false;
  };
  if (bytes.size() > kScenarioMaxFileSize) return fail(L"The file is too large to be a scenario file.");
  for (unsigned char c : bytes)
    if (IsBinaryByte(c)) return fail(L"The file is not a scenario file: it holds binary data.");

  Scenario read = *scenario;
  bool known = false;
  size_t start = 0;
  int lineNumber = 0;
  while (start < bytes.size()) {
    // Editors such as Notepad write no line end after the last line.
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kScenarioMaxLine) {
      if (error) error->Format(L"Line %d of the scenario file is too long.", lineNumber);
      return false;
    }
    size_t first = 0, last = line.size();
    while (first < last && IsBlank(line[first])) ++first;
    while (last > first && IsBlank(line[last - 1])) --last;
    line = line.substr(first, last - first);
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    const std::string key = line.substr(0, eq);
    const CString value = FromLatin1(line.substr(eq + 1));
    bool matched = false;
    for (int i = 0; i < 4; ++i) {
      if (key == kStreetKeys[i]) {
        *StreetValue(&read, i) = value;
        matched = true;
      }
    }
    if (!matched && key.compare(0, 6, "Player") == 0 && key.size() >= 6) {
      const long long seat = SeatNumber(key.substr(6));
      if (seat < 0 || seat >= kScenarioSeats) {
        if (error)
          error->Format(L"Line %d of the scenario file names seat \"%hs\"; seats are Player0 to Player9.", lineNumber,
                        key.c_str());
        return false;
      }
      read.players[static_cast<size_t>(seat)] = value;
      matched = true;
    }
    known = known || matched;
  }
  if (!known) return fail(L"The file holds no scenario.");
  *scenario = std::move(read);
  return true;
}

bool LoadScenarioFile(LPCTSTR path, Scenario* scenario, CString* error) {
  HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (error) error->Format(L"The scenario file %s cannot be opened.", path);
    return false;
  }
  LARGE_INTEGER size{};
  std::string bytes;
  bool ok = ::GetFileSizeEx(file, &size) != 0;
  if (ok && static_cast<unsigned long long>(size.QuadPart) > kScenarioMaxFileSize) {
    ::CloseHandle(file);
    if (error) *error = L"The file is too large to be a scenario file.";
    return false;
  }
  if (ok) {
    // One byte more than allowed, so a file that grows meanwhile is still caught as too large.
    bytes.resize(static_cast<size_t>(size.QuadPart) + 1);
    DWORD got = 0;
    ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) != 0;
    bytes.resize(got);
  }
  ::CloseHandle(file);
  if (!ok) {
    if (error) error->Format(L"The scenario file %s cannot be read.", path);
    return false;
  }
  return ParseScenario(bytes, scenario, error);
}

bool SaveScenarioFile(LPCTSTR path, const Scenario& scenario, CString* error) {
  std::string bytes;
  if (!FormatScenario(scenario, &bytes, error)) return false;
  const CString temp = CString(path) + L".saving";
  auto fail = [&](HANDLE file) {
    const DWORD code = ::GetLastError();
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    ::DeleteFileW(temp);
    if (error) error->Format(L"The scenario file %s cannot be written (error %lu).", path, code);
    return false;
  };
  HANDLE file = ::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return fail(file);
  DWORD written = 0;
  if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size() || !::FlushFileBuffers(file))
    return fail(file);
  ::CloseHandle(file);
  if (!::MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return fail(INVALID_HANDLE_VALUE);
  return true;
}

CString ScenarioFolderOf(const CString& path) {
  int cut = path.ReverseFind(L'/');
  if (cut < 0) cut = path.ReverseFind(L'\\');
  return cut < 0 ? CString() : path.Left(cut);
}

CString DefaultScenarioName(const std::array<CString, kScenarioSeats>& seatTexts,
                            const std::array<bool, kScenarioSeats>& ticked, const CString& board,
                            const CString& boardLabel) {
  CString first;
  for (const CString& text : seatTexts) {
    if (IsValidTwoCardText(std::wstring_view(text.GetString(), static_cast<size_t>(text.GetLength())))) {
      first = text;
      break;
    }
  }
  CString name = first;
  for (int seat = 0; seat < kScenarioSeats; ++seat) {
    if (!ticked[seat]) continue;
    CString text = seatTexts[seat];
    if (text == first) continue;
    if (!name.IsEmpty()) name += L" vs. ";
    if (text.GetLength() > 8) text = text.Left(8) + L"...";
    name += L"[" + text + L"]";
  }
  if (!board.IsEmpty()) {
    CString label = boardLabel;
    label.Replace(L':', L'=');
    name += L" " + label + board;
  }
  name.Replace(L'*', L'x');
  name.Replace(L'/', L'-');
  return name;
}
