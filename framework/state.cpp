#include <unordered_map>
#include <vector>

#include "framework/fwinternal.h"
#include "framework/fwstate.h"
#include "framework/runtime.h"
#include "framework/wnd.h"

namespace fw::detail {

ModuleState& GetModuleState() {
  static ModuleState state;
  return state;
}

namespace {

struct TempEntry {
  CObject* object;
  ReleaseTemporary release;
};

struct ThreadData {
  ThreadState state;
  std::unordered_map<void*, TempEntry> temps[static_cast<int>(HandleKind::Count)];
};

thread_local ThreadData* t_data = nullptr;

ThreadData& Data() {
  if (t_data == nullptr) t_data = new ThreadData;
  return *t_data;
}

struct PermanentMaps {
  SRWLOCK lock = SRWLOCK_INIT;
  std::unordered_map<void*, CObject*> maps[static_cast<int>(HandleKind::Count)];
};

PermanentMaps& Permanent() {
  static PermanentMaps maps;
  return maps;
}

}  // namespace

ThreadState& GetThreadState() { return Data().state; }

void FreeThreadState() {
  if (t_data == nullptr) return;
  if (CWnd* tip = t_data->state.pToolTip) {
    t_data->state.pToolTip = nullptr;
    if (tip->m_hWnd != nullptr) tip->DestroyWindow();
    delete tip;
  }
  DeleteAllTemporaries();
  delete t_data;
  t_data = nullptr;
}

void PermanentAdd(HandleKind kind, void* handle, CObject* object) {
  if (handle == nullptr) return;
  PermanentMaps& p = Permanent();
  AcquireSRWLockExclusive(&p.lock);
  p.maps[static_cast<int>(kind)][handle] = object;
  ReleaseSRWLockExclusive(&p.lock);
}

void PermanentRemove(HandleKind kind, void* handle, CObject* object) {
  if (handle == nullptr) return;
  PermanentMaps& p = Permanent();
  AcquireSRWLockExclusive(&p.lock);
  auto& map = p.maps[static_cast<int>(kind)];
  auto it = map.find(handle);
  if (it != map.end() && it->second == object) map.erase(it);
  ReleaseSRWLockExclusive(&p.lock);
}

CObject* PermanentLookup(HandleKind kind, void* handle) {
  if (handle == nullptr) return nullptr;
  PermanentMaps& p = Permanent();
  AcquireSRWLockShared(&p.lock);
  auto& map = p.maps[static_cast<int>(kind)];
  auto it = map.find(handle);
  CObject* found = it == map.end() ? nullptr : it->second;
  ReleaseSRWLockShared(&p.lock);
  return found;
}

CObject* TemporaryLookup(HandleKind kind, void* handle) {
  if (handle == nullptr) return nullptr;
  auto& map = Data().temps[static_cast<int>(kind)];
  auto it = map.find(handle);
  return it == map.end() ? nullptr : it->second.object;
}

void TemporaryAdd(HandleKind kind, void* handle, CObject* object, ReleaseTemporary release) {
  Data().temps[static_cast<int>(kind)][handle] = TempEntry{object, release};
}

void DeleteTemporaries(HandleKind kind) {
  if (t_data == nullptr) return;
  // Move the map out first: releasing a wrapper must not see a half-cleared map.
  std::unordered_map<void*, TempEntry> old;
  old.swap(t_data->temps[static_cast<int>(kind)]);
  for (auto& entry : old) entry.second.release(entry.second.object);
}

void DeleteAllTemporaries() {
  for (int k = 0; k < static_cast<int>(HandleKind::Count); ++k) DeleteTemporaries(static_cast<HandleKind>(k));
}

}  // namespace fw::detail

using fw::detail::GetModuleState;

HINSTANCE AFXAPI AfxGetInstanceHandle() {
  auto& m = GetModuleState();
  if (m.hInstance == nullptr) m.hInstance = ::GetModuleHandleW(nullptr);
  return m.hInstance;
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance) { GetModuleState().hInstance = hInstance; }

HINSTANCE AFXAPI AfxGetResourceHandle() {
  auto& m = GetModuleState();
  return m.hResource ? m.hResource : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { GetModuleState().hResource = hInstResource; }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  HINSTANCE hRes = AfxGetResourceHandle();
  if (::FindResourceW(hRes, lpszName, lpszType) != nullptr) return hRes;
  HINSTANCE hInst = AfxGetInstanceHandle();
  if (hInst != hRes && ::FindResourceW(hInst, lpszName, lpszType) != nullptr) return hInst;
  return hRes;
}

CWinApp* AFXAPI AfxGetApp() { return GetModuleState().pApp; }

// The program's one module state stands for every module's.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState() {
  return reinterpret_cast<AFX_MODULE_STATE*>(&GetModuleState());
}

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState() { return AfxGetModuleState(); }

AFX_MAINTAIN_STATE::AFX_MAINTAIN_STATE(AFX_MODULE_STATE*) : m_hSavedResource(GetModuleState().hResource) {}

AFX_MAINTAIN_STATE::~AFX_MAINTAIN_STATE() { GetModuleState().hResource = m_hSavedResource; }
