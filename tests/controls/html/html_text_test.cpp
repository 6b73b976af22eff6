// Plain text into markup and back: what the message box and the tooltips do with texts that come
// from users and files.
#include <gtest/gtest.h>

#include "controls/html/html_text.h"

namespace {

TEST(HtmlText, EscapedTextComesBackAsItWas) {
  const std::wstring texts[] = {
      L"a<b>&c", L"&lt;", L"&amp;lt;", L"<<", L"C:\\Scenarios\\<new> & old.ovs", L"AA**(KK**) < 5%", L"",
      L"x\ny", L"tab\there", L">",
  };
  for (const std::wstring& text : texts)
    EXPECT_EQ(html::MarkupToPlainText(html::EscapeText(text)), text) << std::string(text.begin(), text.end());
}

TEST(HtmlText, EscapingAndFlattening) {
  EXPECT_EQ(html::EscapeText(L"a<b>&c"), L"a&lt;b&gt;&amp;c");
  EXPECT_EQ(html::EscapeText(L"&lt;"), L"&amp;lt;");
  EXPECT_EQ(html::MarkupToPlainText(L"<b>bold</b><br>next<t>tab &amp; x<BR>y"), L"bold\nnext\ttab & x\ny");
  EXPECT_EQ(html::MarkupToPlainText(L"<table><tr><td><icon handle=0x1></td><td>text</td></tr></table>"), L"text");
}

}  // namespace
