// Collection templates: CArray, CList, CMap, their element helpers and the
// typed pointer wrappers. Invalid indexes and positions raise
// CInvalidArgException instead of touching memory they do not own.
#pragma once

#include <type_traits>
#include <utility>
#include <vector>

#include "framework/archive.h"
#include "framework/cstring.h"
#include "framework/exceptions.h"
#include "framework/runtime.h"

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
  return *pElement1 == *pElement2;
}

// Hash of a map key. Strings hash by content; integers, enums and pointers by
// value. Specialise for other key types.
template <class ARG_KEY>
UINT AFXAPI HashKey(ARG_KEY key) {
  using K = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
  auto mix = [](unsigned long long v) -> UINT {
    v ^= v >> 33;
    v *= 0xFF51AFD7ED558CCDULL;
    v ^= v >> 33;
    return static_cast<UINT>(v);
  };
  auto text = [](auto p) -> UINT {
    UINT h = 2166136261u;
    if (p)
      for (; *p; ++p) h = (h ^ static_cast<UINT>(*p)) * 16777619u;
    return h;
  };
  if constexpr (std::is_integral_v<K> || std::is_enum_v<K>) {
    return mix(static_cast<unsigned long long>(key));
  } else if constexpr (std::is_same_v<std::decay_t<K>, const wchar_t*> || std::is_same_v<std::decay_t<K>, wchar_t*> ||
                       std::is_same_v<std::decay_t<K>, const char*> || std::is_same_v<std::decay_t<K>, char*>) {
    return text(key);
  } else if constexpr (std::is_pointer_v<K>) {
    return mix(reinterpret_cast<ULONG_PTR>(key));
  } else if constexpr (std::is_convertible_v<const K&, const wchar_t*>) {
    return text(static_cast<const wchar_t*>(key));
  } else if constexpr (std::is_convertible_v<const K&, const char*>) {
    return text(static_cast<const char*>(key));
  } else {
    static_assert(sizeof(K) == 0, "specialise HashKey for this key type");
    return 0;
  }
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;
  ~CArray() override = default;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    if (nNewSize < 0) AfxThrowInvalidArgException();
    if (nGrowBy >= 0) m_nGrowBy = nGrowBy;
    m_data.resize(static_cast<std::size_t>(nNewSize));
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Check(nIndex)]; }
  TYPE& GetAt(INT_PTR nIndex) { return m_data[Check(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Check(nIndex)] = newElement; }
  const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Check(nIndex)]; }
  TYPE& ElementAt(INT_PTR nIndex) { return m_data[Check(nIndex)]; }
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
  const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex < 0) AfxThrowInvalidArgException();
    TYPE copy(newElement);  // newElement may live in this array
    if (nIndex >= GetSize()) m_data.resize(static_cast<std::size_t>(nIndex) + 1);
    m_data[static_cast<std::size_t>(nIndex)] = std::move(copy);
  }
  INT_PTR Add(ARG_TYPE newElement) {
    TYPE copy(newElement);
    m_data.push_back(std::move(copy));
    return GetSize() - 1;
  }
  INT_PTR Append(const CArray& src) {
    INT_PTR oldSize = GetSize();
    if (&src == this) {
      std::vector<TYPE> copy(m_data);
      m_data.insert(m_data.end(), copy.begin(), copy.end());
    } else {
      m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    }
    return oldSize;
  }
  void Copy(const CArray& src) {
    if (&src != this) m_data = src.m_data;
  }
  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount < 0) AfxThrowInvalidArgException();
    if (nCount == 0) return;
    TYPE copy(newElement);
    if (nIndex >= GetSize()) m_data.resize(static_cast<std::size_t>(nIndex));
    m_data.insert(m_data.begin() + nIndex, static_cast<std::size_t>(nCount), copy);
  }
  void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    if (pNewArray == nullptr || nStartIndex < 0) AfxThrowInvalidArgException();
    std::vector<TYPE> copy(pNewArray->m_data);
    if (nStartIndex >= GetSize()) m_data.resize(static_cast<std::size_t>(nStartIndex));
    m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
  }
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount < 0 || nCount > GetSize() - nIndex) AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
      if (!m_data.empty()) SerializeElements<TYPE>(ar, m_data.data(), GetSize());
    } else {
      DWORD_PTR n = ar.ReadCount();
      m_data.clear();
      // Grow in steps, so a corrupt count ends at the end of the data.
      constexpr DWORD_PTR kStep = 4096;
      for (DWORD_PTR done = 0; done < n;) {
        DWORD_PTR chunk = n - done < kStep ? n - done : kStep;
        m_data.resize(static_cast<std::size_t>(done + chunk));
        SerializeElements<TYPE>(ar, m_data.data() + done, static_cast<INT_PTR>(chunk));
        done += chunk;
      }
    }
  }

 protected:
  std::size_t Check(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= GetSize()) AfxThrowInvalidArgException();
    return static_cast<std::size_t>(nIndex);
  }
  std::vector<TYPE> m_data;
  INT_PTR m_nGrowBy = -1;
};

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return NonEmpty(m_pHead)->data; }
  const TYPE& GetHead() const { return NonEmpty(m_pHead)->data; }
  TYPE& GetTail() { return NonEmpty(m_pTail)->data; }
  const TYPE& GetTail() const { return NonEmpty(m_pTail)->data; }

  TYPE RemoveHead() {
    CNode* node = NonEmpty(m_pHead);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
  }
  TYPE RemoveTail() {
    CNode* node = NonEmpty(m_pTail);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
  }
  POSITION AddHead(ARG_TYPE newElement) { return Link(new CNode{nullptr, nullptr, TYPE(newElement)}, nullptr, m_pHead); }
  POSITION AddTail(ARG_TYPE newElement) { return Link(new CNode{nullptr, nullptr, TYPE(newElement)}, m_pTail, nullptr); }
  void AddHead(CList* pNewList) {
    if (pNewList == nullptr) AfxThrowInvalidArgException();
    CList copy;
    for (CNode* n = pNewList->m_pHead; n; n = n->pNext) copy.AddTail(n->data);
    for (CNode* n = copy.m_pTail; n; n = n->pPrev) AddHead(n->data);
  }
  void AddTail(CList* pNewList) {
    if (pNewList == nullptr) AfxThrowInvalidArgException();
    CList copy;
    for (CNode* n = pNewList->m_pHead; n; n = n->pNext) copy.AddTail(n->data);
    for (CNode* n = copy.m_pHead; n; n = n->pNext) AddTail(n->data);
  }
  void RemoveAll() {
    while (m_pHead) {
      CNode* next = m_pHead->pNext;
      delete m_pHead;
      m_pHead = next;
    }
    m_pTail = nullptr;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return ToPos(m_pHead); }
  POSITION GetTailPosition() const { return ToPos(m_pTail); }
  TYPE& GetNext(POSITION& rPosition) {
    CNode* n = FromPos(rPosition);
    rPosition = ToPos(n->pNext);
    return n->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    CNode* n = FromPos(rPosition);
    rPosition = ToPos(n->pNext);
    return n->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* n = FromPos(rPosition);
    rPosition = ToPos(n->pPrev);
    return n->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    CNode* n = FromPos(rPosition);
    rPosition = ToPos(n->pPrev);
    return n->data;
  }
  TYPE& GetAt(POSITION position) { return FromPos(position)->data; }
  const TYPE& GetAt(POSITION position) const { return FromPos(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { FromPos(pos)->data = newElement; }
  void RemoveAt(POSITION position) { Unlink(FromPos(position)); }
  // A null position inserts at the head (InsertBefore) or tail (InsertAfter).
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    if (position == nullptr) return AddHead(newElement);
    CNode* at = FromPos(position);
    return Link(new CNode{nullptr, nullptr, TYPE(newElement)}, at->pPrev, at);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    if (position == nullptr) return AddTail(newElement);
    CNode* at = FromPos(position);
    return Link(new CNode{nullptr, nullptr, TYPE(newElement)}, at, at->pNext);
  }
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    CNode* n = startAfter ? FromPos(startAfter)->pNext : m_pHead;
    for (; n; n = n->pNext)
      if (CompareElements(&n->data, &searchValue)) return ToPos(n);
    return nullptr;
  }
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* n = m_pHead;
    while (nIndex-- > 0) n = n->pNext;
    return ToPos(n);
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
      for (CNode* n = m_pHead; n; n = n->pNext) SerializeElements<TYPE>(ar, &n->data, 1);
    } else {
      DWORD_PTR count = ar.ReadCount();
      for (DWORD_PTR i = 0; i < count; ++i) {
        TYPE value{};
        SerializeElements<TYPE>(ar, &value, 1);
        AddTail(value);
      }
    }
  }

 private:
  static POSITION ToPos(CNode* n) { return reinterpret_cast<POSITION>(n); }
  static CNode* FromPos(POSITION p) {
    if (p == nullptr || p == BEFORE_START_POSITION) AfxThrowInvalidArgException();
    return reinterpret_cast<CNode*>(p);
  }
  static CNode* NonEmpty(CNode* n) {
    if (n == nullptr) AfxThrowInvalidArgException();
    return n;
  }
  POSITION Link(CNode* node, CNode* prev, CNode* next) {
    node->pPrev = prev;
    node->pNext = next;
    if (prev) prev->pNext = node;
    else m_pHead = node;
    if (next) next->pPrev = node;
    else m_pTail = node;
    ++m_nCount;
    return ToPos(node);
  }
  void Unlink(CNode* node) {
    if (node->pPrev) node->pPrev->pNext = node->pNext;
    else m_pHead = node->pNext;
    if (node->pNext) node->pNext->pPrev = node->pPrev;
    else m_pTail = node->pPrev;
    delete node;
    --m_nCount;
  }

  CNode* m_pHead = nullptr;
  CNode* m_pTail = nullptr;
  INT_PTR m_nCount = 0;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 public:
  using BASE_KEY = KEY;
  using BASE_ARG_KEY = ARG_KEY;
  using BASE_VALUE = VALUE;
  using BASE_ARG_VALUE = ARG_VALUE;

  class CPair {
   public:
    const KEY key;
    VALUE value;

   protected:
    explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
  };

 protected:
  class CAssoc : public CPair {
    friend class CMap;
    CAssoc* pNext = nullptr;
    UINT nHashValue = 0;

   public:
    explicit CAssoc(ARG_KEY key) : CPair(key) {}
  };

 public:
  explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
  ~CMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    CAssoc* a = Find(key);
    if (a == nullptr) return FALSE;
    rValue = a->value;
    return TRUE;
  }
  const CPair* PLookup(ARG_KEY key) const { return Find(key); }
  CPair* PLookup(ARG_KEY key) { return Find(key); }
  VALUE& operator[](ARG_KEY key) {
    CAssoc* a = Find(key);
    if (a == nullptr) a = Insert(key);
    return a->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key) {
    if (m_table.empty()) return FALSE;
    UINT h = HashKey<ARG_KEY>(key);
    CAssoc** link = &m_table[h % m_table.size()];
    for (CAssoc* a = *link; a; link = &a->pNext, a = a->pNext) {
      if (a->nHashValue == h && CompareElements(&a->key, &key)) {
        *link = a->pNext;
        delete a;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (CAssoc*& head : m_table) {
      while (head) {
        CAssoc* next = head->pNext;
        delete head;
        head = next;
      }
    }
    m_table.clear();
    m_nCount = 0;
  }

  POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    if (rNextPosition == nullptr) AfxThrowInvalidArgException();
    CAssoc* a = rNextPosition == BEFORE_START_POSITION ? First() : reinterpret_cast<CAssoc*>(rNextPosition);
    if (a == nullptr) AfxThrowInvalidArgException();
    rKey = a->key;
    rValue = a->value;
    rNextPosition = reinterpret_cast<POSITION>(Next(a));
  }
  const CPair* PGetFirstAssoc() const { return First(); }
  CPair* PGetFirstAssoc() { return First(); }
  const CPair* PGetNextAssoc(const CPair* pAssoc) const { return pAssoc ? Next(static_cast<const CAssoc*>(pAssoc)) : nullptr; }
  CPair* PGetNextAssoc(const CPair* pAssoc) { return pAssoc ? Next(static_cast<const CAssoc*>(pAssoc)) : nullptr; }

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
    if (hashSize == 0) hashSize = 17;
    m_nHashTableSize = hashSize;
    if (m_nCount == 0) {
      m_table.clear();
      if (bAllocNow) m_table.assign(hashSize, nullptr);
      return;
    }
    Rehash(hashSize);
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
      for (CAssoc* a = First(); a; a = Next(a)) {
        SerializeElements<KEY>(ar, const_cast<KEY*>(&a->key), 1);
        SerializeElements<VALUE>(ar, &a->value, 1);
      }
    } else {
      DWORD_PTR count = ar.ReadCount();
      for (DWORD_PTR i = 0; i < count; ++i) {
        KEY key{};
        VALUE value{};
        SerializeElements<KEY>(ar, &key, 1);
        SerializeElements<VALUE>(ar, &value, 1);
        (*this)[key] = value;
      }
    }
  }

 protected:
  CAssoc* Find(ARG_KEY key) const {
    if (m_table.empty()) return nullptr;
    UINT h = HashKey<ARG_KEY>(key);
    for (CAssoc* a = m_table[h % m_table.size()]; a; a = a->pNext)
      if (a->nHashValue == h && CompareElements(&a->key, &key)) return a;
    return nullptr;
  }
  CAssoc* Insert(ARG_KEY key) {
    if (m_table.empty()) m_table.assign(m_nHashTableSize, nullptr);
    // Keep chains short as the map grows.
    if (static_cast<std::size_t>(m_nCount) >= m_table.size() * 2) Rehash(static_cast<UINT>(m_table.size() * 4 + 1));
    CAssoc* a = new CAssoc(key);
    a->nHashValue = HashKey<ARG_KEY>(key);
    CAssoc*& head = m_table[a->nHashValue % m_table.size()];
    a->pNext = head;
    head = a;
    ++m_nCount;
    return a;
  }
  void Rehash(UINT newSize) {
    std::vector<CAssoc*> table(newSize, nullptr);
    for (CAssoc* head : m_table) {
      while (head) {
        CAssoc* next = head->pNext;
        CAssoc*& slot = table[head->nHashValue % newSize];
        head->pNext = slot;
        slot = head;
        head = next;
      }
    }
    m_table.swap(table);
    m_nHashTableSize = newSize;
  }
  CAssoc* First() const {
    for (CAssoc* head : m_table)
      if (head) return head;
    return nullptr;
  }
  CAssoc* Next(const CAssoc* a) const {
    if (a->pNext) return a->pNext;
    for (std::size_t b = a->nHashValue % m_table.size() + 1; b < m_table.size(); ++b)
      if (m_table[b]) return m_table[b];
    return nullptr;
  }

  std::vector<CAssoc*> m_table;
  INT_PTR m_nCount = 0;
  UINT m_nHashTableSize = 17;
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
 public:
  TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
  TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
  void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
  void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
  INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
  INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
  void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
  void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
  void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
  TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
  TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
  const TYPE* GetData() const { return reinterpret_cast<const TYPE*>(BASE_CLASS::GetData()); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
  TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
  TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
  TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
  void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
  POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
  POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
  void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
  void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
  POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
  POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
  using BaseValue = typename BASE_CLASS::BASE_VALUE;

 public:
  explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

  BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const {
    BaseValue v{};
    if (!BASE_CLASS::Lookup(key, v)) return FALSE;
    rValue = static_cast<VALUE>(v);
    return TRUE;
  }
  VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) {
    return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
  }
  void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
  BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
  void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
    typename BASE_CLASS::BASE_KEY k{};
    BaseValue v{};
    BASE_CLASS::GetNextAssoc(rPosition, k, v);
    rKey = static_cast<KEY>(k);
    rValue = static_cast<VALUE>(v);
  }
};
