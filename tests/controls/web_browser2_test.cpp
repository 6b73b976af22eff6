// The browser wrapper the result view, the range explorer and the page dialog host: made by
// dynamic creation from its run-time class, created as a child window, showing a written page.
#include <gtest/gtest.h>

#include "framework/afxwin.h"
#include "framework/webbrowser.h"

namespace {

TEST(WebBrowser2, DynamicCreationMakesAHostableWindow) {
  CRuntimeClass* type = RUNTIME_CLASS(CWebBrowser2);
  ASSERT_NE(type, nullptr);
  EXPECT_STREQ(type->m_lpszClassName, "CWebBrowser2");
  CObject* object = type->CreateObject();
  ASSERT_NE(object, nullptr);
  ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CWnd)));
  auto* browser = static_cast<CWebBrowser2*>(object);

  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Result", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                            nullptr));
  ASSERT_TRUE(browser->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, 1039));
  browser->WriteDocument(L"<html><body><p>Equity 52.3 %</p></body></html>");
  EXPECT_NE(browser->GetDocumentText().Find(L"Equity 52.3 %"), -1);
  host.DestroyWindow();
  delete browser;
}

}  // namespace
