#include "framework/collections.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 1)
IMPLEMENT_SERIAL(CWordArray, CObject, 1)
IMPLEMENT_SERIAL(CDWordArray, CObject, 1)
IMPLEMENT_SERIAL(CUIntArray, CObject, 1)
IMPLEMENT_SERIAL(CObArray, CObject, 1)
IMPLEMENT_SERIAL(CStringArray, CObject, 1)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
void CPtrArray::Serialize(CArchive&) { AfxThrowNotSupportedException(); }
IMPLEMENT_SERIAL(CObList, CObject, 1)
IMPLEMENT_SERIAL(CStringList, CObject, 1)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
void CPtrList::Serialize(CArchive&) { AfxThrowNotSupportedException(); }
IMPLEMENT_SERIAL(CMapStringToString, CObject, 1)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 1)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 1)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
void CMapStringToPtr::Serialize(CArchive&) { AfxThrowNotSupportedException(); }
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
void CMapPtrToPtr::Serialize(CArchive&) { AfxThrowNotSupportedException(); }
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
void CMapPtrToWord::Serialize(CArchive&) { AfxThrowNotSupportedException(); }
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
void CMapWordToPtr::Serialize(CArchive&) { AfxThrowNotSupportedException(); }
