// The toolkit's dialog base: a framework dialog whose template, dialog-init data and property-
// sheet font are found through the resource manager, so a dialog follows the toolkit's resource
// language and module, and which follows the current theme through its paint-manager bridge.
// Before a window is made from a template, the template may be replaced (by the resource manager
// or the theme) or have its font changed to the property-sheet font.
#pragma once

#include <vector>

#include "framework/afxwin.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

// The font the system's property sheets use, read once from the common-controls library.
struct CExtResPP {
  // The face and point size of the property-sheet (or wizard) dialog; false when they could
  // not be read. The first call reads them, every later call answers from the cache.
  static bool stat_GetPropSheetFont(CString& face, WORD& pointSize, bool wizard);
  // Puts a face and size in the cache in place of the system's; size 0 empties the cache so
  // the next call reads the system again. Lets tests take the substitution's every branch.
  static void stat_SetPropSheetFont(LPCWSTR face, int pointSize);
};

class CExtResDlg : public CDialog, public CExtPmBridge {
  DECLARE_DYNCREATE(CExtResDlg)

 public:
  CExtResDlg();
  explicit CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CExtResDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CExtResDlg() override;

  // Modeless creation from a template that the resource manager finds; false (and no window)
  // when the template is missing or damaged.
  BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr) override;
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;
  using CDialog::CreateIndirect;

  // The template's name also names the dialog-init data.
  INT_PTR RememberTemplateAndDoModal();
  // -1 when the template is missing or damaged, or when creation failed.
  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;

  // The template to create the window from: a replacement from the resource manager, else from
  // the theme, else a copy with the property-sheet font substituted. False for a template that
  // cannot be read within size bytes (size 0: not known).
  virtual bool PatchDialogTemplate(LPCDLGTEMPLATE lpTemplate, std::size_t size, std::vector<BYTE>& patched);
  virtual bool WantsRightToLeftLayout() { return false; }

  // Runs the dialog-init resource of that name, found through the resource manager.
  BOOL ExecuteDlgInitFromResource(LPCTSTR lpszResourceName);

  // Bridge to the paint-manager holder.
  void RegisterBridge(bool atTail = true) override;
  void UnregisterBridge() override;
  HWND BridgedWindow() override { return m_hWnd; }
  CExtPaintManager* BridgedManager() override;

  // The template name of the dialog-init step (a string kept in m_strDlgInitTemplate, or an id).
  LPCTSTR m_pszDlgInitTemplate = nullptr;

  // Copies the template with the property-sheet font when it uses one of the two classic shell
  // faces at the property sheet's point size; false for a damaged template.
  static bool SubstitutePropertySheetFont(const BYTE* data, std::size_t size, std::vector<BYTE>& out);

 protected:
  HWND CreateDialogWindow(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst) override;
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  DECLARE_MESSAGE_MAP()

 private:
  void SetDlgInitTemplate(LPCTSTR name);
  // Finds and checks the named template; null when missing or damaged.
  LPCDLGTEMPLATE FindTemplate(LPCTSTR name, HINSTANCE* module, std::size_t* size);

  DWORD m_dwReserved1 = 0;
  DWORD m_dwReserved2 = 0;
  CString m_strDlgInitTemplate;
  HINSTANCE m_hTemplateModule = nullptr;  // the module the template came from, while creating
  std::size_t m_templateSize = 0;         // its size when known
};
