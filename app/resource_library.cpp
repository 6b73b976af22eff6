#include "app/resource_library.h"

#include <algorithm>
#include <vector>

namespace {

HMODULE g_library = nullptr;
CString g_libraryPath;

void Trace(const CString& text) { ::OutputDebugStringW(text + L"\n"); }

// The whole file, at most 64 MB (a resource library is far smaller).
bool ReadFileBytes(const CString& path, std::vector<BYTE>& bytes) {
  HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= (64 << 20);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
  }
  ::CloseHandle(file);
  return ok;
}

template <typename T>
bool ReadAt(const std::vector<BYTE>& bytes, size_t offset, T& value) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
  memcpy(&value, bytes.data() + offset, sizeof(T));
  return true;
}

}  // namespace

CString CheckResourceOnlyModule(const CString& path) {
  std::vector<BYTE> bytes;
  if (!ReadFileBytes(path, bytes)) return L"the file cannot be read";
  IMAGE_DOS_HEADER dos;
  if (!ReadAt(bytes, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0)
    return L"not a module file";
  const size_t nt = static_cast<size_t>(dos.e_lfanew);
  DWORD signature = 0;
  IMAGE_FILE_HEADER file;
  WORD magic = 0;
  if (!ReadAt(bytes, nt, signature) || signature != IMAGE_NT_SIGNATURE || !ReadAt(bytes, nt + 4, file) ||
      !ReadAt(bytes, nt + 4 + sizeof file, magic))
    return L"not a module file";
  if (!(file.Characteristics & IMAGE_FILE_DLL)) return L"not a library";

  // The data directories of either optional header form.
  const size_t optional = nt + 4 + sizeof file;
  DWORD entryPoint = 1;
  IMAGE_DATA_DIRECTORY directories[IMAGE_NUMBEROF_DIRECTORY_ENTRIES] = {};
  DWORD directoryCount = 0;
  if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
    IMAGE_OPTIONAL_HEADER64 header;
    if (file.SizeOfOptionalHeader < sizeof header || !ReadAt(bytes, optional, header)) return L"not a module file";
    entryPoint = header.AddressOfEntryPoint;
    directoryCount = header.NumberOfRvaAndSizes;
    memcpy(directories, header.DataDirectory, sizeof directories);
  } else if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
    IMAGE_OPTIONAL_HEADER32 header;
    if (file.SizeOfOptionalHeader < sizeof header || !ReadAt(bytes, optional, header)) return L"not a module file";
    entryPoint = header.AddressOfEntryPoint;
    directoryCount = header.NumberOfRvaAndSizes;
    memcpy(directories, header.DataDirectory, sizeof directories);
  } else {
    return L"not a module file";
  }
  if (directoryCount > IMAGE_NUMBEROF_DIRECTORY_ENTRIES) directoryCount = IMAGE_NUMBEROF_DIRECTORY_ENTRIES;
  auto present = [&](int index) {
    return static_cast<DWORD>(index) < directoryCount && directories[index].VirtualAddress != 0 &&
           directories[index].Size != 0;
  };
  if (entryPoint != 0) return L"the library has an entry point";

  // An import table holding only its terminating entry names no library.
  const size_t sections = optional + file.SizeOfOptionalHeader;
  auto fileOffset = [&](DWORD rva, size_t& offset) {
    for (WORD i = 0; i < file.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER section;
      if (!ReadAt(bytes, sections + i * sizeof section, section)) return false;
      const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
      if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size) {
        offset = static_cast<size_t>(section.PointerToRawData) + (rva - section.VirtualAddress);
        return true;
      }
    }
    return false;
  };
  if (present(IMAGE_DIRECTORY_ENTRY_IMPORT)) {
    size_t offset = 0;
    IMAGE_IMPORT_DESCRIPTOR first;
    if (!fileOffset(directories[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress, offset) || !ReadAt(bytes, offset, first))
      return L"not a module file";
    if (first.Name != 0 || first.FirstThunk != 0) return L"the library imports functions";
  }
  if (present(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT)) return L"the library imports functions";
  if (present(IMAGE_DIRECTORY_ENTRY_TLS)) return L"the library has thread callbacks";
  if (present(IMAGE_DIRECTORY_ENTRY_COM_DESCRIPTOR)) return L"the library holds managed code";
  if (!present(IMAGE_DIRECTORY_ENTRY_RESOURCE)) return L"the library holds no resources";
  return CString();
}

ResourceLibrary FindResourceLibrary(const CString& folder) {
  ResourceLibrary result;
  Trace(L"OmahaVantorn: try to find resource-dll ...");
  CString pattern = folder;
  if (!pattern.IsEmpty() && pattern[pattern.GetLength() - 1] != L'\\') pattern += L'\\';
  pattern += L"OmahaVantorn*.dll";

  WIN32_FIND_DATAW found = {};
  HANDLE search = ::FindFirstFileW(pattern, &found);
  // Folders that happen to match are no candidates.
  while (search != INVALID_HANDLE_VALUE && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    if (!::FindNextFileW(search, &found)) {
      ::FindClose(search);
      search = INVALID_HANDLE_VALUE;
    }
  }
  if (search == INVALID_HANDLE_VALUE) {
    Trace(L"OmahaVantorn: no resource-dll found, using internal resources.");
    return result;
  }
  ::FindClose(search);

  result.path = pattern.Left(pattern.ReverseFind(L'\\') + 1) + found.cFileName;
  CString line;
  line.Format(L"OmahaVantorn: found [%s].", result.path.GetString());
  Trace(line);
  line.Format(L"OmahaVantorn: try to load resource-dll [%s] ...", result.path.GetString());
  Trace(line);

  const CString refusal = CheckResourceOnlyModule(result.path);
  if (!refusal.IsEmpty()) {
    Trace(L"OmahaVantorn: FAILED!");
    line.Format(L"OmahaVantorn: not a resource-only library (%s), using internal resources.", refusal.GetString());
    Trace(line);
    return result;
  }
  result.module = ::LoadLibraryExW(result.path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!result.module) {
    const DWORD error = ::GetLastError();
    Trace(L"OmahaVantorn: FAILED!");
    line.Format(L"GetLastError () return %0ld", static_cast<long>(error));
    Trace(line);
    return result;
  }
  Trace(L"OmahaVantorn: success.");
  return result;
}

void UseResourceLibrary(const ResourceLibrary& library) {
  if (!library.module) return;
  g_library = library.module;
  g_libraryPath = library.path;
  AfxSetResourceHandle(library.module);
}

CString ResourceLibraryPath(HINSTANCE handle) {
  return g_library && handle == g_library ? g_libraryPath : CString();
}

void ReleaseResourceLibrary() {
  if (!g_library) return;
  if (AfxGetResourceHandle() == g_library) AfxSetResourceHandle(AfxGetInstanceHandle());
  ::FreeLibrary(g_library);
  g_library = nullptr;
  g_libraryPath.Empty();
}
