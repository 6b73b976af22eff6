// The scroll bars of rich-content elements drawn and measured by the current paint manager.
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"
#include "toolkit/richcontent/rich_hit_test.h"

namespace {

RECT ToRect(const RichRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

class CPaintManagerScrollBars final : public CExtRichScrollBarPainter {
public:
    bool MeasureScrollBar(bool horizontal, int& buttonLength, int& minThumb) override {
        CExtPaintManager* manager = g_PaintManagerHolder.CurrentManager();
        if (!manager) return false;
        int horzHeight = 0, vertWidth = 0, horzButton = 0, vertButton = 0, horzThumb = 0, vertThumb = 0;
        if (!manager->MeasureSkinnedScrollBar(nullptr, &horzHeight, &vertWidth, &horzButton, &vertButton, &horzThumb,
                                              &vertThumb))
            return false;
        buttonLength = horizontal ? horzButton : vertButton;
        minThumb = horizontal ? horzThumb : vertThumb;
        return true;
    }

    void DrawScrollBar(RichDcHandle dc, const RichScrollBarData& data) override {
        CExtPaintManager* manager = g_PaintManagerHolder.CurrentManager();
        if (!manager || !dc) return;
        CExtPaintManager::PAINTSCROLLBARDATA bar;
        bar.m_bHorzBar = data.m_bHorzBar;
        bar.m_bEnabled = data.m_bEnabled;
        bar.m_bPressed = data.m_bPressed;
        bar.m_nCurrentPart = data.m_nHotPart;
        bar.m_rcBar = ToRect(data.m_rcBar);
        bar.m_rcPageUp = ToRect(data.m_rcPageUp);
        bar.m_rcPageDown = ToRect(data.m_rcPageDown);
        bar.m_rcButtonUp = ToRect(data.m_rcButtonUp);
        bar.m_rcButtonDown = ToRect(data.m_rcButtonDown);
        bar.m_rcThumb = ToRect(data.m_rcThumb);
        bar.m_rcTrack = ToRect(data.m_rcTrack);
        bar.m_scrollInfo.cbSize = sizeof bar.m_scrollInfo;
        bar.m_scrollInfo.fMask = data.m_scrollInfo.m_nMask;
        bar.m_scrollInfo.nMin = data.m_scrollInfo.m_nMin;
        bar.m_scrollInfo.nMax = data.m_scrollInfo.m_nMax;
        bar.m_scrollInfo.nPage = data.m_scrollInfo.m_nPage;
        bar.m_scrollInfo.nPos = data.m_scrollInfo.m_nPos;
        bar.m_scrollInfo.nTrackPos = data.m_scrollInfo.m_nTrackPos;
        CDC* target = CDC::FromHandle(static_cast<HDC>(dc));
        manager->DrawScrollBar(*target, bar);
    }

    void FillCorner(RichDcHandle dc, const RichRect& rect) override {
        CExtPaintManager* manager = g_PaintManagerHolder.CurrentManager();
        if (!dc) return;
        HDC hdc = static_cast<HDC>(dc);
        const COLORREF color = manager ? manager->LookupColor(COLOR_BTNFACE) : ::GetSysColor(COLOR_BTNFACE);
        const int mode = ::SetBkMode(hdc, TRANSPARENT);
        const COLORREF previous = ::SetBkColor(hdc, color);
        const RECT r = ToRect(rect);
        ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
        ::SetBkColor(hdc, previous);
        ::SetBkMode(hdc, mode);
    }
};

CPaintManagerScrollBars g_paintManagerScrollBars;

}  // namespace

void RichUsePaintManagerScrollBars() { RichSetScrollBarPainter(&g_paintManagerScrollBars); }
