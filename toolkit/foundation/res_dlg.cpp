#include "toolkit/foundation/res_dlg.h"

#include <cwchar>
#include <limits>
#include <string>

#include "toolkit/foundation/resource_formats.h"
#include "toolkit/foundation/resource_manager.h"

IMPLEMENT_DYNCREATE(CExtResDlg, CDialog)

BEGIN_MESSAGE_MAP(CExtResDlg, CDialog)
  ON_WM_ACTIVATE()
END_MESSAGE_MAP()

namespace {

const LPCWSTR kDlgInitType = MAKEINTRESOURCEW(240);
constexpr WORD kPropSheetDialog = 1006;
constexpr WORD kWizardDialog = 1020;

// The process-wide property-sheet font (FAKE_PROPPAGEFONTINFO): size 0 not read yet, -1 not
// available.
struct PropPageFontInfo {
  std::wstring face;
  int pointSize = 0;
};
PropPageFontInfo& PropPageFont() {
  static PropPageFontInfo info;
  return info;
}

std::u16string ToU16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring ToWide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

std::size_t KnownOrUnbounded(std::size_t size) {
  // A template handed over by pointer has no known size: it is read as the system would.
  return size != 0 ? size : std::numeric_limits<std::size_t>::max() / 2;
}

void StoreName(LPCTSTR name, CString& storage, LPCTSTR& slot) {
  if (name == nullptr || IS_INTRESOURCE(name)) {
    slot = name;
    return;
  }
  storage = name;
  slot = storage;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The property-sheet font

bool CExtResPP::stat_GetPropSheetFont(CString& face, WORD& pointSize, bool wizard) {
  PropPageFontInfo& info = PropPageFont();
  if (info.pointSize == 0) {
    info.pointSize = -1;
    HMODULE comctl = ::GetModuleHandleW(L"COMCTL32.DLL");
    if (comctl == nullptr) comctl = ::LoadLibraryW(L"COMCTL32.DLL");
    const WORD language = g_ResourceManagerHolder->GetResourceLanguage();
    HRSRC res = comctl ? ::FindResourceExW(comctl, RT_DIALOG, MAKEINTRESOURCEW(wizard ? kWizardDialog : kPropSheetDialog),
                                           language)
                       : nullptr;
    HGLOBAL handle = res ? ::LoadResource(comctl, res) : nullptr;
    const auto* data = handle ? static_cast<const std::uint8_t*>(::LockResource(handle)) : nullptr;
    extres::DialogTemplateInfo tmpl;
    if (data && extres::ParseDialogTemplate(data, ::SizeofResource(comctl, res), &tmpl) && tmpl.hasFont) {
      info.face = ToWide(tmpl.faceName);
      info.pointSize = tmpl.pointSize;
    }
  }
  face = info.face.c_str();
  pointSize = static_cast<WORD>(info.pointSize);
  return info.pointSize != -1;
}

void CExtResPP::stat_SetPropSheetFont(LPCWSTR face, int pointSize) {
  PropPageFontInfo& info = PropPageFont();
  info.face = face ? face : L"";
  info.pointSize = pointSize;
}

bool CExtResDlg::SubstitutePropertySheetFont(const BYTE* data, std::size_t size, std::vector<BYTE>& out) {
  out.clear();
  extres::DialogTemplateInfo tmpl;
  if (!extres::ParseDialogTemplate(data, KnownOrUnbounded(size), &tmpl)) return false;
  CString face;
  WORD pointSize = 0;
  if (tmpl.hasFont && CExtResPP::stat_GetPropSheetFont(face, pointSize, false)) {
    const std::wstring current = ToWide(tmpl.faceName);
    const bool classicShellFace =
        _wcsicmp(current.c_str(), L"MS Sans Serif") == 0 || _wcsicmp(current.c_str(), L"MS Shell Dlg") == 0;
    if (classicShellFace && tmpl.pointSize == pointSize && !face.IsEmpty() &&
        _wcsicmp(current.c_str(), face) != 0) {
      out = extres::ReplaceDialogFont(data, tmpl, ToU16(std::wstring(face)), pointSize);
      return !out.empty();
    }
  }
  out.assign(data, data + tmpl.size);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Construction and the bridge

CExtResDlg::CExtResDlg() { RegisterBridge(); }

CExtResDlg::CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) { RegisterBridge(); }

CExtResDlg::CExtResDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog(lpszTemplateName, pParentWnd) {
  RegisterBridge();
}

CExtResDlg::~CExtResDlg() {
  UnregisterBridge();
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

void CExtResDlg::RegisterBridge(bool atTail) { g_PaintManagerHolder.AttachBridge(this, atTail); }

void CExtResDlg::UnregisterBridge() { g_PaintManagerHolder.DetachBridge(this); }

CExtPaintManager* CExtResDlg::BridgedManager() { return g_PaintManagerHolder.CurrentManager(); }

void CExtResDlg::OnActivate(UINT, CWnd*, BOOL) {
  // Taken here: the default dialog handling does not see the activation.
}

// ---------------------------------------------------------------------------------------------
// Templates

void CExtResDlg::SetDlgInitTemplate(LPCTSTR name) { StoreName(name, m_strDlgInitTemplate, m_pszDlgInitTemplate); }

LPCDLGTEMPLATE CExtResDlg::FindTemplate(LPCTSTR name, HINSTANCE* module, std::size_t* size) {
  *module = nullptr;
  *size = 0;
  if (name == nullptr) return nullptr;
  HRSRC res = nullptr;
  HINSTANCE found = g_ResourceManagerHolder->FindResourceModule(RT_DIALOG, name, nullptr, &res);
  if (found == nullptr || res == nullptr) return nullptr;
  HGLOBAL handle = ::LoadResource(found, res);
  const auto* data = handle ? static_cast<const BYTE*>(::LockResource(handle)) : nullptr;
  const DWORD length = ::SizeofResource(found, res);
  // A damaged template is refused here, before the system reads it.
  if (data == nullptr || !extres::ParseDialogTemplate(data, length, nullptr)) {
    TRACE(L"CExtResDlg: dialog template missing or damaged\n");
    return nullptr;
  }
  *module = found;
  *size = length;
  return reinterpret_cast<LPCDLGTEMPLATE>(data);
}

bool CExtResDlg::PatchDialogTemplate(LPCDLGTEMPLATE lpTemplate, std::size_t size, std::vector<BYTE>& patched) {
  patched.clear();
  if (lpTemplate == nullptr) return false;
  auto given = reinterpret_cast<HGLOBAL>(const_cast<DLGTEMPLATE*>(lpTemplate));
  HGLOBAL replacement = g_ResourceManagerHolder->QueryDialogTemplate(given, this, 0, 0);
  if (replacement == nullptr) {
    if (CExtPaintManager* manager = g_PaintManagerHolder.CurrentManager())
      replacement = manager->DrawResDialogExtra(given, this, 0, 0);
  }
  if (replacement != nullptr && replacement != given) {
    // A replacement is global memory that the dialog takes over.
    const auto* data = static_cast<const BYTE*>(::GlobalLock(replacement));
    const std::size_t length = ::GlobalSize(replacement);
    extres::DialogTemplateInfo info;
    const bool sound = data != nullptr && extres::ParseDialogTemplate(data, length, &info);
    if (sound) patched.assign(data, data + info.size);
    if (data != nullptr) ::GlobalUnlock(replacement);
    ::GlobalFree(replacement);
    return sound;
  }
  return SubstitutePropertySheetFont(reinterpret_cast<const BYTE*>(lpTemplate), size, patched);
}

HWND CExtResDlg::CreateDialogWindow(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst) {
  std::vector<BYTE> work;
  if (!PatchDialogTemplate(lpDialogTemplate, m_templateSize, work)) return nullptr;
  extres::DialogTemplateInfo info;
  if (!extres::ParseDialogTemplate(work.data(), work.size(), &info)) return nullptr;

  // On double-byte systems the classic faces cannot show the characters: the system font does.
  if (info.hasFont && ::GetSystemMetrics(SM_DBCSENABLED)) {
    const std::wstring face = ToWide(info.faceName);
    if (_wcsicmp(face.c_str(), L"MS Shell Dlg") == 0 || _wcsicmp(face.c_str(), L"MS Sans Serif") == 0 ||
        _wcsicmp(face.c_str(), L"Helv") == 0) {
      LOGFONTW lf{};
      ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
      WORD size = info.pointSize;
      if (size == 8) {
        HDC screen = ::GetDC(nullptr);
        const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ::ReleaseDC(nullptr, screen);
        size = static_cast<WORD>(::MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, dpi));
      }
      work = extres::ReplaceDialogFont(work.data(), info, ToU16(lf.lfFaceName), size);
      if (!extres::ParseDialogTemplate(work.data(), work.size(), &info)) return nullptr;
    }
  }
  if (WantsRightToLeftLayout() && g_ResourceManagerHolder->IsRightToLeft())
    extres::AddDialogExStyle(work.data(), info, WS_EX_LAYOUTRTL);

  HINSTANCE module = m_hTemplateModule != nullptr ? m_hTemplateModule : hInst;
  if (module == nullptr) module = AfxGetResourceHandle();
  return CDialog::CreateDialogWindow(reinterpret_cast<LPCDLGTEMPLATE>(work.data()), hWndParent, module);
}

BOOL CExtResDlg::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  StoreName(lpszTemplateName, m_strTemplateName, m_lpszTemplateName);
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
  SetDlgInitTemplate(m_lpszTemplateName);
  HINSTANCE module = nullptr;
  std::size_t size = 0;
  LPCDLGTEMPLATE lpTemplate = FindTemplate(m_lpszTemplateName, &module, &size);
  if (lpTemplate == nullptr) return FALSE;
  m_hTemplateModule = module;
  m_templateSize = size;
  BOOL created = FALSE;
  try {
    created = CreateDlgIndirect(lpTemplate, pParentWnd, module);
  } catch (CException* e) {
    e->Delete();
    created = FALSE;
  }
  m_hTemplateModule = nullptr;
  m_templateSize = 0;
  return created;
}

BOOL CExtResDlg::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd); }

INT_PTR CExtResDlg::RememberTemplateAndDoModal() {
  SetDlgInitTemplate(m_lpszTemplateName);
  return DoModal();
}

INT_PTR CExtResDlg::DoModal() {
  const bool byName = m_lpszTemplateName != nullptr && m_lpDialogTemplate == nullptr && m_hDialogTemplate == nullptr;
  if (byName) {
    HINSTANCE module = nullptr;
    std::size_t size = 0;
    LPCDLGTEMPLATE lpTemplate = FindTemplate(m_lpszTemplateName, &module, &size);
    if (lpTemplate == nullptr) return -1;
    // The dialog-init data of a named template is found the same way as the template.
    if (m_pszDlgInitTemplate == nullptr && m_lpDialogInit == nullptr) SetDlgInitTemplate(m_lpszTemplateName);
    m_lpDialogTemplate = lpTemplate;
    m_hTemplateModule = module;
    m_templateSize = size;
  }
  INT_PTR result = -1;
  try {
    result = CDialog::DoModal();
  } catch (CException* e) {
    e->Delete();
    result = -1;
  }
  if (byName) {
    m_lpDialogTemplate = nullptr;
    m_hTemplateModule = nullptr;
    m_templateSize = 0;
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// Initialisation

BOOL CExtResDlg::ExecuteDlgInitFromResource(LPCTSTR lpszResourceName) {
  HRSRC res = nullptr;
  HINSTANCE module =
      lpszResourceName ? g_ResourceManagerHolder->FindResourceModule(kDlgInitType, lpszResourceName, nullptr, &res)
                       : nullptr;
  if (module == nullptr || res == nullptr) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
  }
  HGLOBAL handle = ::LoadResource(module, res);
  const void* data = handle ? ::LockResource(handle) : nullptr;
  if (data == nullptr) return FALSE;
  // Bounded by the resource's size: records that run past it fail the step.
  return ExecuteDlgInit(data, ::SizeofResource(module, res));
}

BOOL CExtResDlg::OnInitDialog() {
  BOOL initialised = TRUE;
  if (m_pszDlgInitTemplate != nullptr) {
    m_lpDialogInit = nullptr;
    initialised = ExecuteDlgInitFromResource(m_pszDlgInitTemplate);
  } else if (m_lpDialogInit != nullptr) {
    initialised = ExecuteDlgInit(m_lpDialogInit);
  }
  if (!initialised) {
    EndDialog(-1);
    return FALSE;
  }
  void* savedInit = m_lpDialogInit;
  LPCTSTR savedName = m_lpszTemplateName;
  m_lpDialogInit = nullptr;
  m_lpszTemplateName = nullptr;
  BOOL result = FALSE;
  try {
    result = CDialog::OnInitDialog();
  } catch (...) {
    m_lpDialogInit = savedInit;
    m_lpszTemplateName = savedName;
    throw;
  }
  m_lpDialogInit = savedInit;
  m_lpszTemplateName = savedName;
  return result;
}
