// The placeholder page of the browser controls and the result pages' style sheet.
#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "resource_module.h"

namespace {

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

TEST(Pages, PlaceholderIsAnEmptyHtmlPageAtResource102) {
    // res://<module>/102 names an HTML-type resource.
    std::string_view page = res::Bytes(IDR_PLACEHOLDER_PAGE, RT_HTML);
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.substr(0, 6), "<html>");
    EXPECT_TRUE(Contains(page, "<body>"));
    EXPECT_TRUE(Contains(page, "</html>"));
    EXPECT_FALSE(Contains(page, "<script"));
}

TEST(Pages, ResultStyleSheetStylesBodyTablesAndBothCellColours) {
    std::string_view css = res::Bytes(IDR_RESULT_STYLE, RT_RCDATA);
    ASSERT_FALSE(css.empty());
    EXPECT_EQ(css.substr(0, 6), "<style");
    EXPECT_TRUE(Contains(css, "</style>"));
    for (const char* part : {"body {", "table {", "font-family: Arial;", "font-size: 9pt;", "margin-left: 4px;",
                             "margin-top: 4px;", "margin-right: 4px;", "margin-bottom: 4px;",
                             "vertical-align: top;", "td {\n\tbackground-color: #E8E8E8;",
                             "td.w {\n\tbackground-color: #FFFFFF;"}) {
        EXPECT_TRUE(Contains(css, part)) << part;
    }
    for (char c : css) EXPECT_LT(static_cast<unsigned char>(c), 128u) << "read in the system's 8-bit code page";
}

}  // namespace
