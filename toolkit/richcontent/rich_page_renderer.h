// The rich content engine as the web-browser control's page engine: a page
// read as HTML (with the default style sheet and the page's own styles), laid
// out at the control's width and painted; the images it names are loaded from
// the program's resources (res://) and from files; links and anchors are
// found in the laid-out tree; text is selected and copied through the
// document's text index (rich_text_index.h), made when the page's text is first needed rather
// than with every layout. RichInstallPageRenderer makes every browser control created afterwards
// draw its pages this way.
#pragma once

#include <memory>
#include <string>

#include "framework/pagerenderer.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_text_index.h"

class CExtRichPageRenderer : public fw::IPageRenderer {
public:
    CExtRichPageRenderer();
    ~CExtRichPageRenderer() override;

    void SetPage(const std::wstring& html, const std::wstring& baseUrl) override;
    SIZE Layout(HDC hdc, int width) override;
    void Paint(HDC hdc, const RECT& clip, POINT origin) override;
    std::wstring LinkAt(POINT pt) override;
    int AnchorTop(const std::wstring& name) override;
    long TextPositionAt(POINT pt) override;
    long TextLength() override;
    bool HasText() override;
    std::wstring TextBetween(long from, long to) override;
    void WordAround(long position, long& from, long& to) override;
    void SetSelection(long from, long to) override;

    // The laid-out document, for reading what the page shows.
    CExtRichContentLayout& GetLayout() { return *m_pDoc; }
    // The page's text as the selection reads it, run by run.
    const CExtRichTextIndex& GetTextIndex() { return Index(); }
    // An address of the page resolved against the page's own (res://, file:// or a path).
    std::wstring Resolve(const std::wstring& name) const;

private:
    void LoadImages();
    HFONT PageFont() const;
    void PaintSelection(HDC hdc, const RichRect& docClip);
    // The text index of the current layout, built on first use.
    CExtRichTextIndex& Index();

    std::unique_ptr<CExtRichContentLayout> m_pDoc;
    std::wstring m_strBase;
    CExtRichTextIndex m_index;
    bool m_bIndexBuilt = false;
    int m_nHasLinks = -1;  // whether an element links somewhere; -1: not looked yet
    long m_nSelFrom = 0, m_nSelTo = 0;
};

void RichInstallPageRenderer();
