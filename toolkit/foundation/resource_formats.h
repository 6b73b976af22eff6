// The binary forms of the resources the toolkit reads itself rather than through the system:
// string-table blocks, accelerator tables and dialog templates. Every reader is bounded by the
// size of the resource and answers false for data that is cut short or inconsistent, so a
// damaged resource library never makes the toolkit read past a resource. No window calls: the
// readers build natively too and run under the sanitizers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace extres {

// ---- String tables ----
// A string-table block holds 16 entries, each a 16-bit length and that many UTF-16 units. The
// block of string id n is resource (n / 16 + 1); the entry is n % 16.
constexpr unsigned StringBlockOf(unsigned id) { return id / 16 + 1; }

// Reads entry (id % 16) of a block into text. False when the block ends before the entry or
// its characters; an entry of length 0 is found (true) and leaves text empty.
bool ReadStringTableEntry(const std::uint8_t* block, std::size_t size, unsigned id, std::u16string* text);

// ---- Accelerator tables ----
struct AccelEntry {
  std::uint8_t flags = 0;
  std::uint16_t key = 0;
  std::uint16_t command = 0;
};
// Entries of 8 bytes (16-bit flags, key, command and padding); the count is size / 8, so a
// trailing partial entry is ignored.
std::vector<AccelEntry> ReadAcceleratorTable(const std::uint8_t* data, std::size_t size);

// ---- Menu templates ----
// True when a standard or extended menu template, every nested pop-up included, lies within
// size bytes and its pop-ups are closed.
bool IsSoundMenuTemplate(const std::uint8_t* data, std::size_t size);

// ---- Dialog templates ----
struct DialogTemplateInfo {
  bool extended = false;       // DLGTEMPLATEEX
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::size_t styleOffset = 0;
  std::size_t exStyleOffset = 0;
  std::uint16_t itemCount = 0;
  bool hasFont = false;        // DS_SETFONT (or DS_SHELLFONT) with a font record
  std::uint16_t pointSize = 0;
  std::u16string faceName;
  std::size_t fontOffset = 0;  // the point-size word
  std::size_t faceOffset = 0;  // the face name's first unit
  std::size_t afterFace = 0;   // just past the face name's terminator
  std::size_t itemsOffset = 0; // the first item (DWORD-aligned)
  std::size_t size = 0;        // bytes the whole template takes, its last item included
};

// Walks the whole template, every item included, within size bytes. False when anything is
// cut short, when the extended form's version is not 1, or when a name runs past the end.
bool ParseDialogTemplate(const std::uint8_t* data, std::size_t size, DialogTemplateInfo* info);

// A copy of a sound template (info from ParseDialogTemplate) with another font face and point
// size; the items follow at their DWORD alignment. Empty when the template has no font.
std::vector<std::uint8_t> ReplaceDialogFont(const std::uint8_t* data, const DialogTemplateInfo& info,
                                            const std::u16string& face, std::uint16_t pointSize);

// Sets bits in the extended style of a sound template in place.
void AddDialogExStyle(std::uint8_t* data, const DialogTemplateInfo& info, std::uint32_t bits);

}  // namespace extres
