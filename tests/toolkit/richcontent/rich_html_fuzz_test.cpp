// A bounded fuzz run over the HTML reader: any text must give a document (a tree whenever any
// item was made) without crashing, hanging or touching memory it does not own (the sanitizer
// build checks), and the styles of whatever tree it made must compute. OV_FUZZ_ROUNDS makes
// longer runs by hand.
#include "tests/support/mutation_fuzzer.h"
#include "tests/toolkit/richcontent/rich_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(RichHtmlFuzz, AnyTextGivesATree) {
    const std::vector<std::string> seeds = {
        "<html><head><title>T</title><style type=\"text/css\"><!-- p { color: red } td.w { margin: 1px 2px } --></style>"
        "<link rel=stylesheet type=text/css href=x.css></head><body><p class=W id=a>one &amp; two</p></body></html>",
        "<table border=1 width=100%><tr><td colspan=2 bgcolor=#E8E8E8>a<td>b<tr><th>c</table><ul><li>x<li>y</ul>",
        "<div><p>a<p>b</div><dl><dt>t<dd>d</dl><select><option>o<option>p</select><pre>l1\nl2</pre>",
        "<img SRC='a.png' align=right><br/><hr noshade size=2><font face=\"Arial\" color=red size=+1>f</font>",
        "<p style=\"font: bold 12px/14px arial; background: red url(x.png) no-repeat left top; clip: rect(1px,2px,3px,4px)\">",
        "a /* c */ b <!-- c --> &lt;&#65;&#x41;&bogus; AT&T <a title='x>y' href=\"a/*b\">z</a> <!DOCTYPE html>",
        "<td><tbody></tbody></td></tr></table></i></b><p =x>q</p><a b=\\\"c\\\" d='e\"f'>",
    };
    ovtest::MutationFuzzer fuzzer(seeds);
    fuzzer.Run(6000, [](const std::string& input) {
        const RichString text = richtest::WidenFuzzBytes(input);
        CExtRichContentLayout doc;
        doc.ParseHtml(text.c_str(), true);
        if (!doc.m_listItems.IsEmpty()) {
            ASSERT_NE(doc.GetRoot(), nullptr);
        }
        doc.ResolveLinkedStyleSheets(true, true);
        doc.RebuildStyleSheets();
        doc.ComputeStyles(nullptr, true, true);
    });
}

}  // namespace
