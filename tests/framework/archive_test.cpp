#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/afx.h"
#include "test_util.h"

// Serializable test classes: a node that may point at another node (shared
// references and cycles), and a class whose stored schema may differ.
class CHandNode : public CObject {
  DECLARE_SERIAL(CHandNode)
 public:
  CString m_text;
  int m_count = 0;
  double m_equity = 0;
  CHandNode* m_partner = nullptr;

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar << m_text << m_count << m_equity << m_partner;
    } else {
      ar >> m_text >> m_count >> m_equity >> m_partner;
    }
  }
};
IMPLEMENT_SERIAL(CHandNode, CObject, 1)

class CVersioned : public CObject {
  DECLARE_SERIAL(CVersioned)
 public:
  UINT m_loadedSchema = 0;
  void Serialize(CArchive& ar) override {
    if (!ar.IsStoring()) m_loadedSchema = ar.GetObjectSchema();
  }
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 3)

class CFixedSchema : public CObject {
  DECLARE_SERIAL(CFixedSchema)
 public:
  void Serialize(CArchive&) override {}
};
IMPLEMENT_SERIAL(CFixedSchema, CObject, 2)

namespace {

// The bytes a store produced, as a new memory file to load from.
std::vector<BYTE> Contents(CMemFile& file) {
  std::vector<BYTE> bytes(static_cast<std::size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

template <class StoreFn>
std::vector<BYTE> Store(StoreFn&& store) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
  }
  return Contents(file);
}

template <class LoadFn>
void Load(std::vector<BYTE> bytes, LoadFn&& load) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  load(ar);
}

TEST(CArchive, ValuesAndStringsRoundTrip) {
  CString longText(L'x', 70000);  // needs the long count form
  auto bytes = Store([&](CArchive& ar) {
    ar << BYTE(200) << WORD(60000) << LONG(-5) << DWORD(4000000000u) << 3.25 << 1.5f << -7 << 8u << short(-2)
       << LONGLONG(-1) << true << L'é' << CString(L"UTG: Ah Kd") << CStringA("AA**") << CString() << longText
       << L"literal";
    POINT pt = {3, -4};
    RECT rc = {1, 2, 3, 4};
    ar << pt << rc;
  });
  Load(bytes, [&](CArchive& ar) {
    BYTE b;
    WORD w;
    LONG l;
    DWORD d;
    double db;
    float f;
    int i;
    unsigned u;
    short s;
    LONGLONG ll;
    bool flag;
    wchar_t ch;
    CString wide, empty, big, literal;
    CStringA narrow;
    POINT pt;
    RECT rc;
    ar >> b >> w >> l >> d >> db >> f >> i >> u >> s >> ll >> flag >> ch >> wide >> narrow >> empty >> big >> literal >> pt >>
        rc;
    EXPECT_EQ(b, 200);
    EXPECT_EQ(w, 60000);
    EXPECT_EQ(l, -5);
    EXPECT_EQ(d, 4000000000u);
    EXPECT_EQ(db, 3.25);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(i, -7);
    EXPECT_EQ(u, 8u);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(ll, -1);
    EXPECT_TRUE(flag);
    EXPECT_EQ(ch, L'é');
    EXPECT_EQ(wide, L"UTG: Ah Kd");
    EXPECT_EQ(narrow, "AA**");
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(big, longText);
    EXPECT_EQ(literal, L"literal");
    EXPECT_EQ(pt.y, -4);
    EXPECT_EQ(rc.right, 3);
  });
}

TEST(CArchive, StringKindsLoadIntoEitherStringClass) {
  auto bytes = Store([](CArchive& ar) { ar << CStringA("narrow") << CString(L"wide"); });
  Load(bytes, [](CArchive& ar) {
    CString w;
    CStringA a;
    ar >> w >> a;
    EXPECT_EQ(w, L"narrow");
    EXPECT_EQ(a, "wide");
  });
}

TEST(CArchive, ObjectGraphKeepsSharedReferencesAndCycles) {
  auto bytes = Store([](CArchive& ar) {
    CHandNode a, b;
    a.m_text = L"AAKK";
    a.m_count = 6;
    a.m_equity = 0.82;
    b.m_text = L"QQJJ";
    a.m_partner = &b;
    b.m_partner = &a;  // a cycle
    ar << &a << &b << static_cast<CObject*>(nullptr);
  });
  Load(bytes, [](CArchive& ar) {
    CHandNode* a = nullptr;
    CHandNode* b = nullptr;
    CObject* none = reinterpret_cast<CObject*>(1);
    ar >> a >> b >> none;
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->m_text, L"AAKK");
    EXPECT_EQ(a->m_count, 6);
    EXPECT_EQ(a->m_equity, 0.82);
    EXPECT_EQ(a->m_partner, b);  // the same object, not a copy
    EXPECT_EQ(b->m_partner, a);
    EXPECT_EQ(none, nullptr);
    delete a;
    delete b;
  });
}

TEST(CArchive, CollectionsSerialize) {
  auto bytes = Store([](CArchive& ar) {
    CStringArray strings;
    strings.Add(L"Flop");
    strings.Add(L"");
    CDWordArray numbers;
    for (DWORD i = 0; i < 5000; ++i) numbers.Add(i * i);
    CMapStringToString map;
    map[L"Turn"] = L"Ks";
    map[L"River"] = L"2d";
    CObArray objects;
    auto* node = new CHandNode;
    node->m_text = L"shared";
    objects.Add(node);
    objects.Add(node);
    strings.Serialize(ar);
    numbers.Serialize(ar);
    map.Serialize(ar);
    objects.Serialize(ar);
    delete node;
  });
  Load(bytes, [](CArchive& ar) {
    CStringArray strings;
    CDWordArray numbers;
    CMapStringToString map;
    CObArray objects;
    strings.Serialize(ar);
    numbers.Serialize(ar);
    map.Serialize(ar);
    objects.Serialize(ar);
    ASSERT_EQ(strings.GetSize(), 2);
    EXPECT_EQ(strings[0], L"Flop");
    ASSERT_EQ(numbers.GetSize(), 5000);
    EXPECT_EQ(numbers[4999], 4999u * 4999u);
    CString river;
    EXPECT_TRUE(map.Lookup(L"River", river));
    EXPECT_EQ(river, L"2d");
    ASSERT_EQ(objects.GetSize(), 2);
    EXPECT_EQ(objects[0], objects[1]);
    EXPECT_EQ(static_cast<CHandNode*>(objects[0])->m_text, L"shared");
    delete objects[0];
  });
}

TEST(CArchive, SchemasAreChecked) {
  auto bytes = Store([](CArchive& ar) {
    CVersioned v;
    CFixedSchema f;
    ar << &v << &f;
  });
  // A versionable class learns the stored schema.
  Load(bytes, [](CArchive& ar) {
    CVersioned* v = nullptr;
    ar >> v;
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->m_loadedSchema, 3u);
    delete v;
  });
  // A fixed schema that differs is refused: patch the stored number 2 to 9.
  std::vector<BYTE> patched = bytes;
  const char* name = "CFixedSchema";
  auto at = std::search(patched.begin(), patched.end(), name, name + std::strlen(name));
  ASSERT_NE(at, patched.end());
  std::size_t schemaOffset = static_cast<std::size_t>(at - patched.begin()) - 2 - 4;
  ASSERT_EQ(patched[schemaOffset], 2);
  patched[schemaOffset] = 9;
  EXPECT_EQ(fwtest::CauseOf<CArchiveException>([&] {
              Load(patched, [](CArchive& ar) {
                CObject* v = nullptr;
                ar >> v;
                delete v;
                CObject* f = nullptr;
                ar >> f;
              });
            }),
            CArchiveException::badSchema);
}

TEST(CArchive, MalformedDataRaisesInsteadOfReadingPastTheEnd) {
  auto good = Store([](CArchive& ar) {
    CHandNode n;
    ar << &n;
  });
  auto loadNode = [](std::vector<BYTE> bytes) {
    return fwtest::CauseOf<CArchiveException>([&] {
      Load(bytes, [](CArchive& ar) {
        CHandNode* n = nullptr;
        ar >> n;
        delete n;
      });
    });
  };
  EXPECT_EQ(loadNode(good), -1);
  // Truncated anywhere.
  for (std::size_t cut : {std::size_t{0}, std::size_t{3}, good.size() / 2, good.size() - 1}) {
    std::vector<BYTE> truncated(good.begin(), good.begin() + cut);
    EXPECT_EQ(loadNode(truncated), CArchiveException::endOfFile) << "cut at " << cut;
  }
  // An unknown class name.
  std::vector<BYTE> unknown = good;
  auto at = std::search(unknown.begin(), unknown.end(), "CHandNode", "CHandNode" + 9);
  *(at + 1) = 'X';
  EXPECT_EQ(loadNode(unknown), CArchiveException::badClass);
  // A reference to an object that was never stored.
  std::vector<BYTE> badRef = {5, 0, 0, 0};
  EXPECT_EQ(loadNode(badRef), CArchiveException::badIndex);
  // A string whose count claims gigabytes.
  std::vector<BYTE> hugeString = {2, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a', 0};
  EXPECT_EQ(fwtest::CauseOf<CArchiveException>([&] {
              Load(hugeString, [](CArchive& ar) {
                CString s;
                ar >> s;
              });
            }),
            CArchiveException::endOfFile);
}

TEST(CArchive, RefusesObjectsOfTheWrongClassAndWrongDirection) {
  auto bytes = Store([](CArchive& ar) {
    CVersioned v;
    ar << &v;
  });
  EXPECT_EQ(fwtest::CauseOf<CArchiveException>([&] {
              Load(bytes, [](CArchive& ar) {
                CHandNode* n = nullptr;
                ar >> n;  // stored a CVersioned
              });
            }),
            CArchiveException::badClass);
  CMemFile file;
  CArchive out(&file, CArchive::store);
  EXPECT_EQ(fwtest::CauseOf<CArchiveException>([&] {
              int i;
              out >> i;
            }),
            CArchiveException::writeOnly);
}

TEST(CArchive, LoadingLeavesTheFileRightAfterTheArchive) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << 42 << CString(L"end");
  }
  const char trailer[] = "TRAILER";
  file.Write(trailer, sizeof trailer);
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    int i;
    CString s;
    ar >> i >> s;
    EXPECT_EQ(i, 42);
  }
  char read[sizeof trailer] = {};
  EXPECT_EQ(file.Read(read, sizeof read), sizeof trailer);
  EXPECT_STREQ(read, "TRAILER");
}

TEST(CMemFile, GrowsSeeksAndRespectsAFixedBuffer) {
  CMemFile grow(16);
  grow.Write("abc", 3);
  grow.Seek(10, CFile::begin);  // past the end
  grow.Write("z", 1);
  EXPECT_EQ(grow.GetLength(), 11u);
  grow.SeekToBegin();
  char all[11];
  EXPECT_EQ(grow.Read(all, 11), 11u);
  EXPECT_EQ(all[5], 0);  // the gap is zeros
  EXPECT_EQ(grow.Read(all, 1), 0u);
  EXPECT_EQ(fwtest::CauseOf<CFileException>([&] { grow.Seek(-1, CFile::begin); }), CFileException::badSeek);
  grow.SetLength(2);
  EXPECT_EQ(grow.GetLength(), 2u);
  EXPECT_EQ(grow.GetPosition(), 2u);

  BYTE buffer[4] = {1, 2, 3, 4};
  CMemFile fixed(buffer, sizeof buffer);
  EXPECT_EQ(fixed.GetLength(), 4u);
  fixed.Seek(0, CFile::end);
  EXPECT_TRUE(fwtest::Raises<CMemoryException>([&] { fixed.Write("x", 1); }));
  EXPECT_EQ(fixed.Detach(), buffer);

  CMemFile owner;
  owner.Write("data", 4);
  BYTE* detached = owner.Detach();
  EXPECT_EQ(std::memcmp(detached, "data", 4), 0);
  free(detached);
  EXPECT_EQ(owner.GetLength(), 0u);
}

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    m_dir.Format(L"%sfwtest_%lu", base, GetCurrentProcessId());
    CreateDirectoryW(m_dir, nullptr);
  }
  void TearDown() override {
    for (const CString& f : m_created) DeleteFileW(f);
    RemoveDirectoryW(m_dir);
  }
  CString Path(const wchar_t* name) {
    CString p = m_dir + L"\\" + name;
    m_created.push_back(p);
    return p;
  }
  CString m_dir;
  std::vector<CString> m_created;
};

TEST_F(TempFolder, CFileReadsWritesAndReportsErrors) {
  CString path = Path(L"scenario.vof");
  {
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    file.Write("Flop=AhKdQc\r\n", 13);
    EXPECT_EQ(file.GetLength(), 13u);
    EXPECT_EQ(file.GetFileName(), L"scenario.vof");
    EXPECT_EQ(file.GetFileTitle(), L"scenario");
  }
  {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    char text[32] = {};
    file.Seek(5, CFile::begin);
    EXPECT_EQ(file.Read(text, sizeof text), 8u);
    EXPECT_STREQ(text, "AhKdQc\r\n");
    // modeNoTruncate keeps the content.
    CFile append;
    ASSERT_TRUE(append.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead | CFile::shareDenyNone));
    EXPECT_EQ(append.GetLength(), 13u);
  }
  CFileException error;
  CFile missing;
  EXPECT_FALSE(missing.Open(Path(L"missing.txt"), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_NE(error.GetErrorText().Find(L"missing.txt"), -1);
  EXPECT_EQ(fwtest::CauseOf<CFileException>([&] { CFile f(Path(L"missing2.txt"), CFile::modeRead); }),
            CFileException::fileNotFound);
  EXPECT_EQ(fwtest::CauseOf<CFileException>([&] { CFile::Remove(Path(L"missing3.txt")); }),
            CFileException::fileNotFound);
  CString renamed = Path(L"renamed.vof");
  CFile::Rename(path, renamed);
  CFile::Remove(renamed);
  EXPECT_EQ(GetFileAttributesW(renamed), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(fwtest::CauseOf<CFileException>([&] {
              CFile closed;
              closed.Write("x", 1);
            }),
            CFileException::invalidFile);
}

TEST_F(TempFolder, ArchiveOnADiskFile) {
  CString path = Path(L"archive.bin");
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    for (int i = 0; i < 10000; ++i) ar << i;
  }
  CFile file(path, CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  int sum = 0;
  for (int i = 0; i < 10000; ++i) {
    int v;
    ar >> v;
    sum += (v == i);
  }
  EXPECT_EQ(sum, 10000);
  EXPECT_TRUE(fwtest::Raises<CArchiveException>([&] {
    int v;
    ar >> v;
  }));
}

}  // namespace
