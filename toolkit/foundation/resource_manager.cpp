#include "toolkit/foundation/resource_manager.h"

#include <algorithm>

#include "toolkit/foundation/resource_formats.h"

IMPLEMENT_SERIAL(CExtResourceManager, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr WORD kUserDefaultLocale = 0x0400;
constexpr WORD kSystemDefaultLocale = 0x0800;

// The module the framework's own loaders would take a resource from: the resource module,
// else the program. Null when neither holds it.
HINSTANCE FrameworkModuleHolding(LPCWSTR type, LPCWSTR name) {
  HINSTANCE module = AfxFindResourceHandle(name, type);
  return module != nullptr && ::FindResourceW(module, name, type) != nullptr ? module : nullptr;
}

// The same search with one language.
HINSTANCE FrameworkModuleHolding(LPCWSTR type, LPCWSTR name, WORD language, HRSRC* resource) {
  HINSTANCE first = AfxGetResourceHandle();
  HINSTANCE second = AfxGetInstanceHandle();
  for (HINSTANCE module : {first, second}) {
    if (module == nullptr) continue;
    if (HRSRC found = ::FindResourceExW(module, type, name, language)) {
      if (resource) *resource = found;
      return module;
    }
    if (first == second) break;
  }
  return nullptr;
}

// A resource's bytes in its module (no language: the system's choice).
struct ResourceBytes {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};
ResourceBytes ResourceIn(HINSTANCE module, LPCWSTR type, LPCWSTR name) {
  ResourceBytes bytes;
  HRSRC info = module != nullptr ? ::FindResourceW(module, name, type) : nullptr;
  HGLOBAL handle = info != nullptr ? ::LoadResource(module, info) : nullptr;
  if (handle == nullptr) return bytes;
  bytes.data = static_cast<const std::uint8_t*>(::LockResource(handle));
  bytes.size = bytes.data != nullptr ? ::SizeofResource(module, info) : 0;
  return bytes;
}

HACCEL MakeAcceleratorTable(const std::vector<extres::AccelEntry>& entries) {
  if (entries.empty()) return nullptr;
  std::vector<ACCEL> table;
  for (const extres::AccelEntry& e : entries) table.push_back(ACCEL{e.flags, e.key, e.command});
  return ::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

template <typename T>
void SetOut(T* out, T value) {
  if (out) *out = value;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Module entries and memory buffers

CExtResourceManager::RscInstEntry::~RscInstEntry() {
  if (m_bFreeLibrary && m_hInstance != nullptr) ::FreeLibrary(m_hInstance);
}

bool CExtResourceManager::CExtResourceMemoryBuffer::Allocate(DWORD size, bool zero) {
  Free();
  if (size == 0) return false;
  m_pData = static_cast<BYTE*>(zero ? calloc(size, 1) : malloc(size));
  if (m_pData == nullptr) return false;
  m_size = size;
  return true;
}

void CExtResourceManager::CExtResourceMemoryBuffer::Free() {
  free(m_pData);
  m_pData = nullptr;
  m_size = 0;
}

bool CExtResourceManager::CExtResourceMemoryBuffer::LoadFromModule(HINSTANCE module, LPCWSTR type, LPCWSTR name,
                                                                   WORD language) {
  Free();
  if (module == nullptr) return false;
  HRSRC info = ::FindResourceExW(module, type, name, language);
  if (info == nullptr) return false;
  const DWORD size = ::SizeofResource(module, info);
  if (size == 0) return true;
  HGLOBAL handle = ::LoadResource(module, info);
  const void* data = handle != nullptr ? ::LockResource(handle) : nullptr;
  if (data == nullptr || !Allocate(size, false)) return false;
  memcpy(m_pData, data, size);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Mode, direction, language, state

CExtResourceManager::CExtResourceManager(bool languageAware, WORD language, int rightToLeft)
    : m_bLanguageAware(languageAware ? 1 : 0), m_wLanguage(language), m_nRightToLeft(rightToLeft) {}

CExtResourceManager::~CExtResourceManager() {
  for (RscInstEntry* entry : m_arrModules) delete entry;
  m_arrModules.clear();
  m_font.DeleteObject();
}

void CExtResourceManager::SerializeState(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(m_bLanguageAware & 1);
    ar << static_cast<DWORD>(m_wLanguage);
    ar << static_cast<DWORD>(0);
  } else {
    DWORD flags = 0, language = 0, reserved = 0;
    ar >> flags >> language >> reserved;
    m_bLanguageAware = static_cast<BYTE>(flags & 1);
    m_wLanguage = LOWORD(language);
  }
}

void CExtResourceManager::SetLanguageAware(bool aware) {
  m_bLanguageAware = static_cast<BYTE>(aware ? (m_bLanguageAware | 1) : (m_bLanguageAware & ~1));
}

int CExtResourceManager::SetRightToLeftOverride(int value) {
  const int old = m_nRightToLeft;
  m_nRightToLeft = value;
  return old;
}

bool CExtResourceManager::IsRightToLeftLanguage(WORD language) {
  static constexpr WORD kRtl[] = {0x0401, 0x040D, 0x0420, 0x0429, 0x0446, 0x0459, 0x0460, 0x0801,
                                  0x0820, 0x0860, 0x0C01, 0x1001, 0x1401, 0x1801, 0x1C01, 0x2001,
                                  0x2401, 0x2801, 0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001};
  return std::find(std::begin(kRtl), std::end(kRtl), language) != std::end(kRtl);
}

bool CExtResourceManager::IsRightToLeft() {
  if (m_nRightToLeft != -1) return m_nRightToLeft != 0;
  return IsRightToLeftLanguage(IsLanguageAware() ? m_wLanguage : UserDefaultLanguage());
}

// ---------------------------------------------------------------------------------------------
// Locale calls

std::vector<LCID> CExtResourceManager::LocaleChain() const {
  std::vector<LCID> chain;
  if (IsLanguageAware()) {
    chain.push_back(MAKELCID(m_wLanguage, SORT_DEFAULT));
    chain.push_back(MAKELCID(kFallbackLanguage, SORT_DEFAULT));
  }
  chain.push_back(MAKELCID(kUserDefaultLocale, SORT_DEFAULT));
  chain.push_back(MAKELCID(kSystemDefaultLocale, SORT_DEFAULT));
  chain.push_back(0);
  return chain;
}

template <typename Call>
int CExtResourceManager::RunLocaleChain(Call call) const {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  int result = 0;
  for (LCID lcid : LocaleChain()) {
    result = call(lcid);
    if (result != 0) break;
  }
  return result;
}

int CExtResourceManager::GetLocaleInfoText(LCTYPE type, LPWSTR data, int capacity) {
  return RunLocaleChain([&](LCID lcid) { return ::GetLocaleInfoW(lcid, type, data, capacity); });
}

int CExtResourceManager::FormatTime(DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR out, int capacity) {
  return RunLocaleChain([&](LCID lcid) { return ::GetTimeFormatW(lcid, flags, time, format, out, capacity); });
}

int CExtResourceManager::FormatDate(DWORD flags, const SYSTEMTIME* date, LPCWSTR format, LPWSTR out, int capacity) {
  return RunLocaleChain([&](LCID lcid) { return ::GetDateFormatW(lcid, flags, date, format, out, capacity); });
}

int CExtResourceManager::FormatNumber(DWORD flags, LPCWSTR value, const NUMBERFMTW* format, LPWSTR out,
                                      int capacity) {
  return RunLocaleChain([&](LCID lcid) { return ::GetNumberFormatW(lcid, flags, value, format, out, capacity); });
}

int CExtResourceManager::FormatCurrency(DWORD flags, LPCWSTR value, const CURRENCYFMTW* format, LPWSTR out,
                                        int capacity) {
  return RunLocaleChain([&](LCID lcid) { return ::GetCurrencyFormatW(lcid, flags, value, format, out, capacity); });
}

// ---------------------------------------------------------------------------------------------
// The module list

void CExtResourceManager::AddModule(HINSTANCE module, bool atHead, bool freeLibrary) {
  auto* entry = new RscInstEntry(module, freeLibrary);
  if (atHead) m_arrModules.insert(m_arrModules.begin(), entry);
  else m_arrModules.push_back(entry);
}

bool CExtResourceManager::RemoveModule(HINSTANCE module) {
  for (auto it = m_arrModules.begin(); it != m_arrModules.end(); ++it) {
    if ((*it)->m_hInstance != module) continue;
    delete *it;
    m_arrModules.erase(it);
    return true;
  }
  return false;
}

bool CExtResourceManager::LoadBufferFromModules(CExtResourceMemoryBuffer& buffer, LPCWSTR type, LPCWSTR name,
                                                WORD language, WORD* outLanguage, HINSTANCE* outModule) {
  for (RscInstEntry* entry : m_arrModules) {
    if (entry == nullptr || entry->m_hInstance == nullptr) continue;
    if (!buffer.LoadFromModule(entry->m_hInstance, type, name, language)) continue;
    SetOut(outLanguage, language);
    SetOut(outModule, entry->m_hInstance);
    return true;
  }
  return false;
}

HINSTANCE CExtResourceManager::FindResourceInModules(LPCWSTR type, LPCWSTR name, WORD language, WORD* outLanguage,
                                                     HRSRC* outResource) {
  for (RscInstEntry* entry : m_arrModules) {
    if (entry == nullptr || entry->m_hInstance == nullptr) continue;
    HRSRC found = ::FindResourceExW(entry->m_hInstance, type, name, language);
    if (found == nullptr) continue;
    SetOut(outLanguage, language);
    SetOut(outResource, found);
    return entry->m_hInstance;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The imposed font

LPCWSTR CExtResourceManager::GetFontFaceName() const {
  return m_strFontFaceName.IsEmpty() ? nullptr : static_cast<LPCWSTR>(m_strFontFaceName);
}

void CExtResourceManager::SetFontFaceName(LPCWSTR name) {
  if (name == nullptr || *name == 0) {
    m_strFontFaceName.Empty();
    m_font.DeleteObject();
    return;
  }
  if (m_strFontFaceName == name) return;
  m_strFontFaceName = name;
  m_font.DeleteObject();
}

HFONT CExtResourceManager::GetFont() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (m_strFontFaceName.IsEmpty()) return nullptr;
  if (m_font.GetSafeHandle() != nullptr) return static_cast<HFONT>(m_font.GetSafeHandle());
  // The face name and its terminator must fit the font description.
  if (m_strFontFaceName.GetLength() >= LF_FACESIZE) return nullptr;
  LOGFONTW lf{};
  CFont& normal = g_PaintManagerHolder->m_FontNormal;
  if (normal.GetSafeHandle() == nullptr || ::GetObjectW(normal.GetSafeHandle(), sizeof lf, &lf) == 0) {
    if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf) == 0) return nullptr;
  }
  ::lstrcpynW(lf.lfFaceName, m_strFontFaceName, LF_FACESIZE);
  if (!m_font.CreateFontIndirect(&lf)) return nullptr;
  return static_cast<HFONT>(m_font.GetSafeHandle());
}

void CExtResourceManager::ApplyFontToWindow(HWND hWnd, int depth, bool redraw) {
  if (hWnd == nullptr || !::IsWindow(hWnd)) return;
  HFONT font = GetFont();
  if (font == nullptr) return;
  ::SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
  if (depth <= 0) return;
  for (HWND child = ::GetWindow(hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    ApplyFontToWindow(child, depth - 1, redraw);
}

// ---------------------------------------------------------------------------------------------
// Finding resources

HINSTANCE CExtResourceManager::FindResourceForLanguage(LPCWSTR type, LPCWSTR name, WORD language, WORD* outLanguage,
                                                       HRSRC* outResource) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  SetOut(outLanguage, kFallbackLanguage);
  SetOut<HRSRC>(outResource, nullptr);
  if (!IsLanguageAware()) {
    HINSTANCE module = FrameworkModuleHolding(type, name);
    if (module != nullptr) SetOut(outResource, ::FindResourceW(module, name, type));
    return module;
  }
  if (HINSTANCE module = FindResourceInModules(type, name, language, outLanguage, outResource)) return module;
  HRSRC found = nullptr;
  HINSTANCE module = FrameworkModuleHolding(type, name, language, &found);
  if (module == nullptr) return nullptr;
  SetOut(outLanguage, language);
  SetOut(outResource, found);
  return module;
}

HINSTANCE CExtResourceManager::FindResourceWithFallback(LPCWSTR type, LPCWSTR name, WORD language1, WORD language2,
                                                        WORD* outLanguage, HRSRC* outResource) {
  if (!IsLanguageAware()) return FindResourceForLanguage(type, name, language1, outLanguage, outResource);
  HINSTANCE module = FindResourceForLanguage(type, name, language1, outLanguage, outResource);
  if (module == nullptr && language2 != language1)
    module = FindResourceForLanguage(type, name, language2, outLanguage, outResource);
  return module;
}

HINSTANCE CExtResourceManager::FindResourceModule(LPCWSTR type, LPCWSTR name, WORD* outLanguage, HRSRC* outResource) {
  if (IsLanguageAware())
    return FindResourceWithFallback(type, name, m_wLanguage, kFallbackLanguage, outLanguage, outResource);
  return FindResourceForLanguage(type, name, kFallbackLanguage, outLanguage, outResource);
}

// ---------------------------------------------------------------------------------------------
// Copying resources

bool CExtResourceManager::LoadBufferForLanguage(CExtResourceMemoryBuffer& buffer, LPCWSTR type, LPCWSTR name,
                                                WORD language, WORD* outLanguage, HINSTANCE* outModule) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  SetOut(outLanguage, kFallbackLanguage);
  SetOut<HINSTANCE>(outModule, nullptr);
  if (!IsLanguageAware()) {
    HINSTANCE module = FrameworkModuleHolding(type, name);
    if (module == nullptr) {
      buffer.Free();
      return false;
    }
    SetOut(outModule, module);
    if (buffer.LoadFromModule(module, type, name, kUserDefaultLocale)) return true;
    // Only in languages the user's default does not lead to: the copy the system picks.
    const ResourceBytes bytes = ResourceIn(module, type, name);
    if (bytes.data == nullptr) return false;
    if (bytes.size == 0) return true;
    if (!buffer.Allocate(static_cast<DWORD>(bytes.size), false)) return false;
    memcpy(buffer.GetBuffer(), bytes.data, bytes.size);
    return true;
  }
  if (LoadBufferFromModules(buffer, type, name, language, outLanguage, outModule)) return true;
  HRSRC found = nullptr;
  HINSTANCE module = FrameworkModuleHolding(type, name, language, &found);
  if (module == nullptr || !buffer.LoadFromModule(module, type, name, language)) {
    buffer.Free();
    return false;
  }
  SetOut(outLanguage, language);
  SetOut(outModule, module);
  return true;
}

bool CExtResourceManager::LoadBufferWithFallback(CExtResourceMemoryBuffer& buffer, LPCWSTR type, LPCWSTR name,
                                                 WORD language1, WORD language2, WORD* outLanguage,
                                                 HINSTANCE* outModule) {
  if (!IsLanguageAware())
    return LoadBufferForLanguage(buffer, type, name, kUserDefaultLocale, outLanguage, outModule);
  if (LoadBufferForLanguage(buffer, type, name, language1, outLanguage, outModule)) return true;
  return language2 != language1 && LoadBufferForLanguage(buffer, type, name, language2, outLanguage, outModule);
}

bool CExtResourceManager::LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCWSTR type, LPCWSTR name,
                                             WORD* outLanguage, HINSTANCE* outModule) {
  if (IsLanguageAware())
    return LoadBufferWithFallback(buffer, type, name, m_wLanguage, kFallbackLanguage, outLanguage, outModule);
  return LoadBufferForLanguage(buffer, type, name, kUserDefaultLocale, outLanguage, outModule);
}

// ---------------------------------------------------------------------------------------------
// Strings, menus, accelerators, bitmaps

bool CExtResourceManager::LoadStringWithFallback(CString& text, UINT id, WORD language1, WORD language2,
                                                 WORD* outLanguage, HINSTANCE* outModule) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  text.Empty();
  if (!IsLanguageAware()) {
    // Where the framework's loader would look, read within the block's size; an empty string
    // counts as missing, as it does for the framework.
    SetOut(outLanguage, kFallbackLanguage);
    LPCWSTR block = MAKEINTRESOURCEW(extres::StringBlockOf(id));
    HINSTANCE module = FrameworkModuleHolding(RT_STRING, block);
    SetOut(outModule, module != nullptr ? module : AfxGetResourceHandle());
    const ResourceBytes bytes = ResourceIn(module, RT_STRING, block);
    std::u16string found;
    if (bytes.data == nullptr || !extres::ReadStringTableEntry(bytes.data, bytes.size, id, &found) || found.empty())
      return false;
    text = CString(reinterpret_cast<const wchar_t*>(found.data()), static_cast<int>(found.size()));
    return true;
  }
  CExtResourceMemoryBuffer buffer;
  LPCWSTR block = MAKEINTRESOURCEW(extres::StringBlockOf(id));
  if (!LoadBufferWithFallback(buffer, RT_STRING, block, language1, language2, outLanguage, outModule)) return false;
  std::u16string found;
  // A block cut short is damaged: the string is not there.
  if (!extres::ReadStringTableEntry(buffer.GetBuffer(), buffer.GetSize(), id, &found)) return false;
  if (!found.empty())
    text = CString(reinterpret_cast<const wchar_t*>(found.data()), static_cast<int>(found.size()));
  return true;
}

bool CExtResourceManager::LoadStringById(CString& text, UINT id, WORD* outLanguage, HINSTANCE* outModule) {
  return LoadStringWithFallback(text, id, m_wLanguage, kFallbackLanguage, outLanguage, outModule);
}

bool CExtResourceManager::LoadMenuWithFallback(CMenu& menu, LPCWSTR name, WORD language1, WORD language2,
                                               WORD* outLanguage, HINSTANCE* outModule) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (menu.GetSafeHmenu() != nullptr) menu.DestroyMenu();
  HMENU created = nullptr;
  if (IsLanguageAware()) {
    CExtResourceMemoryBuffer buffer;
    if (!LoadBufferWithFallback(buffer, RT_MENU, name, language1, language2, outLanguage, outModule)) return false;
    // The system trusts the template: a damaged one must not reach it.
    if (!extres::IsSoundMenuTemplate(buffer.GetBuffer(), buffer.GetSize())) return false;
    created = ::LoadMenuIndirectW(buffer.GetBuffer());
  } else {
    SetOut(outLanguage, kFallbackLanguage);
    HINSTANCE module = FrameworkModuleHolding(RT_MENU, name);
    SetOut(outModule, module);
    const ResourceBytes bytes = ResourceIn(module, RT_MENU, name);
    if (bytes.data != nullptr && extres::IsSoundMenuTemplate(bytes.data, bytes.size))
      created = ::LoadMenuIndirectW(bytes.data);
  }
  if (created == nullptr) return false;
  menu.Attach(created);
  return true;
}

bool CExtResourceManager::LoadMenuById(CMenu& menu, UINT id, WORD* outLanguage, HINSTANCE* outModule) {
  return LoadMenuByName(menu, MAKEINTRESOURCEW(id), outLanguage, outModule);
}

bool CExtResourceManager::LoadMenuByName(CMenu& menu, LPCWSTR name, WORD* outLanguage, HINSTANCE* outModule) {
  return LoadMenuWithFallback(menu, name, m_wLanguage, kFallbackLanguage, outLanguage, outModule);
}

HACCEL CExtResourceManager::LoadAcceleratorsWithFallback(LPCWSTR name, WORD language1, WORD language2,
                                                         WORD* outLanguage, HINSTANCE* outModule) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (IsLanguageAware()) {
    CExtResourceMemoryBuffer buffer;
    if (!LoadBufferWithFallback(buffer, RT_ACCELERATOR, name, language1, language2, outLanguage, outModule))
      return nullptr;
    const std::vector<extres::AccelEntry> entries = extres::ReadAcceleratorTable(buffer.GetBuffer(), buffer.GetSize());
    return MakeAcceleratorTable(entries);
  }
  // The system's loader reads to the entry marked last: a table without that mark is read
  // here within its size instead.
  SetOut(outLanguage, kFallbackLanguage);
  HINSTANCE module = FrameworkModuleHolding(RT_ACCELERATOR, name);
  SetOut(outModule, module);
  const ResourceBytes bytes = ResourceIn(module, RT_ACCELERATOR, name);
  return MakeAcceleratorTable(extres::ReadAcceleratorTable(bytes.data, bytes.size));
}

HACCEL CExtResourceManager::LoadAcceleratorsByName(LPCWSTR name, WORD* outLanguage, HINSTANCE* outModule) {
  return LoadAcceleratorsWithFallback(name, m_wLanguage, kFallbackLanguage, outLanguage, outModule);
}

HACCEL CExtResourceManager::LoadAcceleratorsById(UINT id, WORD* outLanguage, HINSTANCE* outModule) {
  return LoadAcceleratorsByName(MAKEINTRESOURCEW(id), outLanguage, outModule);
}

HRSRC CExtResourceManager::FindBitmapWithFallback(LPCWSTR name, WORD language1, WORD language2, WORD* outLanguage,
                                                  HINSTANCE* outModule) {
  HRSRC resource = nullptr;
  HINSTANCE module = FindResourceWithFallback(RT_BITMAP, name, language1, language2, outLanguage, &resource);
  SetOut(outModule, module);
  return module != nullptr ? resource : nullptr;
}

HRSRC CExtResourceManager::FindBitmapByName(LPCWSTR name, WORD* outLanguage, HINSTANCE* outModule) {
  return FindBitmapWithFallback(name, m_wLanguage, kFallbackLanguage, outLanguage, outModule);
}
