// The global resource-manager holder and the state it exchanges with the other global holders.
#include <vector>

#include "toolkit/foundation/resource_manager.h"

namespace {

// The paint manager builds its user-interface font with the face the resource manager imposes.
LPCWSTR ImposedFontFace();

}  // namespace

CExtResourceManager::CExtResourceManagerAutoPtr g_ResourceManagerHolder;

namespace {

LPCWSTR ImposedFontFace() { return g_ResourceManagerHolder->GetFontFaceName(); }

}  // namespace

CExtResourceManager::CExtResourceManagerAutoPtr::CExtResourceManagerAutoPtr() {
  // The manager's font is deleted with the holder at exit: the framework's handle maps must be
  // built before (and so destroyed after) this object.
  {
    CFont probe;
    probe.CreateStockObject(DEFAULT_GUI_FONT);
  }
  g_pfnPaintManagerFontFace = &ImposedFontFace;
}

CExtResourceManager::CExtResourceManagerAutoPtr::~CExtResourceManagerAutoPtr() {
  if (g_pfnPaintManagerFontFace == &ImposedFontFace && this == &g_ResourceManagerHolder)
    g_pfnPaintManagerFontFace = nullptr;
  delete m_pManager;
  m_pManager = nullptr;
}

CExtResourceManager* CExtResourceManager::CExtResourceManagerAutoPtr::GetResourceManager() {
  if (m_pManager == nullptr) m_pManager = new CExtResourceManager;
  return m_pManager;
}

void CExtResourceManager::CExtResourceManagerAutoPtr::InstallResourceManager(CExtResourceManager* manager) {
  if (manager != nullptr && manager == m_pManager) return;
  delete m_pManager;
  m_pManager = manager != nullptr ? manager : new CExtResourceManager;
}

bool CExtResourceManager::CExtResourceManagerAutoPtr::SetSyncedSink(CExtPmSynchronizeSink* sink, bool add,
                                                                    bool pushNow) {
  return DoSetSyncedSink(sink, add, pushNow);
}

IStream* CExtResourceManager::CExtResourceManagerAutoPtr::SaveStateToStream(HGLOBAL memory) {
  CExtResourceManager* manager = m_pManager;
  if (manager == nullptr) return nullptr;
  return WriteStateStream(memory, manager->GetRuntimeClass(), [manager](CArchive& ar) { manager->SerializeState(ar); });
}

void CExtResourceManager::CExtResourceManagerAutoPtr::LoadStateFromStream(IStream* stream) {
  if (stream == nullptr || m_loadingState) return;
  m_loadingState = true;
  CObject* object = nullptr;
  try {
    std::vector<BYTE> data = ReadRestOfStream(stream);
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    CArchive ar(&file, CArchive::load, 4096);
    CRuntimeClass* rc = ar.ReadClass();
    // Only a resource manager is built from a stream: another holder's state (a paint
    // manager's, say) names a class that must not be created here.
    if (rc != nullptr && rc->IsDerivedFrom(RUNTIME_CLASS(CExtResourceManager)) && rc->m_pfnCreateObject != nullptr)
      object = rc->CreateObject();
    if (object != nullptr && object->IsKindOf(RUNTIME_CLASS(CExtResourceManager))) {
      auto* manager = static_cast<CExtResourceManager*>(object);
      manager->SerializeState(ar);
      object = nullptr;
      InstallResourceManager(manager);
      BroadcastState(nullptr);
    }
  } catch (CException* e) {
    e->Delete();
  }
  delete object;
  m_loadingState = false;
}
