// Run-time class information, dynamic creation and the root class CObject.
#pragma once

#include "framework/fwdefs.h"

// Schema flag: the stored schema may differ from the current one; the class
// reads the archive's schema with CArchive::GetObjectSchema.
#define VERSIONABLE_SCHEMA 0x80000000u

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF: not serializable
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* (*m_pfnGetBaseClass)();
  CRuntimeClass* m_pNextClass;  // registry of all implemented classes

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
  CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }

  static CRuntimeClass* AFXAPI FromName(const char* lpszClassName);
  static CRuntimeClass* AFXAPI FromName(const wchar_t* lpszClassName);
  static CObject* AFXAPI CreateObject(const char* lpszClassName);
  static CObject* AFXAPI CreateObject(const wchar_t* lpszClassName);

  void Store(CArchive& ar) const;
  static CRuntimeClass* AFXAPI Load(CArchive& ar, UINT* pwSchemaNum);
};

// Registers a class at static-initialisation time so FromName finds it.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
 public:
  static CRuntimeClass* GetThisClass();
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}

 protected:
  CObject() = default;

 private:
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))

#define DECLARE_DYNAMIC(class_name)                 \
 public:                                            \
  static CRuntimeClass* GetThisClass();             \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name)    \
  friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                      \
  CRuntimeClass* class_name::GetThisClass() {                                                       \
    static CRuntimeClass rc = {#class_name, static_cast<int>(sizeof(class_name)), (UINT)(wSchema), \
                               pfnNew, &base_class_name::GetThisClass, nullptr};                    \
    return &rc;                                                                                     \
  }                                                                                                 \
  CRuntimeClass* class_name::GetRuntimeClass() const { return class_name::GetThisClass(); }        \
  static const AFX_CLASSINIT fw_classinit_##class_name(class_name::GetThisClass());

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)            \
  CObject* class_name::CreateObject() { return new class_name; } \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, &class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                 \
  CObject* class_name::CreateObject() { return new class_name; }                              \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, &class_name::CreateObject)  \
  CArchive& operator>>(CArchive& ar, class_name*& pOb) {                                       \
    pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                 \
    return ar;                                                                                 \
  }
