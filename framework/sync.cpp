#include "framework/sync.h"

#include "framework/exceptions.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)

CSyncObject::CSyncObject(LPCTSTR pstrName) : m_strName(pstrName) {}

CSyncObject::~CSyncObject() {
  if (m_hObject != nullptr) ::CloseHandle(m_hObject);
  m_hObject = nullptr;
}

BOOL CSyncObject::Lock(DWORD dwTimeout) {
  if (m_hObject == nullptr) return FALSE;
  DWORD r = ::WaitForSingleObject(m_hObject, dwTimeout);
  // An abandoned mutex is still owned by the caller now.
  return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName) {
  m_hObject = ::CreateEventW(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName);
  if (m_hObject == nullptr) AfxThrowResourceException();
}

CCriticalSection::CCriticalSection() : CSyncObject(nullptr) {
  if (!::InitializeCriticalSectionAndSpinCount(&m_sect, 0)) AfxThrowResourceException();
}

CCriticalSection::~CCriticalSection() { ::DeleteCriticalSection(&m_sect); }

BOOL CCriticalSection::Lock(DWORD dwTimeout) {
  if (dwTimeout == INFINITE) return Lock();
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (::TryEnterCriticalSection(&m_sect)) return TRUE;
    if (::GetTickCount() - start >= dwTimeout) return FALSE;
    ::Sleep(1);
  }
}

CMutex::CMutex(BOOL bInitiallyOwn, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute) : CSyncObject(lpszName) {
  m_hObject = ::CreateMutexW(lpsaAttribute, bInitiallyOwn, lpszName);
  if (m_hObject == nullptr) AfxThrowResourceException();
}

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCTSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttributes)
    : CSyncObject(pstrName) {
  if (lMaxCount < 1 || lInitialCount < 0 || lInitialCount > lMaxCount) AfxThrowInvalidArgException();
  m_hObject = ::CreateSemaphoreW(lpsaAttributes, lInitialCount, lMaxCount, pstrName);
  if (m_hObject == nullptr) AfxThrowResourceException();
}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock) : m_pObject(pObject) {
  if (pObject == nullptr) AfxThrowInvalidArgException();
  if (bInitialLock) Lock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut) {
  if (m_bAcquired) return TRUE;
  m_bAcquired = m_pObject->Lock(dwTimeOut);
  return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
  if (m_bAcquired) m_bAcquired = !m_pObject->Unlock();
  return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount) {
  if (m_bAcquired) m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
  return !m_bAcquired;
}
