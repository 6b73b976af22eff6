#include "framework/runtime.h"

#include <cstring>
#include <string>

#include "framework/exceptions.h"

namespace {

// Head of the chain of every registered class. A function-local static so
// registration from other translation units' initialisers is safe.
CRuntimeClass*& ClassListHead() {
  static CRuntimeClass* head = nullptr;
  return head;
}

CRITICAL_SECTION& ClassListLock() {
  static CRITICAL_SECTION cs = [] {
    CRITICAL_SECTION c;
    InitializeCriticalSection(&c);
    return c;
  }();
  return cs;
}

}  // namespace

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) {
  EnterCriticalSection(&ClassListLock());
  for (CRuntimeClass* p = ClassListHead(); p; p = p->m_pNextClass) {
    if (p == pNewClass) {
      LeaveCriticalSection(&ClassListLock());
      return;
    }
  }
  pNewClass->m_pNextClass = ClassListHead();
  ClassListHead() = pNewClass;
  LeaveCriticalSection(&ClassListLock());
}

CObject* CRuntimeClass::CreateObject() const {
  if (m_pfnCreateObject == nullptr) return nullptr;
  return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  if (pBaseClass == nullptr) return FALSE;
  for (const CRuntimeClass* p = this; p; p = p->GetBaseClass()) {
    if (p == pBaseClass) return TRUE;
  }
  return FALSE;
}

CRuntimeClass* AFXAPI CRuntimeClass::FromName(const char* lpszClassName) {
  if (lpszClassName == nullptr) return nullptr;
  // CObject registers itself lazily: it has no IMPLEMENT macro.
  if (std::strcmp(lpszClassName, "CObject") == 0) return CObject::GetThisClass();
  EnterCriticalSection(&ClassListLock());
  CRuntimeClass* found = nullptr;
  for (CRuntimeClass* p = ClassListHead(); p; p = p->m_pNextClass) {
    if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0) {
      found = p;
      break;
    }
  }
  LeaveCriticalSection(&ClassListLock());
  return found;
}

CRuntimeClass* AFXAPI CRuntimeClass::FromName(const wchar_t* lpszClassName) {
  if (lpszClassName == nullptr) return nullptr;
  std::string narrow;
  for (const wchar_t* p = lpszClassName; *p; ++p) {
    if (*p > 0x7F) return nullptr;  // class names are plain identifiers
    narrow.push_back(static_cast<char>(*p));
  }
  return FromName(narrow.c_str());
}

CObject* AFXAPI CRuntimeClass::CreateObject(const char* lpszClassName) {
  CRuntimeClass* p = FromName(lpszClassName);
  return p ? p->CreateObject() : nullptr;
}

CObject* AFXAPI CRuntimeClass::CreateObject(const wchar_t* lpszClassName) {
  CRuntimeClass* p = FromName(lpszClassName);
  return p ? p->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetThisClass() {
  static CRuntimeClass rc = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr, nullptr};
  return &rc;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return CObject::GetThisClass(); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::Serialize(CArchive&) {}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
  if (pObject != nullptr && pObject->IsKindOf(pClass)) return pObject;
  return nullptr;
}
