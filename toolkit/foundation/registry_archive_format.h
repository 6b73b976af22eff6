// The registry archive's layout, free of registry calls: a stream of bytes stored as numbered
// 16-byte binary values, 128 of them under each block key, beside its size and an integrity
// text. The Windows side (registry_archive.h) supplies the keys; here lives what decides
// which values are written and whether stored values are accepted back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Four interleaved ELF hashes, one per byte position modulo 4, shown as 16 hexadecimal bytes.
class CExtIntegrityCheckSum {
 public:
  CExtIntegrityCheckSum() = default;
  virtual ~CExtIntegrityCheckSum() = default;

  virtual void Update(const void* bytes, std::size_t count);
  // The four lanes, most significant byte first, as "%02X" separated by single blanks
  // (47 characters).
  virtual std::wstring GetText() const;

 private:
  unsigned m_nPosition = 0;
  std::uint32_t m_lanes[4] = {0, 0, 0, 0};
};

// The toolkit's library version: 0x02090100, or its short form 0x0209.
std::uint32_t GetLibraryVersion(bool shortForm = false);
// The four version bytes, most significant first, joined by the separator ("2.9.1.0").
std::wstring FormatLibraryVersion(wchar_t separator);
inline std::wstring FormatLibraryVersionDotted() { return FormatLibraryVersion(L'.'); }

namespace regarchive {

// Value types, numbered as the registry numbers them.
enum ValueType : std::uint32_t {
  kTypeString = 1,
  kTypeExpandString = 2,
  kTypeBinary = 3,
  kTypeDword = 4,
  kTypeLink = 6,
  kTypeMultiString = 7,
};

constexpr std::uint32_t kLineSize = 16;
constexpr std::uint32_t kBlockShift = 7;  // 128 lines per block key
constexpr std::uint32_t kFormatRevision = 0;

// "block_0x%08lX" of the block that holds the line, and "data_0x%08lX" of the line itself.
std::wstring BlockKeyName(std::uint32_t line);
std::wstring LineValueName(std::uint32_t line);

// "Software\a\b\VuroRIZ\Profiles\<profile>\<last>" with every carriage return, tab, line
// feed, question mark and asterisk replaced by an underscore; null parts count as empty.
std::wstring BuildRegistryKeyPath(const wchar_t* part1, const wchar_t* part2, const wchar_t* profile,
                                  const wchar_t* last);

// The archive's key as the writer sees it. A null subkey means the archive's key itself; a
// subkey is created when missing.
class ArchiveSink {
 public:
  virtual ~ArchiveSink() = default;
  virtual bool WriteValue(const wchar_t* subkey, const wchar_t* name, std::uint32_t type, const void* data,
                          std::size_t size) = 0;
};

// The archive's key as the reader sees it. Reads one value: its type and its bytes, false
// when the key or value is missing or the value holds more than maxBytes bytes.
class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;
  virtual bool ReadValue(const wchar_t* subkey, const wchar_t* name, std::size_t maxBytes, std::uint32_t* type,
                         std::vector<std::uint8_t>* bytes) = 0;
};

// Writes "data_size", the lines, "data_integrity" and the descriptive values. False at the
// first value that cannot be written.
bool WriteArchive(ArchiveSink& sink, const std::uint8_t* data, std::size_t size);

enum class ReadResult {
  kOk,
  kNoSize,         // "data_size" missing or not a 4-byte DWORD
  kMissingLine,    // a line's block key or value is absent, or holds more than its share
  kBadLine,        // a line that is not binary or shorter than its share of the size
  kBadIntegrity,   // "data_integrity" missing, unreadable or different from the lines read
};

// Reads the lines that "data_size" promises into data (replacing its content) and accepts
// them only when every line is binary with exactly its share of the size and the integrity
// text matches. Never reads a value past its stored length; nothing but the stored lines
// reaches data. On failure data holds what was read so far, which the caller discards.
ReadResult ReadArchive(ArchiveSource& source, std::vector<std::uint8_t>* data);

}  // namespace regarchive
