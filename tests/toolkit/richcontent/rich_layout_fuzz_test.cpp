// A bounded fuzz run over the style, measuring and layout passes: whatever tree the reader made
// from any text lays out at two widths and an angle without crashing, hanging or touching memory
// it does not own (the sanitizer build checks), and every displayed box stays ordered.
#include "tests/support/mutation_fuzzer.h"
#include "tests/toolkit/richcontent/rich_layout_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(RichLayoutFuzz, AnyTreeLaysOut) {
    const std::vector<std::string> seeds = {
        "<table style='width:50%' cellspacing=2><tr><td colspan=3>a b<td rowspan=2>c<tr><td>d<td style='width:70%'>e"
        "</table><p style='text-align:justify;text-indent:9px'>one two three four</p>",
        "<div style='float:left;width:30px;height:40px'>f</div><div style='float:right;width:20px'>g</div>"
        "text <span style='white-space:nowrap'>no wrap here</span> <img src=x> end",
        "<div style='height:20px;overflow:scroll'>a b c d e f g h</div><div style='position:absolute;left:5%;top:3px'>"
        "p</div><div style='position:fixed;right:1px'>q</div>",
        "<div style='width:100px;height:80px'><div style='display:ui-dock;ui-dock:top;height:9px'>t</div>"
        "<div style='display:ui-dock;ui-dock:fill'>f</div></div><ol start=3><li>x<li value=7>y</ol>",
        "<p style='white-space:pre'>a\tb\n\nc  d</p><p style='white-space:pre-line'>e\nf</p>"
        "<span style='display:inline-block;width:40px'>ib</span><sub>s</sub><sup>u</sup>",
        "<style>p:before{content:\"[\"} p:after{content:\"]\"} li{list-style-position:inside}</style><p>x</p>"
        "<ul><li>a</ul><table><thead><tr><th>h</thead><tbody><tr><td>b</tbody></table>",
    };
    ovtest::MutationFuzzer fuzzer(seeds);
    fuzzer.Run(1500, [](const std::string& input) {
        const RichString text = RichString(richtest::kLayoutCss) + richtest::WidenFuzzBytes(input);
        for (int angle : {0, 90}) {
            CExtRichContentLayout doc(angle);
            doc.ParseHtml(text.c_str(), true);
            doc.Layout(richtest::TestDc(), RichRect{0, 0, 300, 200});
            doc.Layout(richtest::TestDc(), RichRect{0, 0, 40, 200});
            for (CExtRichContentItem* item : doc.m_listItems) {
                ASSERT_LE(item->m_rcItem.left, item->m_rcItem.right);
                ASSERT_LE(item->m_rcItem.top, item->m_rcItem.bottom);
            }
        }
    });
}

}  // namespace
