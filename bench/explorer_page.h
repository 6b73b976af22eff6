#pragma once
// The range explorer's page as the explorer dialog builds it, for the rich content benchmarks:
// classes (pattern form 0 coloured, 1 plain) or hands (card pictures or not). The display sheet
// gives the page's few elements their usual block display where the engine reads the page
// without its default style sheet.
#include "core/handbase.h"
#include "toolkit/richcontent/rich_item.h"

#include <string>

inline constexpr char16_t kExplorerDisplaySheet[] =
    u"<style>html, body, p, div, br { display: block } table { display: table } tr { display: table-row }"
    u" td { display: table-cell }</style>";

// The page's HTML as the dialog writes it into its browser.
inline std::wstring ExplorerPageHtml(COmahaBase& base, const wchar_t* range, bool hands, bool pictures, int limit,
                                     int patternForm = 0) {
    base.SelectRange(range);
    std::wstring list;
    if (hands)
        base.ListSelectedHands(list, limit, pictures ? 1 : 0, L"C:\\Program Files\\OmahaVantorn.exe", nullptr);
    else
        base.ListSelectedClasses(list, patternForm, limit, -1, 0, nullptr);
    std::wstring page = L"<HTML><BODY leftmargin=2 topmargin=2 rightmargin=2 bottommargin=2>\n<font face=Tahoma size=2>\n";
    page += list;
    page += L"</font>\n</BODY></HTML>\n";
    return page;
}

inline RichString ExplorerPage(COmahaBase& base, const wchar_t* range, bool hands, bool pictures, int limit) {
    const std::wstring page = ExplorerPageHtml(base, range, hands, pictures, limit);
    RichString out(kExplorerDisplaySheet);
    for (wchar_t c : page) out.push_back(static_cast<char16_t>(c));
    return out;
}
