#include "toolkit/foundation/cmd_profile.h"

#include <vector>

#include "toolkit/foundation/cmd_icon.h"

namespace {

bool IsUsableId(UINT id) { return id != 0 && static_cast<INT>(id) >= 0; }
bool IsSystemMenuId(UINT id) { return id >= 0xF000 && id <= 0xF1EF; }

template <typename Map, typename Call>
void ForEachItem(Map& map, Call call) {
  for (auto* pair = map.PGetFirstAssoc(); pair != nullptr; pair = map.PGetNextAssoc(pair)) call(pair->value);
}

}  // namespace

CExtCmdProfile::CExtCmdProfile(LPCTSTR name) : m_strName(name != nullptr ? name : L"") {}

CExtCmdProfile::~CExtCmdProfile() {
  DeleteAllIcons();
  DeleteAllItems();
}

void CExtCmdProfile::DeleteAllIcons() {
  for (INT_PTR i = 0; i < m_arrIcons.GetSize(); ++i) delete m_arrIcons[i];
  m_arrIcons.RemoveAll();
}

void CExtCmdProfile::DeleteAllItems() {
  ForEachItem(m_mapCommands, [](CExtCmdItem* item) { delete item; });
  m_mapCommands.RemoveAll();
}

void CExtCmdProfile::RemoveIconAt(INT index) {
  if (index < 0 || index >= m_arrIcons.GetSize()) return;
  delete m_arrIcons[index];
  m_arrIcons.RemoveAt(index);
  ForEachItem(m_mapCommands, [index](CExtCmdItem* item) {
    if (item->m_nIconIndex >= index) --item->m_nIconIndex;
  });
}

bool CExtCmdProfile::PutCommand(const CExtCmdItem& item, bool replace, bool* added) {
  if (added != nullptr) *added = false;
  if (!IsUsableId(item.m_nCommandId)) return false;
  CExtCmdItem* existing = nullptr;
  if (m_mapCommands.Lookup(item.m_nCommandId, existing)) {
    // A template's icon index belongs to no array of this profile: texts only.
    CExtCmdItem source(item);
    if (source.m_pProfile != this) source.m_nIconIndex = -1;
    if (replace)
      existing->MergeFrom(source);
    else
      existing->FillEmptyFrom(source);
    return true;
  }
  CExtCmdItem* copy = CloneCommand(item);
  if (copy->m_pProfile != this) copy->m_nIconIndex = -1;
  copy->m_pProfile = this;
  m_mapCommands.SetAt(item.m_nCommandId, copy);
  if (added != nullptr) *added = true;
  return true;
}

bool CExtCmdProfile::DropCommand(UINT id, bool* removed) {
  if (removed != nullptr) *removed = false;
  if (!IsUsableId(id)) return false;
  CExtCmdItem* item = nullptr;
  if (!m_mapCommands.Lookup(id, item)) return true;
  const INT index = item->m_nIconIndex;
  delete item;
  m_mapCommands.RemoveKey(id);
  if (removed != nullptr) *removed = true;
  if (index >= 0) RemoveIconAt(index);
  return true;
}

void CExtCmdProfile::ClearCommands() {
  DeleteAllIcons();
  DeleteAllItems();
}

void CExtCmdProfile::DropCommandsByFlags(DWORD stateMask, DWORD extraMask, bool allState, bool allExtra) {
  std::vector<UINT> ids;
  ForEachItem(m_mapCommands, [&](CExtCmdItem* item) {
    const DWORD state = item->m_dwState & stateMask;
    const DWORD extra = item->m_dwExtraState & extraMask;
    if (state == 0 && extra == 0) return;
    if (allState && state != stateMask) return;
    if (allExtra && extra != extraMask) return;
    ids.push_back(item->m_nCommandId);
  });
  for (UINT id : ids) DropCommand(id);
}

CExtCmdItem* CExtCmdProfile::NewCommand(UINT id) {
  if (id != 0) {
    if (FindCommand(id) != nullptr) return nullptr;
  } else {
    for (UINT candidate = 0xFFFE; candidate >= 1; --candidate) {
      if (FindCommand(candidate) == nullptr) {
        id = candidate;
        break;
      }
    }
    if (id == 0) return nullptr;
  }
  CExtCmdItem blank(id);
  if (!PutCommand(blank, false)) return nullptr;
  return FindCommand(id);
}

CExtCmdItem* CExtCmdProfile::FindCommand(UINT id) const {
  if (!IsUsableId(id)) return nullptr;
  CExtCmdItem* item = nullptr;
  return m_mapCommands.Lookup(id, item) ? item : nullptr;
}

bool CExtCmdProfile::SetCommandIcon(UINT id, CExtCmdIcon* icon, bool takeOwnership) {
  if (!IsUsableId(id)) return false;
  if (icon != nullptr && icon->IsBlank()) {
    if (takeOwnership) delete icon;
    icon = nullptr;
  }
  CExtCmdItem* item = FindCommand(id);
  if (item == nullptr) return false;  // an offered icon stays with the caller
  if (icon != nullptr) {
    if (item->m_nIconIndex < 0) {
      CExtCmdIcon* stored = takeOwnership ? icon : new (std::nothrow) CExtCmdIcon(*icon);
      if (stored == nullptr) return false;
      item->m_nIconIndex = static_cast<INT>(m_arrIcons.Add(stored));
    } else if (takeOwnership) {
      delete m_arrIcons[item->m_nIconIndex];
      m_arrIcons[item->m_nIconIndex] = icon;
    } else {
      m_arrIcons[item->m_nIconIndex]->Assign(*icon);
    }
    return true;
  }
  if (item->m_nIconIndex >= 0) {
    const INT index = item->m_nIconIndex;
    item->m_nIconIndex = -1;
    RemoveIconAt(index);
  }
  return true;
}

CExtCmdIcon* CExtCmdProfile::FindCommandIcon(UINT id) const {
  const CExtCmdItem* item = FindCommand(id);
  if (item == nullptr || item->m_nIconIndex < 0 || item->m_nIconIndex >= m_arrIcons.GetSize()) return nullptr;
  return m_arrIcons[item->m_nIconIndex];
}

bool CExtCmdProfile::MarkBasicCommands(const UINT* ids, bool on) {
  if (ids == nullptr) return false;
  bool all = true;
  for (; *ids != 0; ++ids) {
    if (IsSystemMenuId(*ids)) {
      all = false;
      continue;
    }
    CExtCmdItem* item = FindCommand(*ids);
    if (item == nullptr) {
      all = false;
      continue;
    }
    item->SetBasic(on);
  }
  return all;
}

bool CExtCmdProfile::SerializeUsage(CArchive& ar, bool rethrow) {
  try {
    if (ar.IsStoring()) {
      for (int i = 0; i < 5; ++i) ar << static_cast<DWORD>(0);
      ar << static_cast<DWORD>(m_nTotalUsage);
      ForEachItem(m_mapCommands, [&ar](CExtCmdItem* item) {
        if (item->IsUsageArchivable()) ar << static_cast<DWORD>(item->m_nCommandId) << static_cast<DWORD>(item->m_nUsageCount);
      });
      ar << static_cast<DWORD>(0);
      return true;
    }
    DWORD value = 0;
    for (int i = 0; i < 5; ++i) ar >> value;
    ar >> value;
    m_nTotalUsage = value;
    for (;;) {
      DWORD id = 0;
      ar >> id;
      if (id == 0) return true;
      DWORD count = 0;
      ar >> count;
      CExtCmdItem* item = FindCommand(id);
      if (item != nullptr && !item->IsBasic() && !item->IsForcedRarelyUsed() && !IsSystemMenuId(id))
        item->m_nUsageCount = count;
    }
  } catch (CException* e) {
    if (rethrow) throw;
    e->Delete();
  } catch (...) {
    if (rethrow) throw;
  }
  return false;
}

void CExtCmdProfile::OnPaintManagerChangedAll() {
  ForEachItem(m_mapCommands, [](CExtCmdItem* item) { item->OnPaintManagerChanged(); });
}

void CExtCmdProfile::OnSysColorChangeAll(CExtPaintManager* manager) {
  ForEachItem(m_mapCommands, [manager](CExtCmdItem* item) { item->OnSysColorChange(manager); });
}

void CExtCmdProfile::OnSettingChangeAll(CExtPaintManager* manager, UINT flags, LPCTSTR section) {
  ForEachItem(m_mapCommands, [&](CExtCmdItem* item) { item->OnSettingChange(manager, flags, section); });
}

void CExtCmdProfile::OnDisplayChangeAll(CExtPaintManager* manager, INT depth, INT cx, INT cy) {
  ForEachItem(m_mapCommands, [&](CExtCmdItem* item) { item->OnDisplayChange(manager, depth, cx, cy); });
}

void CExtCmdProfile::OnThemeChangedAll(CExtPaintManager* manager, WPARAM wParam, LPARAM lParam) {
  ForEachItem(m_mapCommands, [&](CExtCmdItem* item) { item->OnThemeChanged(manager, wParam, lParam); });
}

void CExtCmdProfile::ResetAllUsage() {
  ForEachItem(m_mapCommands, [](CExtCmdItem* item) { item->ResetUsage(); });
  m_nTotalUsage = 0;
}

void CExtCmdProfile::AssignProfile(const CExtCmdProfile& other) {
  if (&other == this) return;
  m_strName = other.m_strName;
  m_nRarelyUsedPercent = other.m_nRarelyUsedPercent;
  m_nTotalUsage = other.m_nTotalUsage;
  m_dwReserved = other.m_dwReserved;
  DeleteAllItems();
  for (const auto* pair = other.m_mapCommands.PGetFirstAssoc(); pair != nullptr;
       pair = other.m_mapCommands.PGetNextAssoc(pair)) {
    CExtCmdItem* copy = CloneCommand(*pair->value);
    copy->m_pProfile = this;
    m_mapCommands.SetAt(pair->key, copy);
  }
  DeleteAllIcons();
  for (INT_PTR i = 0; i < other.m_arrIcons.GetSize(); ++i) m_arrIcons.Add(new CExtCmdIcon(*other.m_arrIcons[i]));
}
