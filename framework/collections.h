// The non-template collections: arrays, lists and maps of bytes, words,
// pointers, objects and strings. Pointer collections do not serialise
// (Serialize raises CNotSupportedException).
#pragma once

#include "framework/coll.h"

class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)
 public:
  using CArray<BYTE, BYTE>::CArray;
};

class CWordArray : public CArray<WORD, WORD> {
  DECLARE_SERIAL(CWordArray)
 public:
  using CArray<WORD, WORD>::CArray;
};

class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)
 public:
  using CArray<DWORD, DWORD>::CArray;
};

class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_SERIAL(CUIntArray)
 public:
  using CArray<UINT, UINT>::CArray;
};

class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)
 public:
  using CArray<CObject*, CObject*>::CArray;
};

class CStringArray : public CArray<CString, const CString&> {
  DECLARE_SERIAL(CStringArray)
 public:
  using CArray<CString, const CString&>::CArray;
};

class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
 public:
  using CArray<void*, void*>::CArray;
  void Serialize(CArchive& ar) override;
};

class CObList : public CList<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)
 public:
  using CList<CObject*, CObject*>::CList;
};

class CStringList : public CList<CString, const CString&> {
  DECLARE_SERIAL(CStringList)
 public:
  using CList<CString, const CString&>::CList;
};

class CPtrList : public CList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)
 public:
  using CList<void*, void*>::CList;
  void Serialize(CArchive& ar) override;
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
  DECLARE_SERIAL(CMapStringToString)
 public:
  using CMap<CString, LPCTSTR, CString, LPCTSTR>::CMap;
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
  DECLARE_SERIAL(CMapStringToOb)
 public:
  using CMap<CString, LPCTSTR, CObject*, CObject*>::CMap;
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {
  DECLARE_SERIAL(CMapWordToOb)
 public:
  using CMap<WORD, WORD, CObject*, CObject*>::CMap;
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
  DECLARE_DYNAMIC(CMapStringToPtr)
 public:
  using CMap<CString, LPCTSTR, void*, void*>::CMap;
  void Serialize(CArchive& ar) override;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
  DECLARE_DYNAMIC(CMapPtrToPtr)
 public:
  using CMap<void*, void*, void*, void*>::CMap;
  void Serialize(CArchive& ar) override;
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
  DECLARE_DYNAMIC(CMapPtrToWord)
 public:
  using CMap<void*, void*, WORD, WORD>::CMap;
  void Serialize(CArchive& ar) override;
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
  DECLARE_DYNAMIC(CMapWordToPtr)
 public:
  using CMap<WORD, WORD, void*, void*>::CMap;
  void Serialize(CArchive& ar) override;
};
