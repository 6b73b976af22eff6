#include "toolkit/foundation/cmd_item.h"

#include "toolkit/foundation/cmd_icon.h"
#include "toolkit/foundation/cmd_profile.h"
#include "toolkit/foundation/resource_manager.h"

namespace {

bool InRange(UINT id, UINT first, UINT last) { return id >= first && id <= last; }
bool IsSystemMenuId(UINT id) { return InRange(id, 0xF000, 0xF1EF); }
bool IsWindowListId(UINT id) { return InRange(id, 0xFF00, 0xFF09); }
// The framework's own commands: recent files, OLE verbs, system menu, window list.
bool IsFrameworkId(UINT id) {
  return InRange(id, 0xE110, 0xE11F) || InRange(id, 0xE210, 0xE21F) || IsSystemMenuId(id) || IsWindowListId(id);
}

}  // namespace

bool IsReservedCommandId(UINT id) { return IsSystemMenuId(id) || IsWindowListId(id); }

CExtCmdItem::CExtCmdItem(UINT id) : m_nCommandId(id) {}

CExtCmdItem::CExtCmdItem(const CExtCmdItem& other) : m_nCommandId(static_cast<UINT>(-1)) { AssignFrom(other); }

CExtCmdItem::~CExtCmdItem() = default;

void CExtCmdItem::AssignFrom(const CExtCmdItem& other) {
  if (&other == this) return;
  m_pProfile = other.m_pProfile;
  m_nCommandId = other.m_nCommandId;
  m_dwState = other.m_dwState;
  m_dwExtraState = other.m_dwExtraState;
  m_nIconIndex = other.m_nIconIndex;
  m_strMenuText = other.m_strMenuText;
  m_strToolBarText = other.m_strToolBarText;
  m_strToolTipText = other.m_strToolTipText;
  m_strStatusTipText = other.m_strStatusTipText;
  m_strAcceleratorText = other.m_strAcceleratorText;
  m_nUsageCount = other.m_nUsageCount;
  m_dwTag = other.m_dwTag;
}

void CExtCmdItem::MergeFrom(const CExtCmdItem& other) {
  if (other.m_nIconIndex >= 0) m_nIconIndex = other.m_nIconIndex;
  if (!other.m_strMenuText.IsEmpty()) m_strMenuText = other.m_strMenuText;
  if (!other.m_strToolBarText.IsEmpty()) m_strToolBarText = other.m_strToolBarText;
  if (!other.m_strToolTipText.IsEmpty()) m_strToolTipText = other.m_strToolTipText;
  if (!other.m_strStatusTipText.IsEmpty()) m_strStatusTipText = other.m_strStatusTipText;
  if (!other.m_strAcceleratorText.IsEmpty()) m_strAcceleratorText = other.m_strAcceleratorText;
}

void CExtCmdItem::NormalizeUsage() {
  if (m_pProfile == nullptr || m_pProfile->m_nTotalUsage < 0xFFFFFFFEu) return;
  m_pProfile->m_nTotalUsage >>= 1;
  for (const auto* pair = m_pProfile->m_mapCommands.PGetFirstAssoc(); pair != nullptr;
       pair = m_pProfile->m_mapCommands.PGetNextAssoc(pair)) {
    pair->value->m_nUsageCount >>= 1;
  }
}

void CExtCmdItem::ClearTipTexts() {
  m_strToolTipText.Empty();
  m_strStatusTipText.Empty();
}

bool CExtCmdItem::LoadTipTexts() {
  ClearTipTexts();
  if (m_nCommandId == 0 || static_cast<INT>(m_nCommandId) < 0) return false;
  CString text;
  if (!g_ResourceManagerHolder->LoadStringById(text, m_nCommandId)) return false;
  text.Replace(L'\t', L' ');
  text.Remove(L'\r');
  text.Trim();
  if (text.IsEmpty()) return false;
  const int lineFeed = text.ReverseFind(L'\n');
  if (lineFeed >= 0) {
    m_strToolTipText = text.Mid(lineFeed + 1);
    m_strToolTipText.Trim();
    m_strStatusTipText = text.Left(lineFeed);
    m_strStatusTipText.Trim();
  } else {
    m_strStatusTipText = text;
  }
  return true;
}

void CExtCmdItem::FillEmptyFrom(const CExtCmdItem& other) {
  if (m_nIconIndex < 0) m_nIconIndex = other.m_nIconIndex;
  if (m_strMenuText.IsEmpty()) m_strMenuText = other.m_strMenuText;
  if (m_strToolTipText.IsEmpty()) m_strToolTipText = other.m_strToolTipText;
  if (m_strStatusTipText.IsEmpty()) m_strStatusTipText = other.m_strStatusTipText;
  if (m_strAcceleratorText.IsEmpty()) m_strAcceleratorText = other.m_strAcceleratorText;
}

void CExtCmdItem::SetBasic(bool on) { PutStateBit(kBasic, on); }
bool CExtCmdItem::IsBasic() const { return IsFrameworkId(m_nCommandId) || (m_dwState & kBasic) != 0; }

bool CExtCmdItem::IsRarelyUsed() const {
  if (IsBasic()) return false;
  return GetUsagePercent() < GetRarelyUsedPercent();
}

void CExtCmdItem::SetForcedRarelyUsed(bool on) { PutStateBit(kForcedRarelyUsed, on); }
bool CExtCmdItem::IsForcedRarelyUsed() const {
  return !IsFrameworkId(m_nCommandId) && (m_dwState & kForcedRarelyUsed) != 0;
}

void CExtCmdItem::Enable(bool on) { PutStateBit(kDisabled, !on); }
bool CExtCmdItem::IsEnabled() const { return (m_dwState & kDisabled) == 0; }

void CExtCmdItem::SetCheck(bool on) {
  m_dwState &= ~(kChecked | kRadio | kIndeterminate);
  if (on) m_dwState |= kChecked;
}
bool CExtCmdItem::IsChecked() const { return (m_dwState & kChecked) != 0; }

void CExtCmdItem::SetRadio(bool on) {
  m_dwState &= ~(kChecked | kRadio | kIndeterminate);
  if (on) m_dwState |= kRadio;
}
bool CExtCmdItem::IsRadio() const { return (m_dwState & kRadio) != 0; }

void CExtCmdItem::SetIndeterminate(bool on) {
  m_dwState &= ~(kChecked | kRadio | kIndeterminate);
  if (on) m_dwState |= kIndeterminate;
}
bool CExtCmdItem::IsIndeterminate() const { return (m_dwState & kIndeterminate) != 0; }

void CExtCmdItem::SetMenuBarPlaceholder(bool on) { PutStateBit(kMenuBarPlaceholder, on); }
bool CExtCmdItem::IsMenuBarPlaceholder() const { return (m_dwState & kMenuBarPlaceholder) != 0; }

void CExtCmdItem::SetExtraFlag1(bool on) { m_dwExtraState = (m_dwExtraState & ~1u) | (on ? 1u : 0u); }
bool CExtCmdItem::IsExtraFlag1() const { return (m_dwExtraState & 1u) != 0; }

bool CExtCmdItem::UpdateFromCmdUI(CCmdTarget* target, UINT index) {
  CExtCmdItemUI ui(this, 0);
  ui.m_nIndex = index;
  if (IsReservedCommandId(m_nCommandId)) {
    ui.Enable(TRUE);
    return true;
  }
  return ui.DoUpdate(target, TRUE) != FALSE;
}

bool CExtCmdItem::DeliverToOwner(CWnd* window, bool send) {
  if (window == nullptr || window->GetSafeHwnd() == nullptr) return false;
  CWnd* target = window->GetOwner();  // the owner, else the parent
  return DeliverCommand(target != nullptr ? target->GetSafeHwnd() : nullptr, send);
}

bool CExtCmdItem::DeliverToWindow(CWnd* window, bool send) {
  return DeliverCommand(window != nullptr ? window->GetSafeHwnd() : nullptr, send);
}

bool CExtCmdItem::DeliverCommand(HWND target, bool send) {
  if (target == nullptr) return false;
  IncrementUsage();
  UINT message = WM_COMMAND;
  LPARAM lParam = 0;
  if (IsSystemMenuId(m_nCommandId)) {
    message = WM_SYSCOMMAND;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    lParam = MAKELPARAM(cursor.x, cursor.y);
  }
  if (send) return ::SendMessageW(target, message, m_nCommandId, lParam) != 0;
  return ::PostMessageW(target, message, m_nCommandId, lParam) != FALSE;
}

UINT CExtCmdItem::GetUsageCount() const { return m_nUsageCount; }

UINT CExtCmdItem::GetUsagePercent() const {
  const UINT total = GetProfileTotalUsage();
  if (total == 0) return 0;
  // Wide enough that a count above 42,949,672 still gives its true share.
  return static_cast<UINT>(static_cast<unsigned long long>(m_nUsageCount) * 100u / total);
}

void CExtCmdItem::IncrementUsage() {
  if (IsBasic() || IsForcedRarelyUsed()) return;
  ++m_nUsageCount;
  if (m_pProfile != nullptr) ++m_pProfile->m_nTotalUsage;
  NormalizeUsage();
}

void CExtCmdItem::ResetUsage() {
  if (!IsBasic() && !IsForcedRarelyUsed()) m_nUsageCount = 0;
}

UINT CExtCmdItem::GetProfileTotalUsage() const { return m_pProfile != nullptr ? m_pProfile->m_nTotalUsage : 0; }

UINT CExtCmdItem::GetRarelyUsedPercent() const {
  return m_pProfile != nullptr ? m_pProfile->m_nRarelyUsedPercent : 0;
}

void CExtCmdItem::SetRarelyUsedPercent(UINT percent) {
  if (m_pProfile != nullptr) m_pProfile->m_nRarelyUsedPercent = percent > 100 ? 100 : percent;
}

CExtCmdIcon* CExtCmdItem::FindIcon() const {
  return m_pProfile != nullptr ? m_pProfile->FindCommandIcon(m_nCommandId) : nullptr;
}

void CExtCmdItem::OnPaintManagerChanged() {
  if (CExtCmdIcon* icon = FindIcon()) icon->OnPaintManagerChanged();
}

void CExtCmdItem::OnSysColorChange(CExtPaintManager* manager) {
  if (CExtCmdIcon* icon = FindIcon()) icon->BuildDisabledImage(manager);
}

void CExtCmdItem::OnSettingChange(CExtPaintManager* manager, UINT flags, LPCTSTR section) {
  if (CExtCmdIcon* icon = FindIcon()) icon->OnSettingChange(manager, flags, section);
}

void CExtCmdItem::OnDisplayChange(CExtPaintManager* manager, INT depth, INT cx, INT cy) {
  if (CExtCmdIcon* icon = FindIcon()) icon->OnDisplayChange(manager, static_cast<UINT>(depth), cx, cy);
}

void CExtCmdItem::OnThemeChanged(CExtPaintManager* manager, WPARAM wParam, LPARAM lParam) {
  if (CExtCmdIcon* icon = FindIcon()) icon->OnThemeChanged(manager, wParam, lParam);
}

CString& CExtCmdItem::QueryDisplayText(CString& text) const {
  text = GetDisplayText();
  return text;
}

CString CExtCmdItem::GetDisplayText() const {
  if (!m_strMenuText.IsEmpty()) return m_strMenuText;
  if (!m_strToolTipText.IsEmpty()) return m_strToolTipText;
  if (!m_strToolBarText.IsEmpty()) return m_strToolBarText;
  return CString();
}

CString CExtCmdItem::GetStatusTipText() const { return m_strStatusTipText; }

bool CExtCmdItem::IsUsageArchivable() const {
  return !IsBasic() && !IsForcedRarelyUsed() && !IsMenuBarPlaceholder() && !IsSystemMenuId(m_nCommandId) &&
         m_nUsageCount != 0;
}

CExtCmdItemUI::CExtCmdItemUI(CExtCmdItem* item, UINT indexMax) : m_pCmd(item) {
  m_nID = item != nullptr ? item->m_nCommandId : 0;
  m_nIndexMax = indexMax;
  m_pOther = nullptr;
}

void CExtCmdItemUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  if (m_pCmd != nullptr) m_pCmd->Enable(bOn != FALSE);
}

void CExtCmdItemUI::SetCheck(int nCheck) {
  if (m_pCmd == nullptr) return;
  if (nCheck == 0 || nCheck == 1)
    m_pCmd->SetCheck(nCheck == 1);
  else
    m_pCmd->SetIndeterminate(true);
}

void CExtCmdItemUI::SetRadio(BOOL bOn) {
  if (m_pCmd != nullptr) m_pCmd->SetRadio(bOn != FALSE);
}

void CExtCmdItemUI::SetText(LPCTSTR lpszText) {
  if (m_pCmd != nullptr) m_pCmd->m_strMenuText = lpszText != nullptr ? lpszText : L"";
}
