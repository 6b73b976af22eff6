#include "toolkit/foundation/registry_archive_format.h"

#include <cstdio>
#include <mutex>

void CExtIntegrityCheckSum::Update(const void* bytes, std::size_t count) {
  const auto* p = static_cast<const std::uint8_t*>(bytes);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t lane = m_lanes[m_nPosition];
    lane = (lane << 4) + p[i];
    const std::uint32_t high = lane & 0xF0000000u;
    if (high != 0) lane = lane ^ (high >> 24) ^ high;
    m_lanes[m_nPosition] = lane;
    m_nPosition = (m_nPosition + 1) & 3;
  }
}

std::wstring CExtIntegrityCheckSum::GetText() const {
  std::wstring text;
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t lane = m_lanes[i];
    wchar_t group[16];
    std::swprintf(group, 16, L"%02X %02X %02X %02X", static_cast<unsigned>((lane >> 24) & 0xFF),
                  static_cast<unsigned>((lane >> 16) & 0xFF), static_cast<unsigned>((lane >> 8) & 0xFF),
                  static_cast<unsigned>(lane & 0xFF));
    if (i != 0) text += L' ';
    text += group;
  }
  return text;
}

namespace {
std::mutex g_versionLock;
std::uint32_t g_libraryVersion = 0;
}  // namespace

std::uint32_t GetLibraryVersion(bool shortForm) {
  {
    std::lock_guard<std::mutex> guard(g_versionLock);
    if (g_libraryVersion == 0) g_libraryVersion = 0x02090100u;
  }
  return shortForm ? 0x0209u : 0x02090100u;
}

std::wstring FormatLibraryVersion(wchar_t separator) {
  const std::uint32_t v = GetLibraryVersion(false);
  wchar_t text[64];
  std::swprintf(text, 64, L"%d%lc%d%lc%d%lc%d", static_cast<int>((v >> 24) & 0xFF), static_cast<wint_t>(separator),
                static_cast<int>((v >> 16) & 0xFF), static_cast<wint_t>(separator), static_cast<int>((v >> 8) & 0xFF),
                static_cast<wint_t>(separator), static_cast<int>(v & 0xFF));
  return text;
}

namespace regarchive {

namespace {

std::wstring Numbered(const wchar_t* prefix, std::uint32_t number) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%ls0x%08X", prefix, static_cast<unsigned>(number));
  return text;
}

// A text of the archive's own (ASCII) as the registry stores it: UTF-16LE with its terminator.
std::vector<std::uint8_t> StringBytes(const std::wstring& text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve((text.size() + 1) * 2);
  for (wchar_t c : text) {
    const auto unit = static_cast<std::uint16_t>(c);
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

bool WriteString(ArchiveSink& sink, const wchar_t* name, const std::wstring& text) {
  const std::vector<std::uint8_t> bytes = StringBytes(text);
  return sink.WriteValue(nullptr, name, kTypeString, bytes.data(), bytes.size());
}

bool WriteDword(ArchiveSink& sink, const wchar_t* name, std::uint32_t value) {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return sink.WriteValue(nullptr, name, kTypeDword, bytes, sizeof bytes);
}

}  // namespace

std::wstring BlockKeyName(std::uint32_t line) { return Numbered(L"block_", line >> kBlockShift); }
std::wstring LineValueName(std::uint32_t line) { return Numbered(L"data_", line); }

std::wstring BuildRegistryKeyPath(const wchar_t* part1, const wchar_t* part2, const wchar_t* profile,
                                  const wchar_t* last) {
  auto text = [](const wchar_t* p) { return std::wstring(p != nullptr ? p : L""); };
  std::wstring path = L"Software\\" + text(part1) + L"\\" + text(part2) + L"\\VuroRIZ\\Profiles\\" + text(profile) +
                      L"\\" + text(last);
  for (wchar_t& c : path) {
    if (c == L'\r' || c == L'\t' || c == L'\n' || c == L'?' || c == L'*') c = L'_';
  }
  return path;
}

bool WriteArchive(ArchiveSink& sink, const std::uint8_t* data, std::size_t size) {
  if (!WriteDword(sink, L"data_size", static_cast<std::uint32_t>(size))) return false;
  CExtIntegrityCheckSum sum;
  std::uint32_t line = 0;
  for (std::size_t offset = 0; offset < size; offset += kLineSize, ++line) {
    const std::size_t piece = size - offset < kLineSize ? size - offset : kLineSize;
    if (!sink.WriteValue(BlockKeyName(line).c_str(), LineValueName(line).c_str(), kTypeBinary, data + offset, piece))
      return false;
    sum.Update(data + offset, piece);
  }
  wchar_t generator[64];
  std::swprintf(generator, 64, L"VuroRIZ registry archiver rev. %d", 0);
  return WriteString(sink, L"data_integrity", sum.GetText()) && WriteString(sink, L"data_generator", generator) &&
         WriteString(sink, L"library_version", L"VuroRIZ v. " + FormatLibraryVersionDotted()) &&
         WriteDword(sink, L"data_line_size", kLineSize) && WriteDword(sink, L"data_block_size", 1u << kBlockShift) &&
         WriteDword(sink, L"data_fmt_rev", kFormatRevision);
}

ReadResult ReadArchive(ArchiveSource& source, std::vector<std::uint8_t>* data) {
  data->clear();
  std::uint32_t type = 0;
  std::vector<std::uint8_t> value;
  if (!source.ReadValue(nullptr, L"data_size", 4, &type, &value) || type != kTypeDword || value.size() != 4)
    return ReadResult::kNoSize;
  const std::uint32_t size = static_cast<std::uint32_t>(value[0]) | (static_cast<std::uint32_t>(value[1]) << 8) |
                             (static_cast<std::uint32_t>(value[2]) << 16) |
                             (static_cast<std::uint32_t>(value[3]) << 24);

  CExtIntegrityCheckSum sum;
  std::uint32_t consumed = 0;
  for (std::uint32_t line = 0; consumed < size; ++line) {
    const std::uint32_t expected = size - consumed < kLineSize ? size - consumed : kLineSize;
    if (!source.ReadValue(BlockKeyName(line).c_str(), LineValueName(line).c_str(), expected, &type, &value))
      return ReadResult::kMissingLine;
    // Every line holds exactly its share: a shorter one would leave bytes that were never stored.
    if (type != kTypeBinary || value.size() != expected) return ReadResult::kBadLine;
    sum.Update(value.data(), value.size());
    data->insert(data->end(), value.begin(), value.end());
    consumed += expected;
  }

  const std::wstring expectedText = sum.GetText();
  if (!source.ReadValue(nullptr, L"data_integrity", (expectedText.size() + 1) * 2, &type, &value))
    return ReadResult::kBadIntegrity;
  if (type != kTypeString && type != kTypeExpandString && type != kTypeLink && type != kTypeMultiString)
    return ReadResult::kBadIntegrity;
  std::wstring stored;
  for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
    const auto unit = static_cast<wchar_t>(value[i] | (value[i + 1] << 8));
    if (unit == 0) break;
    stored += unit;
  }
  return stored == expectedText ? ReadResult::kOk : ReadResult::kBadIntegrity;
}

}  // namespace regarchive
