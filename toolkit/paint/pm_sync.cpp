// State streaming between global holders and the holder's own archive format.
#include <vector>

#include "toolkit/paint/paint_manager.h"

CExtPmSynchronizeSink::CExtPmSynchronizeSink() : m_ownerThreadId(::GetCurrentThreadId()) {}

CExtPmSynchronizeSink::~CExtPmSynchronizeSink() = default;

int CExtPmSynchronizeSink::FindSyncedSink(CExtPmSynchronizeSink* sink) const {
  for (std::size_t i = 0; i < m_syncedSinks.size(); ++i)
    if (m_syncedSinks[i]->IsSameSink(sink)) return static_cast<int>(i);
  return -1;
}

bool CExtPmSynchronizeSink::DoSetSyncedSink(CExtPmSynchronizeSink* sink, bool add, bool pushNow) {
  if (add) {
    if (sink == nullptr || sink->IsSameSink(this) || sink->OwnerThreadId() != OwnerThreadId()) return false;
    if (FindSyncedSink(sink) < 0) m_syncedSinks.push_back(sink);
    if (pushNow) {
      if (IStream* stream = SaveStateToStream(nullptr)) {
        sink->LoadStateFromStream(stream);
        stream->Release();
      }
    }
    return true;
  }
  if (sink == nullptr) {
    m_syncedSinks.clear();
    return true;
  }
  const int at = FindSyncedSink(sink);
  if (at < 0) return false;
  m_syncedSinks.erase(m_syncedSinks.begin() + at);
  return true;
}

void CExtPmSynchronizeSink::BroadcastState(HGLOBAL memory) {
  IStream* stream = SaveStateToStream(memory);
  if (stream == nullptr) return;
  const std::vector<CExtPmSynchronizeSink*> sinks = m_syncedSinks;
  for (CExtPmSynchronizeSink* sink : sinks) {
    sink->LoadStateFromStream(stream);
    LARGE_INTEGER zero{};
    if (FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr))) break;
  }
  stream->Release();
}

bool CExtPaintManager::CExtPaintManagerAutoPtr::SetSyncedSink(CExtPmSynchronizeSink* sink, bool add, bool pushNow) {
  return DoSetSyncedSink(sink, add, pushNow);
}

IStream* CExtPmSynchronizeSink::WriteStateStream(HGLOBAL memory, CRuntimeClass* stateClass,
                                                const std::function<void(CArchive&)>& serialize) {
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(memory, memory == nullptr, &stream)) || stream == nullptr) return nullptr;
  try {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store, 4096);
      ar.WriteClass(stateClass);
      serialize(ar);
      ar.Close();
    }
    const UINT size = static_cast<UINT>(file.GetLength());
    BYTE* bytes = file.Detach();
    ULONG written = 0;
    const HRESULT hr = stream->Write(bytes, size, &written);
    free(bytes);
    LARGE_INTEGER zero{};
    if (FAILED(hr) || written != size || FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr)))
      AfxThrowArchiveException(CArchiveException::genericException);
    return stream;
  } catch (CException* e) {
    e->Delete();
  }
  stream->Release();
  return nullptr;
}

std::vector<BYTE> CExtPmSynchronizeSink::ReadRestOfStream(IStream* stream) {
  std::vector<BYTE> data;
  BYTE chunk[4096];
  for (;;) {
    ULONG got = 0;
    if (FAILED(stream->Read(chunk, sizeof chunk, &got)) || got == 0) break;
    data.insert(data.end(), chunk, chunk + got);
  }
  return data;
}

IStream* CExtPaintManager::CExtPaintManagerAutoPtr::SaveStateToStream(HGLOBAL memory) {
  CExtPaintManager* manager = CurrentManager();
  if (manager == nullptr) return nullptr;
  return WriteStateStream(memory, manager->GetRuntimeClass(),
                          [manager](CArchive& ar) { manager->SerializeSynchronizedState(ar); });
}

namespace {

// Reads a class record and makes sure it names a creatable paint manager before creating
// anything: an archive must not make the program build objects of arbitrary classes.
CExtPaintManager* CreateManagerFromArchive(CArchive& ar) {
  CRuntimeClass* rc = ar.ReadClass();
  if (rc == nullptr || !rc->IsDerivedFrom(RUNTIME_CLASS(CExtPaintManager)) || rc->m_pfnCreateObject == nullptr)
    AfxThrowArchiveException(CArchiveException::badClass);
  CObject* object = rc->CreateObject();
  if (object == nullptr) AfxThrowArchiveException(CArchiveException::badClass);
  if (!object->IsKindOf(RUNTIME_CLASS(CExtPaintManager))) {
    delete object;
    AfxThrowArchiveException(CArchiveException::badClass);
  }
  return static_cast<CExtPaintManager*>(object);
}

}  // namespace

void CExtPaintManager::CExtPaintManagerAutoPtr::LoadStateFromStream(IStream* stream) {
  if (stream == nullptr || m_loadingState) return;
  m_loadingState = true;
  CExtPaintManager* manager = nullptr;
  try {
    std::vector<BYTE> data = ReadRestOfStream(stream);
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    CArchive ar(&file, CArchive::load, 4096);
    manager = CreateManagerFromArchive(ar);
    manager->SerializeSynchronizedState(ar);
    CExtPaintManager* handed = manager;
    manager = nullptr;
    if (ReplaceManager(handed)) BroadcastState(nullptr);
  } catch (CException* e) {
    e->Delete();
  }
  delete manager;
  m_loadingState = false;
}

bool CExtPaintManager::CExtPaintManagerAutoPtr::SerializeManager(CArchive& ar, bool rethrow) {
  CExtPaintManager* manager = nullptr;
  try {
    if (ar.IsStoring()) {
      CExtPaintManager* current = CurrentManager();
      if (current == nullptr) AfxThrowArchiveException(CArchiveException::genericException);
      for (int i = 0; i < 5; ++i) ar << static_cast<DWORD>(0);
      ar.WriteClass(current->GetRuntimeClass());
      current->SerializeThemeState(ar, rethrow);
    } else {
      DWORD skip = 0;
      for (int i = 0; i < 5; ++i) ar >> skip;
      manager = CreateManagerFromArchive(ar);
      manager->SerializeThemeState(ar, rethrow);
      CExtPaintManager* handed = manager;
      manager = nullptr;
      ReplaceManager(handed);
    }
  } catch (CException* e) {
    delete manager;
    if (rethrow) throw;
    e->Delete();
    return false;
  }
  return true;
}
