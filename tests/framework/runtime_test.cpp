#include <gtest/gtest.h>

#include "framework/afx.h"
#include "test_util.h"

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
 public:
  int m_radius = 5;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CSquare : public CShape {
  DECLARE_SERIAL(CSquare)
};
IMPLEMENT_SERIAL(CSquare, CShape, 1)

namespace {

TEST(CRuntimeClass, KnowsNamesBasesAndKinds) {
  CCircle circle;
  CObject* object = &circle;
  EXPECT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CCircle));
  EXPECT_STREQ(RUNTIME_CLASS(CCircle)->m_lpszClassName, "CCircle");
  EXPECT_EQ(RUNTIME_CLASS(CCircle)->GetBaseClass(), RUNTIME_CLASS(CShape));
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_FALSE(object->IsSerializable());
  CSquare square;
  EXPECT_TRUE(square.IsSerializable());
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, object), &circle);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CSquare, object), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(nullptr)), nullptr);
}

TEST(CRuntimeClass, CreatesObjectsDynamically) {
  CObject* created = RUNTIME_CLASS(CCircle)->CreateObject();
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(static_cast<CCircle*>(created)->m_radius, 5);
  delete created;
  // By name, as a document template or an archive does.
  EXPECT_EQ(CRuntimeClass::FromName("CSquare"), RUNTIME_CLASS(CSquare));
  EXPECT_EQ(CRuntimeClass::FromName(L"CCircle"), RUNTIME_CLASS(CCircle));
  EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
  EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
  CObject* byName = CRuntimeClass::CreateObject(L"CSquare");
  ASSERT_NE(byName, nullptr);
  EXPECT_TRUE(byName->IsKindOf(RUNTIME_CLASS(CSquare)));
  delete byName;
  // Only dynamic-creation classes can be created.
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject("CShape"), nullptr);
  // The framework's own classes are registered too.
  EXPECT_EQ(CRuntimeClass::FromName("CStringArray"), RUNTIME_CLASS(CStringArray));
}

TEST(CException, ThrownAsPointersAndDeletedByTheHandler) {
  int cause = 0;
  try {
    AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, L"C:\\x.ini");
  } catch (CException* e) {
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
    cause = static_cast<CFileException*>(e)->m_cause;
    CString text = e->GetErrorText();
    EXPECT_NE(text.Find(L"C:\\x.ini"), -1);
    EXPECT_NE(text.Find(L"denied"), -1);
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::accessDenied);
  // The memory exception is preallocated: Delete leaves it alone.
  for (int i = 0; i < 2; ++i) {
    try {
      AfxThrowMemoryException();
    } catch (CMemoryException* e) {
      EXPECT_FALSE(e->GetErrorText().IsEmpty());
      e->Delete();
    }
  }
  EXPECT_EQ(CFileException::OsErrorToException(ERROR_SHARING_VIOLATION), CFileException::sharingViolation);
  EXPECT_EQ(CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND), CFileException::badPath);
  EXPECT_EQ(CFileException::OsErrorToException(12345), CFileException::genericException);
  wchar_t small[8];
  CArchiveException ae(CArchiveException::badClass, L"file");
  EXPECT_TRUE(ae.GetErrorMessage(small, 8));
  EXPECT_EQ(wcslen(small), 7u);  // truncated, terminated
  CUserException user;
  EXPECT_FALSE(user.GetErrorMessage(small, 8));
  EXPECT_EQ(user.ReportError(), 0);
}

TEST(CException, ClassicMacrosWork) {
  bool caught = false;
  TRY {
    AfxThrowNotSupportedException();
  }
  CATCH(CNotSupportedException, e) {
    caught = true;
    e->Delete();
  }
  END_CATCH
  EXPECT_TRUE(caught);
}

}  // namespace
