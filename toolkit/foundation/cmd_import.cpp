// Filling a command profile from menus and tool bars: menu texts and shortcuts, icons cut from
// tool-bar bitmaps, prompts and tooltips from the string resources.
#include "toolkit/foundation/cmd_import.h"

#include <commctrl.h>

#include "framework/toolbar_resource.h"
#include "toolkit/foundation/cmd_icon.h"
#include "toolkit/foundation/cmd_profile.h"
#include "toolkit/foundation/resource_manager.h"

namespace {

bool IsUsableId(UINT id) { return id != 0 && static_cast<INT>(id) >= 0; }

// A menu item's text: line breaks dropped, split at its last tab into the menu text and the
// shortcut text.
void SplitMenuText(CString text, CExtCmdItem& item) {
  text.Remove(L'\n');
  text.Remove(L'\r');
  text.Trim();
  if (text.IsEmpty()) return;
  const int tab = text.ReverseFind(L'\t');
  if (tab < 0) {
    item.m_strMenuText = text;
    return;
  }
  item.m_strAcceleratorText = text.Mid(tab + 1);
  item.m_strAcceleratorText.Trim();
  item.m_strMenuText = text.Left(tab);
  item.m_strMenuText.Trim();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Tool-bar record

ToolbarResourceData::ToolbarResourceData(HINSTANCE toolbarModule, UINT toolbarId, HINSTANCE bitmapModule,
                                         HRSRC bitmapResource, COLORREF transparent)
    : m_transparent(transparent) {
  if (!m_strip.LoadFromResourceHandle(bitmapModule, bitmapResource, true, false) || !m_strip.PromoteTo32Bpp(false)) {
    m_strip.Empty();
    return;
  }
  CToolBarResource resource;
  if (!resource.Load(toolbarId, toolbarModule) || resource.m_cxButton <= 0 || resource.m_cyButton <= 0) return;
  m_version = 1;
  m_cxImage = resource.m_cxButton;
  m_cyImage = resource.m_cyButton;
  m_ids = resource.m_ids;
  for (UINT id : m_ids) {
    if (id != 0) m_buttonIds.push_back(id);
  }
}

UINT ToolbarResourceData::ExtractButtonIcon(int index, CExtCmdIcon& icon) const {
  if (IsEmpty() || index < 0 || index >= GetImageCount()) return 0;
  icon.Empty();
  const RECT cell = {index * m_cxImage, 0, index * m_cxImage + m_cxImage, m_cyImage};
  CExtBitmap image;
  if (!image.CopyPart(m_strip, &cell, false) || !image.PromoteTo32Bpp(false)) return 0;
  if (m_transparent != static_cast<COLORREF>(-1)) image.SetAlphaByColorKey(m_transparent, 0, 0);
  icon.GetNormalBitmap().Assign(image, false);
  icon.OnIconChanged();
  return icon.IsBlank() ? 0 : m_buttonIds[static_cast<size_t>(index)];
}

UINT* ToolbarResourceData::CopyButtonIds(INT* count) const {
  if (count != nullptr) *count = static_cast<INT>(m_ids.size());
  UINT* ids = new UINT[m_ids.empty() ? 1 : m_ids.size()];
  for (size_t i = 0; i < m_ids.size(); ++i) ids[i] = m_ids[i];
  return ids;
}

// ---------------------------------------------------------------------------------------------
// Menus

bool CExtCmdProfile::ImportMenuResource(UINT menuId, bool replace, bool loadTips) {
  CMenu menu;
  if (!g_ResourceManagerHolder->LoadMenuById(menu, menuId)) return false;
  const bool result = ImportMenuHandle(menu.GetSafeHmenu(), replace, true, loadTips);
  menu.DestroyMenu();
  return result;
}

bool CExtCmdProfile::ImportMenuHandle(HMENU menu, bool replace, bool recurse, bool loadTips) {
  if (menu == nullptr || !::IsMenu(menu)) return false;
  const int count = ::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    wchar_t text[1024] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    info.dwTypeData = text;
    info.cch = 1024;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
    if ((info.fType & MFT_SEPARATOR) != 0) continue;
    if (info.hSubMenu != nullptr) {
      if (recurse) ImportMenuHandle(info.hSubMenu, replace, true, true);
      continue;
    }
    if (!IsUsableId(info.wID)) continue;
    CExtCmdItem item(info.wID);
    if ((info.fType & (MFT_BITMAP | MFT_OWNERDRAW)) == 0) {
      text[1023] = L'\0';
      SplitMenuText(CString(text), item);
    }
    if (loadTips) item.LoadTipTexts();
    PutCommand(item, replace);
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Tool bars

bool CExtCmdProfile::ImportToolbarResource(UINT toolbarId, UINT** ids, INT* count, bool replace, bool loadTips,
                                           COLORREF transparent) {
  if (toolbarId == 0) return false;
  CExtResourceManager* manager = g_ResourceManagerHolder.GetResourceManager();
  HINSTANCE toolbarModule = manager->FindResourceModule(RT_TOOLBAR, MAKEINTRESOURCEW(toolbarId));
  HRSRC bitmapResource = nullptr;
  HINSTANCE bitmapModule = manager->FindResourceModule(RT_BITMAP, MAKEINTRESOURCEW(toolbarId), nullptr, &bitmapResource);
  if (toolbarModule == nullptr || bitmapModule == nullptr || bitmapResource == nullptr) return false;
  const ToolbarResourceData data(toolbarModule, toolbarId, bitmapModule, bitmapResource, transparent);
  if (data.IsEmpty()) return false;
  for (int i = 0; i < data.GetImageCount(); ++i) {
    CExtCmdIcon* icon = new CExtCmdIcon;
    const UINT id = data.ExtractButtonIcon(i, *icon);
    if (id == 0 || icon->IsBlank()) {
      delete icon;
      continue;
    }
    CExtCmdItem item(id);
    if (loadTips) item.LoadTipTexts();
    if (PutCommand(item, replace))
      SetCommandIcon(id, icon, true);
    else
      delete icon;
  }
  if (ids != nullptr) {
    *ids = data.CopyButtonIds(count);
  } else if (count != nullptr) {
    *count = static_cast<INT>(data.m_ids.size());
  }
  return true;
}

bool CExtCmdProfile::ImportToolbarWindow(CWnd* toolBar, bool replace, bool loadTips) {
  if (toolBar == nullptr || toolBar->GetSafeHwnd() == nullptr) return false;
  HWND hwnd = toolBar->GetSafeHwnd();
  auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(hwnd, TB_GETIMAGELIST, 0, 0));
  if (images == nullptr) return false;
  const int buttons = static_cast<int>(::SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0));
  for (int position = 0; position < buttons; ++position) {
    TBBUTTON button{};
    if (!::SendMessageW(hwnd, TB_GETBUTTON, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&button)))
      continue;
    const UINT id = static_cast<UINT>(button.idCommand);
    if (id == 0 || (button.fsStyle & BTNS_SEP) != 0) continue;
    wchar_t text[1024] = {};
    int image = button.iBitmap;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT | TBIF_IMAGE;
    info.pszText = text;
    info.cchText = 1024;
    if (::SendMessageW(hwnd, TB_GETBUTTONINFOW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&info)) >= 0) {
      image = info.iImage;
    } else if (button.iString != 0 && !IS_INTRESOURCE(button.iString)) {
      lstrcpynW(text, reinterpret_cast<LPCWSTR>(button.iString), 1024);
    }
    text[1023] = L'\0';
    CExtCmdItem item(id);
    item.m_strToolBarText = text;
    if (loadTips) item.LoadTipTexts();
    bool added = false;
    if (!PutCommand(item, replace, &added)) continue;
    CExtCmdItem* stored = FindCommand(id);
    if (stored == nullptr || stored->m_nIconIndex >= 0 || image < 0) continue;
    HICON handle = ::ImageList_GetIcon(images, image, ILD_NORMAL);
    if (handle == nullptr) continue;
    auto* icon = new CExtCmdIcon;
    icon->ImportHICON(handle, false, false);  // takes the handle and destroys it
    if (icon->IsBlank()) {
      delete icon;
      continue;
    }
    stored->m_nIconIndex = static_cast<INT>(m_arrIcons.Add(icon));
  }
  return true;
}
