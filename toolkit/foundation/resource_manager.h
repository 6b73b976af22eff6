// The toolkit's resource manager: every resource the toolkit loads (strings, menus, accelerator
// tables, dialog templates, bitmaps, tool-bar resources, raw data) is found through the one
// manager that g_ResourceManagerHolder holds, so that one switch changes the language of the
// whole toolkit. In plain mode (the default) lookups go where the framework's own loaders go;
// in language-aware mode the manager's own modules and then the framework's resource module are
// searched in the manager's language and then in the fallback language 0x0409.
#pragma once

#include "framework/afxwin.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

#include <vector>

class CExtResourceManager : public CObject {
  DECLARE_SERIAL(CExtResourceManager)

 public:
  class CExtResourceManagerAutoPtr;  // the global holder (below)

  // One additional resource module; an entry without a module is skipped.
  struct RscInstEntry {
    explicit RscInstEntry(HINSTANCE module = nullptr, bool freeLibrary = false)
        : m_hInstance(module), m_bFreeLibrary(freeLibrary) {}
    ~RscInstEntry();
    RscInstEntry(const RscInstEntry&) = delete;
    RscInstEntry& operator=(const RscInstEntry&) = delete;
    HINSTANCE m_hInstance;
    bool m_bFreeLibrary;  // the entry loaded the library and frees it
  };

  // A private copy of one resource's bytes.
  class CExtResourceMemoryBuffer {
   public:
    CExtResourceMemoryBuffer() = default;
    ~CExtResourceMemoryBuffer() { Free(); }
    CExtResourceMemoryBuffer(const CExtResourceMemoryBuffer&) = delete;
    CExtResourceMemoryBuffer& operator=(const CExtResourceMemoryBuffer&) = delete;

    // Frees the old data and allocates size bytes (zeroed when asked); false for size 0 or
    // when memory is short.
    bool Allocate(DWORD size, bool zero = true);
    void Free();
    // Empties the buffer and copies the resource of exactly that language from the module. A
    // resource of size 0 is found and leaves the buffer empty.
    bool LoadFromModule(HINSTANCE module, LPCWSTR type, LPCWSTR name, WORD language);

    BYTE* GetBuffer() const { return m_pData; }
    DWORD GetSize() const { return m_size; }
    bool IsEmpty() const { return m_pData == nullptr; }

   private:
    BYTE* m_pData = nullptr;
    DWORD m_size = 0;
  };

  static constexpr WORD kFallbackLanguage = 0x0409;

  CExtResourceManager(bool languageAware = false, WORD language = kFallbackLanguage, int rightToLeft = -1);
  ~CExtResourceManager() override;
  // The factory of the run-time class: a default manager.
  static CObject* CreateDefaultResourceManager() { return new CExtResourceManager; }

  // 1-5: identity, archiving, dialog-template hook.
  void Serialize(CArchive& /*ar*/) override {}
  // 12 bytes: flags (bit 0 language-aware), the language in the low 16 bits, 0.
  virtual void SerializeState(CArchive& ar);
  // A replacement for a dialog's template, or null (this manager has none).
  virtual HGLOBAL QueryDialogTemplate(HGLOBAL /*hTemplate*/, CWnd* /*dialog*/, LPARAM /*reserved1*/ = 0,
                                      LPARAM /*reserved2*/ = 0) {
    return nullptr;
  }

  // 6-13: mode, direction and language.
  virtual bool IsLanguageAware() const { return (m_bLanguageAware & 1) != 0; }
  virtual void SetLanguageAware(bool aware);
  virtual bool IsRightToLeft();
  virtual int GetRightToLeftOverride() const { return m_nRightToLeft; }
  // Returns the old setting; -1 decides from the language.
  virtual int SetRightToLeftOverride(int value);
  virtual WORD GetLanguage() const { return m_wLanguage; }
  virtual void SetLanguage(WORD language) { m_wLanguage = language; }
  virtual WORD GetResourceLanguage() const { return kFallbackLanguage; }

  // 14-18: the system's locale calls through the locale chain; results as the system's.
  virtual int GetLocaleInfoText(LCTYPE type, LPWSTR data, int capacity);
  virtual int FormatTime(DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR out, int capacity);
  virtual int FormatDate(DWORD flags, const SYSTEMTIME* date, LPCWSTR format, LPWSTR out, int capacity);
  virtual int FormatNumber(DWORD flags, LPCWSTR value, const NUMBERFMTW* format, LPWSTR out, int capacity);
  virtual int FormatCurrency(DWORD flags, LPCWSTR value, const CURRENCYFMTW* format, LPWSTR out, int capacity);

  // 19-20: the manager's own module list.
  virtual bool LoadBufferFromModules(CExtResourceMemoryBuffer& buffer, LPCWSTR type, LPCWSTR name, WORD language,
                                     WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual HINSTANCE FindResourceInModules(LPCWSTR type, LPCWSTR name, WORD language, WORD* outLanguage = nullptr,
                                          HRSRC* outResource = nullptr);

  // 21-24: the face name imposed on dialogs and controls.
  virtual LPCWSTR GetFontFaceName() const;
  virtual void SetFontFaceName(LPCWSTR name);
  virtual HFONT GetFont();
  virtual void ApplyFontToWindow(HWND hWnd, int depth = 0, bool redraw = true);

  // 25-30: finding resources and copying their bytes.
  virtual HINSTANCE FindResourceForLanguage(LPCWSTR type, LPCWSTR name, WORD language, WORD* outLanguage = nullptr,
                                            HRSRC* outResource = nullptr);
  virtual HINSTANCE FindResourceWithFallback(LPCWSTR type, LPCWSTR name, WORD language1, WORD language2,
                                             WORD* outLanguage = nullptr, HRSRC* outResource = nullptr);
  virtual HINSTANCE FindResourceModule(LPCWSTR type, LPCWSTR name, WORD* outLanguage = nullptr,
                                       HRSRC* outResource = nullptr);
  virtual bool LoadBufferForLanguage(CExtResourceMemoryBuffer& buffer, LPCWSTR type, LPCWSTR name, WORD language,
                                     WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual bool LoadBufferWithFallback(CExtResourceMemoryBuffer& buffer, LPCWSTR type, LPCWSTR name, WORD language1,
                                      WORD language2, WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual bool LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCWSTR type, LPCWSTR name,
                                  WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);

  // 31-33: strings. False when the string's block is missing or damaged (and, in plain mode,
  // when the string is empty, as the framework's loader reports it).
  virtual bool LoadStringWithFallback(CString& text, UINT id, WORD language1, WORD language2,
                                      WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual bool LoadStringById(CString& text, UINT id, WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);

  // 34-39: menus and accelerator tables.
  virtual bool LoadMenuWithFallback(CMenu& menu, LPCWSTR name, WORD language1, WORD language2,
                                    WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual bool LoadMenuById(CMenu& menu, UINT id, WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual bool LoadMenuByName(CMenu& menu, LPCWSTR name, WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual HACCEL LoadAcceleratorsWithFallback(LPCWSTR name, WORD language1, WORD language2,
                                              WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual HACCEL LoadAcceleratorsByName(LPCWSTR name, WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual HACCEL LoadAcceleratorsById(UINT id, WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);

  // 40-42: bitmaps. The bitmap class loads itself from the module and resource handle these
  // give (resource type 2); null when the bitmap is missing.
  virtual HRSRC FindBitmapWithFallback(LPCWSTR name, WORD language1, WORD language2, WORD* outLanguage = nullptr,
                                       HINSTANCE* outModule = nullptr);
  virtual HRSRC FindBitmapByName(LPCWSTR name, WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr);
  virtual HRSRC FindBitmapById(UINT id, WORD* outLanguage = nullptr, HINSTANCE* outModule = nullptr) {
    return FindBitmapByName(MAKEINTRESOURCEW(id), outLanguage, outModule);
  }

  // The module list (searched first in language-aware mode). The manager owns the entries;
  // with freeLibrary it also frees the module when the entry goes.
  void AddModule(HINSTANCE module, bool atHead = false, bool freeLibrary = false);
  bool RemoveModule(HINSTANCE module);
  INT_PTR GetModuleCount() const { return static_cast<INT_PTR>(m_arrModules.size()); }

  // True for the language ids written right to left.
  static bool IsRightToLeftLanguage(WORD language);

 protected:
  // The user's default language (a separate step so a test can stand in another one).
  virtual WORD UserDefaultLanguage() const { return ::GetUserDefaultLangID(); }

  BYTE m_bLanguageAware = 0;
  WORD m_wLanguage = kFallbackLanguage;
  int m_nRightToLeft = -1;
  std::vector<RscInstEntry*> m_arrModules;  // owned
  CString m_strFontFaceName;
  CFont m_font;

 private:
  // The language chain of the locale calls, ended by 0.
  std::vector<LCID> LocaleChain() const;
  template <typename Call>
  int RunLocaleChain(Call call) const;
};

class CExtResourceManager::CExtResourceManagerAutoPtr : public CExtPmSynchronizeSink {
 public:
  CExtResourceManagerAutoPtr();
  ~CExtResourceManagerAutoPtr() override;
  CExtResourceManagerAutoPtr(const CExtResourceManagerAutoPtr&) = delete;
  CExtResourceManagerAutoPtr& operator=(const CExtResourceManagerAutoPtr&) = delete;

  // The current manager; a default one is installed on first use.
  CExtResourceManager* GetResourceManager();
  CExtResourceManager* operator->() { return GetResourceManager(); }
  // Deletes the current manager and installs the given one (owned from now on) or, for null,
  // a new default manager.
  void InstallResourceManager(CExtResourceManager* manager);

  bool SetSyncedSink(CExtPmSynchronizeSink* sink, bool add = true, bool pushNow = true) override;
  IStream* SaveStateToStream(HGLOBAL memory = nullptr) override;
  void LoadStateFromStream(IStream* stream) override;

 private:
  CExtResourceManager* m_pManager = nullptr;
};

extern CExtResourceManager::CExtResourceManagerAutoPtr g_ResourceManagerHolder;
