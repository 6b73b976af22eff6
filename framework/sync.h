// Synchronisation objects over the kernel's: events, critical sections,
// mutexes and semaphores, and a scoped lock that works with any of them.
// Constructors raise CResourceException when the system object cannot be made.
#pragma once

#include "framework/cstring.h"
#include "framework/runtime.h"

class CSyncObject : public CObject {
  DECLARE_DYNAMIC(CSyncObject)
 public:
  explicit CSyncObject(LPCTSTR pstrName);
  ~CSyncObject() override;

  operator HANDLE() const { return m_hObject; }
  // Waits for the object; FALSE on time-out or failure.
  virtual BOOL Lock(DWORD dwTimeout = INFINITE);
  virtual BOOL Unlock() = 0;
  virtual BOOL Unlock(LONG, LPLONG = nullptr) { return TRUE; }

  HANDLE m_hObject = nullptr;

 protected:
  CString m_strName;
};

class CEvent : public CSyncObject {
  DECLARE_DYNAMIC(CEvent)
 public:
  // bInitiallyOwn: created signalled. bManualReset: stays signalled until
  // ResetEvent, else one waiting thread resets it.
  explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr,
                  LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

  BOOL SetEvent() { return ::SetEvent(m_hObject); }
  BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
  BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
  BOOL Unlock() override { return TRUE; }
};

// A critical section: recursive, for the threads of this process. Lock with a
// time-out polls (the system offers no timed wait on critical sections).
class CCriticalSection : public CSyncObject {
  DECLARE_DYNAMIC(CCriticalSection)
 public:
  CCriticalSection();
  ~CCriticalSection() override;

  operator CRITICAL_SECTION*() { return &m_sect; }
  BOOL Lock() {
    ::EnterCriticalSection(&m_sect);
    return TRUE;
  }
  BOOL Lock(DWORD dwTimeout) override;
  BOOL Unlock() override {
    ::LeaveCriticalSection(&m_sect);
    return TRUE;
  }

  CRITICAL_SECTION m_sect;
};

class CMutex : public CSyncObject {
  DECLARE_DYNAMIC(CMutex)
 public:
  explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = nullptr, LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);
  BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
};

class CSemaphore : public CSyncObject {
  DECLARE_DYNAMIC(CSemaphore)
 public:
  explicit CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = nullptr,
                      LPSECURITY_ATTRIBUTES lpsaAttributes = nullptr);
  BOOL Unlock() override { return Unlock(1, nullptr); }
  BOOL Unlock(LONG lCount, LPLONG lprevCount = nullptr) override {
    return ::ReleaseSemaphore(m_hObject, lCount, lprevCount);
  }
};

// Holds a lock on one object for the lifetime of the lock object.
class CSingleLock {
 public:
  explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
  ~CSingleLock() { Unlock(); }
  CSingleLock(const CSingleLock&) = delete;
  CSingleLock& operator=(const CSingleLock&) = delete;

  BOOL Lock(DWORD dwTimeOut = INFINITE);
  BOOL Unlock();
  BOOL Unlock(LONG lCount, LPLONG lPrevCount = nullptr);
  BOOL IsLocked() const { return m_bAcquired; }

 protected:
  CSyncObject* m_pObject;
  BOOL m_bAcquired = FALSE;
};
