// A profile's usage statistics in the registry: the usage archive written as a registry
// archive under the profile's key, and read back only when it arrives whole.
#include <utility>
#include <vector>

#include "toolkit/foundation/cmd_profile.h"
#include "toolkit/foundation/registry_archive.h"

namespace {

// The usage counts of a profile, to put back when a load is refused half-way.
class UsageSnapshot {
 public:
  explicit UsageSnapshot(CExtCmdProfile& profile) : m_profile(profile), m_total(profile.m_nTotalUsage) {
    for (auto* pair = profile.m_mapCommands.PGetFirstAssoc(); pair != nullptr;
         pair = profile.m_mapCommands.PGetNextAssoc(pair))
      m_counts.emplace_back(pair->key, pair->value->m_nUsageCount);
  }
  void Restore() {
    m_profile.m_nTotalUsage = m_total;
    for (const auto& [id, count] : m_counts) {
      if (CExtCmdItem* item = m_profile.FindCommand(id)) item->m_nUsageCount = count;
    }
  }

 private:
  CExtCmdProfile& m_profile;
  UINT m_total;
  std::vector<std::pair<UINT, UINT>> m_counts;
};

}  // namespace

bool CExtCmdProfile::ArchiveToRegistry(LPCTSTR part1, LPCTSTR part2, bool save, HKEY root, bool throwOnFailure) {
  UsageSnapshot before(*this);
  try {
    CMemFile file(1024);
    if (save) {
      {
        CArchive ar(&file, CArchive::store, 4096);
        if (!SerializeUsage(ar, throwOnFailure)) return false;
        ar.Flush();
      }
      file.SeekToBegin();
      return SaveStreamToProfileKey(part1, part2, m_strName, file, root, throwOnFailure);
    }
    if (!LoadStreamFromProfileKey(part1, part2, m_strName, file, root, throwOnFailure)) return false;
    file.SeekToBegin();
    bool loaded = false;
    {
      CArchive ar(&file, CArchive::load, 4096);
      loaded = SerializeUsage(ar, throwOnFailure);
      // The archive ends with its closing 0: anything after it is not an archive written here.
      if (loaded) {
        BYTE extra = 0;
        loaded = ar.Read(&extra, 1) == 0;
      }
    }
    if (!loaded) {
      before.Restore();
      if (throwOnFailure) AfxThrowUserException();
      return false;
    }
    return true;
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  if (!save) before.Restore();
  return false;
}
