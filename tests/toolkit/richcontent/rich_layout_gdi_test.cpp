// The layout pass measured with real GDI fonts: runs are as wide as the system measures their
// text in their own font, lines break where those widths say and advance by the font's height
// and external leading; the device context gets its own font back.
#include "tests/toolkit/richcontent/rich_layout_test_support.h"
#include "toolkit/richcontent/rich_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

class FontDc {
public:
    explicit FontDc(int weight = FW_NORMAL) : m_dc(::CreateCompatibleDC(nullptr)) {
        LOGFONTW lf{};
        lf.lfHeight = -13;
        lf.lfWeight = weight;
        lf.lfCharSet = DEFAULT_CHARSET;
        wcscpy_s(lf.lfFaceName, L"Tahoma");
        m_font = ::CreateFontIndirectW(&lf);
        m_old = ::SelectObject(m_dc, m_font);
    }
    ~FontDc() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_font);
        ::DeleteDC(m_dc);
    }
    HDC Get() const { return m_dc; }
    int Width(const wchar_t* text) const {
        SIZE size{};
        ::GetTextExtentPoint32W(m_dc, text, static_cast<int>(wcslen(text)), &size);
        return size.cx;
    }
    TEXTMETRICW Metrics() const {
        TEXTMETRICW tm{};
        ::GetTextMetricsW(m_dc, &tm);
        return tm;
    }
    HFONT Font() const { return m_font; }

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_old;
};

std::vector<RichRect> LayOut(HDC dc, const wchar_t* body, int width, CExtRichContentLayout& doc,
                             const char16_t* id) {
    const RichString html = RichString(richtest::kLayoutCss) + reinterpret_cast<const char16_t*>(body);
    doc.ParseHtml(html.c_str(), true);
    doc.Layout(dc, RichRect{0, 0, width, 1000});
    std::vector<RichRect> out;
    richtest::LaidOutPage::Collect(doc.FindById(id), out);
    return out;
}

TEST(RichLayoutGdi, LinesBreakWhereTheFontsWidthsSay) {
    FontDc dc;
    const int aaa = dc.Width(L"aaa"), space = dc.Width(L" "), two = dc.Width(L"aaa bbb");
    ASSERT_GT(aaa, 0);
    const TEXTMETRICW tm = dc.Metrics();
    CExtRichContentLayout doc;
    // Room for two words and the space after them, not for the third word.
    const std::vector<RichRect> words = LayOut(dc.Get(), L"<p id=p>aaa bbb ccc</p>", two + space + 2, doc, u"p");
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].left, 0);
    EXPECT_EQ(words[0].Width(), aaa);
    EXPECT_EQ(words[0].Height(), tm.tmHeight);
    EXPECT_EQ(words[1].left, aaa + space);
    EXPECT_EQ(words[1].top, 0);
    EXPECT_EQ(words[2].left, 0);
    EXPECT_EQ(words[2].top, tm.tmHeight + tm.tmExternalLeading);
    // The device context keeps its own font.
    EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), dc.Font());
}

TEST(RichLayoutGdi, BoldRunsAreMeasuredInTheirOwnFont) {
    FontDc dc;
    FontDc bold(FW_BOLD);
    CExtRichContentLayout doc;
    const std::vector<RichRect> words =
        LayOut(dc.Get(), L"<p id=p>wide <span style='font-weight:bold'>WWWWWWWW</span></p>", 400, doc, u"p");
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].Width(), dc.Width(L"wide"));
    EXPECT_EQ(words[1].Width(), bold.Width(L"WWWWWWWW"));
    EXPECT_GT(bold.Width(L"WWWWWWWW"), dc.Width(L"WWWWWWWW"));
}

}  // namespace

// The words of a line, across tags and source line feeds, start where the system's own extent of
// the line's text up to them ends: the spaces between them are neither lost nor doubled.
TEST(RichLayoutGdi, WordsStartWhereTheLinesOwnExtentSays) {
    FontDc dc;
    CExtRichContentLayout doc;
    LayOut(dc.Get(),
           L"<p id=p style='font-family: Arial; font-size: 9pt'>The  most\ncommon <a href=x>item</a> is\n"
           L"a hand   pattern</p>",
           2000, doc, u"p");
    LOGFONTW lf{};
    lf.lfHeight = -12;  // 9 points at 96 pixels an inch
    wcscpy_s(lf.lfFaceName, L"Arial");
    HFONT arial = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(dc.Get(), arial);
    const std::wstring line = L"The most common item is a hand pattern";
    std::vector<std::pair<std::wstring, int>> words;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find(L' ', at), line.size());
        SIZE prefix{};
        ::GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(at), &prefix);
        words.emplace_back(line.substr(at, end - at), static_cast<int>(prefix.cx));
        at = end + 1;
    }
    ::SelectObject(dc.Get(), old);
    ::DeleteObject(arial);
    std::vector<std::pair<std::wstring, int>> laid;
    std::function<void(const CExtRichContentItem*)> walk = [&](const CExtRichContentItem* item) {
        for (const CExtRichContentItem* child : item->m_listChildren) {
            if (child->m_nKind == kRichItemText)
                laid.emplace_back(std::wstring(child->m_strText.begin(), child->m_strText.end()),
                                  child->m_rcItem.left);
            walk(child);
        }
    };
    const CExtRichContentItem* paragraph = doc.FindById(u"p");
    ASSERT_NE(paragraph, nullptr);
    walk(paragraph);
    EXPECT_EQ(laid, words);
}
