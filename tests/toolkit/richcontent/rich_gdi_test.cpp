// The GDI side of font descriptions: the font made matches its description, the cache keeps one
// font per description and frees them, the device-context guards restore what they changed.
#include "toolkit/richcontent/rich_gdi.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_platform.h"

#include <gtest/gtest.h>

namespace {

CExtRichFontDescription Font(const char16_t* face, int height, int weight = 400) {
    CExtRichFontDescription f;
    f.SetFaceName(face);
    f.m_lf.lfHeight = height;
    f.m_lf.lfWeight = weight;
    return f;
}

LOGFONTW Read(HFONT font) {
    LOGFONTW lf{};
    EXPECT_EQ(::GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    return lf;
}

DWORD GdiObjects() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }

class MemoryDc {
public:
    MemoryDc() : m_dc(::CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() { ::DeleteDC(m_dc); }
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};

TEST(RichGdiFont, CreatedFontMatchesTheDescription) {
    CExtRichFontDescription f = Font(u"Tahoma", -17, 700);
    f.m_lf.lfItalic = 1;
    struct Case {
        int angle;
        bool underline;
        int escapement;
        int underlined;
    } cases[] = {{0, false, 0, 0}, {0, true, 0, 1}, {90, false, 2700, 0}, {270, false, 900, 0}, {180, true, 1800, 1}};
    for (const Case& c : cases) {
        HFONT font = static_cast<HFONT>(f.CreateFont(c.angle, c.underline));
        ASSERT_NE(font, nullptr);
        const LOGFONTW lf = Read(font);
        EXPECT_EQ(lf.lfHeight, -17);
        EXPECT_EQ(lf.lfWeight, 700);
        EXPECT_EQ(lf.lfItalic, 1);
        EXPECT_EQ(lf.lfEscapement, c.escapement) << c.angle;
        EXPECT_EQ(lf.lfUnderline, c.underlined) << c.angle;
        EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
        ::DeleteObject(font);
    }
    EXPECT_EQ(CExtRichFontDescription().CreateFont(0, false), nullptr);  // no face name, no font
}

TEST(RichGdiFont, ReadsFontsAndDeviceContexts) {
    HFONT font = static_cast<HFONT>(Font(u"Tahoma", -21).CreateFont(0, true));
    CExtRichFontDescription read;
    read.FromHFont(font);
    EXPECT_EQ(read.m_lf.lfHeight, -21);
    EXPECT_EQ(read.m_lf.lfUnderline, 1);
    EXPECT_EQ(read.m_lf.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(read.GetFaceName(), u"Tahoma");

    MemoryDc dc;
    HGDIOBJ old = ::SelectObject(dc, font);
    EXPECT_EQ(GetDCFont(dc), font);
    CExtRichFontDescription fromDc;
    fromDc.FromDC(static_cast<RichDcHandle>(static_cast<HDC>(dc)));
    EXPECT_EQ(fromDc.Compare(read), 0);
    EXPECT_EQ(RichPlatform().DcFont(static_cast<HDC>(dc)).lfHeight, -21);
    ::SelectObject(dc, old);
    ::DeleteObject(font);

    EXPECT_EQ(GetDCFont(nullptr), ::GetStockObject(DEFAULT_GUI_FONT));
    CExtRichFontDescription gui, none;
    gui.FromDefaultGuiFont();
    none.FromDC(static_cast<RichDcHandle>(nullptr));
    EXPECT_EQ(gui.Compare(none), 0);
    EXPECT_FALSE(gui.GetFaceName().empty());
}

TEST(RichGdiFont, TheCacheKeepsOneFontPerDescriptionAndFreesThem) {
    const DWORD before = GdiObjects();
    HFONT fonts[3];
    {
        CExtRichFontCache cache;
        fonts[0] = cache.Get(Font(u"Tahoma", -13));
        fonts[1] = cache.Get(Font(u"Tahoma", -13));
        fonts[2] = cache.Get(Font(u"Tahoma", -13), 90);
        HFONT bold = cache.Get(Font(u"Tahoma", -13, 700));
        EXPECT_EQ(fonts[0], fonts[1]);
        EXPECT_NE(fonts[0], fonts[2]);  // another angle is another font
        EXPECT_NE(fonts[0], bold);
        EXPECT_EQ(Read(fonts[2]).lfEscapement, 2700);
        EXPECT_EQ(cache.GetCount(), 3u);
        EXPECT_EQ(cache.Get(CExtRichFontDescription()), nullptr);
        EXPECT_EQ(cache.GetCount(), 3u);
        for (int i = 0; i < 50; ++i) cache.Get(Font(u"Tahoma", -13));
        EXPECT_EQ(cache.GetCount(), 3u);
    }
    EXPECT_EQ(::GetObjectType(fonts[0]), 0u);  // deleted with the cache
    EXPECT_EQ(::GetObjectType(fonts[2]), 0u);
    EXPECT_EQ(GdiObjects(), before);
}

TEST(RichGdiGuard, TextGuardAppliesTheStyleAndRestoresEverything) {
    MemoryDc dc;
    ::SetBkMode(dc, OPAQUE);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SetBkColor(dc, RGB(4, 5, 6));
    HGDIOBJ fontBefore = ::GetCurrentObject(dc, OBJ_FONT);
    const DWORD before = GdiObjects();

    CExtRichStyleDescription d;
    d.m_font = Font(u"Tahoma", -30);
    d.m_clrText = RGB(200, 0, 0);
    d.m_nBackgroundColorMode = 1;
    d.m_clrBackground = RGB(0, 0, 200);
    {
        RichTextDcGuard guard(dc, d, 0, false);
        EXPECT_NE(::GetCurrentObject(dc, OBJ_FONT), fontBefore);
        EXPECT_EQ(guard.Metrics().tmHeight >= 30, true);
        EXPECT_EQ(::GetTextColor(dc), RGB(200, 0, 0));
        EXPECT_EQ(::GetBkColor(dc), RGB(0, 0, 200));
        EXPECT_EQ(::GetBkMode(dc), OPAQUE);
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), fontBefore);
    EXPECT_EQ(::GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(::GetBkColor(dc), RGB(4, 5, 6));
    EXPECT_EQ(::GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GdiObjects(), before);

    d.m_nBackgroundColorMode = 0;  // no background colour: transparent
    {
        RichTextDcGuard guard(dc, d, 0, false);
        EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
    }
    EXPECT_EQ(::GetBkMode(dc), OPAQUE);
}

TEST(RichGdiGuard, RelativePositionMovesTheViewportAndBack) {
    MemoryDc dc;
    CExtRichContentLayout doc;
    CExtRichContentItem* root = doc.CreateItem(kRichItemRoot);
    root->m_rcItem = RichRect{10, 20, 210, 120};
    CExtRichContentItem* e = doc.CreateItem(kRichItemElement, root);
    e->GetStyle().m_nPosition = RichCode::PositionRelative;
    CExtRichStyleDescription& d = e->GetStyle();
    d.m_rcPosition.left = 5;
    d.m_rcPositionPercent.top = 50;  // half the parent's height, from its top
    {
        RichRelativePositionGuard guard(dc, e, d);
        POINT origin{};
        ::GetViewportOrgEx(dc, &origin);
        EXPECT_EQ(origin.x, 5);
        EXPECT_EQ(origin.y, 70);
    }
    POINT origin{};
    ::GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);

    e->GetStyle().m_nPosition = RichCode::PositionStatic;  // only relative elements move
    RichRelativePositionGuard still(dc, e, d);
    EXPECT_EQ(still.Offset().x, 0);
}

TEST(RichGdiPlatform, MeasuresWithTheSelectedFont) {
    MemoryDc dc;
    CExtRichContentLayout doc;
    HFONT font = static_cast<HFONT>(Font(u"Tahoma", -20).CreateFont(0, false));
    HGDIOBJ old = ::SelectObject(dc, font);
    const RichSize one = doc.MeasureText(static_cast<HDC>(dc), u"W", -1);
    const RichSize two = doc.MeasureText(static_cast<HDC>(dc), u"WW", 2);
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(two.cx, 2 * one.cx);
    EXPECT_GE(one.cy, 20);
    EXPECT_EQ(doc.MeasureText(static_cast<HDC>(dc), u"", -1), RichSize{});
    EXPECT_EQ(doc.MeasureText(nullptr, u"W", 1), RichSize{});
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    EXPECT_EQ(RichPlatform().DpiX(), 96);
    EXPECT_EQ(RichPlatform().SysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOWTEXT));
}

}  // namespace
